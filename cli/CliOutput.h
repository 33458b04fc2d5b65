#pragma once

#include <nlohmann/json.hpp>
#include <string>

// The one JSON object a command prints with --json.
void PrintJson(const nlohmann::json& object);
// One line on standard error, "vexa-cli: " in front.
void PrintError(const std::string& text);

// A message the engine gave the operator, printed on standard error by the terminal UI.
void NoteOperatorMessage(const std::string& text);

// With --json a command that failed before it printed its object still gives a script one to
// read: the exit code, the error (the first error line, else the last message) and every line.
bool JsonPrinted();
void PrintJsonForFailure(int exitCode);
