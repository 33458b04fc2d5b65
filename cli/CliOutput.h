#pragma once

#include <nlohmann/json.hpp>
#include <string>

// The version of the layout of vexa-cli's JSON documents: one more whenever a field is renamed
// or removed.
constexpr int kJsonSchemaVersion = 1;

// The one JSON object a command answers with --json. It is printed when the run ends, with
// "schema_version" and the run's "warnings" added.
void SetJsonDocument(const nlohmann::json& object);
// One line on standard error, "vexa-cli: " in front.
void PrintError(const std::string& text);
// One line on standard error, "vexa-cli: warning: " in front, and an entry of "warnings": the
// run went on and its exit code does not count it.
void PrintWarning(const std::string& text);

// A message the engine gave the operator, printed on standard error by the terminal UI.
void NoteOperatorMessage(const std::string& text);

// Prints the command's document; without one, a run that failed still gives a script an
// object to read: the exit code, the error (the first error line, else the last message) and
// every line.
void PrintJsonDocument(int exitCode);
