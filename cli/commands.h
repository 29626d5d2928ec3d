#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Exit statuses of the command-line tool.
enum ExitStatus { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// Runs the tool with its arguments (without the program name); the JSON
// document goes to out, one-line errors to err.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
