#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/CliRun.h"

namespace fs = std::filesystem;

namespace {

using TRun = TCliRun;

class CliTest : public ::testing::Test {
  protected:
    fs::path Path(const std::string& name) const { return dir_ / name; }

    TRun Run(const std::vector<std::string>& args) const { return RunRk36(dir_, args); }

    // A data file as the encoder leaves it: random bytes, decoded and saved
    // once. Random synthesizer words decode to frequencies with fractions of
    // a hertz, which no radio holds and the encoder refuses; without a
    // reference divider every channel decodes to 0 Hz instead.
    fs::path SavedRandomFile(unsigned seed) const {
        std::mt19937 rng(seed);
        std::string bytes(32768, '\0');
        for (auto& b : bytes)
            b = static_cast<char>(rng());
        for (const int address : {0x11, 0x15}) {
            bytes[address] = static_cast<char>(bytes[address] & 0xF0);
            bytes[address + 1] = 0;
        }
        WriteFileBytes(Path("random.k36"), bytes);
        WriteFileBytes(Path("empty.json"), "{}");
        const auto r = Run({"apply", Path("random.k36").string(), Path("empty.json").string(), "-o",
                            Path("saved.k36").string()});
        EXPECT_EQ(r.Status, 0) << r.Err;
        return Path("saved.k36");
    }

    // A new configuration from a band template; skips when the templates are
    // not laid out next to the binary.
    bool NewFile(const fs::path& out) const {
        const auto r = Run({"new", "--product", "TR-2300", "--band", "VHF A", "-o", out.string()});
        return r.Status == 0;
    }

    TScratchFolder dir_{"rk36-cli"};
};

std::vector<size_t> DifferingOffsets(const std::string& a, const std::string& b) {
    std::vector<size_t> diff;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i]) diff.push_back(i);
    return diff;
}

} // namespace

TEST_F(CliTest, DumpThenApplyOfTheSameJsonReproducesTheFile) {
    std::vector<fs::path> files{SavedRandomFile(1)};
    if (NewFile(Path("new.k36"))) files.push_back(Path("new.k36"));
    for (const fs::path& saved : files) {
        SCOPED_TRACE(saved);
        const auto dump = Run({"dump", saved.string()});
        ASSERT_EQ(dump.Status, 0) << dump.Err;
        WriteFileBytes(Path("dump.json"), dump.Out);
        const auto apply =
            Run({"apply", saved.string(), Path("dump.json").string(), "-o", Path("again.k36").string()});
        ASSERT_EQ(apply.Status, 0) << apply.Err;
        EXPECT_EQ(ReadFileBytes(Path("again.k36")), ReadFileBytes(saved));
        EXPECT_EQ(Run({"dump", Path("again.k36").string()}).Out, dump.Out);
    }
}

TEST_F(CliTest, AChannelFrequencyPatchChangesOnlyThatChannelsRecord) {
    if (!NewFile(Path("new.k36"))) GTEST_SKIP() << "band templates not built";
    const std::string before = ReadFileBytes(Path("new.k36"));
    const int channel = 0;
    WriteFileBytes(Path("patch.json"), R"({"Channels": {"0": {"RxFreq": "150.0125"}}})");
    const auto r =
        Run({"apply", Path("new.k36").string(), Path("patch.json").string(), "-o", Path("out.k36").string()});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string after = ReadFileBytes(Path("out.k36"));
    ASSERT_EQ(after.size(), 32768u);
    const auto diff = DifferingOffsets(before, after);
    EXPECT_FALSE(diff.empty());
    const size_t first = 0x0C00 + 34 * channel;
    for (const size_t offset : diff) {
        EXPECT_GE(offset, first);
        EXPECT_LT(offset, first + 34);
    }
    const auto dump = Run({"dump", Path("out.k36").string()});
    EXPECT_NE(dump.Out.find("\"RxFreq\": \"150.0125\""), std::string::npos);
}

TEST_F(CliTest, RadioFormRecalculatesOnlyInsideTheChannelTable) {
    if (!NewFile(Path("new.k36"))) GTEST_SKIP() << "band templates not built";
    WriteFileBytes(Path("patch.json"), R"({"Channels": {"0": {"RxFreq": "150.0125", "TxFreq": "151.5"}}})");
    auto r = Run(
        {"apply", Path("new.k36").string(), Path("patch.json").string(), "-o", Path("file.k36").string()});
    ASSERT_EQ(r.Status, 0) << r.Err;
    r = Run({"apply", Path("new.k36").string(), Path("patch.json").string(), "--for-radio", "-o",
             Path("radio.k36").string()});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const auto diff = DifferingOffsets(ReadFileBytes(Path("file.k36")), ReadFileBytes(Path("radio.k36")));
    // The offsets of the band's tables at 150 MHz are not those the file holds.
    EXPECT_FALSE(diff.empty());
    for (const size_t offset : diff) {
        EXPECT_GE(offset, 0x0C00u);
        EXPECT_LT(offset, 0x0C00u + 250 * 34);
    }
}

