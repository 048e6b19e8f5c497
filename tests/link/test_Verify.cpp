// Verifying a radio against what a standard write sends, standalone and as
// a write's read-back, in virtual time.

#include <gtest/gtest.h>

#include <random>

#include "link/U_Radio36.h"
#include "link_fakes.h"
#include "model/dc_MessageBox.h"

using namespace radio36;

namespace {

// A radio a standard write accepts, and a file to write into it.
struct TVerifyRig : TRig {
    TMap36 Image = RandomImage(31);
    TRKmem Model;
    TVerifyRig() {
        SeedPlausibleRadio(Radio, RandomImage(32));
        EXPECT_TRUE(Image.Decode(Model));
    }
    bool Write() {
        TMap36 image = Image;
        TRKmem model = Model;
        return Radio36.WriteRadio(model, image);
    }
    size_t WritesToRadio() const {
        size_t n = 0;
        for (const auto& e : Radio.Events)
            n += e.Command == CmdWriteMain || e.Command == CmdWriteAux || e.Command == CmdErase;
        return n;
    }
};

} // namespace

TEST(VerifyAreas, EveryWrittenAddressHasOneName) {
    const struct {
        const char* name;
        int32_t address;
        const char* area;
    } rows[] = {
        {"first aux", 0x0000, "auxiliary identity, options and lists"},
        {"short block", 0x061F, "auxiliary dates and texts"},
        {"date", 0x0627, "last programmed date"},
        {"past the date", 0x0628, nullptr},
        {"first main", 0x8000, "hardware and synthesizer block"},
        {"group names", 0x8388, "group names"},
        {"channel", 0x8C22, "channel table"},
        {"MDC1200", 0xAF48, "MDC1200 block"},
        {"identity codes", 0xAF80, "identity codes"},
        {"serial text", 0xB840, "dates, serial number and texts"},
        {"identity copy", 0xBFFF, "identity copy"},
        {"past main", 0xC000, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const char* area = MemoryAreaName(row.address);
        EXPECT_EQ(area ? std::string(area) : "-", row.area ? std::string(row.area) : "-");
    }
    int32_t covered = 0;
    for (const TMemoryArea& a : StandardWriteAreas())
        covered += a.End - a.First;
    EXPECT_EQ(covered, 0x628 + 0x4000);
}

TEST(VerifyAreas, TheFirstDifferenceInAddressOrderIsNamed) {
    const TMap36 written = RandomImage(7);
    TRadioMemory radio;
    for (const TMemoryArea& a : StandardWriteAreas())
        for (int32_t address = a.First; address < a.End; ++address)
            radio.Bytes[static_cast<size_t>(address)] = WrittenByte(written, address);
    EXPECT_TRUE(CompareWrittenAreas(written, radio).Equal());
    EXPECT_EQ(VerifyDifferenceText(CompareWrittenAreas(written, radio)), "");

    radio.Bytes[0xAD00] ^= 0x01;
    radio.Bytes[0x8C22] ^= 0x80;
    const TVerifyResult r = CompareWrittenAreas(written, radio);
    EXPECT_EQ(r.Differences, 2);
    EXPECT_EQ(r.Address, 0x8C22);
    EXPECT_EQ(r.Expected, written.Buf[0x0C22]);
    EXPECT_EQ(r.Found, written.Buf[0x0C22] ^ 0x80);
    EXPECT_EQ(VerifyDifferenceText(r), "channel table differs at 0x8c22");
    // Auxiliary memory comes first; it holds image bytes from AuxOffset on.
    radio.Bytes[0x0010] ^= 0x01;
    EXPECT_EQ(VerifyDifferenceText(CompareWrittenAreas(written, radio)),
              "auxiliary identity, options and lists differs at 0x0010");
}

TEST(VerifyRadio, EqualAfterAWriteAndTheFirstFaultNamedAfterOne) {
    TScopedMessages messages;
    TVerifyRig rig;
    ASSERT_TRUE(rig.Write()) << rig.Radio36.FailureDetail;
    const size_t writes = rig.WritesToRadio();
    // The file keeps its own date; the radio keeps the write's.
    rig.Clock.Date.Year = 2031;

    const struct {
        const char* name;
        int32_t poke; // main-memory offset flipped before the verify; -1 none
        TCloneStatus status;
        std::string message;
    } rows[] = {
        {"equal", -1, TCloneStatus::Success, VerifyEqualMessage},
        {"channel", 0x0C22, TCloneStatus::VerifyFailed, "Verify failed: channel table differs at 0x8c22"},
        {"date copy", 0x3821, TCloneStatus::VerifyFailed,
         "Verify failed: dates, serial number and texts differs at 0xb821"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        messages->Shown.clear();
        if (row.poke >= 0) rig.Radio.Main[static_cast<size_t>(row.poke)] ^= 0x5A;
        const TMap36 imageBefore = rig.Image;
        EXPECT_EQ(rig.Radio36.VerifyRadio(rig.Model, rig.Image), row.status == TCloneStatus::Success);
        if (row.poke >= 0) rig.Radio.Main[static_cast<size_t>(row.poke)] ^= 0x5A;
        EXPECT_EQ(rig.Radio36.Status, row.status) << rig.Radio36.FailureDetail;
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{row.message});
        EXPECT_TRUE(rig.Image.Equals(imageBefore));
        EXPECT_EQ(rig.WritesToRadio(), writes);
        EXPECT_TRUE(rig.Radio.EndFrames > 0 && !rig.Radio.InCloneSession());
    }
    EXPECT_EQ(CloneStatusInfo(TCloneStatus::VerifyFailed).ExitCode, 7);
}

TEST(WriteRadio, VerifyAfterWriteReadsBackBeforeTheEndFrame) {
    for (const bool fault : {false, true}) {
        SCOPED_TRACE(fault ? "fault" : "clean");
        TScopedMessages messages;
        TVerifyRig rig;
        rig.Radio36.VerifyAfterWrite = true;
        // A standard write never reads main memory: the first main read is the read-back.
        bool poked = false;
        rig.Port.OnWrite = [&](const std::vector<uint8_t>& bytes) {
            if (fault && !poked && bytes.size() == 8 && bytes[0] == CmdReadMain) {
                rig.Radio.Main[0x1000] ^= 0xFF;
                poked = true;
            }
        };
        EXPECT_EQ(rig.Write(), !fault);
        EXPECT_EQ(rig.Port.FramesOf(CmdReadMain).size(), 64u);
        EXPECT_EQ(rig.Radio.EndFrames, 1);
        if (fault) {
            EXPECT_EQ(rig.Radio36.Status, TCloneStatus::VerifyFailed);
            EXPECT_EQ(messages.Texts(),
                      std::vector<std::string>{"Verify failed: channel table differs at 0x9000" +
                                               std::string("\r\n\r\n") + PartlyWrittenMessage});
        } else {
            EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Download is completed"});
        }
    }
}

TEST(WriteRadio, KeepBeforeWriteSeesTheRadioAsItWasOrStopsTheWrite) {
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "kept" : "refused");
        TScopedMessages messages;
        TVerifyRig rig;
        TMap held;
        rig.Radio.StoreImage(held);
        TMap36 seen;
        rig.Radio36.KeepBeforeWrite = [&](const TMap36& image) {
            seen.Assign(image);
            return keep;
        };
        EXPECT_EQ(rig.Write(), keep);
        EXPECT_TRUE(std::equal(held.Buf.begin(), held.Buf.end(), seen.Buf.begin()));
        if (!keep) {
            EXPECT_EQ(rig.Radio36.Status, TCloneStatus::FileProblem);
            EXPECT_EQ(rig.WritesToRadio(), 0u);
        }
    }
}

TEST(RadioAnswers, OneSearchAttemptOnAFreshPort) {
    TVerifyRig rig;
    EXPECT_TRUE(rig.Radio36.RadioAnswers(rig.Radio.ModelCode));
    EXPECT_FALSE(rig.Port.IsOpen);
    EXPECT_FALSE(rig.Radio36.RadioAnswers(static_cast<uint8_t>(rig.Radio.ModelCode ^ 0x01)));
    rig.Port.OpenFails = true;
    TScopedMessages messages;
    EXPECT_FALSE(rig.Radio36.RadioAnswers(rig.Radio.ModelCode));
    EXPECT_TRUE(messages.Texts().empty());
}
