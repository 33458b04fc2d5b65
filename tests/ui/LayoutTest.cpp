// Anchors, minimum size, text wrapping and caption labels.
#include <QLabel>
#include <QSizeGrip>
#include <QtTest>

#include "ui/Anchors.h"
#include "ui/ResizableDialog.h"
#include "ui/SkinLabel.h"
#include "ui/TextWrap.h"

namespace {

int CodePoints(const std::string& s) {
    int n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void anchorFlagsMoveAndStretch() {
        QRect r(10, 20, 30, 40);
        QCOMPARE(ApplyAnchor(r, 0, 100, 50), r);
        QCOMPARE(ApplyAnchor(r, kAnchorMoveRight, 100, 50), QRect(110, 20, 30, 40));
        QCOMPARE(ApplyAnchor(r, kAnchorStretchRight, 100, 50), QRect(10, 20, 130, 40));
        QCOMPARE(ApplyAnchor(r, kAnchorMoveDown, 100, 50), QRect(10, 70, 30, 40));
        QCOMPARE(ApplyAnchor(r, kAnchorStretchDown, 100, 50), QRect(10, 20, 30, 90));
        // Stretching wins over moving on the same axis.
        QCOMPARE(ApplyAnchor(r, kAnchorMoveRight | kAnchorStretchRight | kAnchorMoveDown, -5, 7),
                 QRect(10, 27, 25, 40));
        QCOMPARE(ApplyAnchor(r, kAnchorMoveDown | kAnchorStretchDown, 0, 7), QRect(10, 20, 30, 47));
    }

    void dialogMovesAnchoredControlsAndKeepsItsMinimumSize() {
        CResizableDialog dialog;
        dialog.resize(300, 200);
        auto* fixed = new QLabel(&dialog);
        auto* right = new QLabel(&dialog);
        auto* wide = new QLabel(&dialog);
        auto* corner = new QLabel(&dialog);
        fixed->setGeometry(10, 10, 50, 20);
        right->setGeometry(240, 10, 50, 20);
        wide->setGeometry(10, 40, 280, 100);
        corner->setGeometry(240, 170, 50, 20);
        dialog.AddAnchor(right, kAnchorMoveRight);
        dialog.AddAnchor(wide, kAnchorStretchRight | kAnchorStretchDown);
        dialog.AddAnchor(corner, kAnchorMoveRight | kAnchorMoveDown);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.minimumSize(), QSize(300, 200));

        dialog.resize(400, 230);
        QCOMPARE(fixed->geometry(), QRect(10, 10, 50, 20));
        QCOMPARE(right->geometry(), QRect(340, 10, 50, 20));
        QCOMPARE(wide->geometry(), QRect(10, 40, 380, 130));
        QCOMPARE(corner->geometry(), QRect(340, 200, 50, 20));

        // Back and smaller than the start: the minimum stops it at the initial size.
        dialog.resize(100, 100);
        QCOMPARE(dialog.size(), QSize(300, 200));
        QCOMPARE(right->geometry(), QRect(240, 10, 50, 20));
        QCOMPARE(wide->geometry(), QRect(10, 40, 280, 100));
        QVERIFY(dialog.findChild<QSizeGrip*>() != nullptr);
    }

    void wrappingBreaksAfterBlanksAndKeepsLineBreaks() {
        auto count = [](const std::string& s) { return int(s.size()); };
        QCOMPARE(WrapText("Read the value", 9, count),
                 (std::vector<std::string>{"Read the", "value"}));
        QCOMPARE(WrapText("one\ntwo words", 20, count),
                 (std::vector<std::string>{"one", "two words"}));
        QCOMPARE(WrapText("Download", 3, count),
                 (std::vector<std::string>{"Dow", "nlo", "ad"}));
        // A character wider than the label still gets its own line instead of a hang.
        QCOMPARE(WrapText("ab", 0, count), (std::vector<std::string>{"a", "b"}));
        QCOMPARE(WrapText("", 10, count), (std::vector<std::string>{""}));
    }

    void wrappingNeverSplitsAMultibyteCharacter() {
        // Three-byte characters, two per line by their count.
        std::string text = "\xE6\xB8\xA9\xE5\xBA\xA6\xE8\xA8\xAD\xE5\xAE\x9A\xE5\x80\xA4";
        auto lines = WrapText(text, 2, [](const std::string& s) { return CodePoints(s); });
        QCOMPARE(int(lines.size()), 3);
        for (const std::string& line : lines) QCOMPARE(int(line.size()) % 3, 0);
        std::string joined;
        for (const std::string& line : lines) joined += line;
        QCOMPARE(joined, text);
        // A truncated sequence at the end is kept, not overrun.
        auto tail = WrapText("ab\xE6\xB8", 1, [](const std::string& s) { return CodePoints(s); });
        QCOMPARE(tail.back(), std::string("\xE6\xB8"));
    }

    void captionFontKeepsTheDialogTextSizeOnAnyScreen() {
        QCOMPARE(CaptionFontPoints(16, 96), 12);
        QCOMPARE(CaptionFontPoints(17, 96), 12);  // integer division
        QCOMPARE(CaptionFontPoints(32, 192), 12);
        QCOMPARE(CaptionFontPoints(16, 0), 12);   // no resolution reported
        QWidget dialog;
        CSkinLabel label(&dialog);
        label.UseCaptionFontOf(dialog);
        const int points = CaptionFontPoints(QFontMetrics(dialog.font()).height(), dialog.logicalDpiY());
        QCOMPARE(label.TextFont().pointSize(), points);
    }

    void labelWrapsToItsWidthAndRewrapsOnResize() {
        CSkinLabel label;
        label.SetFontHeight(12);
        label.resize(1000, 40);
        label.show();
        label.SetWrap(true);
        label.SetText("StopBit Length of the line");
        QCOMPARE(int(label.Lines().size()), 1);
        label.resize(label.fontMetrics().horizontalAdvance("W") * 4, 40);
        QVERIFY(label.Lines().size() > 2);
        label.SetWrap(false);
        QCOMPARE(int(label.Lines().size()), 1);
        QCOMPARE(label.Text(), std::string("StopBit Length of the line"));
    }

    void labelAlignmentMapsToQt() {
        QCOMPARE(ToQtAlignment(kAlignLeft | kAlignTop), Qt::AlignLeft | Qt::AlignTop);
        QCOMPARE(ToQtAlignment(kAlignCentre | kAlignBottom), Qt::AlignHCenter | Qt::AlignBottom);
        QCOMPARE(ToQtAlignment(kAlignRight | kAlignMiddle), Qt::AlignRight | Qt::AlignVCenter);
    }

    void disabledLabelDrawsEmbossedText() {
        CSkinLabel label;
        label.resize(80, 30);
        label.SetText("Read");
        label.setEnabled(false);
        QImage image = label.grab().toImage();
        QColor light = label.palette().color(QPalette::Light);
        bool foundLight = false;
        for (int y = 0; y < image.height() && !foundLight; ++y)
            for (int x = 0; x < image.width() && !foundLight; ++x)
                foundLight = image.pixelColor(x, y) == light;
        QVERIFY(foundLight);
    }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
