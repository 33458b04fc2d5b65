#pragma once

#include <string>
#include <vector>

// A script case file: the lines of one routine section, with expectations on lines that start
// with "#!":
//   #! load ok|fail          whether Load succeeds
//   #! error <text>          one line of the parse error text, in order ("%4d %s" form)
//   #! run ok|fail           what Run answers
//   #! var <name> = <value>  a variable after the run: numbers in decimal, texts in "quotes"
//   #! ret <type> <value>    the result handed back by Run (type -128 has no value)
struct ScriptCase {
    std::vector<std::string> lines;
    bool loadOk = true;
    std::vector<std::string> errors;
    bool runOk = true;
    std::vector<std::pair<std::string, std::string>> vars;
    std::string ret;  // empty when the case does not check the result
};

ScriptCase ReadScriptCase(const std::string& path);
// Every case file under the given folder, sorted by name.
std::vector<std::string> ListScriptCases(const std::string& folder);
// The folder of the case files, beside this test's sources.
std::string ScriptCaseFolder();
