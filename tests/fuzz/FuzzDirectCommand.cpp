// The maintenance mode's typed command: mnemonics, completion of the frame, the selection
// for quick editing, and a response split into fields for display.  Input: typed text, also
// taken as a response frame of either protocol.
#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "protocol/DirectCommand.h"
#include "protocol/FrameLogFormat.h"
#include "protocol/Mnemonics.h"

int FuzzDirectCommand(const std::uint8_t* data, std::size_t size) {
    const std::string typed = FuzzText(data, size);

    const std::string bytes = ParseMnemonics(typed);
    const std::string shown = ShowMnemonics(bytes);
    FuzzCheck(shown.find_first_of(std::string("\x01\x02\x03\x0D", 4)) == std::string::npos,
              "no control byte is shown as it is");

    const SDirectFrame frame = CompleteDirectCommand(typed);
    FuzzCheck(!frame.frame.empty(), "a completed frame is never empty");
    FormatQuadrelFrame(1, frame.frame);
    FormatAtFrame(1, frame.frame);

    const STextRange range = CommandSelection(typed);
    FuzzCheck(range.first <= range.last && range.last <= typed.size(),
              "the selection lies within the typed text");

    for (const ProtocolKind protocol :
         {ProtocolKind::kQuadrel, ProtocolKind::kAt, ProtocolKind::kUnknown})
        FormatDirectResponse(protocol, typed);
    FormatQuadrelFrame(0, typed);
    FormatAtFrame(0, typed);
    return 0;
}
