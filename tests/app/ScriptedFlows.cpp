#include "tests/app/ScriptedFlows.h"

#include "app/MyDrunoApp.h"
#include "game/DrunoGame.h"
#include "platform/core/Messages.h"
#include "platform/framework/Frame.h"
#include "platform/framework/View.h"
#include "platform/services/MessageBox.h"
#include "res/Resource.h"
#include "screen/MyDrunoDoc.h"
#include "tests/support/StripTaps.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

namespace {

QWidget* GameView() {
    return theApp.GetMainWnd()->GetActiveView()->Widget();
}

void NewGame() {
    CDrunoGame::SetChosenSecret(QStringLiteral("407"));
    theApp.OnCmdMsg(ID_NEW_GAME, nullptr);
    CDrunoGame::SetChosenSecret(QString());
}

// Runs act on the dialog that the command opens, then closes it as a player does: with the
// OK button in its title area.
void WithDialog(unsigned command, std::function<void(QWidget*)> act) {
    std::function<void()> look;
    look = [act, &look] {
        QWidget* window = QApplication::activeModalWidget();
        if (qobject_cast<QDialog*>(window) == nullptr) {
            QTimer::singleShot(10, look);
            return;
        }
        act(window);
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            if (button->text() == QStringLiteral("OK")) {
                button->click();
                return;
            }
        }
    };
    QTimer::singleShot(10, look);
    theApp.OnCmdMsg(command, nullptr);
}

}  // namespace

bool PlayFlowScript(const QByteArray& flow) {
    platform::SetMessageBoxAnswerer([](const QString&, const QString&, unsigned type) {
        return type == platform::kMbYesNoQuestion ? platform::kIdYes : platform::kIdOk;
    });
    if (flow == "win" || flow == "loss") {
        NewGame();
        for (int attempt = 0; attempt < (flow == "win" ? 1 : 10); ++attempt) {
            TapStripDigits(GameView(), QStringLiteral("470"));
        }
        if (flow == "win") {
            TapStripDigits(GameView(), QStringLiteral("407"));
        }
    } else if (flow == "abort") {
        NewGame();
        TapStripDigits(GameView(), QStringLiteral("47"));
        theApp.OnCmdMsg(ID_ABORT_GAME, nullptr);
    } else if (flow == "close") {
        NewGame();
        TapStripDigits(GameView(), QStringLiteral("47"));
        theApp.GetMainWnd()->Widget()->close();
        return true;
    } else if (flow == "statistics") {
        WithDialog(ID_STATISTIC, [](QWidget*) {});
    } else if (flow == "reset") {
        WithDialog(ID_STATISTIC, [](QWidget* dialog) {
            for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
                if (button->text() == QStringLiteral("Reset Statistics")) {
                    button->click();
                }
            }
        });
    } else {
        return false;
    }
    theApp.OnCmdMsg(ID_APP_EXIT, nullptr);
    return true;
}
