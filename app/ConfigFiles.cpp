#include "app/ConfigFiles.h"

#include "app/Folders.h"
#include "app/ProfileString.h"

namespace {

constexpr const char* kMaintenanceSection = "CommunicationSettings";

// The translated catalogue chosen for this run, or "".
std::string& TranslatedFile() {
    static std::string file;
    return file;
}

// The translated text, else the one of "VEXA.cap".
std::string ReadConfigText(const char* section, const std::string& key) {
    if (!TranslatedFile().empty()) {
        std::string text = GetProfileString(TranslatedFile(), section, key);
        if (!text.empty()) return text;
    }
    return GetProfileString(kConfigFileName, section, key);
}

}  // namespace

void UseCatalogueFile(const std::string& fileName) {
    TranslatedFile() = fileName == kConfigFileName ? std::string() : fileName;
}

bool ConfigFileExists() { return PathExists(ResolveInModuleFolder(kConfigFileName)); }

bool LoadMessageCatalogue(CMessageTable& catalogue) {
    if (!catalogue.Load(ResolveInModuleFolder(kConfigFileName), kCatalogueSection, kCatalogueSize))
        return false;
    CMessageTable translated;
    if (!TranslatedFile().empty() &&
        translated.Load(ResolveInModuleFolder(TranslatedFile()), kCatalogueSection, kCatalogueSize))
        catalogue.Overlay(translated);
    return true;
}

std::string ReadWindowTitle() { return ReadConfigText(kCatalogueSection, "Title"); }

std::string ReadWindowTitle(const std::string& what) {
    const std::string title = ReadWindowTitle();
    return what.empty() ? title : what + " - " + title;
}

std::string ReadQuestionText(const std::string& key) {
    return ReadConfigText(kQuestionSection, key);
}

std::string MaintenanceFilePath() { return ResolveInSiteFolder(kMaintenanceFileName); }

bool MaintenanceFileExists() { return PathExists(MaintenanceFilePath()); }

MaintenanceSettings ReadMaintenanceSettings() {
    MaintenanceSettings settings;
    settings.retry = GetProfileInt(MaintenanceFilePath(), kMaintenanceSection, "Retry", 1);
    settings.timeOut = static_cast<uint16_t>(
        GetProfileInt(MaintenanceFilePath(), kMaintenanceSection, "TimeOut", 10000));
    return settings;
}
