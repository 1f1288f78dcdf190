// Drawing: bitmaps through memory contexts, centred text, fonts from logical fonts, and the
// view's paint, size and tap handling, checked on real pixels.

#include "FrameworkFixture.h"
#include "platform/core/Messages.h"
#include "res/Resource.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTest>

#include <limits>
#include <vector>

namespace {

QImage Image(const char* path) {
    return QImage(QString::fromLatin1(path)).convertToFormat(QImage::Format_RGB32);
}

// The rectangle covered by pixels of the colour.
QRect Extent(const QImage& image, QRgb colour) {
    QRect extent;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour) {
                extent |= QRect(x, y, 1, 1);
            }
        }
    }
    return extent;
}

TEST(Bitmap, ResourcesLoadAtTheirSizes) {
    platform::Bitmap numbers;
    platform::Bitmap buttons;
    platform::Bitmap missing;
    ASSERT_TRUE(numbers.LoadBitmap(IDB_NUMBERS));
    ASSERT_TRUE(buttons.LoadBitmap(IDB_TOOLBAR));
    EXPECT_EQ(numbers.Pixmap()->size(), QSize(220, 25));
    EXPECT_EQ(buttons.Pixmap()->size(), QSize(64, 16));
    EXPECT_FALSE(missing.LoadBitmap(4711));
    EXPECT_TRUE(missing.IsNull());
}

TEST(DC, BitBltCopiesTheSelectedBitmapPixelForPixel) {
    QImage target(240, 40, QImage::Format_RGB32);
    target.fill(Qt::red);
    {
        QPainter painter(&target);
        platform::DC dc(&painter);
        platform::DC memory;
        ASSERT_TRUE(memory.CreateCompatibleDC(&dc));
        platform::Bitmap strip;
        ASSERT_TRUE(strip.LoadBitmap(IDB_NUMBERS));
        platform::Bitmap* old = memory.SelectObject(&strip);
        EXPECT_EQ(old, nullptr);
        EXPECT_FALSE(strip.DeleteObject());  // selected: kept
        EXPECT_TRUE(dc.BitBlt(7, 5, 220, 25, &memory, 0, 0, platform::kRopSrcCopy));
        EXPECT_FALSE(dc.BitBlt(0, 0, 10, 10, &memory, 0, 0, 0x00EE0086));
        EXPECT_EQ(memory.SelectObject(old), &strip);
        EXPECT_TRUE(strip.DeleteObject());
        memory.DeleteDC();
    }
    const QImage source = Image(":/images/numbers.bmp");
    EXPECT_EQ(target.copy(7, 5, 220, 25), source);
    EXPECT_EQ(Extent(target, qRgb(255, 0, 0)), QRect(0, 0, 240, 40));  // frame around it
    EXPECT_EQ(target.pixel(6, 5), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(227, 29), qRgb(255, 0, 0));
}

TEST(DC, DrawTextCentresASingleLineInTheContextsColours) {
    platform::LogFont lf;
    lf.lfHeight = -40;
    lf.lfFaceName = QStringLiteral("Arial");
    platform::Font font;
    ASSERT_TRUE(font.CreateFontIndirect(lf));

    for (int mode : {platform::kBkTransparent, platform::kBkOpaque}) {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::red);
        {
            QPainter painter(&image);
            platform::DC dc(&painter);
            EXPECT_EQ(dc.SelectObject(&font), nullptr);
            dc.SetBkMode(mode);
            platform::Rect rect{0, 0, 200, 100};
            dc.DrawText(QStringLiteral("88"), &rect, 37);
            EXPECT_EQ(dc.SelectObject(static_cast<platform::Font*>(nullptr)), &font);
        }
        const QRect ink = Extent(image, qRgb(0, 0, 0));
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_NEAR(ink.center().x(), 100, 2);
        EXPECT_NEAR(ink.center().y(), 50, 6);
        // Opaque text fills its box with the white background; transparent leaves red.
        const QRgb beside = image.pixel(ink.left() + ink.width() / 2, ink.top() - 2);
        EXPECT_EQ(beside, mode == platform::kBkOpaque ? qRgb(255, 255, 255) : qRgb(255, 0, 0));
    }
}

