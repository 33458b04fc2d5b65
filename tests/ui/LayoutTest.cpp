// Text wrapping and the caption font at their edges.
#include <QtTest>

#include "ui/SkinLabel.h"
#include "ui/TextWrap.h"

class LayoutTest : public QObject {
    Q_OBJECT
  private slots:
    void wrappingNeverHangsNorSplitsAMultibyteCharacter() {
        auto bytes = [](const std::string& s) { return int(s.size()); };
        auto codePoints = [](const std::string& s) {
            int n = 0;
            for (unsigned char c : s) n += (c & 0xC0) != 0x80;
            return n;
        };
        QCOMPARE(WrapText("Read the value", 9, bytes),
                 (std::vector<std::string>{"Read the", "value"}));
        // A character wider than the label still gets its own line instead of a hang.
        QCOMPARE(WrapText("ab", 0, bytes), (std::vector<std::string>{"a", "b"}));
        // Three-byte characters, two per line by their count.
        std::string text = "\xE6\xB8\xA9\xE5\xBA\xA6\xE8\xA8\xAD\xE5\xAE\x9A\xE5\x80\xA4";
        auto lines = WrapText(text, 2, codePoints);
        QCOMPARE(int(lines.size()), 3);
        std::string joined;
        for (const std::string& line : lines) {
            QCOMPARE(int(line.size()) % 3, 0);
            joined += line;
        }
        QCOMPARE(joined, text);
        // A truncated sequence at the end is kept, not overrun.
        QCOMPARE(WrapText("ab\xE6\xB8", 1, codePoints).back(), std::string("\xE6\xB8"));
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
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
