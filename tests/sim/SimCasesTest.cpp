// Command frames taken off the line, a unit's parameter memory played from VEXA's own models, the
// profile and command-line readers and the fault scope, as the cases of sim.cases (the format is at
// its top).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "app/Folders.h"
#include "sim/FrameAssembler.h"
#include "sim/MemoryResponder.h"
#include "sim/SimFaultSelector.h"
#include "sim/SimOptions.h"
#include "sim/SimProfile.h"
#include "sim/SimReplyFrame.h"
#include "support/CaseFile.h"
#include "support/TempFolder.h"

namespace {

using Inputs = CaseInputs;

// What a unit made of one step: "Q:CODE[:DATA]" and "@:CODE[:DATA]" are commands, answered by
// their data, "!" and the refusal's code, or "-" for no answer; "v:N" is parameter N's value;
// "state" is the unit's state as running/write mode/stores/unsaved writes.
std::string Step(MemoryResponder& unit, const std::string& step) {
    if (step == "state") {
        const UnitState s = unit.State();
        return std::string(s.Running ? "running" : "stopped") + "/" + (s.WriteMode ? "on" : "off") +
               "/" + std::to_string(s.Stores) + "/" + std::to_string(s.UnsavedWrites);
    }
    if (step.rfind("v:", 0) == 0)
        return std::to_string(unit.Values().at(std::stoi(step.substr(2))));
    const size_t colon = step.find(':', 2);
    const SimCommand command{step[0] == '@' ? SimProtocol::At : SimProtocol::Quadrel, 1,
                             step.substr(2, colon - 2),
                             colon == std::string::npos ? "" : step.substr(colon + 1)};
    const std::optional<SimReply> reply = unit.Respond(command);
    if (!reply) return "-";
    if (command.Protocol == SimProtocol::At)
        return reply->AtEndCode == "00" ? reply->Data : "!" + reply->AtEndCode;
    char code[8];
    std::snprintf(code, sizeof code, "!%04X", reply->ResponseCode);
    return reply->ResponseCode == 0 ? reply->Data : code;
}

// Answers "x" for each command the scope hits and "." for one it spares, the commands given by
// letter: A, B (0101 with data 07, 08), C (0A01), M (the model request), ? (a frame that reads as
// no command). The bus had handled three commands when the scope was set.
std::string HitPattern(const SimFaultScope& scope, const std::string& letters) {
    const SimCommand a{SimProtocol::Quadrel, 1, "0101", "07"},
        b{SimProtocol::Quadrel, 1, "0101", "08"}, c{SimProtocol::Quadrel, 1, "0A01", ""},
        model{SimProtocol::Quadrel, 1, "0503", ""};
    constexpr size_t kBefore = 3;
    SimFaultSelector selector;
    selector.Reset(scope, kBefore);
    std::string pattern;
    for (size_t i = 0; i < letters.size(); ++i) {
        const char l = letters[i];
        const SimCommand* command = l == 'A'   ? &a
                                    : l == 'B' ? &b
                                    : l == 'C' ? &c
                                    : l == 'M' ? &model
                                               : nullptr;
        pattern += selector.Hits(kBefore + i + 1, command) ? 'x' : '.';
    }
    return pattern;
}

std::string Joined(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers) text += (text.empty() ? "" : ",") + std::to_string(n);
    return text;
}

