// Programming a fleet: three radio-sim radios in a row on the same link
// name, the middle one failing, driven without the protocol's pauses; and
// the log's lines.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sstream>

#include "cli_radio_support.h"
#include "link/dc_Fleet.h"
#include "link/dc_RsDrv.h"

namespace {

// Real time without the protocol's pauses; the fleet's polls stay short.
class TFastClock : public TSystemClock {
  public:
    void Sleep(int32_t ms) override {
        if (ms >= 100) usleep(20'000);
    }
};

// Starts the next radio once the fleet has seen the line empty.
class TFleetHost : public TQuietRadioHost {
  public:
    using TQuietRadioHost::TQuietRadioHost;
    std::function<void()> OnWait;
    bool Stop = false;
    void SetStatus(const std::string& text) override {
        waiting_ = text == "Waiting for the next radio" ? 0 : -1;
    }
    void ProcessMessages() override {
        if (waiting_ >= 0 && ++waiting_ == 2 && OnWait) OnWait();
    }
    bool Cancelled() override { return Stop; }

  private:
    int waiting_ = -1;
};

} // namespace

TEST(FleetLog, OneHeaderThenOneQuotedLinePerRadio) {
    const struct {
        const char* name;
        TFleetEntry entry;
        std::string line;
    } rows[] = {
        {"ok",
         {{2026, 12, 6, 9, 5, 1, 60}, "1C234567", TCloneStatus::Success, "/b/1C234567.K36"},
         "2026-12-06T09:05:01+01:00,1C234567,ok,/b/1C234567.K36"},
        {"failed, comma in path",
         {{2026, 1, 2, 3, 4, 5, -210}, "", TCloneStatus::Timeout, "/b/a,b.K36"},
         "2026-01-02T03:04:05-03:30,,failed: time-out,\"/b/a,b.K36\""},
        {"verify",
         {{2026, 1, 2, 3, 4, 5}, "7", TCloneStatus::VerifyFailed, ""},
         "2026-01-02T03:04:05+00:00,7,failed: the radio differs from the file,"},
    };
    const fs::path log = fs::temp_directory_path() / ("rk36-fleetlog-" + std::to_string(getpid()) + ".csv");
    fs::remove(log);
    std::string expected = std::string(FleetLogHeader) + "\n";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(FleetLogLine(row.entry), row.line);
        std::string reason;
        EXPECT_TRUE(AppendFleetLog(log, row.entry, reason)) << reason;
        expected += row.line + "\n";
    }
    EXPECT_EQ(ReadFileBytes(log), expected);
    fs::remove(log);
}

TEST_F(CliRadioTest, AFleetOfThreeGoesOnPastAFailedRadio) {
    setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
    TRKmem model;
    const fs::path file = DataFile("file.k36", 41, &model);
    TMap36 image;
    {
        TScopedMessages quiet;
        ASSERT_TRUE(LoadDataFile(file, model, image));
    }
    // Three radios of the file's model with their own serial numbers.
    std::vector<std::string> serials;
    for (int k = 0; k < 3; ++k) {
        const fs::path radioFile = DataFile("radio" + std::to_string(k) + ".k36", 41, nullptr, true);
        TMap36 radio;
        TRKmem identity;
        TScopedMessages quiet;
        ASSERT_TRUE(LoadDataFile(radioFile, identity, radio));
        radio.Buf[0x30F9] = 0x10;
        radio.Buf[0x30FC] = 0x23;
        radio.Buf[0x30FD] = 0x45;
        radio.Buf[0x30FE] = static_cast<uint8_t>(0x60 + k);
        SealIdentityCopy(radio);
        ASSERT_TRUE(WriteDataFile(radioFile, radio));
        ASSERT_TRUE(radio.Decode(identity));
        serials.push_back(identity.SerialNumber);
    }
    const std::string link = Path("radio").string();
    std::unique_ptr<TChild> sim;
    int started = 0;
    const auto startNext = [&] {
        std::vector<std::string> args{
            kRadioSim, "--image", Path("radio" + std::to_string(started) + ".k36").string(),
            "--link",  link,      "--once"};
        // The second radio stops acknowledging in the middle of the main-memory writes.
        if (started == 1) args.insert(args.end(), {"--bad-ack", "180"});
        sim = std::make_unique<TChild>(args);
        ASSERT_TRUE(sim->FirstLine().starts_with("/dev/"));
        ++started;
    };
    startNext();

    TFastClock clock;
    TFleetHost host(clock);
    TRadio36 radio(host, [&] { return std::make_unique<TCRsDrv>(clock); });
    radio.PortName = link;
    std::vector<TFleetEntry> entries;
    host.OnWait = [&] {
        if (started < 3)
            startNext();
        else
            host.Stop = true;
    };
    const auto begin = std::chrono::steady_clock::now();
    TScopedMessages messages;
    const TFleetSummary summary = ProgramFleet(
        radio, host, model, image,
        [&](const TFleetEntry& e) {
            entries.push_back(e);
            std::string reason;
            EXPECT_TRUE(AppendFleetLog(Path("fleet.csv"), e, reason));
            sim.reset(); // the failed radio never leaves clone mode by itself
        },
        100);
    RecordProperty("FleetMs", static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                   std::chrono::steady_clock::now() - begin)
                                                   .count()));

    EXPECT_EQ(summary.Programmed, 2);
    EXPECT_EQ(summary.Failed, 1);
    ASSERT_EQ(entries.size(), 3u);
    std::istringstream log(ReadFileBytes(Path("fleet.csv")));
    std::string line;
    std::getline(log, line);
    EXPECT_EQ(line, FleetLogHeader);
    for (size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(entries[k].SerialNumber, serials[k]);
        EXPECT_EQ(entries[k].Status, k == 1 ? TCloneStatus::Error : TCloneStatus::Success)
            << radio.FailureDetail;
        // Each radio's contents as they were before the write.
        EXPECT_EQ(ReadFileBytes(entries[k].Backup).substr(0, 0x3200),
                  ReadFileBytes(Path("radio" + std::to_string(k) + ".k36")).substr(0, 0x3200));
        ASSERT_TRUE(std::getline(log, line));
        EXPECT_EQ(line, FleetLogLine(entries[k]));
        EXPECT_NE(line.find(k == 1 ? ",failed: read/write error," : ",ok,"), std::string::npos) << line;
    }
    unsetenv("XDG_DATA_HOME");
}
