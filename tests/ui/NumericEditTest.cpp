// Typing and pasting rules of the numeric edit.
#include <QClipboard>
#include <QtTest>

#include "ui/NumericEdit.h"
#include "ui/NumericText.h"

class NumericEditTest : public QObject {
    Q_OBJECT
private slots:
    void textRules() {
        QVERIFY(IsAcceptableNumericText("", 0, '.'));
        QVERIFY(IsAcceptableNumericText("0123", 0, '.'));
        QVERIFY(!IsAcceptableNumericText("1.5", 0, '.'));
        QVERIFY(IsAcceptableNumericText("1.5", kNumericDecimal, '.'));
        QVERIFY(!IsAcceptableNumericText("1.5.", kNumericDecimal, '.'));
        QVERIFY(!IsAcceptableNumericText("1,5", kNumericDecimal, '.'));
        QVERIFY(IsAcceptableNumericText("1,5", kNumericDecimal, ','));
        QVERIFY(!IsAcceptableNumericText("-1", kNumericDecimal, '.'));
        QVERIFY(IsAcceptableNumericText("-1", kNumericSigned, '.'));
        QVERIFY(IsAcceptableNumericText("-", kNumericSigned, '.'));
        QVERIFY(!IsAcceptableNumericText("1-", kNumericSigned, '.'));
        QVERIFY(!IsAcceptableNumericText("--1", kNumericSigned, '.'));
        QVERIFY(IsAcceptableNumericText("-.5", kNumericSigned | kNumericDecimal, '.'));
        QVERIFY(!IsAcceptableNumericText("1 ", 3, '.'));
        QVERIFY(!IsAcceptableNumericText(std::string("1\0", 2), 3, '.'));
    }

    void typingRefusesWhatBreaksTheRule() {
        CNumericEdit edit(nullptr, kNumericDecimal | kNumericSigned);
        edit.show();
        char sep = edit.DecimalSeparator();
        QTest::keyClicks(&edit, QString("-12") + sep + "5" + sep + "x-7");
        QCOMPARE(edit.text(), QString("-12") + sep + "57");
        // A minus sign only as the very first character.
        edit.setCursorPosition(1);
        QTest::keyClicks(&edit, "-");
        QCOMPARE(edit.text(), QString("-12") + sep + "57");
        edit.clear();
        QTest::keyClicks(&edit, "3-");
        QCOMPARE(edit.text(), QString("3"));
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, "-");
        QCOMPARE(edit.text(), QString("-3"));
    }

    void digitsOnlyEditWithALimit() {
        CNumericEdit edit;
        edit.setMaxLength(2);
        edit.show();
        QTest::keyClicks(&edit, "9-.a99");
        QCOMPARE(edit.text(), QString("99"));
        edit.selectAll();
        QTest::keyClicks(&edit, "7");
        QCOMPARE(edit.text(), QString("7"));
    }

    void pastingFollowsTheSameRule() {
        CNumericEdit edit(nullptr, kNumericDecimal);
        edit.show();
        QGuiApplication::clipboard()->setText("12a");
        edit.paste();
        QCOMPARE(edit.text(), QString());
        QGuiApplication::clipboard()->setText("12");
        edit.paste();
        edit.paste();
        QCOMPARE(edit.text(), QString("1212"));
        QGuiApplication::clipboard()->setText(QString(".5") + edit.DecimalSeparator());
        edit.paste();
        QCOMPARE(edit.text(), QString("1212"));
    }

    void controlKeysOtherThanEditCommandsAreDropped() {
        CNumericEdit edit;
        edit.show();
        QTest::keyClicks(&edit, "1234");
        edit.setCursorPosition(1);
        QTest::keyClick(&edit, Qt::Key_K, Qt::ControlModifier);  // would delete to the end
        QCOMPARE(edit.text(), QString("1234"));
        QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(edit.selectedText(), QString("1234"));
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), QString());
    }

    void enterIsOfferedToTheHook() {
        CNumericEdit edit;
        edit.show();
        int offered = 0;
        bool swallow = true;
        edit.SetEnterHook([&] {
            ++offered;
            return swallow;
        });
        QSignalSpy returns(&edit, &QLineEdit::returnPressed);
        QTest::keyClick(&edit, Qt::Key_Return);
        QCOMPARE(offered, 1);
        QCOMPARE(returns.count(), 0);
        swallow = false;
        QTest::keyClick(&edit, Qt::Key_Enter);
        QCOMPARE(offered, 2);
        QCOMPARE(returns.count(), 1);
    }
};

QTEST_MAIN(NumericEditTest)
#include "NumericEditTest.moc"