// Large text comes from a kept image on later paints: every paint, and every change of text,
// colour, size, mode, box, place or pixel density in between, shows the pixels the painter
// draws itself.
TEST(DC, LargeTextLooksTheSameOnEveryPaint) {
    struct Case {
        const char* text;
        int height;  // character height in pixels
        QColor pen;
        QColor background;
        int mode;
        QPointF shift;  // the painter's own translation
        qreal scale;
        unsigned format;
    };
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const QColor dark(30, 30, 40);
    const unsigned centred = 37;  // centred in both directions, one line
    const std::vector<Case> cases = {
        {"? ? ?", 100, black, white, platform::kBkTransparent, {}, 1, centred},
        {"1 2 3", 100, black, white, platform::kBkTransparent, {}, 1, centred},
        {"1 2 3", 100, white, dark, platform::kBkTransparent, {}, 1, centred},
        {"1 2 3", 90, black, white, platform::kBkTransparent, {}, 1, centred},
        {"1 2 3", 100, black, QColor(Qt::yellow), platform::kBkOpaque, {}, 1, centred},
        {"1 2 3", 100, black, white, platform::kBkTransparent, {3, 7}, 1, centred},
        {"1 2 3", 100, black, white, platform::kBkTransparent, {0.5, 0}, 1, centred},
        {"1 2 3", 100, black, white, platform::kBkTransparent, {}, 1.5, centred},
        {"12\n34", 80, black, white, platform::kBkTransparent, {}, 1, 0},
        {" ", 100, black, white, platform::kBkTransparent, {}, 1, centred},
        {"Won!", 20, black, white, platform::kBkTransparent, {}, 1, centred},
    };
    struct Target {
        QRect box;
        qreal ratio;  // device pixels per logical pixel
    };
    for (const Target target : {Target{{10, 20, 220, 160}, 1}, Target{{0, 40, 240, 183}, 1},
                                Target{{5, 8, 230, 180}, 2}}) {
        const QRect box = target.box;
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message()
                         << c.text << " " << c.height << " " << c.mode << " " << c.shift.x() << " "
                         << c.scale << " " << box.x() << " " << target.ratio);
            platform::LogFont lf;
            lf.lfHeight = -c.height;
            lf.lfFaceName = QStringLiteral("Arial");
            platform::Font font;
            ASSERT_TRUE(font.CreateFontIndirect(lf));
            const QString text = QString::fromLatin1(c.text);

            auto prepare = [&](QImage& image, QPainter& painter) {
                image = QImage(QSize(400, 300) * target.ratio, QImage::Format_RGB32);
                image.setDevicePixelRatio(target.ratio);
                image.fill(c.background);
                painter.begin(&image);
                painter.translate(c.shift);
                painter.scale(c.scale, c.scale);
            };
            QImage expected;
            QPainter reference;
            prepare(expected, reference);
            reference.setFont(*font.QtFont());
            reference.setPen(c.pen);
            reference.setBackground(c.background);
            reference.setBackgroundMode(c.mode == platform::kBkOpaque ? Qt::OpaqueMode
                                                                      : Qt::TransparentMode);
            reference.setClipRect(box);
            QRect drawn;
            const int flags = c.format == centred
                                  ? Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic
                                  : Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic;
            reference.drawText(box, flags, text, &drawn);
            reference.end();

            for (int paint = 0; paint < 2; ++paint) {
                QImage image;
                QPainter painter;
                prepare(image, painter);
                platform::DC dc(&painter, c.pen, c.background);
                dc.SelectObject(&font);
                dc.SetBkMode(c.mode);
                platform::Rect rect{box.left(), box.top(), box.right() + 1, box.bottom() + 1};
                const int height = dc.DrawText(text, &rect, c.format);
                dc.SelectObject(static_cast<platform::Font*>(nullptr));
                painter.end();
                EXPECT_TRUE(image == expected) << "paint " << paint;
                EXPECT_EQ(height,
                          c.format == centred ? drawn.bottom() + 1 - box.top() : drawn.height());
            }
        }
    }
}

