#pragma once

// A game screen for tests: document, a plain frame and the view, made by a single-document
// template as the program makes them. Sounds, message boxes and trace lines are recorded in
// one event list, in the order they happen; the statistics file lives in a temporary folder.
// Rounds are started with a secret chosen by the test.

#include "platform/core/Types.h"
#include "platform/framework/Application.h"
#include "platform/framework/SingleDocTemplate.h"
#include "screen/MyDrunoDoc.h"
#include "screen/MyDrunoView.h"
#include "tests/support/InOrder.h"
#include "tests/support/ScreenDrawing.h"
#include "tests/support/StatisticsBytes.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class GameScreenTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates document, frame and view; the view's client area gets the given size.
    void OpenScreen(int width = 240, int height = 268);
    void ResizeClient(int width, int height);
    // Starts a round through the New Game command with the given secret.
    void NewGame(const QString& secret);

    // A tap at a point of the view's client area, delivered as a real mouse press.
    void Tap(int x, int y);
    // A tap on the cell of the strip (0 to 9 digits, 10 delete) for a 240 x 268 client.
    void TapCell(int cell);
    void TapDigits(const QString& digits);

    QImage GrabView() const;
    // What a full repaint of the view draws: status line, result line, bitmaps.
    testing_support::ScreenDrawing DrawnScreen() const {
        return testing_support::DrawGameScreen(*m_view);
    }
    // The digit strip as the resources hold it.
    static QImage StripImage();
    // Whether the view shows the strip at its place for the current size.
    bool ShowsStrip(const QImage& image, platform::Point at) const;
    static bool IsBlank(const QImage& image);

    // The events since the last call: "beep N", "box <type> <text>" and trace lines.
    QStringList TakeEvents();
    // Answers message boxes; records the box as an event before the answer is given.
    void AnswerBoxes(std::function<int(const QString& text, unsigned type)> answer);

    // What stood behind a message box while it was up: the counts of the statistics file, the
    // strip at its place for the default size, and what a repaint of the view drew.
    struct BehindBox {
        StatCounts counts;
        bool strip = false;
        testing_support::ScreenDrawing drawn;
    };
    // Answers message boxes OK, keeping in m_behindBox what stood behind the last one.
    void AnswerBoxesNotingWhatIsBehind();
    // The finished round stood behind the box, strip and both lines, and the view is blank
    // once the box has closed.
    void ExpectRoundBehindTheBoxThenBlank(const QString& status, const QString& result);
    BehindBox m_behindBox;

    QString StatFile() const { return m_dir.filePath(QStringLiteral("Druno.sta")); }

    QTemporaryDir m_dir;
    std::unique_ptr<platform::SingleDocTemplate> m_template;
    CMyDrunoDoc* m_doc = nullptr;
    CMyDrunoView* m_view = nullptr;
    QStringList m_events;
    // The events of OpenScreen: creation of document, frame and view, and the first size.
    QStringList m_openingEvents;

private:
    std::function<int(const QString&, unsigned)> m_answer;
};
