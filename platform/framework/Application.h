#pragma once

// The application base. The program's one application object derives from it and is a global,
// constructed during static initialisation before any Qt object exists. Run() creates the
// QApplication, calls InitInstance, and when it succeeds runs the message loop and calls
// ExitInstance.

#include "platform/framework/CommandTarget.h"
#include "platform/services/ProfileStore.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace platform {

class Document;
class Frame;
class SingleDocTemplate;

// The command line as the framework understands it.
struct CommandLineInfo {
    enum class Shell { FileNew, FileOpen, Nothing };
    Shell shellCommand = Shell::FileNew;
    QString fileName;
};

class Application : public CommandTarget {
public:
    explicit Application(const QString& appName);
    ~Application() override;

    static Application* Instance();

    // The whole life of the program: returns its exit code, 1 when InitInstance failed.
    // SIGTERM, SIGINT and SIGHUP end it through EndSession, with exit code 0.
    int Run(int argc, char** argv);

    // Ends the program from outside (a shutdown, a logout, Ctrl+C) as closing its main window
    // does, but without waiting for the user: open boxes and dialogs are cancelled, and none is
    // shown from then on.
    void EndSession();
    // True from the moment a termination signal comes in, before the loop has taken it.
    bool IsEndingSession() const;
    // The display has gone: no window can close any more. The main frame hears of it
    // (kMsgEndSession) and the exit step runs, so that what a close would keep is kept.
    void EndWithoutDisplay();

    virtual bool InitInstance();
    virtual int ExitInstance();

    const QString& AppName() const { return m_appName; }
    Frame* GetMainWnd() const { return m_mainWnd; }

    // Profile settings in the store named by the registry key (see ProfileStore).
    int GetProfileInt(const QString& section, const QString& key, int defaultValue) const;
    bool WriteProfileInt(const QString& section, const QString& key, int value);
    // Profile writes between these two reach the store in one update, and only when a value
    // differs from the stored one (see ProfileStore::BeginBatch).
    void BeginProfileBatch();
    bool EndProfileBatch();

    // The framework's commands kIdFileNew, kIdFileOpen and kIdAppExit.
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();

    // Carries out a command from the menu or the command bar: routes it through the main
    // frame (view, document, frame, application), then the framework's own commands.
    bool OnCmdMsg(unsigned id, CommandUpdate* update) override;

    // Platform internals: the application's own table and then the framework's commands,
    // as the frame's routing ends; and the news that a frame has gone.
    bool DispatchApplicationCommand(unsigned id, CommandUpdate* update);
    void OnFrameDestroyed(Frame* frame);

protected:
    // The framework's parts of start-up, in the order InitInstance calls them.
    void SetRegistryKey(const QString& keyName);
    bool InitApplication();
    void LoadStdProfileSettings(unsigned maxRecentFiles = 4);
    void AddDocTemplate(SingleDocTemplate* docTemplate);  // takes ownership
    void ParseCommandLine(CommandLineInfo& info) const;
    bool ProcessShellCommand(const CommandLineInfo& info);

    const QStringList& RecentFiles() const { return m_recentFiles; }
    // Puts a file at the top of the recent-file list (kept to its length, saved at exit).
    void AddToRecentFileList(const QString& path);

    // Opens the file in the document template and remembers it; null on failure.
    Document* OpenDocumentFile(const QString& path);

private:
    void SaveRecentFileList();
    QString ProfileFilePath() const;

    friend class SingleDocTemplate;
    QString m_appName;
    QString m_registryKey;
    std::optional<ProfileStore> m_profile;
    std::vector<std::unique_ptr<SingleDocTemplate>> m_templates;
    QStringList m_arguments;
    QStringList m_recentFiles;
    unsigned m_maxRecentFiles = 0;
    bool m_recentFilesChanged = false;
    Frame* m_mainWnd = nullptr;
    int m_exitCode = 0;
    bool m_endingSession = false;
    int m_cancelTurns = 0;   // of EndSession, cancelling open boxes and dialogs
    bool m_started = false;  // InitInstance succeeded: the exit step belongs to this run
};

}  // namespace platform
