#pragma once

#include <QByteArray>
#include <QString>

#include "serial/CommSettings.h"

// The line settings and unit number that the desktop program keeps between runs.
struct SRemembered {
    CCommSettings settings;
    int unit = 1;
    QByteArray windowGeometry;  // as QWidget::saveGeometry() gives it; empty: none yet
    bool maximised = false;     // the window was maximised; windowGeometry is its normal place
    QString fileFolder;         // where the file dialogs were used last; empty: none yet
};

// "VEXA/VEXA.ini" in the user's configuration folder.
QString RememberedSettingsPath();

// Reads what the file holds over `into`; a missing file or a value out of range leaves that
// value as it was, so a damaged file never gives the port settings it cannot take.
void LoadRemembered(const QString& path, SRemembered& into);
// False when the file could not be written.
bool SaveRemembered(const QString& path, const SRemembered& what);
