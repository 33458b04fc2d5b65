// Bitmap buttons, arrow buttons and the colour button.
#include <QSignalSpy>
#include <QtTest>

#include "ui/ArrowButton.h"
#include "ui/ColourButton.h"
#include "ui/ImageButton.h"

namespace {

QString Face(const char* name) {
    return QCoreApplication::applicationDirPath() + "/" + QString::fromLatin1(name);
}

QColor Centre(QWidget& w) { return w.grab().toImage().pixelColor(w.width() / 2, w.height() / 2); }

}  // namespace

class ButtonsTest : public QObject {
    Q_OBJECT
private slots:
    void faceSelectionFollowsStateAndAvailableFaces() {
        // enabled, alternate, hasNormal, hasDisabled, hasAlternate
        QCOMPARE(SelectFace(true, false, true, true, true), ButtonFace::Normal);
        QCOMPARE(SelectFace(true, true, true, true, true), ButtonFace::Alternate);
        QCOMPARE(SelectFace(true, true, true, true, false), ButtonFace::Normal);
        QCOMPARE(SelectFace(false, true, true, true, true), ButtonFace::Disabled);
        QCOMPARE(SelectFace(false, false, true, false, false), ButtonFace::GreyedNormal);
        QCOMPARE(SelectFace(false, false, false, false, false), ButtonFace::None);
        QCOMPARE(SelectFace(true, false, false, true, true), ButtonFace::None);
    }

    void everyClickFlipsTheAlternateFlag() {
        CImageButton button;
        button.SetFaces(Face("Connect.bmp"), Face("Disable.bmp"), Face("Disconnect.bmp"));
        button.resize(60, 60);
        button.show();
        QSignalSpy clicks(&button, &QAbstractButton::clicked);
        QCOMPARE(button.CurrentFace(), ButtonFace::Normal);
        QTest::mouseClick(&button, Qt::LeftButton);
        QVERIFY(button.Alternate());
        QCOMPARE(button.CurrentFace(), ButtonFace::Alternate);
        QTest::keyClick(&button, Qt::Key_Space);
        QVERIFY(!button.Alternate());
        QCOMPARE(clicks.count(), 2);
        button.SetAlternate(true);
        QCOMPARE(clicks.count(), 2);
        button.setEnabled(false);
        QCOMPARE(button.CurrentFace(), ButtonFace::Disabled);
    }

    void releaseOutsideTheButtonDoesNotClick() {
        CImageButton button;
        button.resize(60, 60);
        button.show();
        QSignalSpy clicks(&button, &QAbstractButton::clicked);
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(30, 30));
        QVERIFY(button.isDown());
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(90, 90));
        QCOMPARE(clicks.count(), 0);
        QVERIFY(!button.Alternate());
        QVERIFY(!button.isDown());
    }

    void missingFaceLeavesAWorkingBlankButton() {
        CImageButton button;
        button.SetFaces(Face("NoSuchFace.bmp"), Face("AlsoMissing.bmp"));
        button.resize(60, 60);
        button.show();
        QCOMPARE(button.CurrentFace(), ButtonFace::None);
        QSignalSpy clicks(&button, &QAbstractButton::clicked);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(!button.grab().isNull());
    }

    void faceIsScaledToTheButtonLessThreePixels() {
        CImageButton button;
        button.SetFaces(Face("OK.bmp"));
        button.resize(40, 30);
        button.show();
        // Just inside the top edge lies the face's green tile, not the frame.
        auto tile = [&] { return button.grab().toImage().pixelColor(20, 6); };
        QVERIFY(tile().green() > tile().red() + 40);
        // Disabled without a disabled face: the normal face greyed, not blank.
        button.setEnabled(false);
        QColor grey = tile();
        QVERIFY(qAbs(grey.red() - grey.green()) < 20);
        QVERIFY(grey != button.palette().color(QPalette::Button));
    }

    void arrowOutlinesStartAtTheOrigin() {
        QCOMPARE(ArrowOutline(ArrowKind::Down).boundingRect(), QRect(0, 0, 42, 42));
        QPolygon up = ArrowOutline(ArrowKind::Up);
        QCOMPARE(up.boundingRect().topLeft(), QPoint(0, 0));
        QCOMPARE(up[0], QPoint(20, 0));  // (18,0) moved by the -2 of its leftmost point
    }

    void arrowClicksOnlyInsideItsShape() {
        for (ArrowKind kind : {ArrowKind::Up, ArrowKind::Down}) {
            CArrowButton arrow(kind);
            arrow.show();
            QSignalSpy clicks(&arrow, &QAbstractButton::clicked);
            // The corners of the bounding box lie outside both arrows.
            QTest::mouseClick(&arrow, Qt::LeftButton, {}, QPoint(2, 2));
            QTest::mouseClick(&arrow, Qt::LeftButton, {}, QPoint(arrow.width() - 2, 2));
            QCOMPARE(clicks.count(), 0);
            QTest::mouseClick(&arrow, Qt::LeftButton, {}, QPoint(21, 20));
            QCOMPARE(clicks.count(), 1);
        }
    }

    void arrowLightsWhileThePointerIsOverItsShape() {
        CArrowButton arrow(ArrowKind::Down);
        arrow.show();
        QColor normal = Centre(arrow);
        QTest::mouseMove(&arrow, QPoint(21, 20));
        QVERIFY(arrow.IsHot());
        QCOMPARE(Centre(arrow), QColor(255, 0, 0));
        QTest::mouseMove(&arrow, QPoint(2, 2));
        QVERIFY(!arrow.IsHot());
        QCOMPARE(normal, QColor(250, 207, 194));
        arrow.setEnabled(false);
        QCOMPARE(Centre(arrow), arrow.palette().color(QPalette::Button));
    }

    void colourButtonShowsItsColour() {
        CColourButton toggle;
        toggle.resize(12, 12);
        toggle.SetColour(QColor(255, 64, 64));
        QCOMPARE(Centre(toggle), QColor(255, 64, 64));
        QSignalSpy clicks(&toggle, &QAbstractButton::clicked);
        toggle.show();
        QTest::mouseClick(&toggle, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
    }
};

QTEST_MAIN(ButtonsTest)
#include "ButtonsTest.moc"
