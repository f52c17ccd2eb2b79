// The window icon is drawn only when first asked for; what it then gives must be the drawing at
// the size the desktop asks for, and every size must be offered without drawing any.

#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>

#include "app/toolbar_images.h"

namespace doxa {
namespace {

TEST(ApplicationIcon, GivesTheDrawingAtEverySizeItOffers) {
    const QIcon icon = applicationIcon();
    QList<QSize> offered;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) offered.append(QSize(size, size));
    EXPECT_EQ(icon.availableSizes(), offered);
    for (int size : {16, 48, 256}) {
        const QImage shown = icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(shown, applicationIconImage(size)) << size;
    }
    // Between two sizes the larger drawing is scaled down, as for any icon made of pixmaps.
    EXPECT_EQ(icon.actualSize(QSize(40, 40)), QSize(40, 40));
    EXPECT_FALSE(icon.pixmap(QSize(40, 40)).isNull());
    EXPECT_FALSE(icon.isNull());
}

}  // namespace
}  // namespace doxa
