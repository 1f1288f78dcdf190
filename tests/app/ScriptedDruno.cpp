// The real program, started as its main() starts it, with a script played on its event loop once
// the main window is up. DRUNO_SCRIPT names the script:
//   round      starts a round and says "playing" on standard output;
//   abort-box  starts a round, asks to abort it and says "playing" while the question is open;
//   won-box    wins a round with taps and says "playing" while its WON! box is open;
//   lost-box   loses a round with ten wrong guesses and says "playing" while its box is open;
//   play       loses two rounds and wins one with taps (their boxes answered OK), then leaves
//              through Exit;
//   lose       loses a round with taps (its boxes answered OK) and stays;
//   term-at-start  is sent SIGTERM before its start-up begins, and plays nothing;
//   texts      writes the texts of every screen (ScriptedTexts.h) and leaves;
//   history    writes the history panel's first lines, "history\t<line>", and leaves;
//   flow-NAME  plays one of the default flows (ScriptedFlows.h) and leaves;
//   leave      plays nothing and leaves through Exit;
//   give-up    starts a round, makes one guess, gives the round up and says "playing";
//   close      starts a round, makes one guess and closes the main window (the box answered);
//   display    starts a round, makes one guess and ends as a program whose display has gone;
//   phone      plays through the Druno menu wherever the window system put the window, and
//              says "playing" with a round running (ScriptedPhone.h).
// The statistics file and the settings lie in DRUNO_TEST_FOLDER. Each time a count begins to
// wait for a statistics file another holds, it says "waiting"; DRUNO_LOCK_WAIT_MS, when set, is
// how long it waits at most.

#include "app/MyDrunoApp.h"
#include "platform/core/File.h"
#include "platform/core/Messages.h"
#include "platform/core/Module.h"
#include "platform/framework/Frame.h"
#include "platform/framework/View.h"
#include "platform/services/MessageBox.h"
#include "platform/services/ProfileStore.h"
#include "res/Resource.h"
#include "res/Resources.h"
#include "screen/MyDrunoDoc.h"
#include "tests/app/ScriptedFlows.h"
#include "tests/app/ScriptedPhone.h"
#include "tests/app/ScriptedTexts.h"
#include "tests/support/PanelLines.h"
#include "tests/support/StripTaps.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <unistd.h>

#include <csignal>
#include <cstring>

namespace {

void Say(const char* text) {
    [[maybe_unused]] const ssize_t n = ::write(STDOUT_FILENO, text, std::strlen(text));
}

CMyDrunoDoc* Doc() {
    return dynamic_cast<CMyDrunoDoc*>(theApp.GetMainWnd()->GetActiveDocument());
}

QWidget* GameView() {
    return theApp.GetMainWnd()->GetActiveView()->Widget();
}

void PlayScript(const QByteArray& script) {
    if (script == "texts") {
        PlayTextsScript();
        return;
    }
    if (script.startsWith("flow-") && PlayFlowScript(script.mid(5))) {
        return;
    }
    if (script == "phone") {
        PlayPhoneScript();
        return;
    }
    if (script == "history" || script == "leave") {
        if (script == "history") {
            for (const QString& line : ShownHistoryLines(theApp.GetMainWnd()->Widget())) {
                Say(("history\t" + line.toUtf8() + '\n').constData());
            }
        }
        theApp.OnCmdMsg(ID_APP_EXIT, nullptr);
        return;
    }
    theApp.OnCmdMsg(ID_NEW_GAME, nullptr);
    if (script == "give-up" || script == "close" || script == "display") {
        platform::SetMessageBoxAnswerer([](const QString&, const QString&, unsigned type) {
            return type == platform::kMbYesNoQuestion ? platform::kIdYes : platform::kIdOk;
        });
        const QString secret = Doc()->m_game.GetNumber();
        TapStripDigits(GameView(),
                       QString(secret).replace(0, 1, secret[1]).replace(1, 1, secret[0]));
        if (script == "give-up") {
            theApp.OnCmdMsg(ID_ABORT_GAME, nullptr);
            Say("playing\n");
        } else if (script == "close") {
            theApp.GetMainWnd()->Widget()->close();
        } else {
            // What the exit handler does when Qt has lost the display.
            theApp.EndWithoutDisplay();
            ::_exit(1);
        }
        return;
    }
    if (script == "round") {
        Say("playing\n");
    } else if (script == "abort-box") {
        // Said from inside the question's own event loop.
        QTimer::singleShot(0, [] { Say("playing\n"); });
        theApp.OnCmdMsg(ID_ABORT_GAME, nullptr);
    } else if (script == "won-box" || script == "lost-box") {
        const QString secret = Doc()->m_game.GetNumber();
        const QString wrong =
            secret == QStringLiteral("123") ? QStringLiteral("321") : QStringLiteral("123");
        // Said from inside the event loop of the box that ends the round.
        QTimer::singleShot(0, [] { Say("playing\n"); });
        for (int attempt = 0; attempt < 10 && Doc()->m_bPlaying; ++attempt) {
            TapStripDigits(GameView(), script == "won-box" ? secret : wrong);
        }
    } else if (script == "play" || script == "lose") {
        platform::SetMessageBoxAnswerer(
            [](const QString&, const QString&, unsigned) { return platform::kIdOk; });
        for (int round = 0; round < (script == "lose" ? 1 : 3); ++round) {
            if (round > 0) {
                theApp.OnCmdMsg(ID_NEW_GAME, nullptr);
            }
            const QString secret = Doc()->m_game.GetNumber();
            const QString wrong =
                secret == QStringLiteral("123") ? QStringLiteral("321") : QStringLiteral("123");
            for (int attempt = 0; attempt < 10 && Doc()->m_bPlaying; ++attempt) {
                TapStripDigits(GameView(), round < 2 ? wrong : secret);
            }
        }
        if (script == "play") {
            theApp.OnCmdMsg(ID_APP_EXIT, nullptr);
        }
    }
}

void StartScript() {
    QTimer::singleShot(0, [] {
        // Start-up may let events through before its message loop runs: wait for that loop.
        if (theApp.GetMainWnd() == nullptr || QThread::currentThread()->loopLevel() == 0) {
            StartScript();
            return;
        }
        PlayScript(qgetenv("DRUNO_SCRIPT"));
    });
}

}  // namespace

int main(int argc, char** argv) {
    const QString folder = qEnvironmentVariable("DRUNO_TEST_FOLDER");
    platform::SetProfileFolder(folder + QStringLiteral("/config"));
    platform::SetModuleFileNameSource([folder] { return folder + QStringLiteral("/druno"); });
    platform::SetLockWaitObserver([] { Say("waiting\n"); });
    platform::SetLockWaitLimit(qEnvironmentVariableIntValue("DRUNO_LOCK_WAIT_MS"));
    if (qgetenv("DRUNO_SCRIPT") == "term-at-start") {
        ::raise(SIGTERM);
    } else {
        qAddPreRoutine(StartScript);
    }
    res::Install();
    return theApp.Run(argc, argv);
}
