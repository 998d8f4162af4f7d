// Draws Horaloom's clock icon into PNG files laid out as in the hicolor icon theme:
//   horaloom_make_icons OUTDIR SIZE...   writes OUTDIR/<SIZE>x<SIZE>/apps/horaloom.png
#include "clockicon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[])
{
    // A build step never needs a display; QPixmap only needs a QGuiApplication.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: horaloom_make_icons OUTDIR SIZE...\n");
        return 2;
    }
    const QDir out(args.at(1));
    for (qsizetype i = 2; i < args.size(); ++i) {
        bool ok = false;
        const int size = args.at(i).toInt(&ok);
        if (!ok || size < 1 || size > 1024) {
            std::fprintf(stderr, "horaloom_make_icons: '%s' is not an icon size\n",
                         qPrintable(args.at(i)));
            return 2;
        }
        const QString dir = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = out.filePath(dir + QStringLiteral("/horaloom.png"));
        // Rendered at a device pixel ratio of 1, so the file has exactly size x size pixels.
        const QImage image = horaloom::clockPixmap(size).toImage();
        if (image.size() != QSize(size, size) || !out.mkpath(dir) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "horaloom_make_icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
