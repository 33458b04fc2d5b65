#include "cli/CliOutput.h"

#include <iostream>
#include <optional>
#include <vector>

namespace {

std::optional<nlohmann::json> g_document;
std::vector<std::string> g_errors;
std::vector<std::string> g_warnings;
std::vector<std::string> g_messages;  // error lines and the engine's messages, in order

}  // namespace

void SetJsonDocument(const nlohmann::json& object) { g_document = object; }

void PrintError(const std::string& text) {
    std::cerr << "vexa-cli: " << text << "\n";
    g_errors.push_back(text);
    g_messages.push_back(text);
}

void PrintWarning(const std::string& text) {
    std::cerr << "vexa-cli: warning: " << text << "\n";
    g_warnings.push_back(text);
}

void NoteOperatorMessage(const std::string& text) { g_messages.push_back(text); }

void PrintJsonDocument(int exitCode) {
    nlohmann::json document = g_document.value_or(nlohmann::json::object());
    if (!g_document) {
        if (exitCode == 0) return;
        std::string error = g_errors.empty() ? std::string() : g_errors.front();
        if (error.empty() && !g_messages.empty()) error = g_messages.back();
        document = {{"exit_code", exitCode}, {"error", error}, {"messages", g_messages}};
    }
    document["schema_version"] = kJsonSchemaVersion;
    document["warnings"] = g_warnings;
    // Texts from controllers and files are bytes, not always UTF-8: replace what is not.
    std::cout << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}
