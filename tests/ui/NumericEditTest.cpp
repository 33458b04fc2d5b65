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
        QVERIFY(!IsAcceptableNumericText("1.5", 0, '.'));
        QVERIFY(!IsAcceptableNumericText("1.5.", kNumericDecimal, '.'));
        QVERIFY(IsAcceptableNumericText("1,5", kNumericDecimal, ','));
        QVERIFY(!IsAcceptableNumericText("--1", kNumericSigned, '.'));
        QVERIFY(!IsAcceptableNumericText("1-", kNumericSigned, '.'));
        QVERIFY(IsAcceptableNumericText("-.5", kNumericSigned | kNumericDecimal, '.'));
        QVERIFY(!IsAcceptableNumericText("1 ", 3, '.'));
        QVERIFY(!IsAcceptableNumericText(std::string("1\0", 2), 3, '.'));
    }

    void typingAndPastingRefuseWhatBreaksTheRule() {
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
        QGuiApplication::clipboard()->setText("12a");
        edit.paste();
        QCOMPARE(edit.text(), QString());
        QGuiApplication::clipboard()->setText("12");
        edit.paste();
        edit.paste();
        QCOMPARE(edit.text(), QString("1212"));
        QGuiApplication::clipboard()->setText(QString(".5") + sep);
        edit.paste();
        QCOMPARE(edit.text(), QString("1212"));
    }
};

QTEST_MAIN(NumericEditTest)
#include "NumericEditTest.moc"
