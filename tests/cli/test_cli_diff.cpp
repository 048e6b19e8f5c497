// `rk36 diff` end to end, and the naming of differences it prints.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "support/CliRun.h"
#include "json/dc_ModelDiff.h"

namespace fs = std::filesystem;

namespace {

using TRun = TCliRun;

// The same configuration with its serial number's packed bytes replaced.
void WithSerialBytes(const fs::path& from, const fs::path& to, const std::string& bytes) {
    std::string image = ReadFileBytes(from);
    image.replace(0x30FC, bytes.size(), bytes);
    WriteFileBytes(to, image);
}

class DiffCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        const TRun made = RunRk36(dir, "new --product TR-2300 --band 'VHF A' -o " + Path("a.k36"));
        if (made.Status != 0) GTEST_SKIP() << "band templates not built";
        WithSerialBytes(dir / "a.k36", dir / "s1.k36", "\x12\x34\x56");
        WithSerialBytes(dir / "a.k36", dir / "s2.k36", "\x12\x34\x57");
        WriteFileBytes(dir / "patch.json", R"({"Channels": {"4": {"RxFreq": "150.0125"}}})");
        ASSERT_EQ(
            RunRk36(dir, "apply " + Path("a.k36") + " " + Path("patch.json") + " -o " + Path("b.k36")).Status,
            0);
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }

    TScratchFolder dir;
};

} // namespace

TEST_F(DiffCommand, ListsEveryDifferingFieldAndTellsEqualDifferentAndUnreadableApart) {
    const std::string frequencyLine =
        "Channels[4].RxFreq (Channel 5 Receive): \"" +
        TJson::parse(RunRk36(dir, "dump " + Path("a.k36")).Out)["Channels"][4]["RxFreq"].get<std::string>() +
        "\" -> \"150.0125\"\n";
    struct Row {
        const char* Name;
        std::string Args;
        int Status;
        std::string Out;
    } rows[] = {
        {"file and itself", Path("a.k36") + " " + Path("a.k36"), 0, ""},
        // The synthesizer words that follow the frequency are not listed.
        {"one channel frequency applied", Path("a.k36") + " " + Path("b.k36"), 1, frequencyLine},
        {"serial numbers", Path("s1.k36") + " " + Path("s2.k36"), 1,
         "SerialNumber: \"0F123456\" -> \"0F123457\"\n"},
        {"serial numbers, identity ignored", "--ignore-identity " + Path("s1.k36") + " " + Path("s2.k36"), 0,
         ""},
        {"identity ignored keeps the rest", "--ignore-identity " + Path("s1.k36") + " " + Path("b.k36"), 1,
         frequencyLine},
        {"missing file", Path("a.k36") + " " + Path("none.k36"), 2, ""},
        {"not a data file", Path("patch.json") + " " + Path("a.k36"), 2, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        const TRun r = RunRk36(dir, "diff " + row.Args);
        EXPECT_EQ(r.Status, row.Status);
        EXPECT_EQ(r.Out, row.Out);
    }
}

TEST_F(DiffCommand, JsonIsAnArrayOfKeyAndBothValues) {
    const TRun r = RunRk36(dir, "diff --json " + Path("a.k36") + " " + Path("b.k36"));
    EXPECT_EQ(r.Status, 1);
    const TJson list = TJson::parse(r.Out);
    ASSERT_TRUE(list.is_array());
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]["key"], "Channels[4].RxFreq");
    EXPECT_EQ(list[0]["b"], "150.0125");
    EXPECT_TRUE(list[0]["a"].is_string());
    EXPECT_EQ(list[0]["label"], "Channel 5 Receive");

    const TRun equal = RunRk36(dir, "diff --json " + Path("a.k36") + " " + Path("a.k36"));
    EXPECT_EQ(equal.Status, 0);
    EXPECT_EQ(TJson::parse(equal.Out), TJson::array());
}

TEST(ModelDiff, ChannelFieldsAreLabelledWithChannelAndColumn) {
    const struct {
        const char* Key;
        const char* Label;
    } rows[] = {
        {"Channels[4].RxFreq", "Channel 5 Receive"},
        {"Channels[0].DecCode", "Channel 1 Decode Code"},
        {"Channels[0].EncToneOn", "Channel 1 Encode Type"},
        {"Channels[249].Tags[3]", "Channel 250 TAG"},
        {"Channels[9].TxPowerLow", "Channel 10 Tx Po"},
        {"Channels[9].Lockout", "Channel 10 Lock out"},
        {"DealerScanList[2]", "Channel 3 SCAN"},
        {"Channels[4].RxPll.SynthCount64", "Channel 5"},
        {"Channels[4]", ""},
        {"GroupModeFlagA[2]", ""},
        {"PowerOnTag", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ChannelLabel(row.Key), row.Label) << row.Key;
}

TEST(ModelDiff, IdentityIsWhatTellsOneRadioFromAnother) {
    const struct {
        const char* Key;
        bool Identity;
    } rows[] = {
        {"SerialNumber", true},
        {"FirmwareVersion", true},
        {"ProgYear", true},
        {"OffsetTables3[2].Frequency", true},
        {"SqDelay", true},
        {"RefDivider[1]", true}, // in the blocks the radio keeps
        {"BandPair", true},
        {"SpecialCode4", true},
        {"PowerOnTag", false},
        {"KeyBeep", false},
        {"Channels[0].RxFreq", false},
        {"SerialNumberX", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsIdentityKey(row.Key), row.Identity) << row.Key;
}
