#include "support/run_program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

// Input and both outputs go through files: nothing to drain while the program runs.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& input) {
    static std::atomic<int> serial{0};
    const fs::path base =
        fs::temp_directory_path() / ("keelmark-run-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    const std::string files[3] = {base.string() + ".in", base.string() + ".out", base.string() + ".err"};
    std::ofstream(files[0], std::ios::binary) << input;
    ProgramResult result;
    const pid_t pid = fork();
    if (pid == 0) {
        for (int fd = 0; fd < 3; ++fd) {
            const int file = open(files[fd].c_str(), fd == 0 ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (file < 0 || dup2(file, fd) < 0) _exit(127);
            close(file);
        }
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    if (pid > 0) waitpid(pid, &status, 0);
    result.status = pid > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::string* outputs[3] = {nullptr, &result.out, &result.err};
    for (int i = 0; i < 3; ++i) {
        if (outputs[i]) {
            std::ostringstream text;
            text << std::ifstream(files[i], std::ios::binary).rdbuf();
            *outputs[i] = text.str();
        }
        std::error_code ec;
        fs::remove(files[i], ec);
    }
    return result;
}
