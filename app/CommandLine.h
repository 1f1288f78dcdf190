#pragma once

// The two options the game answers itself, before any window or setting is touched: --help
// and --version. Every other argument goes on to the ordinary start.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace druno {

enum class CommandLineAction { Start, ShowHelp, ShowVersion };

// The first of -h/--help or -v/--version among the arguments decides; without either the
// game starts as always. Qt's own options (-platform, -style, ...) pass through untouched.
CommandLineAction ParseCommandLine(const std::vector<std::string>& arguments);

// The texts printed for --help and --version, each ending in a newline.
std::string HelpText();
std::string VersionText();

// For main(): prints the help or the version to `out` and gives the exit code to end with
// there (0, or 1 when the text could not be written); nothing when the game is to start.
std::optional<int> AnswerInfoOption(int argc, char** argv, std::FILE* out);

}  // namespace druno
