// Draws VEXA's button faces as 24-bit BMP files: a rounded tile in the colour of the
// button's group with a white symbol; a disabled face is the same symbol on a grey tile.
// It also draws the program's icon (ui/VEXA.png): a controller front on a transparent ground.
// Usage: vexa_faces FACES_FOLDER ICON.png [PREVIEW.png]
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kSize = 64;
const QColor kBackground(240, 240, 240);
const QColor kGlyph(255, 255, 255);
const QColor kDisabledTile(196, 196, 196);
const QColor kDisabledGlyph(238, 238, 238);

// Group colours: link (blue), transfer (teal), files (amber), leave (red), info (slate).
const QColor kLink(47, 111, 181);
const QColor kTransfer(28, 134, 120);
const QColor kFiles(214, 128, 38);
const QColor kLeave(176, 58, 46);
const QColor kStop(211, 47, 47);
const QColor kAccept(46, 125, 50);
const QColor kInfo(84, 110, 122);

using Glyph = std::function<void(QPainter&)>;

QPen Stroke(const QColor& c, double width = 5.0) {
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Arrow(QPainter& p, QPointF from, QPointF to, double head = 9.0) {
    p.drawLine(from, to);
    QLineF line(to, from);
    QLineF a = line, b = line;
    a.setLength(head);
    b.setLength(head);
    a.setAngle(line.angle() + 40);
    b.setAngle(line.angle() - 40);
    p.drawLine(a);
    p.drawLine(b);
}

// A controller front: a box with a display window.
void Controller(QPainter& p, QRectF box) {
    p.drawRoundedRect(box, 3, 3);
    QRectF display(box.left() + 6, box.top() + 5, box.width() - 12, box.height() / 2 - 4);
    p.fillRect(display, p.pen().color());
}

void Plug(QPainter& p, double x, bool facingRight) {
    // Body with a cable on one side and two prongs on the other.
    double dir = facingRight ? 1 : -1;
    QRectF body(facingRight ? x - 12 : x, 22, 12, 20);
    p.setBrush(p.pen().color());
    p.drawRoundedRect(body, 2, 2);
    p.setBrush(Qt::NoBrush);
    double tip = facingRight ? x : x;
    p.drawLine(QPointF(tip, 27), QPointF(tip + dir * 7, 27));
    p.drawLine(QPointF(tip, 37), QPointF(tip + dir * 7, 37));
    double back = facingRight ? x - 12 : x + 12;
    p.drawLine(QPointF(back, 32), QPointF(back - dir * 10, 32));
}

const std::vector<std::pair<const char*, Glyph>>& Glyphs() {
    static const std::vector<std::pair<const char*, Glyph>> glyphs = {
        {"Exit",
         [](QPainter& p) {
             p.drawPolyline(
                 QPolygonF({QPointF(36, 16), QPointF(18, 16), QPointF(18, 48), QPointF(36, 48)}));
             Arrow(p, QPointF(28, 32), QPointF(50, 32));
         }},
        {"ComSet",
         [](QPainter& p) {
             // A nine-pin serial connector.
             QPolygonF shell({QPointF(12, 20), QPointF(52, 20), QPointF(46, 44), QPointF(18, 44)});
             p.drawPolygon(shell);
             p.setBrush(p.pen().color());
             p.setPen(Qt::NoPen);
             for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(20 + i * 6, 27), 2.4, 2.4);
             for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(23 + i * 6, 37), 2.4, 2.4);
         }},
        {"Connect",
         [](QPainter& p) {
             Plug(p, 32, true);
             p.drawRoundedRect(QRectF(32, 22, 12, 20), 2, 2);
             p.drawLine(QPointF(44, 32), QPointF(54, 32));
         }},
        {"Disconnect",
         [](QPainter& p) {
             Plug(p, 24, true);
             p.drawRoundedRect(QRectF(40, 22, 12, 20), 2, 2);
             p.drawLine(QPointF(52, 32), QPointF(58, 32));
             p.drawLine(QPointF(33, 14), QPointF(31, 20));
             p.drawLine(QPointF(33, 50), QPointF(31, 44));
         }},
        {"About",
         [](QPainter& p) {
             p.drawEllipse(QPointF(32, 32), 19, 19);
             p.setBrush(p.pen().color());
             p.drawEllipse(QPointF(32, 22), 2.5, 2.5);
             p.setBrush(Qt::NoBrush);
             p.drawLine(QPointF(32, 30), QPointF(32, 43));
         }},
        {"Export",
         [](QPainter& p) {
             // A table sheet with an arrow leaving it.
             p.setPen(Stroke(p.pen().color(), 4));
             p.drawRect(QRectF(12, 14, 26, 36));
             p.setPen(Stroke(p.pen().color(), 2.5));
             for (int y : {23, 32, 41}) p.drawLine(QPointF(12, y), QPointF(38, y));
             p.drawLine(QPointF(24, 14), QPointF(24, 50));
             p.setPen(Stroke(p.pen().color(), 5));
             Arrow(p, QPointF(34, 32), QPointF(54, 32), 8);
         }},
        {"Save",
         [](QPainter& p) {
             QPolygonF disk({QPointF(14, 14), QPointF(44, 14), QPointF(50, 20), QPointF(50, 50),
                             QPointF(14, 50)});
             p.drawPolygon(disk);
             p.drawRect(QRectF(22, 14, 18, 10));
             p.drawRect(QRectF(21, 34, 22, 16));
         }},
        {"Open",
         [](QPainter& p) {
             QPolygonF back({QPointF(12, 48), QPointF(12, 16), QPointF(26, 16), QPointF(30, 21),
                             QPointF(46, 21), QPointF(46, 28)});
             p.drawPolyline(back);
             QPolygonF front({QPointF(12, 48), QPointF(20, 28), QPointF(54, 28), QPointF(46, 48)});
             p.drawPolygon(front);
         }},
        {"Download",
         [](QPainter& p) {
             Controller(p, QRectF(14, 36, 36, 16));
             Arrow(p, QPointF(32, 9), QPointF(32, 30), 8);
         }},
        {"Upload",
         [](QPainter& p) {
             Controller(p, QRectF(14, 36, 36, 16));
             Arrow(p, QPointF(32, 30), QPointF(32, 9), 8);
         }},
        {"Verify",
         [](QPainter& p) {
             p.drawEllipse(QPointF(28, 28), 14, 14);
             p.drawLine(QPointF(38, 38), QPointF(51, 51));
             p.setPen(Stroke(p.pen().color(), 4));
             p.drawPolyline(QPolygonF({QPointF(21, 28), QPointF(26, 33), QPointF(35, 22)}));
         }},
        {"stop",
         [](QPainter& p) {
             p.setBrush(p.pen().color());
             p.drawRoundedRect(QRectF(19, 19, 26, 26), 3, 3);
         }},
        {"OK",
         [](QPainter& p) {
             p.setPen(Stroke(p.pen().color(), 7));
             p.drawPolyline(QPolygonF({QPointF(15, 33), QPointF(27, 45), QPointF(49, 19)}));
         }},
        {"Send",
         [](QPainter& p) {
             QPolygonF plane({QPointF(12, 18), QPointF(52, 32), QPointF(12, 46), QPointF(19, 32)});
             p.drawPolygon(plane);
             p.drawLine(QPointF(19, 32), QPointF(36, 32));
         }},
        {"Disable", [](QPainter&) {}},
    };
    return glyphs;
}

