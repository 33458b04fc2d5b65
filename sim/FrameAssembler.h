#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/SimCommand.h"

// Collects command frames out of the byte stream of the line. Bytes before a frame start
// (STX or "@") are dropped; a frame that grows past the receive limit without ending is
// dropped too.
class FrameAssembler {
  public:
    static constexpr size_t kMaxFrameBytes = 2048;

    struct Frame {
        SimProtocol Protocol;
        std::string Bytes;
    };

    // Takes one byte; answers the frame that it completes, if any.
    std::optional<Frame> Push(char byte);

  private:
    std::string m_pending;
};
