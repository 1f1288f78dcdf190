// --help and --version: the real program answers on standard output and ends with 0, before
// it makes a window or touches a file; any other argument goes on to the ordinary start.

#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

using druno::CommandLineAction;

struct ParseCase {
    std::vector<std::string> arguments;
    CommandLineAction action;
};

class CommandLineParse : public testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineParse, DecidesBetweenStartHelpAndVersion) {
    EXPECT_EQ(druno::ParseCommandLine(GetParam().arguments), GetParam().action);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineParse,
    testing::Values(ParseCase{{}, CommandLineAction::Start},
                    ParseCase{{"--help"}, CommandLineAction::ShowHelp},
                    ParseCase{{"-h"}, CommandLineAction::ShowHelp},
                    ParseCase{{"--version"}, CommandLineAction::ShowVersion},
                    ParseCase{{"-v"}, CommandLineAction::ShowVersion},
                    ParseCase{{"-platform", "xcb", "--help"}, CommandLineAction::ShowHelp},
                    ParseCase{{"-v", "--help"}, CommandLineAction::ShowVersion},
                    // Anything else is the ordinary start, as it always was.
                    ParseCase{{"--helpme"}, CommandLineAction::Start},
                    ParseCase{{"-help"}, CommandLineAction::Start},
                    ParseCase{{"-V"}, CommandLineAction::Start},
                    ParseCase{{"game.txt"}, CommandLineAction::Start},
                    ParseCase{{"-platform", "offscreen"}, CommandLineAction::Start},
                    ParseCase{{""}, CommandLineAction::Start}));

struct RunCase {
    QStringList arguments;
    std::string expectedOutput;
};