QColor TileColour(const QString& name) {
    if (name == "ComSet" || name == "Connect" || name == "Disconnect" || name == "Send")
        return kLink;
    if (name == "Download" || name == "Upload" || name == "Verify") return kTransfer;
    if (name == "Export" || name == "Save" || name == "Open") return kFiles;
    if (name == "Exit") return kLeave;
    if (name == "stop") return kStop;
    if (name == "OK") return kAccept;
    if (name == "Disable") return kDisabledTile;
    return kInfo;
}

QImage DrawFace(const Glyph& glyph, const QColor& tile, const QColor& ink, bool disabled,
                const QColor& ground = kBackground) {
    QImage image(kSize, kSize,
                 ground.alpha() == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    image.fill(ground);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF box(2, 2, kSize - 4, kSize - 4);
    QLinearGradient shade(box.topLeft(), box.bottomLeft());
    shade.setColorAt(0, tile.lighter(disabled ? 108 : 125));
    shade.setColorAt(1, tile.darker(disabled ? 104 : 115));
    p.setPen(QPen(tile.darker(disabled ? 115 : 140), 1.5));
    p.setBrush(shade);
    p.drawRoundedRect(box, 11, 11);
    p.setBrush(Qt::NoBrush);
    if (!disabled) {
        // A soft shadow under the symbol makes it stand off the tile.
        p.save();
        p.translate(1.2, 1.6);
        p.setPen(Stroke(tile.darker(170)));
        glyph(p);
        p.restore();
    }
    p.setPen(Stroke(ink));
    glyph(p);
    return image;
}

// The program icon: a controller with its reading and a set-point bar.
void ProgramIcon(QPainter& p) {
    Controller(p, QRectF(14, 12, 36, 40));
    p.drawLine(QPointF(22, 42), QPointF(42, 42));
}

bool Save(const QImage& image, const QString& path, const char* format = "BMP") {
    if (image.save(path, format)) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: vexa_faces FACES_FOLDER ICON.png [PREVIEW.png]\n");
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    // Buttons that have a greyed face of their own, and that face's file name.
    const std::vector<std::pair<QString, QString>> disabledNames = {
        {"ComSet", "DisComset"}, {"Export", "DisExport"},     {"Save", "DisSave"},
        {"Open", "DisOpen"},     {"Download", "DisDownload"}, {"Upload", "DisUpload"},
        {"Verify", "DisVerify"}};
    std::vector<std::pair<QImage, QImage>> preview;
    bool ok = true;
    for (const auto& [name, glyph] : Glyphs()) {
        QString face = QString::fromLatin1(name);
        bool isDisable = face == "Disable";
        QImage normal =
            DrawFace(glyph, TileColour(face), isDisable ? kDisabledGlyph : kGlyph, isDisable);
        ok &= Save(normal, out.filePath(face + ".bmp"));
        QImage greyed;
        for (const auto& [button, file] : disabledNames) {
            if (button != face) continue;
            greyed = DrawFace(glyph, kDisabledTile, kDisabledGlyph, true);
            ok &= Save(greyed, out.filePath(file + ".bmp"));
        }
        preview.emplace_back(normal, greyed);
    }
    ok &= Save(DrawFace(ProgramIcon, kLink, kGlyph, false, Qt::transparent),
               QString::fromLocal8Bit(argv[2]), "PNG");
    if (argc > 3) {
        // All faces in one picture: normal faces on the top row, greyed ones below.
        QImage sheet(int(preview.size()) * (kSize + 8) + 8, 2 * (kSize + 8) + 8,
                     QImage::Format_RGB32);
        sheet.fill(kBackground);
        QPainter p(&sheet);
        for (std::size_t i = 0; i < preview.size(); ++i) {
            int x = 8 + int(i) * (kSize + 8);
            p.drawImage(x, 8, preview[i].first);
            if (!preview[i].second.isNull()) p.drawImage(x, 16 + kSize, preview[i].second);
        }
        p.end();
        ok &= sheet.save(QString::fromLocal8Bit(argv[3]));
    }
    return ok ? 0 : 1;
}
