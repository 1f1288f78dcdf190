// The game view: where the strip lies, what a tap on it does, the text lines, and a round
// played to its end by taps.

#include "app/MyDrunoApp.h"
#include "platform/core/Messages.h"
#include "tests/screen/GameScreenFixture.h"

#include <QDir>
#include <QRect>

#include <limits>
#include <vector>

using testing_support::ScreenDrawing;

namespace {

// The bounding box of the pixels in the rectangle that differ from the background.
QRect InkBox(const QImage& image, const QRect& area) {
    const QRgb background = image.pixel(0, 0);
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) != background) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

}  // namespace

TEST_F(GameScreenTest, StripIsCentredAboveTheBottom) {
    struct Case {
        int width;
        int height;
        platform::Point strip;
    };
    // Width 219 leaves -1 to share: the division truncates toward zero, so the strip keeps x 0.
    // A view narrower than the handheld's screen lays it out over its whole height; a larger
    // one scales the screen instead (tested with the scaling).
    const std::vector<Case> cases = {
        {240, 268, {10, 233}}, {219, 268, {0, 233}}, {230, 300, {5, 265}}};
    OpenScreen();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        ResizeClient(c.width, c.height);
        NewGame(QStringLiteral("407"));
        const ScreenDrawing shown = DrawnScreen();
        ASSERT_EQ(shown.bitmaps.size(), 1u);
        EXPECT_EQ(shown.bitmaps[0].rect,
                  (platform::Rect{c.strip.x, c.strip.y, c.strip.x + 220, c.strip.y + 25}));
        EXPECT_EQ(shown.bitmaps[0].image.convertToFormat(QImage::Format_RGB32), StripImage());
        EXPECT_TRUE(ShowsStrip(GrabView(), c.strip));
        // The strip's top left pixel is a hit on the digit 0.
        Tap(c.strip.x, c.strip.y);
        EXPECT_EQ(DrawnScreen().status, QStringList{"0, 1 / 10"});
        m_doc->StopPlaying();
    }
}

TEST_F(GameScreenTest, CreationLoadsAndPlacesTheStrip) {
    OpenScreen();
    EXPECT_TRUE(InOrder(m_openingEvents,
                        {"CMyDrunoView::CMyDrunoView() {", "} CMyDrunoView::CMyDrunoView()",
                         "CMyDrunoView::OnCreate() {", "} CMyDrunoView::OnCreate() (0 /* OK */)",
                         "CMyDrunoView::OnSize() {", "} CMyDrunoView::OnSize()"}));
    // Between rounds the view stays blank.
    EXPECT_TRUE(DrawnScreen().IsEmpty());
    EXPECT_TRUE(IsBlank(GrabView()));
    NewGame(QStringLiteral("407"));
    EXPECT_TRUE(ShowsStrip(GrabView(), {10, 233}));
}

TEST_F(GameScreenTest, TapBetweenRoundsOnlyBeeps) {
    OpenScreen();
    Tap(10, 233);
    EXPECT_EQ(TakeEvents(),
              (QStringList{"CMyDrunoView::OnLButtonDown() {", "PlaySound() {", "beep 16",
                           "} PlaySound()", "} CMyDrunoView::OnLButtonDown()"}));
    EXPECT_TRUE(DrawnScreen().IsEmpty());
    EXPECT_TRUE(IsBlank(GrabView()));
}

struct TapCase {
    int dx;  // from the strip's left edge
    int dy;  // from the strip's top edge
    QString typedBefore;
    QStringList sounds;
    QString typedAfter;  // the round's digits after the tap
    QString status;      // the status line after the tap
    QString result;      // the result line after the tap

    friend void PrintTo(const TapCase& c, std::ostream* os) {
        *os << "tap at +" << c.dx << " +" << c.dy << " after \"" << c.typedBefore.toStdString()
            << "\"";
    }
};

class TapOffsetTest : public GameScreenTest, public testing::WithParamInterface<TapCase> {};