CaseAnswers Options(Inputs args) {
    SimOptions options;
    std::string why;
    if (!ParseSimOptions(args, options, why)) return {{"", why.empty() ? "silent" : "refused"}};
    std::string noise;
    for (unsigned char byte : options.Faults.Noise)
        noise += {"0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 15]};
    return {{"units", Joined(options.Profile.Units)},
            {"model", options.Profile.ModelText},
            {"pace", std::to_string(options.Faults.PaceBaud)},
            {"rate", std::to_string(options.Faults.Scope.RatePerMillion)},
            {"seed", std::to_string(options.Faults.Scope.Seed)},
            {"return", std::to_string(options.Faults.ReturnAfterMs)},
            {"noise", noise},
            {"info", options.InfoText}};
}

const std::map<std::string, CaseFunction> kFunctions = {
    {"assemble",
     [](const Inputs& in) {
         FrameAssembler assembler;
         CaseAnswers answers;
         for (const std::string& piece : in) {
             std::string frames;
             const bool run = piece.starts_with("A*");
             for (char byte : run ? std::string(std::stoul(piece.substr(2)), 'A') : piece)
                 if (const auto frame = assembler.Push(byte))
                     frames += std::string(frames.empty() ? "" : "|") +
                               (frame->Protocol == SimProtocol::At ? "@" : "Q") + frame->Bytes;
             answers.push_back({piece, frames});
         }
         return answers;
     }},
    {"command-frame",
     [](const Inputs& in) {
         const auto frame =
             ReadCommandFrame(in[0] == "at" ? SimProtocol::At : SimProtocol::Quadrel, in[1]);
         if (!frame) return CaseAnswers{{"", "refused"}};
         return CaseAnswers{{"unit", std::to_string(frame->Command.Unit)},
                            {"command", frame->Command.Text()},
                            {"broadcast", CaseBool(frame->Broadcast)}};
     }},
    {"memory",
     [](const Inputs& in) {
         std::string folder, error;
         SimProfile profile;
         auto model = std::make_shared<MemoryModel>();
         if (!GetModuleFolder(folder) || !LoadSimProfile(folder + in[0], profile, error) ||
             !model->Load(profile, error))
             return CaseAnswers{{"", "not played: " + error}};
         MemoryResponder unit(model, profile);
         CaseAnswers answers;
         for (size_t i = 1; i < in.size(); ++i) answers.push_back({in[i], Step(unit, in[i])});
         return answers;
     }},
    {"memory-load",
     [](const Inputs& in) {
         SimProfile profile;
         std::string error;
         if (!ParseSimProfile(in[0], profile, error)) return "unreadable profile: " + error;
         return CaseBool(MemoryModel().Load(profile, error));
     }},
    {"profile",
     [](const Inputs& in) {
         SimProfile profile;
         std::string error;
         // A text that starts with "/" names a profile's file.
         if (!(in[0].starts_with("/") ? LoadSimProfile(in[0], profile, error)
                                      : ParseSimProfile(in[0], profile, error)))
             return CaseAnswers{{"where", error.substr(0, error.find(':'))}};
         CaseAnswers answers{{"model", profile.ModelText}, {"units", Joined(profile.Units)}};
         for (const auto& [command, answer] : profile.QuadrelAnswers)
             answers.push_back({"Q:" + command, answer});
         for (const auto& [command, answer] : profile.AtAnswers)
             answers.push_back({"@:" + command, answer});
         return answers;
     }},
    {"options", [](const Inputs& in) { return Options(in); }},
    // The first input is a profile's text, which {profile} in the arguments names.
    {"options-with-profile",
     [](const Inputs& in) {
         TempFolder folder;
         const std::string path = folder.Write("units.sim", in[0]);
         Inputs args(in.begin() + 1, in.end());
         std::replace(args.begin(), args.end(), std::string("{profile}"), path);
         return Options(args);
     }},
    // hits LETTERS [from=N] [only=TEXT] [max=N] [rate=N] [seed=N]
    {"hits",
     [](const Inputs& in) {
         SimFaultScope scope;
         for (size_t i = 1; i < in.size(); ++i) {
             const std::string key = in[i].substr(0, in[i].find('=')),
                               value = in[i].substr(key.size() + 1);
             if (key == "from") scope.FromCommand = std::stoul(value);
             if (key == "only") scope.OnlyFor = value;
             if (key == "max") scope.MaxHits = std::stoul(value);
             if (key == "rate") scope.RatePerMillion = std::stoi(value);
             if (key == "seed") scope.Seed = static_cast<uint32_t>(std::stoul(value));
         }
         return HitPattern(scope, in[0]);
     }},
};

}  // namespace

TEST(SimCases, EveryCaseOfTheFileHolds) { RunCaseFile(VEXA_CASES_DIR "/sim.cases", kFunctions); }
