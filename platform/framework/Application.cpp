#include "platform/framework/Application.h"

#include "platform/core/Debug.h"
#include "platform/core/File.h"
#include "platform/core/Messages.h"
#include "platform/core/TerminationSignals.h"
#include "platform/framework/Document.h"
#include "platform/framework/Frame.h"
#include "platform/framework/SingleDocTemplate.h"
#include "platform/services/MessageBox.h"
#include "platform/services/Translation.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QSettings>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include <cstdlib>
#include <optional>

namespace platform {

namespace {

Application* s_instance = nullptr;

// The process's exit code when InitInstance refused to start.
constexpr int kExitStartFailed = 1;

// The program's translations are ":/i18n/druno_<language>.qm".
const QString kTranslationName = QStringLiteral("druno");
const QString kRecentFileSection = QStringLiteral("Recent File List");

QString RecentFileKey(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

}  // namespace

namespace {

// Run is making its QApplication.
bool s_makingRunApplication = false;

// A QApplication made by anyone but Run (a test's own) means no message loop of ours will take
// the termination signals: they end the process again, as they would without us.
void ReleaseSignalsOutsideRun() {
    if (!s_makingRunApplication) {
        TerminationSignals::Release();
    }
}

}  // namespace

// Runs during static initialisation: no Qt object may be made here. A shutdown or Ctrl+C in
// the first moments of start-up is remembered from here on and ends the program as later.
Application::Application(const QString& appName) : m_appName(appName) {
    s_instance = this;
    TerminationSignals::Catch();
    qAddPreRoutine(ReleaseSignalsOutsideRun);
    SetMessageBoxHost({[this] { return m_appName; },
                       [this]() -> QWidget* {
                           const Frame* frame = GetMainWnd();
                           return frame != nullptr ? frame->Widget() : nullptr;
                       },
                       [this] { return IsEndingSession(); }});
}

Application::~Application() {
    if (s_instance == this) {
        s_instance = nullptr;
        SetMessageBoxHost({});
    }
}

bool Application::IsEndingSession() const {
    return m_endingSession || TerminationSignals::IsPending();
}

Application* Application::Instance() {
    return s_instance;
}

namespace {

// The standard error stream carries the program's debug output line by line. Qt's own notes
// (a platform plugin that cannot raise a window, a missing runtime folder) would stand between
// those lines, so they are shown only on request; Qt's critical and fatal messages always are.
void QtMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    // No platform plugin could open the display: a plain word of what is missing rather than
    // Qt's advice to reinstall, and the exit code of a start that failed.
    if (type == QtFatalMsg && text.contains(QLatin1String("platform plugin"))) {
        const QString message = TranslateBeforeStart(
            kTranslationName, "platform::Application",
            QT_TRANSLATE_NOOP("platform::Application",
                              "cannot open a window: no display could be reached through the "
                              "Qt platform plugin (see DISPLAY, WAYLAND_DISPLAY and "
                              "QT_QPA_PLATFORM)"));
        WriteStandardError("druno: " + message.toUtf8() + "\n");
        FlushDebugOutput(kExitFlushWaitMs);
        ::_exit(kExitStartFailed);
    }
    static const bool showAll = qEnvironmentVariableIsSet("DRUNO_QT_MESSAGES");
    if (type == QtCriticalMsg || type == QtFatalMsg || showAll) {
        WriteStandardError(qFormatLogMessage(type, context, text).toLocal8Bit() + '\n');
    }
    if (type == QtFatalMsg) {
        std::abort();
    }
}

// True when nothing says where windows go: no platform named on the command line or in
// QT_QPA_PLATFORM, and neither an X display nor a Wayland compositor in the environment. Qt
// would then stop the program with a fatal error.
bool HasNoDisplay(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0) {
            return false;
        }
    }
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
           qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The application whose Run is under way, while its QApplication lives on Run's stack.
Application* s_running = nullptr;

// Qt's platform plugin ends the program with exit() from inside the event loop when it loses
// its display (the X server gone, a logout). Run's stack is then never unwound: the static
// destructors would tear down windows under a QApplication that still exists, and crash. The
// program ends here instead, with the status it was given, once it has kept what a close keeps
// and its last lines are out.
void EndDuringRun(int status, void*) {
    Application* app = s_running;
    if (app == nullptr) {
        return;
    }
    s_running = nullptr;
    app->EndWithoutDisplay();
    FlushDebugOutput(kExitFlushWaitMs);
    ::_exit(status);
}

// Exit handlers run in the reverse order of their registration. This one is registered once
// the QApplication exists, before the platform plugin can end the program; and again once
// start-up is done, so that it runs before the handlers that tear down what start-up set up
// (the settings store among them), which the exit step still needs.
void CatchExitDuringRun() {
    ::on_exit(EndDuringRun, nullptr);
}

struct RunningScope {
    explicit RunningScope(Application* app) { s_running = app; }
    ~RunningScope() { s_running = nullptr; }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;
};

// Cancels every box and dialog that is open; true when there was one.
bool CancelModalWindows() {
    bool cancelled = false;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible() || !widget->isModal()) {
            continue;
        }
        cancelled = true;
        if (auto* dialog = qobject_cast<QDialog*>(widget)) {
            dialog->done(QDialog::Rejected);
        } else {
            widget->close();
        }
    }
    return cancelled;
}

}  // namespace

