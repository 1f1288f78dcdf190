#include "platform/framework/HelpWindow.h"

#include "platform/graphics/QtGeometry.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QFile>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QScroller>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

// Wide enough for a line of reading, tall enough for the page without much scrolling.
constexpr int kWidth = 420;
constexpr int kHeight = 480;

// The page. A screen reader reads it as a document to browse, not as a field to type in.
// A finger drawn over it scrolls it and selects nothing; a tap still follows a link.
class Browser : public QTextBrowser {
public:
    explicit Browser(QWidget* parent) : QTextBrowser(parent) {
        QScroller::grabGesture(viewport(), QScroller::TouchGesture);
    }

protected:
    // Qt also makes mouse events of the finger; the moves among them would select text.
    void mouseMoveEvent(QMouseEvent* event) override {
        if (event->pointingDevice() != nullptr &&
            event->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen) {
            event->accept();
            return;
        }
        QTextBrowser::mouseMoveEvent(event);
    }
};

class BrowserInterface : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit BrowserInterface(Browser* browser)
        : QAccessibleWidget(browser, QAccessible::Document) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        s.selectableText = true;
        return s;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && QAccessibleWidget::text(t).isEmpty()) {
            return Edit()->documentTitle();
        }
        return QAccessibleWidget::text(t);
    }

    // The text interface: the page's plain text, its selection and its caret.
    QString text(int startOffset, int endOffset) const override {
        return Edit()->document()->toPlainText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override {
        return static_cast<int>(Edit()->document()->toPlainText().size());
    }
    int cursorPosition() const override { return Edit()->textCursor().position(); }
    void setCursorPosition(int position) override {
        QTextCursor cursor = Edit()->textCursor();
        cursor.setPosition(std::clamp(position, 0, characterCount()));
        Edit()->setTextCursor(cursor);
    }
    int selectionCount() const override { return Edit()->textCursor().hasSelection() ? 1 : 0; }
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        const QTextCursor cursor = Edit()->textCursor();
        const bool has = selectionIndex == 0 && cursor.hasSelection();
        *startOffset = has ? cursor.selectionStart() : 0;
        *endOffset = has ? cursor.selectionEnd() : 0;
    }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) {
            QTextCursor cursor = Edit()->textCursor();
            cursor.clearSelection();
            Edit()->setTextCursor(cursor);
        }
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex != 0) {
            return;
        }
        const int count = characterCount();
        QTextCursor cursor = Edit()->textCursor();
        cursor.setPosition(std::clamp(startOffset, 0, count));
        cursor.setPosition(std::clamp(endOffset, 0, count), QTextCursor::KeepAnchor);
        Edit()->setTextCursor(cursor);
    }
    QRect characterRect(int offset) const override {
        QTextCursor cursor(Edit()->document());
        cursor.setPosition(std::clamp(offset, 0, characterCount()));
        const QRect rect = Edit()->cursorRect(cursor);
        return QRect(Edit()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = Edit()->viewport()->mapFromGlobal(point);
        return Edit()->viewport()->rect().contains(local)
                   ? Edit()->cursorForPosition(local).position()
                   : -1;
    }
    void scrollToSubstring(int startIndex, int /*endIndex*/) override {
        QTextCursor cursor(Edit()->document());
        cursor.setPosition(std::clamp(startIndex, 0, characterCount()));
        Edit()->setTextCursor(cursor);
        Edit()->ensureCursorVisible();
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = offset;
        *endOffset = offset;
        return {};
    }

private:
    QTextBrowser* Edit() const { return static_cast<QTextBrowser*>(widget()); }
};

// The class has no meta-object of its own, so it is told apart by its type.
QAccessibleInterface* BrowserFactory(const QString& /*className*/, QObject* object) {
    auto* browser = dynamic_cast<Browser*>(object);
    return browser != nullptr ? new BrowserInterface(browser) : nullptr;
}

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
        static const bool installed = [] {
            QAccessible::installFactory(BrowserFactory);
            return true;
        }();
        (void)installed;
        auto* browser = new Browser(window);
        // Links to the web open in the desktop's browser, not in here.
        browser->setOpenExternalLinks(true);
        layout->addWidget(browser);
        auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), window);
        QObject::connect(close, &QShortcut::activated, window, &QWidget::close);
        window->resize(WithinWorkArea(QSize(kWidth, kHeight)));
        Attach(window, true);
    }
    QWidget* window = Widget();
    auto* browser = window->findChild<QTextBrowser*>();
    browser->setSource(QUrl(QStringLiteral("qrc") + page));
    const QString title = browser->documentTitle();
    window->setWindowTitle(
        title.isEmpty()
            ? QCoreApplication::translate("platform::HelpWindow", "%1 Help").arg(appName)
            : title);
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
