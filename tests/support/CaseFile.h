#pragma once

#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

// Cases written as lines of a text file, for tests that feed inputs to a function and compare
// what comes out. A line names a function, gives its inputs, then "->" and the expected answers:
//   bcc "\x02010000503\x03" -> 0x34
//   quadrel-answer 0503 "\x02..." -> ok=false data="VX48-T"
// A token is a word without blanks, or a "quoted text" with the escapes \\ \" \n \r \t \xHH
// and \{N*C} (N bytes C, for texts longer than a line),
// which may follow a bare word (an input name="text" is the input name=text).
// An expected "name=value" compares with the answer of that name, one without a name with the
// answer in its place. Blank lines and lines that start with "#" are notes.
using CaseInputs = std::vector<std::string>;
using CaseAnswers = std::vector<std::pair<std::string, std::string>>;  // name and value

// A function of the cases: answers named values, or one text, or a yes or no ("true", "false").
class CaseFunction {
  public:
    template <typename Function>
    CaseFunction(Function function) {
        using Answer = std::invoke_result_t<Function, const CaseInputs&>;
        if constexpr (std::is_same_v<Answer, CaseAnswers>) {
            m_function = function;
        } else {
            m_function = [function](const CaseInputs& inputs) {
                const Answer answer = function(inputs);
                if constexpr (std::is_same_v<Answer, bool>)
                    return CaseAnswers{{"", answer ? "true" : "false"}};
                else
                    return CaseAnswers{{"", answer}};
            };
        }
    }
    CaseAnswers operator()(const CaseInputs& inputs) const { return m_function(inputs); }

  private:
    std::function<CaseAnswers(const CaseInputs&)> m_function;
};

// Runs every case of the file; a failure names the file and line of its case.
void RunCaseFile(const std::string& path, const std::map<std::string, CaseFunction>& functions);

// "true" or "false", as the case files write a yes or no.
inline std::string CaseBool(bool value) { return value ? "true" : "false"; }
