#pragma once

#include <cstdint>
#include <string>

#include "app/MessageTable.h"

// The configuration file, shipped in the module folder, and the one-shot maintenance file, which
// a site puts into its site folder.
inline constexpr const char* kConfigFileName = "VEXA.cap";
inline constexpr const char* kMaintenanceFileName = "Maintain01.txt";

inline constexpr const char* kCatalogueSection = "Pyrona";
inline constexpr const char* kQuestionSection = "MESSAGE";
inline constexpr int kCatalogueSize = 999;

// The desktop speaks the operator's language: from this call on, the catalogue, the window title
// and the question texts come from `fileName` (a translated "VEXA.cap" in the module folder) where
// it has them, else from "VEXA.cap". "VEXA.cap" itself, or "", means "VEXA.cap" alone.
void UseCatalogueFile(const std::string& fileName);

// True when "VEXA.cap" lies in the module folder.
bool ConfigFileExists();

// Loads the 999 catalogue texts; false when "VEXA.cap" is missing.  A missing translated file
// leaves the texts of "VEXA.cap".
bool LoadMessageCatalogue(CMessageTable& catalogue);

// The window title ("Pyrona"/"Title"), or "".
std::string ReadWindowTitle();
// "what - title": one window's own title, the program's after it; the title alone when `what`
// is empty.
std::string ReadWindowTitle(const std::string& what);

// A question text of section "MESSAGE" ("000": unit number and write mode, "001": another
// model's table), or "".
std::string ReadQuestionText(const std::string& key);

// Where "Maintain01.txt" is looked for, and true when it lies there (maintenance mode).
std::string MaintenanceFilePath();
bool MaintenanceFileExists();

// The direct command settings of the maintenance file.
struct MaintenanceSettings {
    int32_t retry = 1;
    uint16_t timeOut = 10000;  // milliseconds; the file's number keeps its low 16 bits
};
MaintenanceSettings ReadMaintenanceSettings();
