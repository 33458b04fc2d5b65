// The stop window: consume-once polling, progress, what it names and its keys. A stop press during
// a wait on the line: ProgramRunTest.stopEndsTheOperation.
#include <QCloseEvent>

#include "UiFixture.h"
#include "ui/CancelDialog.h"
#include "ui/CancelProgress.h"

class CancelDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void twoPressesBeforeAPollCancelOnce() {
        UiFolder folder;
        CCancelProgress cancel({"Cancel", "Cancel", "%1 / %2"}, nullptr);
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

    void escapeStopsWhileEnterAndTheTitleBarCloseChangeNothing() {
        UiFolder folder;
        CCancelProgress cancel({"Cancel", "Cancel", "%1 / %2"}, nullptr);
        cancel.SetOperation("Upload from unit 3");
        cancel.Start();
        CCancelDialog* dialog = cancel.Dialog();
        QCOMPARE(dialog->windowTitle(),
                 QStringLiteral("Upload from unit 3 - VEXA Controller Setup"));
        cancel.SetOperation("Asking unit 3 for its model, try 2 of 3");
        QCOMPARE(dialog->Operation(), QStringLiteral("Asking unit 3 for its model, try 2 of 3"));
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(cancel.Poll());
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
};

QTEST_MAIN(CancelDialogTest)
#include "CancelDialogTest.moc"
