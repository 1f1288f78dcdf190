// How fast the game view repaints as a whole during a round: strip copy, two fonts made and
// deleted, two centred texts. Prints paints per second; run by hand, never as a timed test.

#include "app/MainFrame.h"
#include "platform/core/Messages.h"
#include "platform/framework/Application.h"
#include "platform/framework/Frame.h"
#include "platform/framework/SingleDocTemplate.h"
#include "res/Resource.h"
#include "res/Resources.h"
#include "screen/MyDrunoDoc.h"
#include "screen/MyDrunoView.h"
#include "trace/TraceScope.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 2000;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    res::Install();

    // Only the drawing is measured unless DRUNO_BENCH_TRACE is set: the trace lines would go
    // to the terminal.
    s_bDebugOutput = std::getenv("DRUNO_BENCH_TRACE") != nullptr;
    platform::SingleDocTemplate docTemplate(IDR_MAINFRAME, CMyDrunoDoc::Class(),
                                            CMainFrame::Class(), CMyDrunoView::Class());
    auto* doc = dynamic_cast<CMyDrunoDoc*>(docTemplate.OpenDocumentFile(nullptr));
    if (doc == nullptr) {
        return 1;
    }
    platform::ViewPosition pos = doc->GetFirstViewPosition();
    platform::View* view = doc->GetNextView(pos);
    docTemplate.GetFrame()->ShowWindow(platform::kSwShow);
    doc->OnNewGame();
    doc->m_game.AddDigit(4);
    doc->m_game.AddDigit(0);

    QImage target(view->Widget()->size(), QImage::Format_RGB32);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        view->Widget()->render(&target);
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%d repaints of %dx%d in %.3f s: %.0f repaints/s\n", count, view->Widget()->width(),
                view->Widget()->height(), elapsed.count(), count / elapsed.count());

    // End the round first, so that closing the frame counts nothing.
    doc->StopPlaying();
    return 0;
}
