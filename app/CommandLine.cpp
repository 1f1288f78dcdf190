#include "app/CommandLine.h"

#include "platform/services/Translation.h"

namespace druno {

CommandLineAction ParseCommandLine(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "-h" || argument == "--help") {
            return CommandLineAction::ShowHelp;
        }
        if (argument == "-v" || argument == "--version") {
            return CommandLineAction::ShowVersion;
        }
    }
    return CommandLineAction::Start;
}

std::string HelpText() {
    // Answered before the application object exists, in the desktop's language.
    return platform::TranslateBeforeStart(
               QStringLiteral("druno"), "CommandLine",
               QT_TRANSLATE_NOOP(
                   "CommandLine",
                   "Usage: druno [OPTION]\n"
                   "Guess the secret number of three different digits in ten attempts.\n"
                   "\n"
                   "  -h, --help     show this help and exit\n"
                   "  -v, --version  show the version and exit\n"
                   "\n"
                   "Without an option the game starts in its window. Qt's standard options\n"
                   "(-platform, -style, ...) are understood too.\n"
                   "\n"
                   "Settings:   $XDG_CONFIG_HOME/Brantel/Druno.ini (~/.config/Brantel/Druno.ini)\n"
                   "Statistics: Druno.sta next to the program, or where that folder cannot be\n"
                   "            written, $XDG_DATA_HOME/Brantel/Druno/Druno.sta\n"
                   "            (~/.local/share/Brantel/Druno/Druno.sta)\n"
                   "Trace:      on standard error, and to the trace viewer druno-kvo when it runs\n"
                   "\n"
                   "See druno(6) and druno-kvo(6).\n"))
        .toStdString();
}

std::string VersionText() {
    return "druno " DRUNO_VERSION "\n";
}

std::optional<int> AnswerInfoOption(int argc, char** argv, std::FILE* out) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    std::string text;
    switch (ParseCommandLine(arguments)) {
        case CommandLineAction::Start:
            return std::nullopt;
        case CommandLineAction::ShowHelp:
            text = HelpText();
            break;
        case CommandLineAction::ShowVersion:
            text = VersionText();
            break;
    }
    // A full disk or a closed pipe is worth an exit code: scripts read these texts.
    const bool written = std::fputs(text.c_str(), out) >= 0 && std::fflush(out) == 0;
    return written ? 0 : 1;
}

}  // namespace druno