TEST_P(TapOffsetTest, CellUnderThePen) {
    const TapCase& c = GetParam();
    OpenScreen();
    NewGame(QStringLiteral("407"));
    for (QChar digit : c.typedBefore) {
        m_doc->m_game.AddDigit(digit.digitValue());
    }
    m_events.clear();

    Tap(10 + c.dx, 233 + c.dy);

    const QStringList events = TakeEvents();
    EXPECT_EQ(events.filter(QStringLiteral("beep")), c.sounds);
    const ScreenDrawing shown = DrawnScreen();
    EXPECT_EQ(shown.status, QStringList{c.status});
    EXPECT_EQ(shown.result, QStringList{c.result});
    EXPECT_EQ(m_doc->m_game.GetTyped(), c.typedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Strip, TapOffsetTest,
    testing::Values(
        // Digits: the first two of a guess click, the third completes it silently.
        TapCase{0, 0, "", {"beep 0"}, "0", "0, 1 / 10", "? ?"},
        TapCase{19, 12, "1", {"beep 0"}, "10", "10, 1 / 10", "? ?"},
        TapCase{180, 12, "12", {}, "129", "129, 2 / 10", "0 0"},
        TapCase{199, 12, "", {"beep 0"}, "9", "9, 1 / 10", "? ?"},
        // Delete: removes the last digit, or beeps when there is none.
        TapCase{200, 12, "12", {}, "1", "1, 1 / 10", "? ?"},
        TapCase{219, 12, "", {"beep 16"}, "", "1 / 10", "? ?"},
        // One pixel past the strip still hits, but selects nothing.
        TapCase{220, 12, "1", {}, "1", "1, 1 / 10", "? ?"},
        TapCase{221, 12, "1", {}, "1", "1, 1 / 10", "? ?"},
        // The hit area is one pixel taller than the strip, too.
        TapCase{5, 25, "", {"beep 0"}, "0", "0, 1 / 10", "? ?"},
        TapCase{5, 26, "", {}, "", "1 / 10", "? ?"}, TapCase{5, -1, "", {}, "", "1 / 10", "? ?"}));

// The status line shows the digits typed and the attempt being typed; the result line judges
// the last complete guess. Pictures of each step are written to DRUNO_SCREENSHOTS if set.
TEST_F(GameScreenTest, TextLinesFollowTheRound) {
    struct Step {
        QString taps;  // digits, or "<" for delete
        QString status;
        QString result;
    };
    // A wrong guess shortened keeps its attempt; completing it again counts another one, and
    // the next digit starts a fresh guess.
    const std::vector<Step> steps = {
        {"", "1 / 10", "? ?"},        {"40", "40, 1 / 10", "? ?"}, {"1", "401, 2 / 10", "2 0"},
        {"<", "40, 2 / 10", "? ?"},   {"3", "403, 3 / 10", "2 0"}, {"7", "7, 3 / 10", "? ?"},
        {"40", "740, 4 / 10", "0 3"},
    };
    struct Fonts {
        int size;
        int status;
        const char* name;
    };
    const int savedSize = theApp.m_nFontSize;
    const int savedStatus = theApp.m_nFontSizeStatus;
    const QString folder = qEnvironmentVariable("DRUNO_SCREENSHOTS");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
    }
    OpenScreen();
    for (const Fonts& fonts :
         {Fonts{100, 16, "default"}, Fonts{25, 25, "25"}, Fonts{10, 10, "10"}}) {
        theApp.m_nFontSize = fonts.size;
        theApp.m_nFontSizeStatus = fonts.status;
        NewGame(QStringLiteral("407"));
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const Step& step = steps[i];
            SCOPED_TRACE(testing::Message()
                         << fonts.name << " after \"" << step.taps.toStdString() << "\"");
            if (step.taps == QStringLiteral("<")) {
                TapCell(10);
            } else {
                TapDigits(step.taps);
            }
            const ScreenDrawing shown = DrawnScreen();
            EXPECT_EQ(shown.status, QStringList{step.status});
            EXPECT_EQ(shown.result, QStringList{step.result});
            EXPECT_EQ(shown.bitmaps.size(), 1u);
            EXPECT_TRUE(shown.otherTexts.empty());
            // Both lines are readable at this size: ink in the status area above the result
            // area, and in the result area below the status area.
            const QImage image = GrabView();
            EXPECT_FALSE(InkBox(image, QRect(0, 5, 240, 35)).isEmpty());
            EXPECT_FALSE(InkBox(image, QRect(0, 45, 240, 268 - 45 - 45)).isEmpty());
            if (!folder.isEmpty()) {
                image.save(QStringLiteral("%1/%2-%3.png").arg(folder).arg(fonts.name).arg(i));
            }
        }
        m_doc->StopPlaying();
    }
    theApp.m_nFontSize = savedSize;
    theApp.m_nFontSizeStatus = savedStatus;
}