class CommandLineRun : public testing::TestWithParam<RunCase> {
protected:
    // The program in a home of its own. Its platform plugin does not exist: had it made its
    // application object, let alone a window, it would end with an error instead.
    QProcess* Start(const QStringList& arguments) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
        env.insert(QStringLiteral("HOME"), m_home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral(".config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"),
                   m_home.filePath(QStringLiteral(".local/share")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        for (auto it = m_display.cbegin(); it != m_display.cend(); ++it) {
            if (it.value().isNull()) {
                env.remove(it.key());
            } else {
                env.insert(it.key(), it.value());
            }
        }
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(m_home.path());
        m_process.start(QStringLiteral(DRUNO_EXECUTABLE), arguments);
        return &m_process;
    }

    QStringList FilesInHome() const {
        QStringList files;
        QDirIterator it(m_home.path(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            files << it.next();
        }
        return files;
    }

    QTemporaryDir m_home;
    QTemporaryDir m_runtime;
    QProcess m_process;
    // Variables of the display set (a null value: removed) over the ones above.
    QMap<QString, QString> m_display;
};

TEST_P(CommandLineRun, PrintsAndEndsWithoutWindowOrFiles) {
    QProcess* druno = Start(GetParam().arguments);
    ASSERT_TRUE(druno->waitForFinished(60000)) << "the program did not end";
    EXPECT_EQ(druno->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(druno->exitCode(), 0) << druno->readAllStandardError().toStdString();
    EXPECT_EQ(druno->readAllStandardOutput().toStdString(), GetParam().expectedOutput);
    EXPECT_EQ(FilesInHome(), QStringList()) << "neither settings nor statistics are written";
}

INSTANTIATE_TEST_SUITE_P(
    Options, CommandLineRun,
    testing::Values(RunCase{{QStringLiteral("--help")}, druno::HelpText()},
                    RunCase{{QStringLiteral("-h")}, druno::HelpText()},
                    RunCase{{QStringLiteral("--version")}, "druno " DRUNO_PROJECT_VERSION "\n"},
                    RunCase{{QStringLiteral("-v")}, "druno " DRUNO_PROJECT_VERSION "\n"},
                    RunCase{{QStringLiteral("-style"), QStringLiteral("fusion"),
                             QStringLiteral("--help")},
                            druno::HelpText()}));

TEST(CommandLineHelp, NamesBothOptionsAndTheFilesInUse) {
    const std::string help = druno::HelpText();
    for (const char* part : {"Usage: druno", "-h, --help", "-v, --version", "Druno.ini",
                             "$XDG_DATA_HOME/Brantel/Druno/Druno.sta", "druno-kvo"}) {
        EXPECT_NE(help.find(part), std::string::npos) << part;
    }
}

TEST_F(CommandLineRun, VersionThatCannotBeWrittenEndsWithAnError) {
    m_process.setStandardOutputFile(QStringLiteral("/dev/full"));
    QProcess* druno = Start({QStringLiteral("--version")});
    ASSERT_TRUE(druno->waitForFinished(60000));
    EXPECT_EQ(druno->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(druno->exitCode(), 1);
}

// Without an option the program goes on to make its application: with no platform plugin to
// be had, that is where it stops, and not with an answer on standard output.
TEST_F(CommandLineRun, OtherArgumentsGoOnToTheOrdinaryStart) {
    QProcess* druno = Start({QStringLiteral("--helpme")});
    ASSERT_TRUE(druno->waitForFinished(60000));
    EXPECT_FALSE(druno->exitStatus() == QProcess::NormalExit && druno->exitCode() == 0);
    EXPECT_EQ(druno->readAllStandardOutput().toStdString(), "");
    EXPECT_NE(druno->readAllStandardError().indexOf("platform plugin"), -1);
}

// Without a display the game says so in words and ends as a failed start, whether nothing
// names a display or the one named cannot be reached; --help still answers.
TEST_F(CommandLineRun, NoDisplayIsSaidPlainly) {
    struct Case {
        QMap<QString, QString> display;
        QStringList arguments;
        int exitCode;
        const char* message;  // empty: nothing on standard error
    };
    const QMap<QString, QString> none = {{QStringLiteral("DISPLAY"), QString()},
                                         {QStringLiteral("WAYLAND_DISPLAY"), QString()},
                                         {QStringLiteral("QT_QPA_PLATFORM"), QString()},
                                         {QStringLiteral("LANGUAGE"), QStringLiteral("en")}};
    QMap<QString, QString> unreachable = none;
    unreachable.insert(QStringLiteral("DISPLAY"), QStringLiteral(":4093"));
    unreachable.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QMap<QString, QString> german = none;
    german.insert(QStringLiteral("LANGUAGE"), QStringLiteral("de"));
    QMap<QString, QString> germanUnreachable = unreachable;
    germanUnreachable.insert(QStringLiteral("LANGUAGE"), QStringLiteral("de"));
    const std::vector<Case> cases = {
        {none, {}, 1, "druno: no display found: neither DISPLAY nor WAYLAND_DISPLAY is set"},
        {none, {QStringLiteral("--help")}, 0, ""},
        {unreachable, {}, 1, "druno: cannot open a window: no display could be reached"},
        // In the desktop's language.
        {german, {}, 1, "druno: keine Anzeige gefunden: weder DISPLAY noch WAYLAND_DISPLAY"},
        {germanUnreachable, {}, 1, "druno: kein Fenster möglich: keine Anzeige war erreichbar"},
    };
    for (const Case& c : cases) {
        m_display = c.display;
        QProcess* druno = Start(c.arguments);
        ASSERT_TRUE(druno->waitForFinished(60000));
        const QByteArray errors = druno->readAllStandardError();
        EXPECT_EQ(druno->exitStatus(), QProcess::NormalExit) << errors.toStdString();
        EXPECT_EQ(druno->exitCode(), c.exitCode) << errors.toStdString();
        if (*c.message != '\0') {
            EXPECT_TRUE(errors.contains(c.message)) << errors.toStdString();
        }
        EXPECT_FALSE(errors.contains("einstall")) << errors.toStdString();
        EXPECT_EQ(FilesInHome(), QStringList()) << c.message;
    }
}

}  // namespace
