#include "platform/Frame.h"

#include "platform/Application.h"
#include "platform/Document.h"
#include "platform/FrameCommandBar.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/Resources.h"
#include "platform/RuntimeClass.h"
#include "platform/Strings.h"
#include "platform/View.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLayout>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace platform {

namespace {

// The game screen of a new main window, in pixels.
constexpr int kDefaultClientWidth = 240;
constexpr int kDefaultClientHeight = 268;
constexpr int kImageSize = 16;

// After any of these the enabling of the commands may have changed.
bool IsUserInput(QEvent::Type type) {
    return type == QEvent::MouseButtonRelease || type == QEvent::KeyRelease ||
           type == QEvent::TouchEnd;
}

}  // namespace

// The frame's window: its close request becomes message 16.
class FrameWidget : public QMainWindow {
public:
    explicit FrameWidget(Frame* frame) : m_frame(frame) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        // The frame decides; it closes itself when it agrees.
        event->ignore();
        m_frame->SendMessage(kMsgClose, 0, 0);
    }

private:
    Frame* m_frame;
};

// Brings the command items up to date whenever the program falls idle: after every user
// input and command, including those whose handlers ran a modal box and changed the state
// only once it was closed.
class IdleUpdater : public QObject {
public:
    explicit IdleUpdater(Frame* frame) : m_frame(frame) {
        if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
            connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                    &IdleUpdater::OnIdle);
        }
    }

    void Schedule() {
        if (m_pending) {
            return;
        }
        m_pending = true;
        QTimer::singleShot(0, this, [this] { OnIdle(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (IsUserInput(event->type())) {
            Schedule();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void OnIdle() {
        m_pending = false;
        if (m_updating) {
            return;
        }
        m_updating = true;
        m_frame->UpdateCommandItems();
        m_updating = false;
    }

    Frame* m_frame;
    bool m_pending = false;
    bool m_updating = false;
};

struct Frame::Impl {
    unsigned resourceId = 0;
    Document* document = nullptr;
    View* view = nullptr;
    const RuntimeClass* viewClass = nullptr;
    QToolBar* toolBar = nullptr;
    std::unique_ptr<FrameCommandBar> commandBar;
    std::unique_ptr<IdleUpdater> idle;
};

Frame::Frame() : m_impl(std::make_unique<Impl>()) {}

Frame::~Frame() {
    m_impl->idle.reset();
    // The widget goes before the rest of the frame, so that nothing in it reaches back.
    if (QWidget* widget = Widget()) {
        Detach();
        delete widget;
    }
    if (Application* app = Application::Instance()) {
        app->OnFrameDestroyed(this);
    }
}

Document* Frame::GetActiveDocument() const {
    return m_impl->document;
}

View* Frame::GetActiveView() const {
    return m_impl->view;
}

CommandBar* Frame::GetCommandBar() const {
    return m_impl->commandBar.get();
}

bool Frame::LoadFrame(unsigned resourceId, Document* document, View* view) {
    m_impl->view = view;
    m_impl->viewClass = nullptr;
    return Load(resourceId, document);
}

bool Frame::LoadFrame(unsigned resourceId, Document* document, const RuntimeClass& viewClass) {
    m_impl->view = nullptr;
    m_impl->viewClass = &viewClass;
    return Load(resourceId, document);
}

bool Frame::Load(unsigned resourceId, Document* document) {
    m_impl->resourceId = resourceId;
    m_impl->document = document;

    CreateStruct cs;
    cs.name = LoadString(resourceId).section(QLatin1Char('\n'), 0, 0);
    if (!PreCreateWindow(cs)) {
        return false;
    }

    auto* window = new FrameWidget(this);
    window->setContextMenuPolicy(Qt::NoContextMenu);
    window->setWindowTitle(cs.name);
    QIcon icon;
    for (const QString& path : FindIcon(resourceId)) {
        icon.addFile(path);
    }
    window->setWindowIcon(icon);

    auto* toolBar = new QToolBar(window);
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(kImageSize, kImageSize));
    toolBar->toggleViewAction()->setVisible(false);
    window->addToolBar(Qt::TopToolBarArea, toolBar);
    m_impl->toolBar = toolBar;

    auto* client = new QWidget(window);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    window->setCentralWidget(client);
    Attach(window, true, client);
    SetStyleBits(cs.style);

    if (SendMessage(kMsgCreate, 0, 0) == -1) {
        m_impl->view = nullptr;
        m_impl->commandBar.reset();
        Detach();
        delete window;
        return false;
    }

    if (cs.cx > 0 && cs.cy > 0) {
        MoveWindow(cs.x, cs.y, cs.cx, cs.cy, false);
    } else {
        SizeForView();
    }
    if (m_impl->view != nullptr) {
        m_impl->view->NotifySize();
    }

    m_impl->idle = std::make_unique<IdleUpdater>(this);
    qApp->installEventFilter(m_impl->idle.get());
    UpdateCommandItems();
    return true;
}

// The new window is as large as its command bar plus the game screen. A hidden window's
// layouts wait for the first show, so they are laid out here at once: the view has its
// size before anything is painted.
void Frame::SizeForView() {
    QWidget* window = Widget();
    QWidget* client = ClientWidget();
    auto layOut = [window, client](int width, int height) {
        window->resize(width, height);
        window->layout()->setGeometry(QRect(0, 0, width, height));
        client->layout()->setGeometry(client->rect());
    };
    layOut(kDefaultClientWidth, kDefaultClientHeight + m_impl->toolBar->sizeHint().height());
    // The command bar takes its own height, so one pass is enough; a style that adds room
    // around it gets a second.
    const Rect placed = GetClientRect();
    if (placed.Width() != kDefaultClientWidth || placed.Height() != kDefaultClientHeight) {
        layOut(window->width() + kDefaultClientWidth - placed.Width(),
               window->height() + kDefaultClientHeight - placed.Height());
    }
}

int Frame::OnCreate() {
    m_impl->commandBar = std::make_unique<FrameCommandBar>(this, m_impl->toolBar);
    if (!m_impl->commandBar->InsertMenuBar(m_impl->resourceId)) {
        return -1;
    }
    return CreateView() ? 0 : -1;
}

bool Frame::CreateView() {
    if (m_impl->view == nullptr && m_impl->viewClass != nullptr) {
        CommandTarget* object = m_impl->viewClass->create();
        auto* view = dynamic_cast<View*>(object);
        if (view == nullptr) {
            delete object;
            return false;
        }
        if (!view->Create(this, m_impl->document)) {
            delete view;
            return false;
        }
        // Made by the framework: it goes with its window.
        view->SetAutoDelete(true);
        m_impl->view = view;
        return true;
    }
    if (m_impl->view != nullptr && !m_impl->view->IsCreated()) {
        if (!m_impl->view->Create(this, m_impl->document)) {
            m_impl->view = nullptr;
            return false;
        }
    }
    return true;
}

bool Frame::PreCreateWindow(CreateStruct& /*cs*/) {
    return true;
}

bool Frame::OnCmdMsg(unsigned id, CommandUpdate* update) {
    if (m_impl->view != nullptr) {
        if (m_impl->view->OnCmdMsg(id, update)) {
            return true;
        }
    } else if (m_impl->document != nullptr && m_impl->document->OnCmdMsg(id, update)) {
        return true;
    }
    if (DispatchOwn(id, update) || FrameworkCommand(id, update)) {
        return true;
    }
    Application* app = Application::Instance();
    return app != nullptr && app->DispatchApplicationCommand(id, update);
}

// The frame carries out help itself when no table took it.
bool Frame::FrameworkCommand(unsigned id, CommandUpdate* update) {
    constexpr unsigned kIdHelp = 0xE146;
    if (id != kIdHelp) {
        return false;
    }
    if (update != nullptr) {
        update->Enable(true);
    } else {
        OnHelp();
    }
    return true;
}

void Frame::UpdateCommandItems() {
    if (!m_impl->commandBar) {
        return;
    }
    for (unsigned id : m_impl->commandBar->Commands()) {
        CommandUpdate update(id);
        // A command nobody carries out cannot be chosen.
        const bool handled = OnCmdMsg(id, &update);
        m_impl->commandBar->SetCommandEnabled(id, handled && update.IsEnabled());
    }
}

void Frame::ExecuteCommand(unsigned id) {
    SendMessage(kMsgCommand, id, 0);
}

void Frame::ScheduleCommandUpdate() {
    if (m_impl->idle) {
        m_impl->idle->Schedule();
    }
}

void Frame::OnHelp() {
    const Application* app = Application::Instance();
    const QString name = app != nullptr ? app->AppName() : GetWindowText();
    MessageBox(QStringLiteral("No help is installed for %1.").arg(name), kMbIconInformation);
}

void Frame::OnClose() {
    Document* document = GetActiveDocument();
    if (document != nullptr && !document->CanCloseFrame(this)) {
        return;
    }
    CloseFrame();
}

void Frame::CloseFrame() {
    QWidget* widget = Widget();
    if (widget == nullptr) {
        return;
    }
    widget->hide();
    const Application* app = Application::Instance();
    if (app != nullptr && app->GetMainWnd() == this) {
        QCoreApplication::quit();
    }
    // Deleting the window inside its own close event would pull it from under Qt.
    widget->deleteLater();
}

MessageResult Frame::DefWindowProc(unsigned message, WParam wParam, LParam lParam) {
    switch (message) {
        case kMsgCreate:
            return OnCreate();
        case kMsgClose:
            OnClose();
            return 0;
        case kMsgHelp:
            OnHelp();
            return 1;
        case kMsgCommand: {
            const bool handled = OnCmdMsg(static_cast<unsigned>(wParam & 0xFFFF), nullptr);
            ScheduleCommandUpdate();
            return handled ? 0 : 1;
        }
        default:
            return Window::DefWindowProc(message, wParam, lParam);
    }
}

}  // namespace platform
