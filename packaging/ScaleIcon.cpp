// Scales the program icon to the sizes of the desktop's icon theme.
// Usage: vexa_icon_sizes ICON.png THEME_FOLDER NAME SIZE...
// writes THEME_FOLDER/<SIZE>x<SIZE>/apps/NAME.png for every size.
#include <QDir>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: vexa_icon_sizes ICON.png THEME_FOLDER NAME SIZE...\n");
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]));
    if (icon.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir theme(QString::fromLocal8Bit(argv[2]));
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = theme.filePath(folder + "/" + name + ".png");
        if (size <= 0 || !theme.mkpath(folder) ||
            !icon.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                 .save(path, "PNG")) {
            std::fprintf(stderr, "cannot write the %s icon %s\n", argv[i], qPrintable(path));
            return 1;
        }
    }
    return 0;
}
