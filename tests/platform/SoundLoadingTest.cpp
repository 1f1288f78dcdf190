// The sound library is loaded only once a sound is to be played: a round played with the sound
// off never has it in the process; the first tap with the sound on brings it in, and the tap
// is heard. Its own test program, as the process's memory map is what is looked at.

#include "app/MainFrame.h"
#include "app/MyDrunoApp.h"
#include "platform/core/Messages.h"
#include "platform/framework/Application.h"
#include "platform/framework/Frame.h"
#include "platform/framework/SingleDocTemplate.h"
#include "platform/services/Sound.h"
#include "res/Resource.h"
#include "screen/MyDrunoDoc.h"
#include "screen/MyDrunoView.h"
#include "tests/support/StripTaps.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTest>
#include <QThread>
#include <QWidget>

namespace {

bool SoundLibraryMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "no memory map to read";
        return false;
    }
    return maps.readAll().contains("libcanberra.so");
}

TEST(SoundLoading, TheLibraryComesWithTheFirstSoundAndNotBefore) {
    QStringList heard;
    platform::SetSoundObserver([&heard](unsigned type) { heard << QString::number(type); });
    ASSERT_FALSE(SoundLibraryMapped());

    platform::SingleDocTemplate docTemplate(IDR_MAINFRAME, CMyDrunoDoc::Class(),
                                            CMainFrame::Class(), CMyDrunoView::Class());
    auto* doc = dynamic_cast<CMyDrunoDoc*>(docTemplate.OpenDocumentFile(nullptr));
    ASSERT_NE(doc, nullptr);
    platform::ViewPosition pos = doc->GetFirstViewPosition();
    QWidget* view = doc->GetNextView(pos)->Widget();
    docTemplate.GetFrame()->ShowWindow(platform::kSwShow);

    // A round with the sound off: digits, a delete, and a delete of nothing.
    theApp.m_bSound = false;
    doc->OnNewGame();
    for (const int cell : {4, 10, 10, 0, 7}) {
        TapStripCell(view, cell);
    }
    EXPECT_EQ(doc->m_game.GetTyped(), QStringLiteral("07"));
    EXPECT_TRUE(heard.isEmpty());
    EXPECT_FALSE(SoundLibraryMapped());

    // The player switches the sound on: the next digit clicks.
    theApp.m_bSound = true;
    TapStripCell(view, 10);
    TapStripCell(view, 5);
    EXPECT_EQ(heard, QStringList({QStringLiteral("0")}));
    // The library is loaded on the sound's own thread; the user interface does not wait.
    while (!SoundLibraryMapped()) {
        QThread::yieldCurrentThread();
    }

    doc->StopPlaying();
    platform::SetSoundObserver(nullptr);
}

}  // namespace
