// `velmarion export ...`: the course-design export from the command line,
// without windows.
#pragma once

namespace vm {

// True when the command line asks for the export (its first argument is "export").
bool is_export_command(int argc, char** argv);

// Runs it; needs a Qt application object. Exit status: 0 when every file was
// written, 1 when something could not be exported or written, 2 for bad arguments.
int run_export_command(int argc, char** argv);

}  // namespace vm
