// The game screen grows with the window: the handheld's 240 x 268 screen drawn by one factor,
// centred, its taps mapped back, and at 240 x 268 exactly the picture it always was.

#include "platform/core/Resources.h"
#include "platform/graphics/DC.h"
#include "platform/graphics/ViewScale.h"
#include "res/Resource.h"
#include "tests/screen/GameScreenFixture.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

QImage Fixture(const char* name) {
    return QImage(QStringLiteral(DRUNO_TEST_FIXTURES "/") + QLatin1String(name))
        .convertToFormat(QImage::Format_RGB32);
}

QImage Strip() {
    return QImage(platform::FindBitmap(IDB_NUMBERS)).convertToFormat(QImage::Format_RGB32);
}

// The first widget pixel whose centre lies in the layout pixel; the small allowance keeps a
// factor without an exact binary form from moving it.
int FirstWidgetPixel(int offset, double factor, int layoutPixel) {
    return static_cast<int>(std::ceil(offset + layoutPixel * factor - 0.5 - 1e-9));
}

int LargestShadeDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return 255;
    }
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

}  // namespace

TEST(ViewScale, LargestFactorThatFitsCentredOnWholePixels) {
    struct Case {
        int width;
        int height;
        double factor;
        int offsetX;
        int offsetY;
        int clientWidth;
        int clientHeight;
    };
    const std::vector<Case> cases = {
        // Up to the layout's size in either direction, the widget is the layout.
        {240, 268, 1.0, 0, 0, 240, 268},
        {219, 268, 1.0, 0, 0, 219, 268},
        {230, 600, 1.0, 0, 0, 230, 600},
        // Beyond it, the layout keeps its size and is scaled by the smaller ratio.
        {300, 268, 1.0, 30, 0, 240, 268},
        {480, 536, 2.0, 0, 0, 240, 268},
        {600, 536, 2.0, 60, 0, 240, 268},
        {300, 400, 1.25, 0, 32, 240, 268},
        {720, 804, 3.0, 0, 0, 240, 268},
        {721, 804, 3.0, 0, 0, 240, 268},
    };
    for (const Case& c : cases) {
        const platform::ViewScale scale(240, 268, c.width, c.height);
        EXPECT_DOUBLE_EQ(scale.Factor(), c.factor) << c.width << " x " << c.height;
        EXPECT_EQ(scale.OffsetX(), c.offsetX) << c.width << " x " << c.height;
        EXPECT_EQ(scale.OffsetY(), c.offsetY) << c.width << " x " << c.height;
        EXPECT_EQ(scale.ClientWidth(), c.clientWidth) << c.width << " x " << c.height;
        EXPECT_EQ(scale.ClientHeight(), c.clientHeight) << c.width << " x " << c.height;
    }
}

TEST(ViewScale, EveryWidgetPixelMapsToTheLayoutPixelItShows) {
    for (const int width : {264, 360, 480, 600, 720}) {
        const platform::ViewScale scale(240, 268, width, width * 268 / 240 + 1);
        for (int x = 0; x < 240; ++x) {
            // The first and the last widget pixel of each layout pixel.
            const double first = FirstWidgetPixel(scale.OffsetX(), scale.Factor(), x);
            const double last = FirstWidgetPixel(scale.OffsetX(), scale.Factor(), x + 1) - 1;
            ASSERT_EQ(scale.ToClient(first, scale.OffsetY()).x, x) << width;
            ASSERT_EQ(scale.ToClient(last, scale.OffsetY()).x, x) << width;
        }
    }
}

