// Draws the README's pictures of the desktop program at work: the main dialog in both views
// against a simulated HD40 (the clone view under a light and a dark palette, and in German), the
// maintenance dialog and the serial settings dialog, with VEXA's own data files.
// Usage: vexa-shots FOLDER (run from the build's bin folder, beside the data files)
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QRadioButton>
#include <QtTest>
#include <cstdio>
#include <cstdlib>

#include "app/ConfigFiles.h"
#include "ops/DeviceSession.h"
#include "sim/MemoryResponder.h"
#include "sim/SimBus.h"
#include "sim/SimProfile.h"
#include "ui/ArrowButton.h"
#include "ui/DirectCommandDialog.h"
#include "ui/ImageButton.h"
#include "ui/LampControl.h"
#include "ui/MainDialog.h"
#include "ui/NumericEdit.h"
#include "ui/SerialSettingsDialog.h"
#include "ui/SidePanelList.h"

namespace {

// A picture that cannot be drawn as described ends the program: a README picture of the
// wrong state is worse than none.
void Require(bool ok, const std::string& what) {
    if (ok) return;
    std::fprintf(stderr, "vexa-shots: %s\n", what.c_str());
    std::exit(1);
}

// Top-level windows painted where they stand, on one picture.
QImage Compose(const std::vector<QWidget*>& windows) {
    QRect all;
    for (QWidget* w : windows) all |= w->frameGeometry();
    QImage canvas(all.size(), QImage::Format_RGB32);
    canvas.fill(QColor(64, 64, 64));
    QPainter painter(&canvas);
    for (QWidget* w : windows)
        painter.drawPixmap(w->geometry().topLeft() - all.topLeft(), w->grab());
    return canvas;
}

class Shots {
  public:
    explicit Shots(const QString& folder) : m_out(folder) {
        Require(m_out.mkpath("."), "cannot make " + folder.toStdString());
        Require(LoadMessageCatalogue(m_catalogue), "no message catalogue");
        SimProfile profile;
        std::string error;
        Require(LoadSimProfile("HD40.sim", profile, error), error);
        auto memory = std::make_shared<MemoryModel>();
        Require(memory->Load(profile, error), error);
        m_sim.SetResponder(1, std::make_shared<MemoryResponder>(memory, profile));
        Require(m_sim.Start(), "the simulated line does not start");
    }

    void MainDialogInBothViews() {
        CMainDialog dialog(m_catalogue);
        Show(dialog);
        Click(dialog.ButtonAt(CMainDialog::kConnect));
        Require(dialog.Session().IsConnected(), "not linked");
        QTest::mouseClick(dialog.DownArrow(), Qt::LeftButton, {},
                          ArrowOutline(ArrowKind::Down).boundingRect().center());
        dialog.ValueEntry()->setFocus();
        QTest::keyClicks(dialog.ValueEntry(), "180.5");
        Save(dialog.grab().toImage(), "main-setting-view");

        Click(dialog.CloneRadio());
        Upload(dialog);
        OpenSidePanel(dialog);
        Save(Compose({dialog.SidePanelRows()->window(), &dialog}), "main-clone-view");
        Click(dialog.ButtonAt(CMainDialog::kConnect));
    }

    // As a dark desktop theme gives Fusion; the readability checks: ui.MainDialog.
    void MainDialogUnderADarkPalette() {
        const QPalette light = QApplication::palette();
        QApplication::setPalette(QPalette(QColor(53, 53, 53)));
        {
            CMainDialog dialog(m_catalogue);
            ShowUploadedCloneView(dialog);
            OpenSidePanel(dialog);
            dialog.Lamp(0)->SetAutoOff(false);
            dialog.Lamp(0)->Light();
            Save(Compose({dialog.SidePanelRows()->window(), &dialog}), "main-dark");
            Click(dialog.ButtonAt(CMainDialog::kConnect));
        }
        QApplication::setPalette(light);
    }

    // The clone view with the German catalogue, as a German locale chooses it.
    void MainDialogInGerman() {
        UseCatalogueFile("VEXA.de.cap");
        CMessageTable german;
        Require(LoadMessageCatalogue(german), "no German catalogue");
        {
            CMainDialog dialog(german);
            ShowUploadedCloneView(dialog);
            Save(dialog.grab().toImage(), "main-german");
            Click(dialog.ButtonAt(CMainDialog::kConnect));
        }
        UseCatalogueFile("");
    }

    void MaintenanceDialog() {
        CDirectCommandDialog dialog(m_catalogue, MaintenanceSettings{1, 1000}, Line());
        dialog.show();
        Require(QTest::qWaitForWindowExposed(&dialog), "maintenance dialog not shown");
        dialog.CommandField()->setText("[STX]010000503[ETX]");
        dialog.Send();
        Require(dialog.ResponseField()->text().contains("HD40"), "no answer to the model request");
        Save(dialog.grab().toImage(), "direct-command");
    }

    void SerialSettingsDialog() {
        CSerialSettingsDialog dialog(m_catalogue, nullptr, [](CPortList& list) {
            list.Add("/dev/ttyS0", "");
            list.Add("/dev/ttyUSB0", "USB-RS485 Cable");
            return true;
        });
        dialog.SetInput({.portName = "/dev/ttyUSB0"}, 1);
        dialog.show();
        Require(QTest::qWaitForWindowExposed(&dialog), "serial settings dialog not shown");
        Save(dialog.grab().toImage(), "serial-settings");
    }

  private:
    QDir m_out;
    CMessageTable m_catalogue;
    SimBus m_sim;

    CCommSettings Line() const { return {.portName = m_sim.SlavePath()}; }
    static void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
    void Show(CMainDialog& dialog) {
        dialog.ApplySettings(Line(), 1);
        dialog.move(320, 40);
        dialog.show();
        Require(QTest::qWaitForWindowExposed(&dialog), "main dialog not shown");
    }
    static void Upload(CMainDialog& dialog) {
        Click(dialog.ButtonAt(CMainDialog::kUpload));
        Require(dialog.Session().ValuesPresent(), "upload failed");
    }
    // Shown, linked in the clone view and uploaded.
    void ShowUploadedCloneView(CMainDialog& dialog) {
        Show(dialog);
        Click(dialog.CloneRadio());
        Click(dialog.ButtonAt(CMainDialog::kConnect));
        Upload(dialog);
    }
    static void OpenSidePanel(CMainDialog& dialog) {
        if (!dialog.SidePanelShown()) dialog.ToggleSidePanel();
        Require(QTest::qWaitFor([&dialog] { return dialog.SidePanelShown(); }, 5000),
                "side panel not shown");
    }
    void Save(const QImage& image, const QString& name) {
        const QString path = m_out.filePath(name + ".png");
        Require(!image.isNull() && image.save(path), "cannot save " + path.toStdString());
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    Require(argc == 2, "usage: vexa-shots FOLDER");
    Shots shots(QString::fromLocal8Bit(argv[1]));
    shots.MainDialogInBothViews();
    shots.MainDialogUnderADarkPalette();
    shots.MainDialogInGerman();
    shots.MaintenanceDialog();
    shots.SerialSettingsDialog();
    return 0;
}
