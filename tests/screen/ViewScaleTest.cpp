// The game screen grows with the window: the handheld's 240 x 268 screen drawn by one factor,
// centred, its taps mapped back, and at 240 x 268 exactly the picture it always was.

#include "platform/core/Resources.h"
#include "platform/graphics/DC.h"
#include "platform/graphics/ViewScale.h"
#include "res/Resource.h"
#include "tests/screen/GameScreenFixture.h"

#include <QApplication>
#include <QPainter>
#include <QSet>
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
    NewGame(QStringLiteral("407"));
    struct Edge {
        int dx;
        int dy;
        QString index;  // empty: outside the hit area
    };
    const std::vector<Edge> edges = {
        {0, 0, "index=0"},     {19, 12, "index=0"},   {20, 12, "index=1"},   {199, 12, "index=9"},
        {200, 12, "index=10"}, {219, 25, "index=10"}, {220, 12, "index=11"}, {221, 12, ""},
        {5, 26, ""},           {5, -1, ""},           {-1, 12, ""}};
    for (const Edge& edge : edges) {
        TapLayout(10 + edge.dx, 233 + edge.dy);
        const QStringList indexLines = TakeEvents().filter(QStringLiteral("index="));
        EXPECT_EQ(indexLines, edge.index.isEmpty() ? QStringList() : QStringList{edge.index})
            << c.width << " x " << c.height << " at " << edge.dx << ", " << edge.dy;
    }
}

// Sharp: every pixel of the scaled strip has one of the strip's own colours, none blended.
// At a whole factor each strip pixel becomes a square of widget pixels.
TEST_P(ScaledTapTest, StripIsDrawnSharp) {
    const ScaleCase& c = GetParam();
    OpenScreen(c.width, c.height);
    NewGame(QStringLiteral("407"));
    const platform::ViewScale scale = m_view->Scale();
    const QImage strip = Strip();
    QSet<QRgb> stripColours;
    for (int y = 0; y < strip.height(); ++y) {
        for (int x = 0; x < strip.width(); ++x) {
            stripColours.insert(strip.pixel(x, y));
        }
    }
    const bool wholeFactor = scale.Factor() == std::floor(scale.Factor());
    const QImage shown = GrabView();
    const int left = FirstWidgetPixel(scale.OffsetX(), scale.Factor(), 10);
    const int top = FirstWidgetPixel(scale.OffsetY(), scale.Factor(), 233);
    const int right = FirstWidgetPixel(scale.OffsetX(), scale.Factor(), 230);
    const int bottom = FirstWidgetPixel(scale.OffsetY(), scale.Factor(), 258);
    int blended = 0;
    int misplaced = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            blended += stripColours.contains(shown.pixel(x, y)) ? 0 : 1;
            const platform::Point at = scale.ToClient(x, y);
            misplaced += wholeFactor && shown.pixel(x, y) != strip.pixel(at.x - 10, at.y - 233);
        }
    }
    EXPECT_EQ(blended, 0) << c.width << " x " << c.height;
    EXPECT_EQ(misplaced, 0) << c.width << " x " << c.height;
}

INSTANTIATE_TEST_SUITE_P(Factors, ScaledTapTest,
                         testing::Values(ScaleCase{240, 268}, ScaleCase{360, 402},
                                         ScaleCase{480, 536}, ScaleCase{720, 804},
                                         ScaleCase{300, 400}, ScaleCase{700, 560}));
