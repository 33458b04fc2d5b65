#include "cli/CliOutput.h"

#include <iostream>
#include <vector>

namespace {

bool g_jsonPrinted = false;
std::vector<std::string> g_errors;
std::vector<std::string> g_messages;  // error lines and the engine's messages, in order

}  // namespace

void PrintJson(const nlohmann::json& object) {
    // Texts from controllers and files are bytes, not always UTF-8: replace what is not.
    std::cout << object.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    g_jsonPrinted = true;
}

void PrintError(const std::string& text) {
    std::cerr << "vexa-cli: " << text << "\n";
    g_errors.push_back(text);
    g_messages.push_back(text);
}

void NoteOperatorMessage(const std::string& text) { g_messages.push_back(text); }

bool JsonPrinted() { return g_jsonPrinted; }

void PrintJsonForFailure(int exitCode) {
    std::string error = g_errors.empty() ? std::string() : g_errors.front();
    if (error.empty() && !g_messages.empty()) error = g_messages.back();
    PrintJson({{"exit_code", exitCode}, {"error", error}, {"messages", g_messages}});
}
