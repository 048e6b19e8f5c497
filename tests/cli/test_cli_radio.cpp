// `rk36 read` and `rk36 write` against radio-sim on a pseudo-terminal, in
// real time: the serial driver, the protocol and both programs end to end.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <poll.h>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "link/U_Radio36.h"
#include "link/dc_RsDrv.h"

#include "image/dc_DataFile.h"
#include "image/dc_Map36.h"
#include "model/dc_MessageBox.h"
#include "model/dc_RKmem.h"
#include "support/FileBytes.h"
#include "support/ScratchFolder.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

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

} // namespace

TEST_F(CliRadioTest, ReadSavesWhatTheRadioHolds) {
    const fs::path radioFile = DataFile("radio.k36", 1);
    TChild sim({kRadioSim, "--image", radioFile.string(), "--once"});
    const std::string port = sim.FirstLine();
    ASSERT_TRUE(port.starts_with("/dev/")) << port;

    ASSERT_EQ(Rk36({"read", port, "-o", Path("read.k36").string(), "--trace", Path("trace.txt").string()}), 0)
        << Err();
    EXPECT_EQ(sim.Wait(), 0);
    EXPECT_NE(Err().find("Upload is completed"), std::string::npos) << Err();

    // Main memory 0x8000..0xB1FF and auxiliary memory in place, nothing else.
    const std::string radio = ReadFileBytes(radioFile), read = ReadFileBytes(Path("read.k36"));
    ASSERT_EQ(read.size(), 32768u);
    EXPECT_EQ(read.substr(0, 0x4100), radio.substr(0, 0x4100));
    EXPECT_EQ(read.substr(0x4100), std::string(32768 - 0x4100, '\0'));
    const std::string trace = ReadFileBytes(Path("trace.txt"));
    EXPECT_NE(trace.find(" tx da 00 c0 ff 00 01 00 "), std::string::npos);
}

TEST_F(CliRadioTest, WriteFillsTheRadioAndKeepsItsIdentity) {
    const fs::path radioFile = DataFile("radio.k36", 2, nullptr, true);
    TRKmem model;
    const fs::path file = DataFile("file.k36", 3, &model);
    TChild sim({kRadioSim, "--image", radioFile.string(), "--once", "--save", Path("after.k36").string()});
    const std::string port = sim.FirstLine();
    ASSERT_TRUE(port.starts_with("/dev/")) << port;

    ASSERT_EQ(Rk36({"write", port, file.string()}), 0) << Err();
    ASSERT_EQ(sim.Wait(), 0);
    EXPECT_NE(Err().find("Download is completed"), std::string::npos) << Err();

    const std::string radio = ReadFileBytes(radioFile), after = ReadFileBytes(Path("after.k36"));
    TMap36 expected;
    {
        TScopedMessages quiet;
        ASSERT_TRUE(LoadDataFile(file, model, expected));
    }
    expected.Encode(model, true);
    const std::string encoded(expected.Buf.begin(), expected.Buf.end());
    ASSERT_EQ(after.size(), 32768u);
    // The channel and table areas are the file's, the identity block the radio's.
    EXPECT_EQ(after.substr(0x0080, 0x2F00), encoded.substr(0x0080, 0x2F00));
    EXPECT_EQ(after.substr(0x0001, 0x29), radio.substr(0x3E41, 0x29));
    EXPECT_EQ(after[0x0000], encoded[0x0000]);
    EXPECT_EQ(after.substr(0x3E00, 0x300), radio.substr(0x3E00, 0x300));
}

TEST_F(CliRadioTest, FailuresHaveTheirOwnExitStatus) {
    EXPECT_EQ(Rk36({"read", "/dev/rk36-no-such-port", "-o", Path("x.k36").string()}), 4);
    EXPECT_NE(Err().find("Problem on COM port"), std::string::npos) << Err();
    EXPECT_FALSE(fs::exists(Path("x.k36")));

    const fs::path file = DataFile("file.k36", 4);
    EXPECT_EQ(Rk36({"write", "/dev/rk36-no-such-port", file.string(), "--full", "--access-code", "guess"}),
              6);

    // A radio that stops in the middle of the first block.
    TChild sim({kRadioSim, "--image", file.string(), "--silent-after", "20"});
    const std::string port = sim.FirstLine();
    ASSERT_TRUE(port.starts_with("/dev/")) << port;
    EXPECT_EQ(Rk36({"read", "--port", port, Path("x.k36").string(), "--like", file.string()}), 2);
    EXPECT_NE(Err().find("Timeout"), std::string::npos) << Err();
    EXPECT_NE(Err().find("read main 0x8000: no reply: 14 of 266 bytes"), std::string::npos) << Err();
    EXPECT_FALSE(fs::exists(Path("x.k36")));
}

