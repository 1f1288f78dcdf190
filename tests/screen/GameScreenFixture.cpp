#include "tests/screen/GameScreenFixture.h"

#include "platform/core/Debug.h"
#include "platform/core/Messages.h"
#include "platform/core/Module.h"
#include "platform/core/Resources.h"
#include "platform/framework/Frame.h"
#include "platform/framework/RuntimeClass.h"
#include "platform/services/MessageBox.h"
#include "platform/services/Sound.h"
#include "res/Resource.h"
#include "tests/support/StatisticsBytes.h"
#include "tests/support/StripTaps.h"
#include "trace/TraceScope.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QWidget>

#include <cstring>

namespace {

// The frame around the view; the program's main frame is not needed to play a round.
class CTestFrame : public platform::Frame {
    PLATFORM_DECLARE_DYNCREATE(CTestFrame)
};

}  // namespace

PLATFORM_IMPLEMENT_DYNCREATE(CTestFrame)

void GameScreenTest::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    const QString module = m_dir.filePath(QStringLiteral("druno"));
    platform::SetModuleFileNameSource([module] { return module; });
    // A statistics file with an empty record, so that counting a game shows no open error.
    ASSERT_TRUE(WriteEmptyStatistics(StatFile()));

    platform::SetSoundObserver(
        [this](unsigned type) { m_events << QStringLiteral("beep %1").arg(type); });
    platform::SetDebugObserver([this](const QString& text) {
        m_events << (text.endsWith(QLatin1Char('\n')) ? text.chopped(1) : text);
    });
    AnswerBoxes([](const QString&, unsigned) { return platform::kIdOk; });
}

void GameScreenTest::TearDown() {
    if (m_template) {
        if (platform::Frame* frame = m_template->GetFrame()) {
            frame->Widget()->close();
        }
        m_template.reset();
    }
    platform::SetMessageBoxAnswerer(nullptr);
    platform::SetDebugObserver(nullptr);
    platform::SetSoundObserver(nullptr);
    platform::SetModuleFileNameSource(nullptr);
    CDrunoGame::SetChosenSecret(QString());
}

void GameScreenTest::OpenScreen(int width, int height) {
    m_template = std::make_unique<platform::SingleDocTemplate>(
        IDR_MAINFRAME, CMyDrunoDoc::Class(), CTestFrame::Class(), CMyDrunoView::Class());
    m_doc = dynamic_cast<CMyDrunoDoc*>(m_template->OpenDocumentFile(nullptr));
    ASSERT_NE(m_doc, nullptr);
    platform::ViewPosition pos = m_doc->GetFirstViewPosition();
    m_view = dynamic_cast<CMyDrunoView*>(m_doc->GetNextView(pos));
    ASSERT_NE(m_view, nullptr);
    m_template->GetFrame()->ShowWindow(platform::kSwShow);
    ResizeClient(width, height);
    m_openingEvents = TakeEvents();
}

void GameScreenTest::ResizeClient(int width, int height) {
    QWidget* top = m_view->Widget()->window();
    QWidget* view = m_view->Widget();
    QApplication::processEvents();
    top->resize(top->size() + QSize(width, height) - view->size());
    QApplication::processEvents();
    // A frame cannot always shrink to every size its view is asked for; the view can.
    if (view->size() != QSize(width, height)) {
        view->resize(width, height);
        QApplication::processEvents();
    }
    ASSERT_EQ(view->size(), QSize(width, height));
}

void GameScreenTest::NewGame(const QString& secret) {
    CDrunoGame::SetChosenSecret(secret);
    ASSERT_TRUE(m_doc->OnCmdMsg(ID_NEW_GAME, nullptr));
    CDrunoGame::SetChosenSecret(QString());
    ASSERT_EQ(m_doc->m_game.GetNumber(), secret);
    QApplication::processEvents();
    m_events.clear();
}

void GameScreenTest::Tap(int x, int y) {
    QTest::mouseClick(m_view->Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
}

void GameScreenTest::TapCell(int cell) {
    TapStripCell(m_view->Widget(), cell);
}

void GameScreenTest::TapDigits(const QString& digits) {
    TapStripDigits(m_view->Widget(), digits);
}

QImage GameScreenTest::GrabView() const {
    return m_view->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage GameScreenTest::StripImage() {
    return QImage(platform::FindBitmap(IDB_NUMBERS)).convertToFormat(QImage::Format_RGB32);
}

bool GameScreenTest::ShowsStrip(const QImage& image, platform::Point at) const {
    const QImage strip = StripImage();
    if (strip.size() != QSize(220, 25)) {
        return false;
    }
    // A client narrower than the strip cuts off its right edge.
    const QRect shown = QRect(at.x, at.y, 220, 25) & image.rect();
    return image.copy(shown) == strip.copy(shown.translated(-at.x, -at.y));
}

bool GameScreenTest::IsBlank(const QImage& image) {
    const QRgb background = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                return false;
            }
        }
    }
    return true;
}

QStringList GameScreenTest::TakeEvents() {
    QStringList events;
    events.swap(m_events);
    return events;
}

void GameScreenTest::AnswerBoxes(std::function<int(const QString& text, unsigned type)> answer) {
    m_answer = std::move(answer);
    platform::SetMessageBoxAnswerer([this](const QString& text, const QString&, unsigned type) {
        m_events << QStringLiteral("box %1 %2").arg(type).arg(text);
        return m_answer(text, type);
    });
}

void GameScreenTest::AnswerBoxesNotingWhatIsBehind() {
    AnswerBoxes([this](const QString&, unsigned) {
        m_behindBox = {ReadStatCounts(StatFile()), ShowsStrip(GrabView(), {10, 233}),
                       DrawnScreen()};
        return platform::kIdOk;
    });
}

void GameScreenTest::ExpectRoundBehindTheBoxThenBlank(const QString& status,
                                                      const QString& result) {
    EXPECT_TRUE(m_behindBox.strip);
    EXPECT_EQ(m_behindBox.drawn.status, QStringList{status});
    EXPECT_EQ(m_behindBox.drawn.result, QStringList{result});
    EXPECT_FALSE(m_doc->m_bPlaying);
    EXPECT_TRUE(DrawnScreen().IsEmpty());
    EXPECT_TRUE(IsBlank(GrabView()));
}
