// vexa: the desktop program.  One instance per user; the main dialog, or the direct
// command dialog when the maintenance file lies beside the program.
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

#include "app/CatalogueLanguage.h"
#include "app/ConfigFiles.h"
#include "app/Folders.h"
#include "app/MessageTable.h"
#include "protocol/CommLog.h"
#include "ui/DirectCommandDialog.h"
#include "ui/MainDialog.h"
#include "ui/MainDialogRun.h"
#include "ui/RememberedSettings.h"
#include "ui/SingleInstance.h"
#include "ui/TerminationSignals.h"

namespace {

SRemembered Remembered() {
    SRemembered remembered;
    LoadRemembered(RememberedSettingsPath(), remembered);
    return remembered;
}

int RunMainDialog(const CMessageTable& catalogue, CSingleInstance& instance) {
    CMainDialog dialog(catalogue);
    instance.Listen(&dialog);
    const CTerminationSignals terminationSignals(&dialog);
    RunMainDialog(dialog);
    return 0;
}

int RunDirectCommandDialog(const CMessageTable& catalogue, CSingleInstance& instance) {
    // The line the operator used last, rather than a port name this machine lacks.
    CDirectCommandDialog dialog(catalogue, ReadMaintenanceSettings(), Remembered().settings);
    instance.Listen(&dialog);
    dialog.exec();
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/VEXA.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral(VEXA_APP_ID));
    CSingleInstance instance;
    if (!instance.TryLock()) {
        instance.AskFirstToRaise();
        return 0;
    }
    const std::string name =
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
    SetLogName("tra");
    OpenLog();
    LogEvent(name + " start.");

    // The operator's language where a catalogue speaks it, and the toolkit's own words (file
    // dialogs, edit menus, key names) in the same language.
    const SLocaleVariables locale = LocaleVariablesOfProcess();
    const std::string catalogueFile = CatalogueFileFor(
        locale, [](const std::string& file) { return PathExists(ResolveInModuleFolder(file)); });
    UseCatalogueFile(catalogueFile);
    QTranslator toolkitTexts;
    if (catalogueFile != kConfigFileName &&
        toolkitTexts.load(
            QStringLiteral("qtbase_") + QString::fromStdString(MessageLanguage(locale)),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&toolkitTexts);

    int result = 1;
    CMessageTable catalogue;
    if (!ConfigFileExists() || !LoadMessageCatalogue(catalogue)) {
        // A launcher that shows nothing would leave the operator guessing why.
        std::string folder;
        GetModuleFolder(folder);
        std::fprintf(stderr, "%s: %s is missing in %s\n", name.c_str(), kConfigFileName,
                     folder.c_str());
    } else if (MaintenanceFileExists()) {
        result = RunDirectCommandDialog(catalogue, instance);
    } else {
        result = RunMainDialog(catalogue, instance);
    }

    LogEvent(name + " end.");
    CloseLog();
    return result;
}
