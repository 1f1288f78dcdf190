#include "platform/framework/HelpWindow.h"

#include <QFile>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace platform {

namespace {

// Wide enough for a line of reading, tall enough for the page without much scrolling.
constexpr int kWidth = 420;
constexpr int kHeight = 480;

}  // namespace

bool HelpWindow::Open(const QString& page, const QString& appName) {
    if (!QFile::exists(page)) {
        return false;
    }
    if (Widget() == nullptr) {
        auto* window = new QWidget(nullptr, Qt::Window);
        window->setObjectName(QStringLiteral("HelpWindow"));
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* browser = new QTextBrowser(window);
        // Links to the web open in the desktop's browser, not in here.
        browser->setOpenExternalLinks(true);
        layout->addWidget(browser);
        auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), window);
        QObject::connect(close, &QShortcut::activated, window, &QWidget::close);
        window->resize(kWidth, kHeight);
        Attach(window, true);
    }
    QWidget* window = Widget();
    auto* browser = window->findChild<QTextBrowser*>();
    browser->setSource(QUrl(QStringLiteral("qrc") + page));
    const QString title = browser->documentTitle();
    window->setWindowTitle(title.isEmpty() ? appName + QStringLiteral(" Help") : title);
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

QString HelpWindow::GetPageText() const {
    const QWidget* window = Widget();
    const auto* browser = window != nullptr ? window->findChild<QTextBrowser*>() : nullptr;
    return browser != nullptr ? browser->toPlainText() : QString();
}

}  // namespace platform
