// The companion's whole run once its arguments are UTF-8: what main does after reading them, and
// what a test or a fuzz target calls in-process.
#pragma once

// args[0] is the program's name, then [--dir FOLDER | --config PATH] [--classic] COMMAND ... or
// --help (cli/cli_files.h tells which files each form uses); returns the exit status (0, or 2
// after one line on stderr). Output goes to stdout and stderr.
int RunCli(int argc, char** args);
