// Memory contexts: what is drawn goes into the bitmap selected at the time, with the font and
// background mode chosen before; copies come out pixel for pixel; with no bitmap selected the
// context holds one white pixel.

#include "platform/core/Messages.h"
#include "platform/graphics/DC.h"
#include "res/Resource.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace {

QImage CopyOut(platform::DC& memory, int width, int height) {
    QImage target(width, height, QImage::Format_RGB32);
    target.fill(Qt::red);
    QPainter painter(&target);
    platform::DC dc(&painter);
    EXPECT_TRUE(dc.BitBlt(0, 0, width, height, &memory, 0, 0, platform::kRopSrcCopy));
    painter.end();
    return target;
}

QImage Original(unsigned id) {
    platform::Bitmap bitmap;
    EXPECT_TRUE(bitmap.LoadBitmap(id));
    return bitmap.Pixmap()->toImage().convertToFormat(QImage::Format_RGB32);
}

// Centred black text over the whole bitmap, drawn with the context's font and mode.
void DrawEights(platform::DC& memory, int width, int height) {
    platform::Rect rect{0, 0, width, height};
    EXPECT_GT(memory.DrawText(QStringLiteral("88"), &rect, 37), 0);
}

TEST(MemoryContext, WithoutABitmapItHoldsOneWhitePixel) {
    platform::DC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    EXPECT_FALSE(memory.CreateCompatibleDC(nullptr));  // already one
    const QImage copy = CopyOut(memory, 1, 1);
    EXPECT_EQ(copy.pixel(0, 0), qRgb(255, 255, 255));
}

TEST(MemoryContext, DrawingGoesToTheBitmapSelectedAtTheTime) {
    const QImage strip = Original(IDB_NUMBERS);
    const QImage buttons = Original(IDB_TOOLBAR);
    platform::LogFont lf;
    lf.lfHeight = -14;
    lf.lfFaceName = QStringLiteral("Arial");
    platform::Font font;
    ASSERT_TRUE(font.CreateFontIndirect(lf));

    platform::Bitmap numbers;
    platform::Bitmap toolbar;
    ASSERT_TRUE(numbers.LoadBitmap(IDB_NUMBERS));
    ASSERT_TRUE(toolbar.LoadBitmap(IDB_TOOLBAR));
    platform::DC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    // Chosen before any bitmap is in the context: they hold for every bitmap selected later.
    memory.SelectObject(&font);
    memory.SetBkMode(platform::kBkTransparent);

    // Copying alone leaves the bitmap as it was.
    ASSERT_EQ(memory.SelectObject(&numbers), nullptr);
    EXPECT_EQ(CopyOut(memory, 220, 25), strip);

    DrawEights(memory, 220, 25);
    const QImage drawnStrip = CopyOut(memory, 220, 25);
    EXPECT_NE(drawnStrip, strip);
    // Transparent text leaves the strip's edges as they were.
    EXPECT_EQ(drawnStrip.copy(0, 0, 60, 25), strip.copy(0, 0, 60, 25));
    EXPECT_EQ(drawnStrip.copy(160, 0, 60, 25), strip.copy(160, 0, 60, 25));

    EXPECT_EQ(memory.SelectObject(&toolbar), &numbers);
    EXPECT_EQ(CopyOut(memory, 64, 16), buttons);
    DrawEights(memory, 64, 16);
    EXPECT_NE(CopyOut(memory, 64, 16), buttons);

    // The strip kept what was drawn into it, and nothing more.
    EXPECT_EQ(memory.SelectObject(&numbers), &toolbar);
    EXPECT_EQ(CopyOut(memory, 220, 25), drawnStrip);
    memory.SelectObject(static_cast<platform::Bitmap*>(nullptr));
    memory.DeleteDC();
}

}  // namespace
