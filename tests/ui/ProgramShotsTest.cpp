// Pictures of the desktop program at work for the README: the main dialog in both views
// against a simulated HD40 (the clone view under a light and a dark palette, and in German), the
// maintenance dialog and the serial settings dialog, with VEXA's own data files.  Saved in the
// folder named by VEXA_UI_SHOTS, or a temporary one.
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>

#include "UiFixture.h"
#include "app/ConfigFiles.h"
#include "sim/MemoryResponder.h"
#include "sim/SimBus.h"
#include "sim/SimProfile.h"
#include "support/LogCapture.h"
#include "ui/ArrowButton.h"
#include "ui/DirectCommandDialog.h"
#include "ui/LampControl.h"
#include "ui/NumericEdit.h"
#include "ui/SerialSettingsDialog.h"
#include "ui/SidePanelList.h"
#include "ui/SkinLabel.h"

namespace {

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

}  // namespace

class ProgramShotsTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir m_temporary;
    QDir m_out;
    CMessageTable m_catalogue;
    LogCapture m_log;  // the build folder's log stays untouched
    SimBus m_sim;

    void Save(const QImage& image, const QString& name) {
        QVERIFY(!image.isNull());
        QVERIFY(image.save(m_out.filePath(name + ".png")));
    }
    CCommSettings Line() const { return {.portName = m_sim.SlavePath()}; }
    // Shown, linked in the clone view and uploaded.
    void ShowUploadedCloneView(CMainDialog& dialog) {
        dialog.ApplySettings(Line(), 1);
        dialog.move(320, 40);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.CloneRadio(), Qt::LeftButton);
        QTest::mouseClick(dialog.ButtonAt(CMainDialog::kConnect), Qt::LeftButton);
        QTest::mouseClick(dialog.ButtonAt(CMainDialog::kUpload), Qt::LeftButton);
        QVERIFY(dialog.Session().ValuesPresent());
    }

  private slots:
    void initTestCase() {
        const QString wanted = qEnvironmentVariable("VEXA_UI_SHOTS");
        m_out = QDir(wanted.isEmpty() ? m_temporary.path() : wanted);
        QVERIFY(m_out.mkpath("."));
        QVERIFY(LoadMessageCatalogue(m_catalogue));
        SimProfile profile;
        std::string error;
        QVERIFY2(LoadSimProfile("HD40.sim", profile, error), error.c_str());
        auto memory = std::make_shared<MemoryModel>();
        QVERIFY2(memory->Load(profile, error), error.c_str());
        m_sim.SetResponder(1, std::make_shared<MemoryResponder>(memory, profile));
        QVERIFY(m_sim.Start());
    }

    void mainDialogInBothViews() {
        CMainDialog dialog(m_catalogue);
        dialog.ApplySettings(Line(), 1);
        dialog.move(320, 40);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        QTest::mouseClick(dialog.ButtonAt(CMainDialog::kConnect), Qt::LeftButton);
        QVERIFY(dialog.Session().IsConnected());
        const QPoint down = ArrowOutline(ArrowKind::Down).boundingRect().center();
        QTest::mouseClick(dialog.DownArrow(), Qt::LeftButton, {}, down);
        dialog.ValueEntry()->setFocus();
        QTest::keyClicks(dialog.ValueEntry(), "180.5");
        Save(dialog.grab().toImage(), "main-setting-view");

        QTest::mouseClick(dialog.CloneRadio(), Qt::LeftButton);
        QTest::mouseClick(dialog.ButtonAt(CMainDialog::kUpload), Qt::LeftButton);
        QVERIFY(dialog.Session().ValuesPresent());
        if (!dialog.SidePanelShown()) dialog.ToggleSidePanel();
        QTRY_VERIFY_WITH_TIMEOUT(dialog.SidePanelShown(), 5000);
        Save(Compose({dialog.SidePanelRows()->window(), &dialog}), "main-clone-view");
        QTest::mouseClick(dialog.ButtonAt(CMainDialog::kConnect), Qt::LeftButton);
    }

    // Under a dark palette (as a dark desktop theme gives Fusion) the captions take the
    // window's colour instead of standing out as grey tiles, and the lamps' captions, the
    // radio markers and the active fields stay readable.
    void mainDialogUnderADarkPalette() {
        const QPalette light = QApplication::palette();
        const QColor face(53, 53, 53);
        QApplication::setPalette(QPalette(face));
        CMainDialog dialog(m_catalogue);
        ShowUploadedCloneView(dialog);
        if (!dialog.SidePanelShown()) dialog.ToggleSidePanel();
        QTRY_VERIFY_WITH_TIMEOUT(dialog.SidePanelShown(), 5000);
        dialog.Lamp(0)->SetAutoOff(false);
        dialog.Lamp(0)->Light();
        Save(Compose({dialog.SidePanelRows()->window(), &dialog}), "main-dark");

        QCOMPARE(dialog.CaptionAt(CMainDialog::kUpload)->grab().toImage().pixelColor(0, 0), face);
        auto brightest = [](QWidget* w, const QRect& part) {
            const QImage image = w->grab().toImage();
            int most = 0;
            for (int y = part.top(); y <= part.bottom(); ++y)
                for (int x = part.left(); x <= part.right(); ++x)
                    most = std::max(most, image.pixelColor(x, y).lightness());
            return most;
        };
        CLampControl* rx = dialog.Lamp(1);
        QVERIFY(brightest(rx, {0, 0, rx->width(), rx->height() / 2}) > 200);
        QRadioButton* unticked = dialog.SettingRadio();
        QVERIFY(brightest(unticked, {0, 0, 16, unticked->height()}) > 120);
        // The setting view's active fields take the palette's colours; the status line's fixed
        // signal colour keeps dark text.
        QTest::mouseClick(unticked, Qt::LeftButton);
        QTest::mouseClick(dialog.DownArrow(), Qt::LeftButton, {},
                          ArrowOutline(ArrowKind::Down).boundingRect().center());
        const QPalette dark = QApplication::palette();
        QCOMPARE(dialog.CurrentName()->palette().color(QPalette::Text), dark.color(QPalette::Text));
        for (QWidget* field :
             std::initializer_list<QWidget*>{dialog.CurrentName(), dialog.ValueEntry()})
            QCOMPARE(field->palette().color(QPalette::Base), dark.color(QPalette::Base));
        QCOMPARE(dialog.StatusLine()->palette().color(QPalette::Base), QColor(255, 128, 0));
        QCOMPARE(dialog.StatusLine()->palette().color(QPalette::Text), QColor(Qt::black));
        QTest::mouseClick(dialog.ButtonAt(CMainDialog::kConnect), Qt::LeftButton);
        QApplication::setPalette(light);
    }

    // The clone view with the German catalogue, as a German locale chooses it.
    void mainDialogInGerman() {
        UseCatalogueFile("VEXA.de.cap");
        CMessageTable german;
        QVERIFY(LoadMessageCatalogue(german));
        {
            CMainDialog dialog(german);
            ShowUploadedCloneView(dialog);
            Save(dialog.grab().toImage(), "main-german");
            QTest::mouseClick(dialog.ButtonAt(CMainDialog::kConnect), Qt::LeftButton);
        }
        UseCatalogueFile("");
    }

    void maintenanceDialog() {
        CDirectCommandDialog dialog(m_catalogue, MaintenanceSettings{1, 1000}, Line());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.CommandField()->setText("[STX]010000503[ETX]");
        dialog.Send();
        QVERIFY(dialog.ResponseField()->text().contains("HD40"));
        Save(dialog.grab().toImage(), "direct-command");
    }

    void serialSettingsDialog() {
        CSerialSettingsDialog dialog(m_catalogue, nullptr, [](CPortList& list) {
            list.Add("/dev/ttyS0", "");
            list.Add("/dev/ttyUSB0", "USB-RS485 Cable");
            return true;
        });
        dialog.SetInput({.portName = "/dev/ttyUSB0"}, 1);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Save(dialog.grab().toImage(), "serial-settings");
    }
};

QTEST_MAIN(ProgramShotsTest)
#include "ProgramShotsTest.moc"