int Application::Run(int argc, char** argv) {
    qInstallMessageHandler(QtMessageHandler);
    // Termination signals are remembered through start-up (see the constructor) and taken
    // once the message loop runs: start-up is never cut off half-way.
    TerminationSignals::Catch();
    struct ReleaseSignals {
        ~ReleaseSignals() { TerminationSignals::Release(); }
    } const releaseSignals;
    if (HasNoDisplay(argc, argv)) {
        const QString message = TranslateBeforeStart(
            kTranslationName, "platform::Application",
            QT_TRANSLATE_NOOP("platform::Application",
                              "no display found: neither DISPLAY nor WAYLAND_DISPLAY is set; "
                              "start the game from a desktop session"));
        WriteStandardError("druno: " + message.toUtf8() + "\n");
        return kExitStartFailed;
    }
    // Qt takes its own options (-platform, -style, ...) out of argc and argv.
    s_makingRunApplication = true;
    QApplication app(argc, argv);
    s_makingRunApplication = false;
    InstallTranslations(kTranslationName);
    CatchExitDuringRun();
    const RunningScope running(this);
    std::optional<TerminationSignals> endOnSignals;
    m_arguments.clear();
    for (int i = 1; i < argc; ++i) {
        m_arguments << QString::fromLocal8Bit(argv[i]);
    }
    const bool started = InitInstance();
    m_started = started;
    if (started) {
        CatchExitDuringRun();
        endOnSignals.emplace([this] { EndSession(); });
        m_exitCode = QApplication::exec();
    }
    // The closed main frame goes before the exit step, as its window is gone by then.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The exit step belongs to a program that started: after a failed start it would store
    // what the program holds in memory over settings it never read.
    const int exitCode = started ? ExitInstance() : kExitStartFailed;
    // Documents and windows go while the application that holds them still exists.
    auto templates = std::move(m_templates);
    templates.clear();
    return exitCode;
}

bool Application::InitInstance() {
    return true;
}

int Application::ExitInstance() {
    SaveRecentFileList();
    return m_exitCode;
}

// The windows need the GUI application; without it nothing can be shown.
bool Application::InitApplication() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return false;
    }
    QCoreApplication::setApplicationName(m_appName);
    return true;
}

// Empty when the store's file may not be read or written now (see ProfileStore::IsUsable).
QString Application::ProfileFilePath() const {
    const ProfileStore store(m_registryKey.isEmpty() ? m_appName : m_registryKey, m_appName);
    return store.IsUsable() ? store.FilePath() : QString();
}

void Application::LoadStdProfileSettings(unsigned maxRecentFiles) {
    m_maxRecentFiles = maxRecentFiles;
    m_recentFiles.clear();
    m_recentFilesChanged = false;
    const QString iniPath = ProfileFilePath();
    if (iniPath.isEmpty()) {
        return;
    }
    QSettings store(iniPath, QSettings::IniFormat);
    store.beginGroup(kRecentFileSection);
    for (int i = 0; i < static_cast<int>(maxRecentFiles); ++i) {
        const QString path = store.value(RecentFileKey(i)).toString();
        if (!path.isEmpty()) {
            m_recentFiles << path;
        }
    }
}

void Application::AddToRecentFileList(const QString& path) {
    if (m_maxRecentFiles == 0 || path.isEmpty()) {
        return;
    }
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > static_cast<int>(m_maxRecentFiles)) {
        m_recentFiles.removeLast();
    }
    m_recentFilesChanged = true;
}

// Only a list that changed is written, so a plain run leaves the store as it was.
void Application::SaveRecentFileList() {
    if (!m_recentFilesChanged) {
        return;
    }
    const QString iniPath = ProfileFilePath();
    if (iniPath.isEmpty()) {
        return;
    }
    QSettings store(iniPath, QSettings::IniFormat);
    store.remove(kRecentFileSection);
    store.beginGroup(kRecentFileSection);
    for (int i = 0; i < m_recentFiles.size(); ++i) {
        store.setValue(RecentFileKey(i), m_recentFiles.at(i));
    }
    store.endGroup();
    store.sync();
    m_recentFilesChanged = false;
}

void Application::AddDocTemplate(SingleDocTemplate* docTemplate) {
    if (docTemplate != nullptr) {
        m_templates.emplace_back(docTemplate);
    }
}

// Qt has already taken its own options out; of the rest, a first argument that is not an
// option names a file to open.
void Application::ParseCommandLine(CommandLineInfo& info) const {
    info = CommandLineInfo{};
    for (const QString& argument : m_arguments) {
        if (argument.startsWith(QLatin1Char('-'))) {
            continue;
        }
        info.shellCommand = CommandLineInfo::Shell::FileOpen;
        info.fileName = argument;
        return;
    }
}

