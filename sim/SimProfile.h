#pragma once

#include <map>
#include <string>
#include <vector>

// A small INI-style file that sets up a canned bus:
//
//   [Sim]
//   Model=VX48-T100        model text answered to the model request (0503)
//   Units=1,2              unit numbers present on the line ("1-3" as well)
//   [Quadrel]
//   0101=0250              command text (code and data) = response data
//   [At]
//   RD01=1234
//
// Lines starting with "#" or ";" are comments; keys and values are trimmed. The sections
// [Memory], [Values] and [Ranges] give the units a parameter memory (see MemoryModel.h); their
// entries are kept by lower-case section name, in file order.
struct SimProfile {
    std::string ModelText = "VX48-T100";
    std::vector<int> Units = {1};
    std::map<std::string, std::string> QuadrelAnswers;
    std::map<std::string, std::string> AtAnswers;
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> MemorySections;
};

// Reads path into profile (fields the file does not set keep their values). On failure
// error says which line and why.
bool LoadSimProfile(const std::string& path, SimProfile& profile, std::string& error);
// The same from text already in memory.
bool ParseSimProfile(const std::string& text, SimProfile& profile, std::string& error);

// A unit list as vexa-cli takes it ("1,2,5-8"; units 0..99), blanks ignored. On failure the
// units are left as they were and error says why.
bool ParseUnitList(const std::string& text, std::vector<int>& units, std::string& error);
