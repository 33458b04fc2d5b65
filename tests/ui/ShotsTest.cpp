// Renders each dialog (and the set of button faces) to PNG files for review and for the
// README: in the folder named by VEXA_UI_SHOTS, or a temporary one that is removed.
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/AboutDialog.h"
#include "ui/CancelDialog.h"
#include "ui/CancelProgress.h"
#include "ui/SerialSettingsDialog.h"
#include "ui/UnitNumberDialog.h"
#include "UiFixture.h"

class ShotsTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_temporary;
    QDir m_out;

    // Saves the widget's picture and checks that it is not one flat colour.
    void Shoot(QWidget& widget, const QString& name) {
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QImage image = widget.grab().toImage();
        QVERIFY(!image.isNull());
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
        QVERIFY(colours.size() > 8);
        QVERIFY(image.save(m_out.filePath(name + ".png")));
    }

private slots:
    void initTestCase() {
        QString wanted = qEnvironmentVariable("VEXA_UI_SHOTS");
        m_out = QDir(wanted.isEmpty() ? m_temporary.path() : wanted);
        QVERIFY(m_out.mkpath("."));
    }

    void renderEachDialog() {
        UiFolder folder;
        CAboutDialog about(folder.Messages());
        Shoot(about, "about");
        CUnitNumberDialog unit(folder.Messages(), 1);
        Shoot(unit, "unit-number");
        CSerialSettingsDialog settings(folder.Messages(), nullptr, [](CPortList& list) {
            list.Add("/dev/ttyS0", "");
            list.Add("/dev/ttyUSB0", "USB-RS485 Cable - VEXA");
            return true;
        });
        CCommSettings line;
        line.portName = "/dev/ttyUSB0";
        settings.SetInput(line, 1);
        Shoot(settings, "serial-settings");
        CCancelProgress cancel("Cancel", nullptr);
        cancel.Start();
        cancel.SetProgress(12, 48);
        Shoot(*cancel.Dialog(), "cancel");
        cancel.Close();
    }
};

QTEST_MAIN(ShotsTest)
#include "ShotsTest.moc"
