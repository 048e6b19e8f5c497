#pragma once
// Runs the built `rk36` as a user would, from a shell in a scratch folder,
// and keeps what it printed.

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/FileBytes.h"
#include "support/ScratchFolder.h"

struct TCliRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// One word for the shell, whatever it holds.
inline std::string ShellQuote(const std::string& arg) {
    std::string q = "'";
    for (const char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// `args` are shell words, quoted where they need it; they run in `dir`, and
// standard output and error land in its files "stdout" and "stderr".
inline TCliRun RunRk36(const TScratchFolder& dir, const std::string& args) {
    const std::string folder = ShellQuote(dir.Path().string());
    const std::string cmd = "cd " + folder + " && " + ShellQuote(RK36_BINARY_DIR "/src/rk36") + " " + args +
                            " >" + ShellQuote((dir / "stdout").string()) + " 2>" +
                            ShellQuote((dir / "stderr").string());
    const int raw = std::system(cmd.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes(dir / "stdout"),
            ReadFileBytes(dir / "stderr")};
}

inline TCliRun RunRk36(const TScratchFolder& dir, const std::vector<std::string>& args) {
    std::string words;
    for (const auto& a : args)
        words += (words.empty() ? "" : " ") + ShellQuote(a);
    return RunRk36(dir, words);
}