// A positive height is the cell (ascent + descent), a negative one the character height.
TEST(Font, HeightsAndArialFace) {
    for (int height : {12, 16, 20, 33, 100}) {
        platform::LogFont lf;
        lf.lfHeight = height;
        lf.lfFaceName = QStringLiteral("Arial");
        platform::Font font;
        ASSERT_TRUE(font.CreateFontIndirect(lf));
        const QFontMetrics metrics(*font.QtFont());
        EXPECT_LE(metrics.ascent() + metrics.descent(), height);
        EXPECT_GE(metrics.ascent() + metrics.descent(), height - 2) << height;
        EXPECT_EQ(font.QtFont()->weight(), QFont::Normal);
        EXPECT_EQ(QFontInfo(*font.QtFont()).family(), QStringLiteral("Liberation Sans"));
    }
    platform::LogFont lf;
    lf.lfHeight = -20;
    platform::Font font;
    ASSERT_TRUE(font.CreateFontIndirect(lf));
    EXPECT_EQ(font.QtFont()->pixelSize(), 20);
}

int CellHeight(QFont font, int pixelSize) {
    font.setPixelSize(pixelSize);
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

// The cell height chooses the largest font whose cell fits, every time it is asked for, also
// in another face asked for in between; a height from a damaged settings file gives
// a font no larger than any screen needs.
TEST(Font, CellHeightGivesTheLargestFontThatFits) {
    struct Case {
        int height;
        const char* face;
    };
    const std::vector<Case> cases = {{16, "Arial"},    {100, "Arial"}, {16, "Courier"},
                                     {100, "Courier"}, {16, "Arial"},  {100, "Arial"},
                                     {1000, "Arial"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.height << " " << c.face);
        platform::LogFont lf;
        lf.lfHeight = c.height;
        lf.lfFaceName = QString::fromLatin1(c.face);
        platform::Font font;
        ASSERT_TRUE(font.CreateFontIndirect(lf));
        const int size = font.QtFont()->pixelSize();
        EXPECT_LE(CellHeight(*font.QtFont(), size), c.height);
        EXPECT_GT(CellHeight(*font.QtFont(), size + 1), c.height);
    }
    for (const int height : {100000, std::numeric_limits<int>::max()}) {
        platform::LogFont lf;
        lf.lfHeight = height;
        lf.lfFaceName = QStringLiteral("Arial");
        platform::Font font;
        ASSERT_TRUE(font.CreateFontIndirect(lf));
        EXPECT_GT(font.QtFont()->pixelSize(), 1000) << height;
        EXPECT_LE(font.QtFont()->pixelSize(), 16384) << height;
    }
}

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, &doc, &view));
        frame.ShowWindow(platform::kSwShow);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.Widget()));
    }
    fixture::TestDoc doc;
    fixture::TestView view;
    fixture::TestFrame frame;
};

TEST_F(ViewTest, PaintErasesToWhiteAndDrawsWhatOnDrawDraws) {
    const QImage shot = view.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(240, 268));
    EXPECT_EQ(shot.copy(10, 10, 220, 25), Image(":/images/numbers.bmp"));
    EXPECT_EQ(shot.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(120, 200), qRgb(255, 255, 255));
}

TEST_F(ViewTest, TapsArriveWithPointAndKeyFlags) {
    QTest::mouseClick(view.Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(15, 240));
    QTest::mouseClick(view.Widget(), Qt::LeftButton, Qt::ShiftModifier, QPoint(1, 2));
    QTest::mouseClick(view.Widget(), Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
    ASSERT_EQ(view.m_taps.size(), 2);
    EXPECT_EQ(view.m_taps.at(0).first, platform::kMkLButton);
    EXPECT_EQ(view.m_taps.at(0).second, (platform::Point{15, 240}));
    EXPECT_EQ(view.m_taps.at(1).first, platform::kMkLButton | platform::kMkShift);
    EXPECT_EQ(view.m_taps.at(1).second, (platform::Point{1, 2}));
}

}  // namespace
