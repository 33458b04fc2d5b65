#include "cli/CliOutput.h"

#include <iostream>
#include <optional>
#include <vector>

namespace {

std::optional<nlohmann::json> g_document;
std::string g_firstError;
std::vector<std::string> g_warnings;
std::vector<std::string> g_messages;  // error lines and the engine's messages, in order

// A run that says more keeps its first lines, which name the cause; the bound keeps a parser
// called over and over (a fuzzer) from growing without end.
constexpr size_t kKeptLines = 1000;

void Keep(std::vector<std::string>& lines, const std::string& text) {
    if (lines.size() < kKeptLines) lines.push_back(text);
}

}  // namespace

void SetJsonDocument(const nlohmann::json& object) { g_document = object; }

void PrintError(const std::string& text) {
    std::cerr << "vexa-cli: " << text << "\n";
    if (g_firstError.empty()) g_firstError = text;
    Keep(g_messages, text);
}

void PrintWarning(const std::string& text) {
    std::cerr << "vexa-cli: warning: " << text << "\n";
    Keep(g_warnings, text);
}

void NoteOperatorMessage(const std::string& text) { Keep(g_messages, text); }

void PrintJsonDocument(int exitCode) {
    nlohmann::json document = g_document.value_or(nlohmann::json::object());
    if (!g_document) {
        if (exitCode == 0) return;
        std::string error = g_firstError;
        if (error.empty() && !g_messages.empty()) error = g_messages.back();
        document = {{"exit_code", exitCode}, {"error", error}, {"messages", g_messages}};
    }
    document["schema_version"] = kJsonSchemaVersion;
    document["warnings"] = g_warnings;
    // Texts from controllers and files are bytes, not always UTF-8: replace what is not.
    std::cout << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}
