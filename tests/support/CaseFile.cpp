#include "support/CaseFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace {

struct Token {
    std::string prefix;  // a bare word before a quoted text, e.g. "data="
    std::string value;
    bool quoted = false;
};

// Reads the quoted text that starts at line[at] (the opening quote) and moves at past its end.
std::string Unquote(const std::string& line, size_t& at) {
    std::string text;
    for (++at; at < line.size() && line[at] != '"'; ++at) {
        char byte = line[at];
        if (byte == '\\' && at + 1 < line.size()) {
            byte = line[++at];
            if (byte == '{') {  // \{N*C}: N bytes C
                const size_t star = line.find('*', at);
                if (star + 2 >= line.size() || line[star + 2] != '}')
                    throw std::invalid_argument("a repeat has no end");
                text.append(std::stoul(line.substr(at + 1)), line[star + 1]);
                at = star + 2;
                continue;
            }
            if (byte == 'x') {
                byte = static_cast<char>(std::stoi(line.substr(at + 1, 2), nullptr, 16));
                at += 2;
            } else if (const size_t named = std::string("nrt").find(byte);
                       named != std::string::npos) {
                byte = "\n\r\t"[named];
            }
        }
        text += byte;
    }
    if (at >= line.size()) throw std::invalid_argument("a quoted text has no end");
    ++at;
    return text;
}

std::vector<Token> Tokens(const std::string& line) {
    std::vector<Token> tokens;
    size_t at = 0;
    while (true) {
        while (at < line.size() && line[at] == ' ') ++at;
        if (at == line.size()) return tokens;
        Token token;
        while (at < line.size() && line[at] != ' ' && line[at] != '"') token.prefix += line[at++];
        if (at < line.size() && line[at] == '"') {
            token.value = Unquote(line, at);
            token.quoted = true;
        } else {
            token.value = std::move(token.prefix);
            token.prefix.clear();
        }
        tokens.push_back(std::move(token));
    }
}

void RunCase(const std::string& line, const std::map<std::string, CaseFunction>& functions) {
    const std::vector<Token> tokens = Tokens(line);
    const auto function = functions.find(tokens.front().value);
    ASSERT_NE(function, functions.end()) << "no such function";
    size_t at = 1;
    CaseInputs inputs;
    for (; at < tokens.size() && (tokens[at].quoted || tokens[at].value != "->"); ++at)
        inputs.push_back(tokens[at].prefix + tokens[at].value);
    ASSERT_LT(at, tokens.size()) << "no \"->\"";
    const CaseAnswers answers = function->second(inputs);
    for (size_t place = 0; ++at < tokens.size(); ++place) {
        std::string name = tokens[at].prefix, expected = tokens[at].value;
        const size_t equals = expected.find('=');
        if (!tokens[at].quoted && equals != std::string::npos) {
            name = expected.substr(0, equals);
            expected.erase(0, equals + 1);
        }
        if (!name.empty() && name.back() == '=') name.pop_back();
        const auto answer = name.empty()
                                ? answers.begin() + std::min(place, answers.size())
                                : std::find_if(answers.begin(), answers.end(),
                                               [&](const auto& a) { return a.first == name; });
        if (answer == answers.end()) {
            ADD_FAILURE() << "no answer " << (name.empty() ? "in its place" : name);
            continue;
        }
        EXPECT_EQ(answer->second, expected) << answer->first;
    }
}

}  // namespace

void RunCaseFile(const std::string& path, const std::map<std::string, CaseFunction>& functions) {
    std::ifstream file(path);
    ASSERT_TRUE(file) << path;
    int number = 0;
    for (std::string line; std::getline(file, line);) {
        ++number;
        if (line.find_first_not_of(' ') == std::string::npos || line[0] == '#') continue;
        const ::testing::ScopedTrace trace(path.c_str(), number, line);
        try {
            RunCase(line, functions);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "unreadable case: " << e.what();
        }
    }
}
