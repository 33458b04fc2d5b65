// The stop window: consume-once polling, progress, keys that do nothing, and a stop press
// during a pumped wait on the line.
#include <QCloseEvent>
#include <QMouseEvent>
#include <QtTest>

#include "UiFixture.h"
#include "protocol/FramePort.h"
#include "support/PtyPair.h"
#include "ui/CancelDialog.h"
#include "ui/CancelProgress.h"
#include "ui/ImageButton.h"

namespace {

void PostClick(QWidget* button) {
    QPointF at = QRectF(button->rect()).center();
    QPointF global = button->mapToGlobal(at);
    QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonPress, at, global,
                                                        Qt::LeftButton, Qt::LeftButton, {}));
    QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                        Qt::LeftButton, Qt::NoButton, {}));
}

}  // namespace

class CancelDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void twoPressesBeforeAPollCancelOnce() {
        UiFolder folder;
        CCancelProgress cancel("Cancel", nullptr);
        QVERIFY(!cancel.Poll());  // no window yet: nothing to press
        cancel.SetProgress(1, 2);
        cancel.Start();
        QVERIFY(cancel.Dialog() != nullptr);
        QVERIFY(!cancel.Poll());
        CImageButton* stop = cancel.Dialog()->StopButton();
        QCOMPARE(stop->CurrentFace(), ButtonFace::Normal);
        QTest::mouseClick(stop, Qt::LeftButton);
        QTest::mouseClick(stop, Qt::LeftButton);
        QVERIFY(cancel.Poll());
        QVERIFY(!cancel.Poll());
        QTest::mouseClick(stop, Qt::LeftButton);
        QVERIFY(cancel.Poll());
        cancel.SetProgress(12, 48);
        QCOMPARE(cancel.Dialog()->ProgressText(), QString("12 / 48"));
        cancel.SetProgress(0, 0);
        QCOMPARE(cancel.Dialog()->ProgressText(), QString());
        cancel.Close();
        QVERIFY(cancel.Dialog() == nullptr);
        QVERIFY(!cancel.Poll());
    }

    void enterEscapeAndTheTitleBarCloseChangeNothing() {
        CCancelProgress cancel("Cancel", nullptr);
        cancel.Start();
        CCancelDialog* dialog = cancel.Dialog();
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTest::keyClick(dialog, Qt::Key_Return);
        QTest::keyClick(dialog->StopButton(), Qt::Key_Enter);
        QCloseEvent close;
        QCoreApplication::sendEvent(dialog, &close);
        QVERIFY(!close.isAccepted());
        dialog->reject();
        dialog->accept();
        QVERIFY(!cancel.Poll());
        QVERIFY(dialog->isVisible());
        // The space key is a press like a click.
        QTest::keyClick(dialog->StopButton(), Qt::Key_Space);
        QVERIFY(cancel.Poll());
        cancel.Close();
    }

    void stopWorksWhileTheLineWaitsForItsTimeOut() {
        UiFolder folder;
        PtyPair line;
        CFramePort port;
        QVERIFY(port.SetSettings(line.SlavePath(), 38400, 8, 1, 0));
        QVERIFY(port.Open());
        int pumps = 0;
        port.SetPumpHook([&] {
            ++pumps;
            QCoreApplication::processEvents();
        });
        CCancelProgress cancel("Cancel", nullptr);
        cancel.Start();
        PostClick(cancel.Dialog()->StopButton());
        // The controller stays silent: the wait ends by its time-out, pumping events.
        std::string frame;
        QVERIFY(!port.ReceiveFrame(&frame, 150));
        QVERIFY(pumps > 0);
        QVERIFY(cancel.Dialog()->StopButton()->Alternate());  // the press was handled
        QVERIFY(cancel.Poll());
        cancel.Close();
    }
};

QTEST_MAIN(CancelDialogTest)
#include "CancelDialogTest.moc"
