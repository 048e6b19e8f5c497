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

#include "cli_radio_support.h"

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
