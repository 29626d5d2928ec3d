#pragma once

#include <string>
#include <vector>

struct ProgramResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a program with arguments (no shell), optionally feeding standard input.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input = std::string());
