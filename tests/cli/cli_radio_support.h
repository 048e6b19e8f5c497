#pragma once
// radio-sim and rk36 as child processes on a pseudo-terminal, and a fixture
// with a private folder and data files whose every area has content.

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <poll.h>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "image/dc_DataFile.h"
#include "image/dc_Map36.h"
#include "model/dc_MessageBox.h"
#include "model/dc_RKmem.h"
#include "support/FileBytes.h"
#include "support/ScratchFolder.h"

extern char** environ;

namespace fs = std::filesystem;

namespace cli_radio_support {

const std::string kRk36 = RK36_BINARY_DIR "/src/rk36";
const std::string kRadioSim = RK36_BINARY_DIR "/tools/radio-sim/radio-sim";

// A child process with its standard output on a pipe.
class TChild {
  public:
    explicit TChild(const std::vector<std::string>& args, const fs::path& errFile = "/dev/null") {
        int fds[2];
        if (pipe(fds) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        std::vector<char*> argv;
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        out_ = fds[0];
    }
    ~TChild() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            Wait();
        }
        if (out_ >= 0) close(out_);
    }

    // The first line of output, within a few seconds.
    std::string FirstLine() {
        std::string line;
        char c = 0;
        pollfd p{out_, POLLIN, 0};
        while (poll(&p, 1, 5000) > 0 && read(out_, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }
    void Signal(int sig) {
        if (pid_ > 0) kill(pid_, sig);
    }
    // The exit status, or -1 when the child has not ended within `ms`.
    int WaitFor(int ms) {
        for (int waited = 0; pid_ > 0 && waited < ms; waited += 10) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            usleep(10'000);
        }
        return -1;
    }
    int Wait() {
        int status = 0;
        if (pid_ > 0 && waitpid(pid_, &status, 0) == pid_) pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
    int out_ = -1;
};

class CliRadioTest : public ::testing::Test {
  protected:
    fs::path Path(const std::string& name) const { return dir_ / name; }

    // A new configuration saved over random bytes, so every area has content;
    // `plausible` gives it the identity copy a radio has.
    fs::path DataFile(const std::string& name, uint32_t seed, TRKmem* model = nullptr,
                      bool plausible = false) const {
        std::mt19937 rng(seed);
        TMap36 image;
        for (auto& b : image.Buf)
            b = static_cast<uint8_t>(rng());
        TRKmem m;
        m.SetNewConfiguration();
        m.ProductType = "TR-2200";
        m.SerialNumber = "--------";
        TScopedMessages quiet;
        EXPECT_TRUE(SaveDataFile(Path(name), m, image)) << (quiet.Texts().empty() ? "" : quiet.Texts()[0]);
        if (plausible) {
            SealIdentityCopy(image);
            EXPECT_TRUE(WriteDataFile(Path(name), image));
        }
        if (model) {
            EXPECT_TRUE(LoadDataFile(Path(name), *model, image));
        }
        return Path(name);
    }

    std::unique_ptr<TChild> StartRk36(const std::vector<std::string>& args) const {
        std::vector<std::string> all{kRk36};
        all.insert(all.end(), args.begin(), args.end());
        return std::make_unique<TChild>(all, Path("rk36.err"));
    }
    int Rk36(const std::vector<std::string>& args) const {
        std::vector<std::string> all{kRk36};
        all.insert(all.end(), args.begin(), args.end());
        TChild child(all, Path("rk36.err"));
        return child.Wait();
    }
    std::string Err() const { return ReadFileBytes(Path("rk36.err")); }

    TScratchFolder dir_{"rk36-cliradio"};
};

} // namespace cli_radio_support

using namespace cli_radio_support;
