#include "ui/RememberedSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

constexpr const char* kGroup = "CommunicationSettings";
constexpr const char* kWindowGroup = "Window";
constexpr int kMaxPortNameLength = 255;
constexpr int kMaxGeometrySize = 4096;
constexpr int kMaxFolderLength = 4096;

// The number under key when it is present and within [low, high].
template <typename T>
void ReadNumber(const QSettings& file, const char* key, long long low, long long high, T& value) {
    bool ok = false;
    const long long read = file.value(key).toLongLong(&ok);
    if (ok && read >= low && read <= high) value = static_cast<T>(read);
}

}  // namespace

QString RememberedSettingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/VEXA/VEXA.ini");
}

void LoadRemembered(const QString& path, SRemembered& into) {
    if (!QFileInfo::exists(path)) return;
    QSettings file(path, QSettings::IniFormat);
    file.beginGroup(kGroup);
    const QString port = file.value("Port").toString();
    if (!port.isEmpty() && port.size() <= kMaxPortNameLength)
        into.settings.SetPortName(port.toStdString());
    CCommSettings& s = into.settings;
    ReadNumber(file, "BaudRate", 50, 4000000, s.baudRate);
    ReadNumber(file, "DataBits", 7, 8, s.dataBits);
    ReadNumber(file, "Parity", CCommSettings::kParityNone, CCommSettings::kParityEven, s.parity);
    ReadNumber(file, "StopBits", 1, 2, s.stopBits);
    ReadNumber(file, "Unit", 0, 99, into.unit);
    file.endGroup();
    file.beginGroup(kWindowGroup);
    const QByteArray geometry = file.value("Geometry").toByteArray();
    if (geometry.size() <= kMaxGeometrySize) into.windowGeometry = geometry;
    into.maximised = file.value("Maximised", into.maximised).toBool();
    const QString folder = file.value("FileFolder").toString();
    if (folder.size() <= kMaxFolderLength) into.fileFolder = folder;
}

bool SaveRemembered(const QString& path, const SRemembered& what) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings file(path, QSettings::IniFormat);
    file.beginGroup(kGroup);
    file.setValue("Port", QString::fromStdString(what.settings.portName));
    file.setValue("BaudRate", static_cast<qulonglong>(what.settings.baudRate));
    file.setValue("DataBits", what.settings.dataBits);
    file.setValue("Parity", what.settings.parity);
    file.setValue("StopBits", what.settings.stopBits);
    file.setValue("Unit", what.unit);
    file.endGroup();
    file.beginGroup(kWindowGroup);
    file.setValue("Geometry", what.windowGeometry);
    file.setValue("Maximised", what.maximised);
    file.setValue("FileFolder", what.fileFolder);
    file.endGroup();
    file.sync();
    return file.status() == QSettings::NoError;
}