TEST_F(CliTest, TextsAreBytesOfTheSameCodePoint) {
    const fs::path saved = SavedRandomFile(7);
    // "\u00FF" is the byte 0xFF in the image, in and out.
    WriteFileBytes(Path("patch.json"), R"({"GroupNames": {"0": "A\u00FFB"}})");
    const auto r =
        Run({"apply", saved.string(), Path("patch.json").string(), "-o", Path("out.k36").string()});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(ReadFileBytes(Path("out.k36")).substr(0x388, 8), std::string("A\xFF"
                                                                           "B     "));
    const auto dump = Run({"dump", Path("out.k36").string()});
    EXPECT_NE(dump.Out.find("\"A\xC3\xBF"
                            "B\""),
              std::string::npos);
}

TEST_F(CliTest, BadPatchesAreRefusedNamingTheKeyAndWriteNothing) {
    const fs::path saved = SavedRandomFile(11);
    const std::string original = ReadFileBytes(saved);
    struct Case {
        const char* patch;
        const char* named; // what the message must name
    };
    const Case cases[] = {
        {R"({"Frobnicate": 1})", "Frobnicate"},
        {R"({"SqDelay": "seven"})", "SqDelay"},
        {R"({"SqDelay": 4294967296})", "SqDelay"},
        {R"({"PowerOnTag": 5})", "PowerOnTag"},
        {R"({"PowerOnTag": "\u0100"})", "PowerOnTag"},
        {R"({"RefDivider": [1, 2, 3]})", "RefDivider"},
        {R"({"Channels": {"250": {}}})", "Channels.250"},
        {R"({"Channels": {"x": {}}})", "Channels.x"},
        {R"({"Channels": [{}, {}]})", "Channels"},
        {R"({"Channels": {"3": {"RxFreq": 150.0125}}})", "Channels[3].RxFreq"},
        {R"({"Channels": {"3": {"RxFreq": "150.0125.5"}}})", "Channels[3].RxFreq"},
        {R"({"Channels": {"3": {"Tags": {"8": "A"}}}})", "Channels[3].Tags.8"},
        {R"({"Channels": {"3": {"RxPll": {"Fraction": 1}}}})", "Channels[3].RxPll.Fraction"},
        {R"({"OffsetTables7": {"0": {"Frequency": "150"}}})", "OffsetTables7[0].Frequency"},
        {R"({"GroupAreas": {"0": -1}})", "GroupAreas[0]"},
        {R"({"SqDelay": 9, "Bogus": 1})", "Bogus"}, // a good key first changes nothing either
        {R"([1, 2])", "object"},
        {R"({"SqDelay": )", "not valid JSON"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.patch);
        WriteFileBytes(Path("patch.json"), c.patch);
        fs::remove(Path("out.k36"));
        auto r = Run({"apply", saved.string(), Path("patch.json").string(), "-o", Path("out.k36").string()});
        EXPECT_NE(r.Status, 0);
        EXPECT_NE(r.Err.find(c.named), std::string::npos) << r.Err;
        EXPECT_FALSE(fs::exists(Path("out.k36")));
        if (n++ % 6 != 0) continue;
        // Writing over the input itself leaves it as it was.
        r = Run({"apply", saved.string(), Path("patch.json").string(), "-o", saved.string()});
        EXPECT_NE(r.Status, 0);
        EXPECT_EQ(ReadFileBytes(saved), original);
    }
    for (const auto& e : fs::directory_iterator(dir_.Path()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

TEST_F(CliTest, ASubsetPatchChangesOnlyWhatItNames) {
    const fs::path saved = SavedRandomFile(5);
    WriteFileBytes(Path("patch.json"),
                   R"({"KeyBeep": 0, "GroupNames": {"4": "DEPOT"}, "MdcPttIds": {"2": "1A2B"}})");
    const auto r =
        Run({"apply", saved.string(), Path("patch.json").string(), "-o", Path("out.k36").string()});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string before = ReadFileBytes(saved);
    const std::string after = ReadFileBytes(Path("out.k36"));
    for (const size_t offset : DifferingOffsets(before, after)) {
        const bool keyBeep = offset == 0x3221;
        const bool groupName = offset >= 0x0388 + 4 * 8 && offset < 0x0388 + 5 * 8;
        const bool mdcId = offset >= 0x2F48 + 2 * 4 + 2 && offset < 0x2F48 + 3 * 4;
        EXPECT_TRUE(keyBeep || groupName || mdcId) << std::hex << offset;
    }
    EXPECT_EQ(after.substr(0x0388 + 32, 8), "DEPOT   ");
}

TEST_F(CliTest, FailuresGiveThePartsMessagesAndAnErrorStatus) {
    auto r = Run({"info", Path("missing.k36").string()});
    EXPECT_NE(r.Status, 0);
    EXPECT_NE(r.Err.find("File read error  File Name = " + Path("missing.k36").string()), std::string::npos);

    WriteFileBytes(Path("short.k36"), std::string(100, 'x'));
    r = Run({"dump", Path("short.k36").string()});
    EXPECT_NE(r.Status, 0);
    EXPECT_NE(r.Err.find("The file cannot be opened."), std::string::npos);
    EXPECT_TRUE(r.Out.empty());

    const fs::path saved = SavedRandomFile(3);
    WriteFileBytes(Path("patch.json"), "{}");
    const std::string target = (Path("no such folder") / "out.k36").string();
    r = Run({"apply", saved.string(), Path("patch.json").string(), "-o", target});
    EXPECT_NE(r.Status, 0);
    EXPECT_NE(r.Err.find("File write error  File Name = " + target), std::string::npos);

    r = Run({"new", "--product", "TR-2100", "--band", "UHF DS1", "-o", Path("x.k36").string()});
    EXPECT_NE(r.Status, 0);
    EXPECT_NE(r.Err.find("UHF DS1"), std::string::npos);
    EXPECT_FALSE(fs::exists(Path("x.k36")));
}

TEST_F(CliTest, InfoNamesProductBandAndHead) {
    const auto r0 = Run({"new", "--product", "TR-2200", "--band", "UHF D", "--head", "motorcycle", "-o",
                         Path("new.k36").string()});
    if (r0.Status != 0) GTEST_SKIP() << "band templates not built: " << r0.Err;
    const auto r = Run({"info", Path("new.k36").string()});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("Product type:     TR-2200\n"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("Band:             UHF D\n"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("Control head:     Motorcycle Head\n"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("Groups in use:    1\n"), std::string::npos) << r.Out;
}

TEST_F(CliTest, HelpDescribesEveryCommand) {
    const auto r = Run({"--help"});
    EXPECT_EQ(r.Status, 0);
    for (const char* cmd : {"info", "dump", "apply", "new", "report"}) {
        EXPECT_NE(r.Out.find(cmd), std::string::npos) << cmd;
        const auto sub = Run({cmd, "--help"});
        EXPECT_EQ(sub.Status, 0);
        EXPECT_NE(sub.Out.find("Example"), std::string::npos) << cmd;
    }
}

TEST_F(CliTest, ReportIsTheTextOfThePagesAndFleetAddsTheMdcSection) {
    if (!NewFile(Path("new.k36"))) GTEST_SKIP() << "band templates not built";
    const auto r = Run({"report", Path("new.k36").string()});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(std::count(r.Out.begin(), r.Out.end(), '\f'), 2);
    EXPECT_EQ(
        r.Out.rfind("               ****************************************************************\n", 0),
        0u);
    EXPECT_NE(r.Out.find("\n       File Name:  new.k36\n"), std::string::npos);
    EXPECT_EQ(Run({"report", Path("new.k36").string(), "-o", Path("report.txt").string()}).Status, 0);
    EXPECT_EQ(ReadFileBytes(Path("report.txt")), r.Out);

    // An MDC1200 board is MDC ANI only in the Fleet format.
    WriteFileBytes(Path("mdc.json"),
                   R"({"OptionInstalled": 1, "OptionSelA": 1, "OptionSelB": 1, "OptionSelC": 1,
                                    "OptionBoardType": 0, "HiLevelEncryption": 0, "AniOnOption": 1})");
    ASSERT_EQ(
        Run({"apply", Path("new.k36").string(), Path("mdc.json").string(), "-o", Path("mdc.k36").string()})
            .Status,
        0);
    EXPECT_EQ(Run({"report", Path("mdc.k36").string()}).Out.find("MDC1200\n"), std::string::npos);
    const auto fleet = Run({"report", "--fleet", Path("mdc.k36").string()});
    EXPECT_NE(fleet.Out.find("\n       MDC1200\n"), std::string::npos) << fleet.Out;

    const auto missing = Run({"report", Path("missing.k36").string()});
    EXPECT_NE(missing.Status, 0);
    EXPECT_TRUE(missing.Out.empty());
}

// A scripted change must not store something else without being told.
TEST_F(CliTest, ValuesTheFileCannotHoldAsAskedAreRefusedOrListedWithNormalize) {
    if (!NewFile(Path("new.k36"))) GTEST_SKIP() << "band templates not built";
    const std::string before = ReadFileBytes(Path("new.k36"));
    struct Case {
        const char* name;
        std::string patch;
        std::string key;
        std::string asked;
        std::string stored;
    };
    const Case cases[] = {
        {"text cut", R"({"PowerOnTag": "FLEET 1234567"})", "PowerOnTag", "\"FLEET 1234567\"", "\"FLEET 12\""},
        {"number past its bits", R"({"SqDelay": 2147483647})", "SqDelay", "2147483647", "31"},
        {"frequency past the band", R"({"Channels": {"3": {"RxFreq": "1000"}}})", "Channels[3].RxFreq",
         "\"1000\"", "\"174\""},
        {"field this mode never writes", R"({"SerialNumber": "1C000001"})", "SerialNumber", "\"1C000001\"",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(Path("patch.json"), c.patch);
        fs::remove(Path("out.k36"));
        auto r = Run(
            {"apply", Path("new.k36").string(), Path("patch.json").string(), "-o", Path("out.k36").string()});
        EXPECT_EQ(r.Status, 1);
        const std::string line = "\"" + c.key + "\": asked " + c.asked + ", would store " + c.stored;
        EXPECT_NE(r.Err.find(line), std::string::npos) << r.Err;
        EXPECT_NE(r.Err.find("nothing written"), std::string::npos);
        EXPECT_FALSE(fs::exists(Path("out.k36")));
        // In place: the input stays as it was.
        r = Run(
            {"apply", Path("new.k36").string(), Path("patch.json").string(), "-o", Path("new.k36").string()});
        EXPECT_EQ(r.Status, 1);
        EXPECT_EQ(ReadFileBytes(Path("new.k36")), before);

        r = Run({"apply", Path("new.k36").string(), Path("patch.json").string(), "-o",
                 Path("out.k36").string(), "--normalize"});
        EXPECT_EQ(r.Status, 0) << r.Err;
        EXPECT_NE(r.Err.find("\"" + c.key + "\": asked " + c.asked + ", stored " + c.stored),
                  std::string::npos)
            << r.Err;
        EXPECT_EQ(ReadFileBytes(Path("out.k36")).size(), 32768u);
    }

    WriteFileBytes(Path("patch.json"), R"({"Channels": {"4": {"TxFreq": "150.0000001"}}})");
    const auto r =
        Run({"apply", Path("new.k36").string(), Path("patch.json").string(), "-o", Path("sub.k36").string()});
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("\"Channels[4].TxFreq\" is not a whole number of Hz"), std::string::npos) << r.Err;
    EXPECT_EQ(r.Err.find("sub.k36"), std::string::npos) << r.Err;
    EXPECT_FALSE(fs::exists(Path("sub.k36")));
}

TEST_F(CliTest, SpecialFilesAreRefusedAndLeftIntact) {
    if (!NewFile(Path("new.k36"))) GTEST_SKIP() << "band templates not built";
    WriteFileBytes(Path("empty.json"), "{}");
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    fs::create_directory(Path("folder.json"));
    std::vector<std::string> outputs{Path("fifo").string()};
    if (::mknod(Path("null").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0)
        outputs.push_back(Path("null").string());
    for (const auto& out : outputs) {
        SCOPED_TRACE(out);
        const auto r = Run({"apply", Path("new.k36").string(), Path("empty.json").string(), "-o", out});
        EXPECT_EQ(r.Status, 1);
        EXPECT_NE(r.Err.find("File write error  File Name = " + out + "\nNot a regular file"),
                  std::string::npos)
            << r.Err;
    }
    EXPECT_TRUE(fs::is_fifo(Path("fifo")));
    if (outputs.size() > 1) {
        EXPECT_TRUE(fs::is_character_file(Path("null")));
    }

    struct Case {
        std::string file, patch, message;
    };
    const Case inputs[] = {
        {Path("fifo").string(), Path("empty.json").string(),
         "File read error  File Name = " + Path("fifo").string() + "\nNot a regular file"},
        {Path("new.k36").string(), Path("fifo").string(),
         "cannot read " + Path("fifo").string() + ": Not a regular file"},
        {Path("new.k36").string(), Path("folder.json").string(),
         "cannot read " + Path("folder.json").string() + ": Is a directory"},
    };
    for (const Case& c : inputs) {
        SCOPED_TRACE(c.message);
        const auto start = std::chrono::steady_clock::now();
        const auto r = Run({"apply", c.file, c.patch, "-o", Path("out.k36").string()});
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_EQ(r.Status, 1);
        EXPECT_NE(r.Err.find(c.message), std::string::npos) << r.Err;
        EXPECT_FALSE(fs::exists(Path("out.k36")));
    }
}
