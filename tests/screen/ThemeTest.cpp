// Light and dark desktop themes: the game screen draws its text in the palette's text colour
// on the palette's base, and the command bar's images keep their ink legible on a dark bar.

#include "platform/core/Resources.h"
#include "platform/framework/FrameCommandBar.h"
#include "res/Resource.h"
#include "tests/screen/GameScreenFixture.h"
#include "tests/screen/Themes.h"

#include <QAction>
#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QToolBar>

#include <algorithm>
#include <cmath>

namespace {

// The contrast ratio of two colours, from 1 (none) to 21 (black on white).
double Contrast(QColor a, QColor b) {
    auto luminance = [](const QColor& colour) {
        auto channel = [](double value) {
            return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
               0.0722 * channel(colour.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The strongest contrast of any pixel of the area against the colour.
double StrongestContrast(const QImage& image, const QRect& area, const QColor& against) {
    double strongest = 1.0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            strongest = std::max(strongest, Contrast(image.pixelColor(x, y), against));
        }
    }
    return strongest;
}

// The image drawn over the bar's colour.
QImage OnBar(const QImage& image, const QColor& bar) {
    QImage shown(image.size(), QImage::Format_RGB32);
    shown.fill(bar);
    QPainter painter(&shown);
    painter.drawImage(0, 0, image);
    painter.end();
    return shown;
}

// How well a bar image stands out from the bar: the contrast of its silhouette, the pixels
// at the picture's outer edge where it meets the bar, the least of them. The picture's edge
// runs where it covers at least half a pixel: the fainter fringe a smooth edge has is no part
// of it. A picture with one strong pixel and a faint outline is lost on the bar.
double SilhouetteContrast(const QImage& image, const QColor& bar) {
    auto inShape = [&](int x, int y) {
        return image.rect().contains(x, y) && qAlpha(image.pixel(x, y)) >= 128;
    };
    const QImage shown = OnBar(image, bar);
    double least = 21.0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!inShape(x, y) || (inShape(x - 1, y) && inShape(x + 1, y) && inShape(x, y - 1) &&
                                   inShape(x, y + 1))) {
                continue;
            }
            least = std::min(least, Contrast(shown.pixelColor(x, y), bar));
        }
    }
    return least;
}

// The bar's images as the bar draws them, one per command or adornment.
std::vector<std::pair<QString, QImage>> BarImages() {
    QToolBar toolBar;
    platform::FrameCommandBar bar(nullptr, &toolBar);
    const platform::ToolbarButton buttons[] = {{0, ID_NEW_GAME, 4, 0, 0, -1},
                                               {1, ID_OPTIONS, 4, 0, 0, -1},
                                               {2, ID_STATISTIC, 4, 0, 0, -1},
                                               {3, ID_APP_ABOUT, 4, 0, 0, -1}};
    EXPECT_TRUE(bar.AddButtons(IDB_TOOLBAR, buttons));
    EXPECT_TRUE(bar.AddAdornments(0));
    std::vector<std::pair<QString, QImage>> images;
    for (QAction* action : toolBar.actions()) {
        if (!action->icon().isNull()) {
            images.emplace_back(action->text() + action->data().toString(),
                                action->icon().pixmap(QSize(16, 16)).toImage());
        }
    }
    return images;
}

}  // namespace

TEST_F(GameScreenTest, DarkThemeDrawsLightTextOnTheDarkBase) {
    const ScopedPalette dark(DarkPalette());
    OpenScreen();
    NewGame(QStringLiteral("407"));
    TapDigits(QStringLiteral("123"));
    const QImage shown = GrabView();
    const QColor base = DarkPalette().color(QPalette::Base);
    EXPECT_EQ(shown.pixelColor(0, 0), base);
    // The status line and the result line, each well above 7:1.
    EXPECT_GT(StrongestContrast(shown, QRect(0, 5, 240, 40), base), 10.0);
    EXPECT_GT(StrongestContrast(shown, QRect(0, 45, 240, 178), base), 10.0);
}

TEST_F(GameScreenTest, LightThemeDrawsBlackTextOnWhite) {
    OpenScreen();
    NewGame(QStringLiteral("407"));
    TapDigits(QStringLiteral("123"));
    const QImage shown = GrabView();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_GT(StrongestContrast(shown, QRect(0, 45, 240, 178), Qt::white), 20.0);
}

TEST(CommandBarTheme, EveryImageStandsOutFromTheBarInLightAndDarkThemes) {
    const std::vector<std::pair<QString, QImage>> light = BarImages();
    ASSERT_EQ(light.size(), 6u);  // four buttons, help and close
    std::vector<std::pair<QString, QImage>> dark;
    {
        const ScopedPalette palette(DarkPalette());
        dark = BarImages();
    }
    ASSERT_EQ(dark.size(), light.size());
    const struct {
        const char* theme;
        const std::vector<std::pair<QString, QImage>>& images;
        QColor bar;
    } themes[] = {{"light", light, QApplication::palette().color(QPalette::Button)},
                  {"dark", dark, DarkPalette().color(QPalette::Button)}};
    for (const auto& theme : themes) {
        for (const auto& [name, image] : theme.images) {
            // The non-text contrast asked of a control's picture is 3:1.
            EXPECT_GE(SilhouetteContrast(image, theme.bar), 3.0)
                << theme.theme << " bar: " << name.toStdString();
        }
    }
}

TEST(CommandBarTheme, ImagesKeepTheirInkLegibleOnADarkBar) {
    const std::vector<std::pair<QString, QImage>> light = BarImages();
    ASSERT_EQ(light.size(), 6u);  // four buttons, help and close
    {
        const ScopedPalette palette(DarkPalette());
        const std::vector<std::pair<QString, QImage>> dark = BarImages();
        ASSERT_EQ(dark.size(), light.size());
        const QColor bar = DarkPalette().color(QPalette::Button);
        for (const auto& [name, image] : dark) {
            const QImage shown = OnBar(image, bar);
            EXPECT_GE(StrongestContrast(shown, shown.rect(), bar), 4.5) << name.toStdString();
        }
    }
    // Back on a light bar the images are what they were.
    EXPECT_EQ(BarImages(), light);
}
