// The program's command line: what `velmarion` accepts, its help and version
// texts, and the refusal of anything else.
#pragma once

#include <string>
#include <vector>

namespace vm::ui {

inline constexpr const char* kProgramVersion = "0.1.0";

struct CommandLine {
    enum class Action {
        windows,  // no options: open the main window (with `design_file`, that design)
        tour,     // --tour DIR: render every window to PNG into DIR
        help,     // print the help on stdout, exit 0
        version,  // print the version on stdout, exit 0
        refuse,   // print `error` and the usage on stderr, exit 2
    };
    Action action = Action::windows;
    std::string tour_dir;
    std::string design_file;  // `velmarion FILE`: a saved design to open
    std::string error;
};

// Reads the arguments after the program name.
CommandLine parse_command_line(const std::vector<std::string>& args);

// The help text printed by --help, ending in a newline.
std::string help_text();
// One line: the program and its version, and the Qt it runs on.
std::string version_text(const char* qt_version);

}  // namespace vm::ui
