// Line settings texts, port names and descriptions, error reports and open failures, and what a
// telnet line makes of the bytes it reads, as the cases of serial.cases; the framing of a raw line
// is written out here.
#include <gtest/gtest.h>
#include <termios.h>

#include <string>

#include "serial/ErrorReporter.h"
#include "serial/LineSettingsText.h"
#include "serial/OpenFailure.h"
#include "serial/PortList.h"
#include "serial/PortNames.h"
#include "serial/TelnetLine.h"
#include "serial/TermiosLine.h"
#include "support/CaseFile.h"

namespace {

using Inputs = CaseInputs;

const std::map<std::string, CaseFunction> kFunctions = {
    {"settings-parse",
     [](const Inputs& in) {
         const auto line = ParseSettingsText(in[0]);
         if (!line) return CaseAnswers{{"ok", "false"}};
         return CaseAnswers{{"ok", "true"},
                            {"baud", std::to_string(line->baudRate)},
                            {"parity", std::to_string(line->parity)},
                            {"data", std::to_string(line->dataBits)},
                            {"stop", std::to_string(line->stopBits)}};
     }},
    {"settings-format",
     [](const Inputs& in) {
         return FormatSettingsText(std::stoul(in[0]), std::stoi(in[1]), std::stoi(in[2]),
                                   std::stoi(in[3]));
     }},
    {"natural-less", [](const Inputs& in) { return NaturalLess(in[0], in[1]); }},
    {"port-number", [](const Inputs& in) { return std::to_string(TrailingPortNumber(in[0])); }},
    // A greeted telnet line that reads the inputs one read each.
    {"telnet",
     [](const Inputs& in) {
         CTelnetLine line;
         const std::string greeting = line.Greeting();
         std::string data, acknowledged;
         for (std::string piece : in)
             data += piece.substr(0, line.Filter(piece.data(), piece.size()));
         for (std::size_t n = 0; n < 4; ++n)
             if (line.SettingAcknowledged(n)) acknowledged += std::to_string(n);
         return CaseAnswers{{"data", data},
                            {"replies", line.TakeReplies()},
                            {"greeting", greeting},
                            {"agreed", CaseBool(line.PortControlAgreed())},
                            {"refused", CaseBool(line.PortControlRefused())},
                            {"acknowledged", acknowledged}};
     }},
    {"telnet-settings",
     [](const Inputs& in) {
         const auto settings = CTelnetLine::LineSettings(
             std::stoul(in[0], nullptr, 0), std::stoi(in[1]), std::stoi(in[2]), std::stoi(in[3]));
         return CaseAnswers{{"baud", settings[0]},
                            {"data", settings[1]},
                            {"parity", settings[2]},
                            {"stop", settings[3]}};
     }},
    {"telnet-escape",
     [](const Inputs& in) { return CTelnetLine::Escape(in[0].data(), in[0].size()); }},
    {"error-report", [](const Inputs& in) { return FormatErrorReport(in[0], std::stoi(in[1])); }},
    {"open-failure",
     [](const Inputs& in) { return DescribeOpenFailure(in[0], std::stoi(in[1])).message; }},
    {"describe-port", [](const Inputs& in) { return DescribePort(in[0], in[1], in[2], in[3]); }},
    // Ports added as name and description pairs, then each entry as "name|description|number";
    // an index outside the list leaves what the caller had.
    {"port-list",
     [](const Inputs& in) {
         CPortList list;
         for (size_t i = 0; i + 1 < in.size(); i += 2) list.Add(in[i], in[i + 1]);
         CaseAnswers answers;
         std::string name, description;
         int number = 0;
         for (int i = 0; list.GetEntry(i, number, name, description); ++i)
             answers.emplace_back("", name + "|" + description + "|" + std::to_string(number));
         name = "unchanged";
         EXPECT_FALSE(list.GetEntry(-1, name, description));
         EXPECT_FALSE(list.GetEntry(list.Count(), name, description));
         EXPECT_EQ(name, "unchanged");
         EXPECT_EQ(static_cast<int>(answers.size()), list.Count());
         return answers;
     }},
};

}  // namespace

TEST(SerialCases, EveryCaseOfTheFileHolds) {
    RunCaseFile(VEXA_CASES_DIR "/serial.cases", kFunctions);
}

TEST(RawLine, FramingFollowsTheSettings) {
    termios block{};
    ApplyRawLine(block, {38400, 2, 7, 2});
    EXPECT_EQ(block.c_cflag & CSIZE, tcflag_t{CS7});
    EXPECT_EQ(block.c_cflag & (PARENB | PARODD | CSTOPB), tcflag_t{PARENB | CSTOPB});
    ApplyRawLine(block, {9600, 1, 8, 1});
    EXPECT_EQ(block.c_cflag & CSIZE, tcflag_t{CS8});
    EXPECT_EQ(block.c_cflag & (PARENB | PARODD | CSTOPB), tcflag_t{PARENB | PARODD});
    ApplyRawLine(block, {9600, 0, 8, 1});
    EXPECT_FALSE(block.c_cflag & (PARENB | PARODD));
}
