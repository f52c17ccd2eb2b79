#include <QImage>

#include "app/toolbar_images.h"

// Resources of a static library must be pulled in by name, and only from the global namespace.
static void loadToolbarStrip() { Q_INIT_RESOURCE(toolbar_strip); }

namespace doxa {

QPixmap toolbarImage(int slot) {
    static const QImage strip = [] {
        loadToolbarStrip();
        return QImage(QStringLiteral(":/toolbar/toolbar.png"));
    }();
    if (slot < 0 || slot >= ToolbarSlotCount) {
        QPixmap empty(ToolbarImageSize, ToolbarImageSize);
        empty.fill(Qt::transparent);
        return empty;
    }
    return QPixmap::fromImage(
        strip.copy(slot * ToolbarImageSize, 0, ToolbarImageSize, ToolbarImageSize));
}

}  // namespace doxa