// At the default size the view draws exactly what its drawing code draws into a plain
// black-on-white picture of the handheld's screen, and that matches the committed picture of
// this screen. Glyphs that a process has drawn before may come out a shade different at
// their soft edges, so the committed picture allows a few shades.
TEST_F(GameScreenTest, DefaultSizeDrawsTheScreenAsItAlwaysWas) {
    const QImage committed = Fixture("round-240x268.png");
    ASSERT_EQ(committed.size(), QSize(240, 268));
    OpenScreen();
    NewGame(QStringLiteral("407"));
    TapDigits(QStringLiteral("123470"));
    auto plainPicture = [this] {
        QImage picture(240, 268, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        platform::DC dc(&painter);
        m_view->OnDraw(&dc);
        return picture;
    };
    for (const QSize size : {QSize(240, 268), QSize(480, 536), QSize(240, 268)}) {
        ResizeClient(size.width(), size.height());
        if (size != QSize(240, 268)) {
            continue;
        }
        GrabView();  // every glyph drawn once
        const QImage shown = GrabView();
        EXPECT_EQ(shown, plainPicture());
        EXPECT_LE(LargestShadeDifference(shown, committed), 8);
    }
}

TEST_F(GameScreenTest, ViewAsksForTheWholeScreen) {
    OpenScreen();
    EXPECT_EQ(m_view->Widget()->minimumSizeHint(), QSize(240, 268));
    QWidget* window = m_view->Widget()->window();
    window->resize(100, 100);
    QApplication::processEvents();
    EXPECT_GE(m_view->Widget()->width(), 240);
    EXPECT_GE(m_view->Widget()->height(), 268);
}

struct ScaleCase {
    int width;
    int height;
};

class ScaledTapTest : public GameScreenTest, public testing::WithParamInterface<ScaleCase> {
protected:
    // A tap on the first widget pixel that shows the layout pixel (x, y).
    void TapLayout(int x, int y) {
        const platform::ViewScale scale = m_view->Scale();
        Tap(FirstWidgetPixel(scale.OffsetX(), scale.Factor(), x),
            FirstWidgetPixel(scale.OffsetY(), scale.Factor(), y));
    }
};

TEST_P(ScaledTapTest, TapsHitTheCellsOfTheDefaultSize) {
    const ScaleCase& c = GetParam();
    OpenScreen(c.width, c.height);
    struct Edge {
        int dx;
        int dy;
        QString typed;  // the round's digits after the tap, with 5 typed before it
    };
    // Cells 0 to 9 add their digit, cell 10 deletes; past the strip nothing changes.
    const std::vector<Edge> edges = {{0, 0, "50"},  {19, 12, "50"}, {20, 12, "51"}, {199, 12, "59"},
                                     {200, 12, ""}, {219, 25, ""},  {220, 12, "5"}, {221, 12, "5"},
                                     {5, 26, "5"},  {5, -1, "5"},   {-1, 12, "5"}};
    for (const Edge& edge : edges) {
        NewGame(QStringLiteral("407"));
        m_doc->m_game.AddDigit(5);
        TapLayout(10 + edge.dx, 233 + edge.dy);
        EXPECT_EQ(m_doc->m_game.GetTyped(), edge.typed)
            << c.width << " x " << c.height << " at " << edge.dx << ", " << edge.dy;
    }
}

INSTANTIATE_TEST_SUITE_P(Factors, ScaledTapTest,
                         testing::Values(ScaleCase{240, 268}, ScaleCase{360, 402},
                                         ScaleCase{480, 536}, ScaleCase{720, 804},
                                         ScaleCase{300, 400}, ScaleCase{700, 560}));

// Enlarged, the strip is drawn at the device's resolution: cells of one width at an exact
// pitch, frames and fields in the bitmap's two greens, and digits and arrow smooth, in the
// bitmap's white blended only into the field, with about the bitmap's ink in the same place.
struct EnlargedStripCase {
    int width;
    int height;
    int pixelRatio;  // drawn into a picture of this many device pixels per pixel
    int pitch;       // device pixels from one cell to the next
};

class EnlargedStripTest : public GameScreenTest,
                          public testing::WithParamInterface<EnlargedStripCase> {};

TEST_P(EnlargedStripTest, StripIsDrawnFromOutlinesAtTheDevicesResolution) {
    const EnlargedStripCase& c = GetParam();
    OpenScreen(c.width, c.height);
    NewGame(QStringLiteral("407"));
    // Where layout pixel (x, y) of the strip begins on the device.
    double factor = 0;
    double originX = 0;
    double originY = 0;
    QImage shown;
    if (c.pixelRatio == 1) {
        const platform::ViewScale scale = m_view->Scale();
        factor = scale.Factor();
        originX = scale.OffsetX() + 10 * factor;
        originY = scale.OffsetY() + 233 * factor;
        shown = GrabView();
    } else {
        factor = c.pixelRatio;
        originX = 10 * factor;
        originY = 233 * factor;
        shown = QImage(240 * c.pixelRatio, 268 * c.pixelRatio, QImage::Format_RGB32);
        shown.setDevicePixelRatio(c.pixelRatio);
        shown.fill(Qt::white);
        QPainter painter(&shown);
        platform::DC dc(&painter);
        m_view->OnDraw(&dc);
    }
    shown = shown.convertToFormat(QImage::Format_RGB32);
    const QRgb frame = qRgb(0x00, 0xFF, 0x00);
    const QRgb field = qRgb(0x00, 0x80, 0x00);
    const auto device = [factor](double origin, double layout) {
        return static_cast<int>(std::floor(origin + layout * factor));
    };

    // A row through the fields above the digits: eleven fields at the pitch, all as wide.
    const int row = device(originY, 3.5);
    std::vector<int> starts;
    std::vector<int> widths;
    for (int x = device(originX, 0.5); x < device(originX, 219.5); ++x) {
        const QRgb pixel = shown.pixel(x, row);
        ASSERT_TRUE(pixel == frame || pixel == field) << x;
        if (pixel == field && shown.pixel(x - 1, row) != field) {
            starts.push_back(x);
            widths.push_back(0);
        }
        if (pixel == field && !widths.empty()) {
            ++widths.back();
        }
    }
    ASSERT_EQ(starts.size(), 11U);
    for (std::size_t cell = 1; cell < starts.size(); ++cell) {
        EXPECT_EQ(starts[cell] - starts[cell - 1], c.pitch) << cell;
        EXPECT_EQ(widths[cell], widths[0]) << cell;
    }
    // A column beside each digit: frame, field, frame, the same in every cell.
    std::vector<QRgb> firstColumn;
    for (int cell = 0; cell < 11; ++cell) {
        std::vector<QRgb> column;
        for (int y = device(originY, 0.5); y < device(originY, 24.5); ++y) {
            column.push_back(shown.pixel(starts[cell] + 1, y));
        }
        ASSERT_TRUE(std::all_of(column.begin(), column.end(),
                                [&](QRgb p) { return p == frame || p == field; }));
        if (cell == 0) {
            firstColumn = column;
        }
        EXPECT_EQ(column, firstColumn) << cell;
    }

    // The ink of each digit and of the arrow, against the bitmap's white pixels.
    const QImage strip = Strip();
    for (int cell = 0; cell < 11; ++cell) {
        double bitmapInk = 0;
        double bitmapX = 0;
        double bitmapY = 0;
        for (int y = 2; y < 23; ++y) {
            for (int x = cell * 20 + 2; x < cell * 20 + 18; ++x) {
                if (strip.pixel(x, y) == qRgb(0xFF, 0xFF, 0xFF)) {
                    bitmapInk += 1;
                    bitmapX += x + 0.5;
                    bitmapY += y + 0.5;
                }
            }
        }
        double ink = 0;
        double inkX = 0;
        double inkY = 0;
        int blends = 0;
        for (int y = device(originY, 2); y < device(originY, 23); ++y) {
            for (int x = device(originX, cell * 20 + 2); x < device(originX, cell * 20 + 18); ++x) {
                const QRgb p = shown.pixel(x, y);
                // White over the field: red and blue rise together, green with them from 0x80.
                ASSERT_LE(std::abs(qRed(p) - qBlue(p)), 2) << cell;
                ASSERT_LE(std::abs(qGreen(p) - (0x80 + qRed(p) * 0x7F / 0xFF)), 2) << cell;
                const double amount = qRed(p) / 255.0;
                blends += qRed(p) > 8 && qRed(p) < 247 ? 1 : 0;
                ink += amount;
                inkX += amount * ((x + 0.5 - originX) / factor);
                inkY += amount * ((y + 0.5 - originY) / factor);
            }
        }
        ink /= factor * factor;
        inkX /= factor * factor;
        inkY /= factor * factor;
        ASSERT_GT(ink, 0) << cell;
        EXPECT_GT(blends, 0) << "smooth edges, cell " << cell;
        EXPECT_NEAR(ink / bitmapInk, 1.0, 0.35) << "cell " << cell;
        EXPECT_NEAR(inkX / ink, bitmapX / bitmapInk, 1.0) << "cell " << cell;
        EXPECT_NEAR(inkY / ink, bitmapY / bitmapInk, 1.0) << "cell " << cell;
    }
}

INSTANTIATE_TEST_SUITE_P(Factors, EnlargedStripTest,
                         testing::Values(EnlargedStripCase{480, 536, 1, 40},
                                         EnlargedStripCase{360, 402, 1, 30},
                                         EnlargedStripCase{720, 804, 1, 60},
                                         EnlargedStripCase{240, 268, 2, 40}));