// The trace of a paint names the secret and the guess typed so far.
TEST_F(GameScreenTest, PaintIsTracedWithTheSecretAndTheGuess) {
    OpenScreen();
    NewGame(QStringLiteral("407"));
    TapDigits(QStringLiteral("40"));
    m_events.clear();
    GrabView();
    EXPECT_TRUE(
        InOrder(TakeEvents(), {"CMyDrunoView::OnDraw() {", "CMyDrunoView::DrawNumbers() {",
                               "CMyDrunoView::DrawComment() {", "guess: 407", "typed: 40",
                               "} CMyDrunoView::DrawComment()", "} CMyDrunoView::OnDraw()"}));
}

TEST_F(GameScreenTest, ResultFontFollowsTheFontSizeSetting) {
    const int saved = theApp.m_nFontSize;
    OpenScreen();
    NewGame(QStringLiteral("407"));
    const QRect resultArea(0, 40, 240, 268 - 45 - 40);
    theApp.m_nFontSize = 100;
    const QRect large = InkBox(GrabView(), resultArea);
    theApp.m_nFontSize = 25;
    const QRect small = InkBox(GrabView(), resultArea);
    theApp.m_nFontSize = saved;

    ASSERT_FALSE(small.isEmpty());
    EXPECT_GT(large.height(), 2 * small.height());
    // Both are centred in the result area.
    EXPECT_NEAR(large.center().x(), 120, 3);
    EXPECT_NEAR(small.center().y(), resultArea.center().y(), 6);
}

// A damaged settings file can hold any font height; the view still paints the whole screen.
// A height far beyond any screen is brought down before the font is looked for, and the look
// for it takes a few measurements whatever the face's metrics say, so the paint never spins.
TEST_F(GameScreenTest, AnyFontHeightFromTheSettingsStillPaints) {
    const int savedResult = theApp.m_nFontSize;
    const int savedStatus = theApp.m_nFontSizeStatus;
    OpenScreen();
    NewGame(QStringLiteral("407"));
    Tap(10 + 4 * 20, 233);
    for (const int height :
         {std::numeric_limits<int>::max(), 100000, 0, -100000, std::numeric_limits<int>::min()}) {
        theApp.m_nFontSize = height;
        theApp.m_nFontSizeStatus = height;
        const ScreenDrawing shown = DrawnScreen();
        EXPECT_EQ(shown.status, QStringList{"4, 1 / 10"}) << height;
        EXPECT_EQ(shown.result, QStringList{"? ?"}) << height;
        EXPECT_TRUE(ShowsStrip(GrabView(), {10, 233})) << height;
    }
    theApp.m_nFontSize = savedResult;
    theApp.m_nFontSizeStatus = savedStatus;
}

TEST_F(GameScreenTest, WinningGuessIsCountedAndAnnouncedWithTheRoundStillShown) {
    OpenScreen();
    NewGame(QStringLiteral("407"));
    AnswerBoxesNotingWhatIsBehind();

    TapDigits(QStringLiteral("407"));

    const QStringList events = TakeEvents();
    EXPECT_EQ(events.filter(QStringLiteral("beep")), (QStringList{"beep 0", "beep 0"}));
    EXPECT_TRUE(InOrder(events, {"index=7", "GameStatisticsAddWon() {", "box 0 WON!",
                                 "CMyDrunoDoc::StopPlaying() {", "guess=407  typed=407",
                                 "} CMyDrunoView::OnLButtonDown()"}));
    EXPECT_EQ(m_behindBox.counts, (StatCounts{1, 1, 0}));
    ExpectRoundBehindTheBoxThenBlank(QStringLiteral("407, 1 / 10"), QStringLiteral("3 0"));
}

TEST_F(GameScreenTest, TenthWrongGuessLosesWithTheSolution) {
    OpenScreen();
    NewGame(QStringLiteral("407"));
    AnswerBoxesNotingWhatIsBehind();

    for (int attempt = 0; attempt < 9; ++attempt) {
        TapDigits(QStringLiteral("123"));
    }
    EXPECT_TRUE(TakeEvents().filter(QStringLiteral("box")).isEmpty());
    TapDigits(QStringLiteral("470"));

    EXPECT_TRUE(InOrder(TakeEvents(),
                        {"index=0", "GameStatisticsAddLost() {", "box 0 Game Over!\nSolution: 407",
                         "CMyDrunoDoc::StopPlaying() {", "guess=407  typed=470"}));
    EXPECT_EQ(m_behindBox.counts, (StatCounts{1, 0, 1}));
    // The counter stands one above the maximum while the loss is announced.
    ExpectRoundBehindTheBoxThenBlank(QStringLiteral("470, 11 / 10"), QStringLiteral("1 2"));
    // The round is over: a further tap only beeps.
    TapCell(1);
    EXPECT_TRUE(TakeEvents().contains(QStringLiteral("beep 16")));
}
