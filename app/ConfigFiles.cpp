#include "app/ConfigFiles.h"

#include "app/Folders.h"
#include "app/ProfileString.h"

namespace {

constexpr const char* kMaintenanceSection = "CommunicationSettings";

}  // namespace

bool ConfigFileExists() { return PathExists(ResolveInModuleFolder(kConfigFileName)); }

bool LoadMessageCatalogue(CMessageTable& catalogue) {
    return catalogue.Load(ResolveInModuleFolder(kConfigFileName), kCatalogueSection,
                          kCatalogueSize);
}

std::string ReadWindowTitle() {
    return GetProfileString(kConfigFileName, kCatalogueSection, "Title");
}

std::string ReadWindowTitle(const std::string& what) {
    const std::string title = ReadWindowTitle();
    return what.empty() ? title : what + " - " + title;
}

std::string ReadQuestionText(const std::string& key) {
    return GetProfileString(kConfigFileName, kQuestionSection, key);
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
