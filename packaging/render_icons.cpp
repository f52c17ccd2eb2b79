// Draws the program's icon into an icon theme folder at the theme's usual sizes, so that the
// desktop's menu shows the same icon as the program's windows; or the toolbar's images into the
// one strip the main window takes them from.
// Usage: doxa-render-icons OUTPUT_FOLDER   (writes OUTPUT_FOLDER/hicolor/NxN/apps/doxa-win.png)
//        doxa-render-icons --toolbar FILE.png

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <string_view>

#include "app/toolbar_images.h"

int main(int argc, char** argv) {
    const bool toolbar = argc == 3 && std::string_view(argv[1]) == "--toolbar";
    if (argc != 2 && !toolbar) {
        std::fprintf(stderr, "Usage: doxa-render-icons OUTPUT_FOLDER | --toolbar FILE.png\n");
        return 2;
    }
    // Drawing text needs a GUI application; the build machine need not have a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (toolbar) {
        if (doxa::paintedToolbarStrip().save(QString::fromLocal8Bit(argv[2]), "PNG")) return 0;
        std::fprintf(stderr, "doxa-render-icons: cannot write %s\n", argv[2]);
        return 1;
    }
    const QString root = QString::fromLocal8Bit(argv[1]) + "/hicolor";
    for (int size : doxa::ApplicationIconSizes) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        const QString file = folder + "/doxa-win.png";
        if (!QDir().mkpath(folder) || !doxa::applicationIconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "doxa-render-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
