// Draws the program's icon into an icon theme folder at the theme's usual sizes, so that the
// desktop's menu shows the same icon as the program's windows.
// Usage: doxa-render-icons OUTPUT_FOLDER   (writes OUTPUT_FOLDER/hicolor/NxN/apps/doxa-win.png)

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "app/toolbar_images.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: doxa-render-icons OUTPUT_FOLDER\n");
        return 2;
    }
    // Drawing text needs a GUI application; the build machine need not have a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
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
