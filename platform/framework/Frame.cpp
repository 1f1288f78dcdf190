#include "platform/framework/Frame.h"

#include "platform/core/Messages.h"
#include "platform/core/Resources.h"
#include "platform/framework/Application.h"
#include "platform/framework/Document.h"
#include "platform/framework/FrameCommandBar.h"
#include "platform/framework/FrameKeys.h"
#include "platform/framework/HelpWindow.h"
#include "platform/framework/RuntimeClass.h"
#include "platform/framework/View.h"
#include "platform/graphics/QtGeometry.h"
#include "platform/graphics/Screen.h"
#include "platform/services/MessageBox.h"
#include "platform/services/Strings.h"
#include "platform/services/Translation.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QIcon>
#include <QLayout>
#include <QMainWindow>
#include <QPointer>
#include <QResizeEvent>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace platform {

namespace {

// A frame placed so that less of it than this shows on the work area is lost to the player.
constexpr int kMinVisible = 48;

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
    void resizeEvent(QResizeEvent* event) override {
        QMainWindow::resizeEvent(event);
        m_frame->ArrangeSidePanel();
    }

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

// The frame as its command bar sees it.
class FrameBarHost final : public CommandBarHost {
public:
    explicit FrameBarHost(Frame* frame) : m_frame(frame) {}
    bool IsBarCommandEnabled(unsigned command) override {
        return m_frame->IsCommandEnabled(command);
    }
    void SendBarMessage(unsigned message, unsigned wParam) override {
        m_frame->SendMessage(message, wParam, 0);
    }
    void UpdateBarItems() override { m_frame->UpdateCommandItems(); }
    QWidget* BarWindow() const override { return m_frame->Widget(); }

private:
    Frame* m_frame;
};

// The side panel's text grows with the game screen: while the view shows its layout enlarged,
// the panel's font is enlarged by the same factor; at the layout's own size the panel has the
// desktop's font.
class SidePanelFont : public QObject {
public:
    SidePanelFont(QWidget* view, QWidget* panel) : QObject(panel), m_panel(panel) {
        view->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            // The view is looked up each time: the panel may outlive it.
            if (const auto* view =
                    dynamic_cast<const View*>(Window::FromWidget(static_cast<QWidget*>(watched)))) {
                Follow(view->Scale().Factor());
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Follow(double factor) {
        if (factor == m_factor) {
            return;
        }
        m_factor = factor;
        if (factor == 1.0) {
            m_panel->setFont(QFont());
            return;
        }
        QFont font = QApplication::font(m_panel);
        if (font.pointSizeF() > 0) {
            font.setPointSizeF(font.pointSizeF() * factor);
        } else {
            font.setPixelSize(static_cast<int>(font.pixelSize() * factor + 0.5));
        }
        m_panel->setFont(font);
    }

    QWidget* m_panel;
    double m_factor = 1.0;
};

struct Frame::Impl {
    explicit Impl(Frame* frame) : barHost(frame) {}
    unsigned resourceId = 0;
    Document* document = nullptr;
    View* view = nullptr;
    const RuntimeClass* viewClass = nullptr;
    QToolBar* toolBar = nullptr;
    QSplitter* splitter = nullptr;
    Window* sidePanel = nullptr;
    // The panel's width beside the client area: its last width there, or the one it is to
    // have when shown again.
    int sidePanelWidth = 0;
    // The panel stands below the client area (a tall, narrow window).
    bool panelBelow = false;
    // What assistive technology calls the divider in either arrangement.
    QString dividerBeside;
    QString dividerBelow;
    bool sized = false;
    std::optional<FramePlacement> pendingPlacement;
    FrameBarHost barHost;
    std::unique_ptr<FrameCommandBar> commandBar;
    std::unique_ptr<IdleUpdater> idle;
    std::unique_ptr<FrameKeyRouter> keys;
    std::unique_ptr<HelpWindow> help;

    // The client size the view is laid out for; empty without a view or a layout.
    QSize ScreenSize() const { return view != nullptr ? view->GetLayoutSize() : QSize(); }
};

Frame::Frame() : m_impl(std::make_unique<Impl>(this)) {}

Frame::~Frame() {
    m_impl->idle.reset();
    m_impl->keys.reset();
    m_impl->help.reset();
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
    toolBar->setIconSize(QSize(kButtonImageSize, kButtonImageSize));
    toolBar->toggleViewAction()->setVisible(false);
    window->addToolBar(Qt::TopToolBarArea, toolBar);
    m_impl->toolBar = toolBar;

    // The client area takes what the window gains; a side panel keeps its width.
    auto* splitter = new KeyboardSplitter(window);
    auto* client = new QWidget(splitter);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    splitter->addWidget(client);
    splitter->setCollapsible(0, false);
    splitter->setStretchFactor(0, 1);
    // The width the player gives the side panel is the one it comes back to beside the client
    // area; a narrower window squeezing it changes nothing.
    QObject::connect(splitter, &QSplitter::splitterMoved, splitter, [this] {
        if (m_impl->sidePanel != nullptr && !m_impl->panelBelow && SidePanelWidth() > 0) {
            m_impl->sidePanelWidth = SidePanelWidth();
        }
    });
    window->setCentralWidget(splitter);
    m_impl->splitter = splitter;
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
    m_impl->sized = true;
    if (m_impl->pendingPlacement) {
        ApplyPlacement(*m_impl->pendingPlacement);
        m_impl->pendingPlacement.reset();
    }
    if (m_impl->view != nullptr) {
        m_impl->view->NotifySize();
    }

    m_impl->idle = std::make_unique<IdleUpdater>(this);
    qApp->installEventFilter(m_impl->idle.get());
    m_impl->keys = std::make_unique<FrameKeyRouter>(this);
    qApp->installEventFilter(m_impl->keys.get());
    UpdateCommandItems();
    return true;
}

// The new window is as large as its command bar plus the view's layout, and its side panel.
// A view without a layout gets the room the window's contents ask for.
void Frame::SizeForView() {
    QWidget* window = Widget();
    const int panel = m_impl->sidePanel != nullptr ? m_impl->sidePanelWidth : 0;
    const QSize screen = m_impl->ScreenSize();
    if (screen.isEmpty()) {
        const QSize hint = window->sizeHint();
        LayOut(hint.width(), hint.height(), panel);
        return;
    }
    const int divider = panel > 0 ? m_impl->splitter->handleWidth() : 0;
    LayOut(screen.width() + divider + panel, screen.height() + m_impl->toolBar->sizeHint().height(),
           panel);
    // The command bar takes its own height, so one pass is enough; a style that adds room
    // around it gets a second.
    const Rect placed = GetClientRect();
    if (placed.Width() != screen.width() || placed.Height() != screen.height()) {
        LayOut(window->width() + screen.width() - placed.Width(),
               window->height() + screen.height() - placed.Height(), panel);
    }
}

// A hidden window's layouts wait for the first show, so they are laid out here at once: the
// view has its size before anything is painted.
void Frame::LayOut(int width, int height, int sidePanelWidth) {
    QWidget* window = Widget();
    QWidget* client = ClientWidget();
    window->resize(width, height);
    window->layout()->setGeometry(QRect(0, 0, width, height));
    // The divider places its parts only on resize events, which a hidden window has not had.
    QSplitter* splitter = m_impl->splitter;
    if (m_impl->sidePanel != nullptr) {
        // A hidden panel stays where it was, so that showing it again brings it back there.
        if (sidePanelWidth > 0) {
            m_impl->sidePanelWidth = sidePanelWidth;
            m_impl->panelBelow = WantsPanelBelow();
        }
        SizeSplitterParts(sidePanelWidth > 0);
    } else {
        splitter->setSizes({splitter->width()});
    }
    client->layout()->setGeometry(client->rect());
}

// A window taller than wide that has no room for the view's layout at its own size with the
// panel beside it (a phone held upright) shows the panel below the client area.
bool Frame::WantsPanelBelow() const {
    const QWidget* window = Widget();
    const QWidget* panel = m_impl->sidePanel->Widget();
    const int panelWidth = std::max(m_impl->sidePanelWidth, panel->minimumSizeHint().width());
    const int besides = m_impl->ScreenSize().width() + m_impl->splitter->handleWidth() + panelWidth;
    return window->height() > window->width() && window->width() < besides;
}

// Beside the client area the panel keeps its width and the client area takes the rest.
// Below it, the client area is as high as the view's layout scaled to the full width, and the
// panel takes the rest.
void Frame::SizeSplitterParts(bool panelShown) {
    QSplitter* splitter = m_impl->splitter;
    const Qt::Orientation orientation = m_impl->panelBelow ? Qt::Vertical : Qt::Horizontal;
    if (splitter->orientation() != orientation) {
        splitter->setOrientation(orientation);
        NameDivider();
    }
    if (!panelShown) {
        splitter->setSizes({m_impl->panelBelow ? splitter->height() : splitter->width(), 0});
        return;
    }
    const int divider = splitter->handleWidth();
    if (!m_impl->panelBelow) {
        const int panel = m_impl->sidePanelWidth;
        splitter->setSizes({std::max(1, splitter->width() - divider - panel), panel});
        return;
    }
    const QSize layout = m_impl->ScreenSize();
    const int full = splitter->height() - divider;
    const int client =
        layout.isEmpty()
            ? full / 2
            : (splitter->width() * layout.height() + layout.width() / 2) / layout.width();
    const int clientHeight = std::clamp(client, 1, std::max(1, full));
    splitter->setSizes({clientHeight, full - clientHeight});
}

// A new window size may move the panel below the client area or back beside it; below it,
// the client area keeps the full width.
void Frame::ArrangeSidePanel() {
    if (m_impl->sidePanel == nullptr || m_impl->splitter == nullptr) {
        return;
    }
    if (!IsSidePanelShown()) {
        return;
    }
    const bool below = WantsPanelBelow();
    if (below == m_impl->panelBelow && !below) {
        return;
    }
    m_impl->panelBelow = below;
    SizeSplitterParts(true);
}

void Frame::AttachSidePanel(Window* panel, int width) {
    if (panel == nullptr || panel->Widget() == nullptr || m_impl->splitter == nullptr) {
        return;
    }
    m_impl->splitter->addWidget(panel->Widget());
    m_impl->splitter->setCollapsible(1, true);
    m_impl->splitter->setStretchFactor(1, 0);
    m_impl->sidePanel = panel;
    m_impl->sidePanelWidth = std::max(0, width);
    if (m_impl->view != nullptr && m_impl->view->Widget() != nullptr) {
        new SidePanelFont(m_impl->view->Widget(), panel->Widget());
    }
}

void Frame::SetSidePanelDividerName(const QString& beside, const QString& below) {
    m_impl->dividerBeside = beside;
    m_impl->dividerBelow = below;
    NameDivider();
}

void Frame::NameDivider() {
    if (m_impl->sidePanel == nullptr) {
        return;
    }
    QSplitter* splitter = m_impl->splitter;
    if (QSplitterHandle* divider =
            splitter->handle(splitter->indexOf(m_impl->sidePanel->Widget()))) {
        divider->setAccessibleName(m_impl->panelBelow ? m_impl->dividerBelow
                                                      : m_impl->dividerBeside);
    }
}

// Below the client area the panel has the width it is to have beside it again.
int Frame::SidePanelWidth() const {
    if (!IsSidePanelShown()) {
        return 0;
    }
    if (m_impl->panelBelow) {
        return m_impl->sidePanelWidth;
    }
    return m_impl->splitter->sizes().at(1);
}

bool Frame::IsSidePanelShown() const {
    if (m_impl->sidePanel == nullptr) {
        return false;
    }
    const QList<int> sizes = m_impl->splitter->sizes();
    return sizes.size() > 1 && sizes.at(1) > 0;
}

// The window grows by the panel and its divider and shrinks by them again, so the game screen
// keeps its size; a maximised window gives their room to the game screen.
void Frame::ShowSidePanel(bool shown) {
    QWidget* window = Widget();
    if (m_impl->sidePanel == nullptr || window == nullptr || shown == IsSidePanelShown()) {
        return;
    }
    QWidget* panel = m_impl->sidePanel->Widget();
    // A panel pushed out of sight by the divider is there at no width, its divider still shown.
    const int divider = panel->isHidden() ? 0 : m_impl->splitter->handleWidth();
    const int current = SidePanelWidth();
    const bool below = m_impl->panelBelow;
    int width = window->width();
    if (shown) {
        if (m_impl->sidePanelWidth <= 0) {
            m_impl->sidePanelWidth = panel->sizeHint().width();
        }
        panel->show();
        width += m_impl->sidePanelWidth + m_impl->splitter->handleWidth() - divider;
    } else {
        if (!below) {
            m_impl->sidePanelWidth = current;
        }
        panel->hide();
        width -= current + divider;
    }
    // The window's least size follows its layout, which has yet to hear of the panel.
    m_impl->splitter->updateGeometry();
    window->layout()->invalidate();
    window->layout()->activate();
    // Below the client area the panel takes its room from the client area's height instead.
    const bool fixed =
        below || (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0;
    LayOut(fixed ? window->width() : width, window->height(), shown ? m_impl->sidePanelWidth : 0);
    if (m_impl->view != nullptr) {
        m_impl->view->NotifySize();
    }
}

FramePlacement Frame::GetPlacement() const {
    const QWidget* window = Widget();
    if (window == nullptr) {
        return {};
    }
    return {window->x(), window->y(), window->width(), window->height(), SidePanelWidth()};
}

void Frame::SetPlacement(const FramePlacement& placement) {
    if (Widget() == nullptr || !m_impl->sized) {
        // Still being created: the default size comes first.
        m_impl->pendingPlacement = placement;
        return;
    }
    ApplyPlacement(placement);
}

void Frame::ApplyPlacement(const FramePlacement& placement) {
    QWidget* window = Widget();
    const Rect work = GetWorkArea();
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    const int width =
        std::clamp(placement.width, least.width(), std::max(least.width(), work.Width()));
    const int height =
        std::clamp(placement.height, least.height(), std::max(least.height(), work.Height()));
    const QRect shown = QRect(placement.x, placement.y, width, height) & ToQRect(work);
    if (CanPlaceWindows() && shown.width() >= kMinVisible && shown.height() >= kMinVisible &&
        placement.y >= work.top) {
        window->move(placement.x, placement.y);
    }
    // The side panel never squeezes the client area below half the view's layout.
    const int divider = m_impl->splitter->handleWidth();
    const int widest = std::max(0, width - divider - m_impl->ScreenSize().width() / 2);
    LayOut(width, height, std::clamp(placement.sidePanelWidth, 0, widest));
    if (m_impl->view != nullptr) {
        m_impl->view->NotifySize();
    }
}

int Frame::OnCreate() {
    m_impl->commandBar = std::make_unique<FrameCommandBar>(&m_impl->barHost, m_impl->toolBar);
    if (!m_impl->commandBar->InsertMenuBar(m_impl->resourceId)) {
        return -1;
    }
    return CreateView() ? 0 : -1;
}

bool Frame::CreateView() {
    if (m_impl->view == nullptr && m_impl->viewClass != nullptr) {
        std::unique_ptr<View> view = CreateObject<View>(*m_impl->viewClass);
        if (!view || !view->Create(this, m_impl->document)) {
            return false;
        }
        // Made by the framework: it goes with its window.
        view->SetAutoDelete(true);
        m_impl->view = view.release();
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
        if (handled && update.IsMarked()) {
            m_impl->commandBar->SetCommandMark(id, update.GetCheck(), update.IsRadio());
        }
    }
}

bool Frame::IsCommandEnabled(unsigned id) {
    CommandUpdate update(id);
    const bool handled = OnCmdMsg(id, &update);
    return handled && update.IsEnabled();
}

bool Frame::IsCommandChecked(unsigned id) {
    CommandUpdate update(id);
    return OnCmdMsg(id, &update) && update.IsMarked() && update.GetCheck() != 0;
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
    if (!m_impl->help) {
        m_impl->help = std::make_unique<HelpWindow>();
    }
    const QString page = LocalizedResourcePath(QStringLiteral(":/help/%1.html").arg(name));
    if (!m_impl->help->Open(page, name)) {
        m_impl->help.reset();
        MessageBox(QCoreApplication::translate("platform::Frame", "No help is installed for %1.")
                       .arg(name),
                   kMbIconInformation);
    }
}

HelpWindow* Frame::GetHelpWindow() const {
    return m_impl->help && m_impl->help->IsWindowVisible() ? m_impl->help.get() : nullptr;
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
    // Help on a program that has gone would only puzzle.
    m_impl->help.reset();
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