TEST_F(CliRadioTest, CtrlCCancelsAReadAndStillEndsTheTransfer) {
    const fs::path file = DataFile("file.k36", 5);
    TChild sim({kRadioSim, "--image", file.string(), "--once"});
    const std::string port = sim.FirstLine();
    ASSERT_TRUE(port.starts_with("/dev/")) << port;
    auto rk36 = StartRk36({"read", port, "-o", Path("x.k36").string(), "--like", file.string(), "--trace",
                           Path("trace.txt").string()});
    // Cancel once a few blocks have been read.
    for (int i = 0; i < 400; ++i) {
        const std::string trace = ReadFileBytes(Path("trace.txt"));
        size_t frames = 0;
        for (size_t at = trace.find(" tx eb "); at != std::string::npos; at = trace.find(" tx eb ", at + 1))
            ++frames;
        if (frames >= 3) break;
        usleep(50'000);
    }
    rk36->Signal(SIGINT);
    EXPECT_EQ(rk36->Wait(), 130) << Err();
    // The simulator exits on the end frame that closes the cancelled read.
    EXPECT_EQ(sim.Wait(), 0);
    EXPECT_EQ(Err().find("error"), std::string::npos) << Err();
    EXPECT_FALSE(fs::exists(Path("x.k36")));
}

TEST_F(CliRadioTest, AWriteRefusesARadioWithoutIdentityAndServesOneMadeByTheProgram) {
    // A radio seeded from a file without an identity copy, as files were made before.
    TMap36 blank;
    {
        TRKmem m;
        TScopedMessages quiet;
        ASSERT_TRUE(LoadDataFile(RK36_BINARY_DIR "/src/default.K36", m, blank));
    }
    std::fill(blank.Buf.begin() + 0x3E00, blank.Buf.begin() + 0x4100, 0);
    ASSERT_TRUE(WriteDataFile(Path("blank.k36"), blank));
    ASSERT_EQ(Rk36({"new", "--product", "TR-2300", "--band", "VHF A", "-o", Path("new.k36").string()}), 0)
        << Err();
    {
        std::ofstream patch(Path("patch.json"));
        patch << R"({"Channels": {"0": {"Narrow": 0}}})";
    }
    ASSERT_EQ(Rk36({"apply", Path("new.k36").string(), Path("patch.json").string(), "-o",
                    Path("edited.k36").string()}),
              0)
        << Err();

    for (const char* seed : {"blank.k36", "new.k36"}) {
        SCOPED_TRACE(seed);
        const bool refused = std::string(seed) == "blank.k36";
        TChild sim(
            {kRadioSim, "--image", Path(seed).string(), "--once", "--save", Path("after.k36").string()});
        const std::string port = sim.FirstLine();
        ASSERT_TRUE(port.starts_with("/dev/")) << port;
        ASSERT_EQ(Rk36({"write", port, Path("edited.k36").string()}), refused ? 14 : 0) << Err();
        ASSERT_EQ(sim.WaitFor(5000), 0);
        const std::string before = ReadFileBytes(Path(seed)), after = ReadFileBytes(Path("after.k36"));
        if (refused) {
            EXPECT_NE(Err().find("identity data are not valid"), std::string::npos) << Err();
            EXPECT_EQ(after.substr(0, 0x3200), before.substr(0, 0x3200));
            EXPECT_EQ(after.substr(0x3200, 0xF00), before.substr(0x3200, 0xF00));
        } else {
            EXPECT_NE(Err().find("Download is completed"), std::string::npos) << Err();
            TRKmem inRadio;
            TMap36 image;
            TScopedMessages quiet;
            ASSERT_TRUE(LoadDataFile(Path("after.k36"), inRadio, image));
            EXPECT_EQ(inRadio.Channels[0].Narrow, 0);
            EXPECT_EQ(inRadio.ProductType, "TR-2300");
        }
    }
}

TEST_F(CliRadioTest, WithoutTheCableEchoAReadEndsAtOnce) {
    const fs::path file = DataFile("file.k36", 6);
    TChild sim({kRadioSim, "--image", file.string(), "--no-echo"});
    const std::string port = sim.FirstLine();
    ASSERT_TRUE(port.starts_with("/dev/")) << port;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Rk36({"read", port, "-o", Path("x.k36").string()}), 4);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_NE(Err().find("No answer on " + port + ": check the cable and the port"), std::string::npos)
        << Err();
}

namespace {

// Real time without the protocol's pauses: a transfer in milliseconds.
class TNoPauseClock : public TSystemClock {
  public:
    void Sleep(int32_t) override {}
};

} // namespace

TEST_F(CliRadioTest, TheEndFrameOfARefusedFullWriteAlwaysLeaves) {
    TMap36 radioImage;
    for (auto& b : radioImage.Buf)
        b = 0x11;
    radioImage.Buf[0x0024] = 0x45; // the deck is "UHF D"
    ASSERT_TRUE(WriteDataFile(Path("radio.k36"), radioImage));
    TRKmem model; // "LVHF A" data
    char code[8];
    std::snprintf(code, sizeof code, "%02x", ModelCodeFor(model));
    for (int run = 0; run < 20; ++run) {
        SCOPED_TRACE(run);
        TChild sim({kRadioSim, "--image", Path("radio.k36").string(), "--code", code, "--once"});
        const std::string port = sim.FirstLine();
        ASSERT_TRUE(port.starts_with("/dev/")) << port;
        TNoPauseClock clock;
        TQuietRadioHost host(clock);
        TRadio36 radio(host, [&] { return std::make_unique<TCRsDrv>(clock); });
        radio.PortName = port;
        TScopedMessages messages;
        messages->Answers = {TMsgResult::No};
        TMap36 image;
        EXPECT_FALSE(radio.WriteRadioFull(model, image));
        EXPECT_EQ(radio.Status, TCloneStatus::DeckDeclined) << radio.FailureDetail;
        // The simulator ends on the end frame; without it, it would wait.
        EXPECT_EQ(sim.WaitFor(2000), 0);
    }
}
