#include "ui/MainDialogRun.h"

#include "ops/DeviceSession.h"
#include "ui/MainDialog.h"
#include "ui/RememberedSettings.h"

void RunMainDialog(CMainDialog& dialog) {
    SRemembered remembered;
    LoadRemembered(RememberedSettingsPath(), remembered);
    dialog.ApplySettings(remembered.settings, remembered.unit);
    dialog.exec();
    SaveRemembered(RememberedSettingsPath(),
                   {dialog.Session().Settings(), dialog.Session().UnitNumber()});
}