bool Application::ProcessShellCommand(const CommandLineInfo& info) {
    switch (info.shellCommand) {
        case CommandLineInfo::Shell::FileNew:
            OnFileNew();
            return m_mainWnd != nullptr;
        case CommandLineInfo::Shell::FileOpen:
            return OpenDocumentFile(info.fileName) != nullptr;
        case CommandLineInfo::Shell::Nothing:
            return true;
    }
    return false;
}

Document* Application::OpenDocumentFile(const QString& path) {
    if (m_templates.empty()) {
        return nullptr;
    }
    Document* document = m_templates.front()->OpenDocumentFile(&path);
    if (document != nullptr) {
        AddToRecentFileList(path);
    }
    return document;
}

void Application::OnFileNew() {
    if (!m_templates.empty()) {
        m_templates.front()->OpenDocumentFile(nullptr);
    }
}

void Application::OnFileOpen() {
    QWidget* parent = m_mainWnd != nullptr ? m_mainWnd->Widget() : nullptr;
    const QString path = QFileDialog::getOpenFileName(
        parent, QCoreApplication::translate("platform::Application", "Open"));
    if (!path.isEmpty()) {
        OpenDocumentFile(path);
    }
}

// Each open box and dialog is cancelled first: the code that opened it goes on as after a
// Cancel, and the main frame's close waits until that has happened. A window that will not go
// holds the close up a few turns of the event loop at most.
//
// A file lock waited for keeps the windows painted meanwhile; the close, which may count a
// running round into that very file, waits until the wait is over.
void Application::EndSession() {
    constexpr int kMaxCancelTurns = 10;
    m_endingSession = true;
    if (IsWaitingForLock()) {
        QTimer::singleShot(0, QCoreApplication::instance(), [this] { EndSession(); });
        return;
    }
    if (CancelModalWindows() && ++m_cancelTurns <= kMaxCancelTurns) {
        QTimer::singleShot(0, QCoreApplication::instance(), [this] { EndSession(); });
        return;
    }
    if (m_mainWnd != nullptr && m_mainWnd->Widget() != nullptr) {
        m_mainWnd->SendMessage(kMsgClose, 0, 0);
    }
    // Not even a frame that refuses to close may hold up a shutdown.
    QCoreApplication::quit();
}

void Application::EndWithoutDisplay() {
    m_endingSession = true;
    if (!m_started) {
        return;
    }
    if (m_mainWnd != nullptr) {
        m_mainWnd->SendMessage(kMsgEndSession, 1, 0);
    }
    ExitInstance();
}

// Exit asks the main frame to close, as its close box would.
void Application::OnAppExit() {
    if (m_mainWnd != nullptr && m_mainWnd->Widget() != nullptr) {
        m_mainWnd->Widget()->close();
    }
}

void Application::SetRegistryKey(const QString& keyName) {
    m_registryKey = keyName;
    m_profile.emplace(keyName, m_appName);
}

// Before a registry key is set, the application's name names the store.
int Application::GetProfileInt(const QString& section, const QString& key, int defaultValue) const {
    if (m_profile) {
        return m_profile->GetProfileInt(section, key, defaultValue);
    }
    return ProfileStore(m_appName, m_appName).GetProfileInt(section, key, defaultValue);
}

bool Application::WriteProfileInt(const QString& section, const QString& key, int value) {
    if (m_profile) {
        return m_profile->WriteProfileInt(section, key, value);
    }
    return ProfileStore(m_appName, m_appName).WriteProfileInt(section, key, value);
}

// Before a registry key is set, writes go one by one.
void Application::BeginProfileBatch() {
    if (m_profile) {
        m_profile->BeginBatch();
    }
}

bool Application::EndProfileBatch() {
    return m_profile ? m_profile->EndBatch() : true;
}

bool Application::OnCmdMsg(unsigned id, CommandUpdate* update) {
    if (m_mainWnd != nullptr) {
        return m_mainWnd->OnCmdMsg(id, update);
    }
    return DispatchApplicationCommand(id, update);
}

bool Application::DispatchApplicationCommand(unsigned id, CommandUpdate* update) {
    if (DispatchOwn(id, update)) {
        return true;
    }
    void (Application::*command)() = nullptr;
    switch (id) {
        case kIdFileNew:
            command = &Application::OnFileNew;
            break;
        case kIdFileOpen:
            command = &Application::OnFileOpen;
            break;
        case kIdAppExit:
            command = &Application::OnAppExit;
            break;
        default:
            return false;
    }
    if (update != nullptr) {
        update->Enable(true);
    } else {
        (this->*command)();
    }
    return true;
}

void Application::OnFrameDestroyed(Frame* frame) {
    if (m_mainWnd == frame) {
        m_mainWnd = nullptr;
    }
    for (const auto& docTemplate : m_templates) {
        if (docTemplate->m_frame == frame) {
            docTemplate->m_frame = nullptr;
        }
    }
}

}  // namespace platform
