// The frame codecs, their checks, mnemonics, signed values and log lines, as the cases of
// frames.cases; the round trips over whole ranges are written out here.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "protocol/AtCmdFrame.h"
#include "protocol/AtExchange.h"
#include "protocol/FrameCheck.h"
#include "protocol/FrameEnd.h"
#include "protocol/FrameLogFormat.h"
#include "protocol/Mnemonics.h"
#include "protocol/QuadrelCmdFrame.h"
#include "protocol/QuadrelExchange.h"
#include "protocol/SignedValue.h"
#include "support/CaseFile.h"
#include "support/CommandFrames.h"

namespace {

using Inputs = CaseInputs;

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

int Number(const std::string& text) { return std::stoi(text); }
uint16_t Code(const std::string& text) {
    return static_cast<uint16_t>(std::stoi(text, nullptr, 16));
}

// Builds are tried after a good one, so that a refused build shows whether it left that command.
template <typename Exchange>
CaseAnswers Built(const Exchange& exchange, bool ok) {
    return {{"ok", CaseBool(ok)}, {"text", exchange.CommandText()}};
}
CQuadrelExchange QuadrelBuilt() {
    CQuadrelExchange exchange;
    EXPECT_TRUE(exchange.Build(1, 0x0503, ""));
    return exchange;
}

const std::map<std::string, CaseFunction> kFunctions = {
    {"xor", [](const Inputs& in) { return "0x" + Hex(XorAll(in[0]), 2); }},
    {"bcc", [](const Inputs& in) { return "0x" + Hex(FrameBcc(in[0]), 2); }},
    {"quadrel-complete", [](const Inputs& in) { return IsQuadrelFrameComplete(in[0]); }},
    {"at-complete", [](const Inputs& in) { return IsAtFrameComplete(in[0]); }},
    {"quadrel-build",
     [](const Inputs& in) {
         CQuadrelExchange exchange = QuadrelBuilt();
         return Built(exchange, exchange.Build(Number(in[0]), Code(in[1]), in[2]));
     }},
    {"quadrel-build-text",
     [](const Inputs& in) {
         CQuadrelExchange exchange = QuadrelBuilt();
         return Built(exchange, exchange.BuildFromText(Number(in[0]), in[1]));
     }},
    {"quadrel-command",
     [](const Inputs& in) {
         CQuadrelCmdFrame frame;
         const bool ok = frame.Parse(in[0]);
         return CaseAnswers{{"ok", CaseBool(ok)},
                            {"node", std::to_string(frame.Header.Node)},
                            {"command", Hex(frame.Pdu.Command(), 4)},
                            {"data", frame.Data}};
     }},
    // The answer to the command with the code given.
    {"quadrel-answer",
     [](const Inputs& in) {
         CQuadrelExchange exchange;
         exchange.Build(1, Code(in[0]), "");
         CaseAnswers answers{{"ok", CaseBool(exchange.ParseResponse(in[1]))},
                             {"bcc-ok", CaseBool(exchange.BccOk())},
                             {"text-before-valid", exchange.ResponseText()}};
         exchange.Response.Valid = 1;  // as the receiver marks any frame it took in
         answers.insert(answers.end(), {{"data", exchange.ResponseData()},
                                        {"text", exchange.ResponseText()},
                                        {"end", Hex(exchange.Response.Header.EndCode, 2)},
                                        {"command", Hex(exchange.Response.Pdu.Command(), 4)},
                                        {"frame-ok", CaseBool(exchange.Response.Parse(in[1]))}});
         return answers;
     }},
    {"at-build",
     [](const Inputs& in) {
         CAtExchange exchange;
         EXPECT_TRUE(exchange.Build(99, "RD"));
         return Built(exchange, exchange.Build(Number(in[0]), in[1]));
     }},
    {"at-command",
     [](const Inputs& in) {
         CAtCmdFrame frame;
         const bool ok = frame.Parse(in[0]);
         return CaseAnswers{{"ok", CaseBool(ok)},
                            {"unit", std::to_string(frame.Header.Unit)},
                            {"header", frame.Header.HeaderCode},
                            {"data", frame.Data}};
     }},
    // The answer read after a good one, so that a refused frame shows whether it cleared that one.
    {"at-answer",
     [](const Inputs& in) {
         CAtExchange exchange;
         EXPECT_TRUE(exchange.ParseResponse(frames::At("@01RD0099")));
         const bool ok = exchange.ParseResponse(in[0]);
         return CaseAnswers{{"ok", CaseBool(ok)},
                            {"fcs-ok", CaseBool(exchange.FcsOk())},
                            {"end", Hex(exchange.EndCodeValue(), 2)},
                            {"end-ok", CaseBool(exchange.EndCodeValue() == 0)},
                            {"data", exchange.ResponseData()},
                            {"text", exchange.ResponseText()}};
     }},
    {"mnemonics", [](const Inputs& in) { return ParseMnemonics(in[0]); }},
    {"show-mnemonics", [](const Inputs& in) { return ShowMnemonics(in[0]); }},
    {"signed-encode", [](const Inputs& in) { return EncodeSignedValue(in[0]); }},
    {"signed-decode", [](const Inputs& in) { return DecodeSignedValue(in[0]); }},
    {"log-quadrel", [](const Inputs& in) { return FormatQuadrelFrame(Number(in[0]), in[1]); }},
    {"log-at", [](const Inputs& in) { return FormatAtFrame(Number(in[0]), in[1]); }},
};

TEST(ProtocolCases, EveryCaseOfTheFileHolds) {
    RunCaseFile(VEXA_CASES_DIR "/frames.cases", kFunctions);
}

TEST(ProtocolCases, RoundTripsOverWholeRanges) {
    for (int value = -1999; value <= 9999; ++value) {
        const std::string text = std::to_string(value);
        ASSERT_EQ(DecodeSignedValue(EncodeSignedValue(text)), text);
    }
    for (int byte = 0; byte < 0x20; ++byte) {
        const std::string raw(1, static_cast<char>(byte));
        EXPECT_EQ(ParseMnemonics(ShowMnemonics(raw)), raw) << byte;
    }
}

}  // namespace
