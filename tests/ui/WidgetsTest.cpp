// The small widgets: lamp timing and the traffic lamp set, the caption font at its edges, and
// typing and pasting into the numeric edit (text wrapping and the numeric text rules: ui.cases).
#include <QClipboard>
#include <QtTest>

#include "ui/LampControl.h"
#include "ui/NumericEdit.h"
#include "ui/NumericText.h"
#include "ui/SkinLabel.h"
#include "ui/TrafficLamps.h"

class WidgetsTest : public QObject {
    Q_OBJECT
  private slots:
    void litLampGoesDarkAfterItsDuration() {
        qint64 now = 1000;
        CLampControl lamp;
        lamp.SetClock([&now] { return now; });
        lamp.SetAutoOff(true);
        lamp.SetOnDuration(100);
        lamp.SetStateTexts("sending", "off");  // what a screen reader hears
        lamp.Light();
        QVERIFY(lamp.IsLit());
        QCOMPARE(lamp.accessibleDescription(), QStringLiteral("sending"));
        now += 99;
        QVERIFY(QMetaObject::invokeMethod(&lamp, "CheckAutoOff"));
        QVERIFY(lamp.IsLit());
        now += 1;
        QVERIFY(QMetaObject::invokeMethod(&lamp, "CheckAutoOff"));  // the timer firing
        QVERIFY(!lamp.IsLit());
        QCOMPARE(lamp.accessibleDescription(), QStringLiteral("off"));
    }

    void aDestroyedLampSilencesTheSet() {
        CLampControl tx, rx;
        CTrafficLamps lamps;
        auto* err = new CLampControl;
        lamps.Register(CTrafficLamps::kTx, &tx);
        lamps.Register(CTrafficLamps::kRx, &rx);
        lamps.Register(CTrafficLamps::kErr, err);
        delete err;
        lamps.Signal(0);
        QVERIFY(!tx.IsLit());
    }

    // A screen without a resolution; a caption too long for its tile at the smallest font,
    // which is cut with "…", not clipped, also while hidden.
    void captionFontAtItsEdges() {
        QCOMPARE(CaptionFontPoints(32, 192), 12);
        QCOMPARE(CaptionFontPoints(16, 0), 12);
        CSkinLabel label;
        label.SetWrap(true);
        label.SetShrinkToFit(true);
        label.SetText("Download to unit");
        label.resize(40, 12);
        QCOMPARE(label.Lines().size(), std::size_t(1));
        const QString line = QString::fromStdString(label.Lines()[0]);
        QVERIFY2(line.startsWith("Do") && line.endsWith(u'…'), qPrintable(line));
        QVERIFY(QFontMetrics(label.TextFont()).horizontalAdvance(line) <= 40);
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

QTEST_MAIN(WidgetsTest)
#include "WidgetsTest.moc"
