#include "ui/MainDialogRun.h"

#include "ops/DeviceSession.h"
#include "serial/PortList.h"
#include "ui/MainDialog.h"
#include "ui/RememberedSettings.h"

namespace {

// The port a first start offers: the first this machine has, else none.
std::string FirstPortName() {
    CPortList ports;
    std::string name, description;
    if (!ports.Enumerate() || !ports.GetEntry(0, name, description)) return {};
    return name;
}

}  // namespace

void RunMainDialog(CMainDialog& dialog) {
    SRemembered remembered;
    remembered.settings.portName = FirstPortName();
    LoadRemembered(RememberedSettingsPath(), remembered);
    dialog.ApplySettings(remembered.settings, remembered.unit);
    // restoreGeometry() keeps a window that no longer fits the screens on them.
    if (!remembered.windowGeometry.isEmpty()) dialog.restoreGeometry(remembered.windowGeometry);
    // The maximised state is kept on its own, so that the window comes back maximised
    // whatever the saved geometry holds.
    if (remembered.maximised) dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.OperatorUi().SetFileFolder(remembered.fileFolder);
    dialog.exec();
    SaveRemembered(RememberedSettingsPath(),
                   {dialog.Session().Settings(), dialog.Session().UnitNumber(),
                    dialog.saveGeometry(), dialog.isMaximized(), dialog.OperatorUi().FileFolder()});
}
