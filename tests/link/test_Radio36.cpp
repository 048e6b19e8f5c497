#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "link/U_Radio36.h"
#include "link_fakes.h"
#include "model/dc_MessageBox.h"

using namespace radio36;

namespace {

TRKmem ModelOf(const TMap36& image) {
    TRKmem model;
    EXPECT_TRUE(image.Decode(model));
    return model;
}

// The codes the programmer offered in the search and confirm exchanges, in order.
std::vector<uint8_t> SearchCodes(const TEmuPort& port) {
    std::vector<uint8_t> codes;
    for (size_t i = 1; i < port.Writes.size(); ++i)
        if (port.Writes[i].Bytes.size() == 1 && port.Writes[i - 1].Bytes == std::vector<uint8_t>{SearchByte})
            codes.push_back(port.Writes[i++].Bytes[0]);
    return codes;
}

bool EndFrameSent(const TEmuPort& port, uint8_t code) {
    const auto end = EndFrame(code);
    return !port.Writes.empty() && port.Writes.back().Bytes == std::vector<uint8_t>(end.begin(), end.end());
}

} // namespace

TEST(ModelCode, FirstGuessByProductAndBand) {
    struct Case {
        const char* product;
        int uhf, vhf, lvhf, bandCode;
        uint8_t code;
    } cases[] = {
        {"TR-2100", 0, 0, 1, 0, 0x41},
        {"TR-2100", 0, 0, 1, 2, 0x43},
        {"TR-2200", 0, 1, 0, 1, 0x25},
        {"TR-2300", 0, 1, 0, 3, 0x27},
        {"TR-2100", 1, 0, 0, 1, 0x89},
        {"TR-2200", 1, 0, 0, 4, 0xAB},
        // "UHF F" is column 7 whatever its band index; "UHF DS1" column 6.
        {"TR-2200", 1, 0, 0, 5, 0xAD},
        {"TR-2300", 1, 0, 0, 5, 0xAD},
        {"TR-2300", 1, 0, 0, 6, 0xAC},
        {"TR-2100", 1, 0, 0, 6, 0x8D},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.product << " uhf " << c.uhf << " vhf " << c.vhf << " lvhf "
                                          << c.lvhf << " band code " << c.bandCode);
        TRKmem m;
        m.ProductType = c.product;
        m.UhfBand = c.uhf;
        m.VhfBand = c.vhf;
        m.LvhfBand = c.lvhf;
        m.BandCode = c.bandCode;
        EXPECT_EQ(ModelCodeFor(m), c.code) << c.product << " code " << c.bandCode;
    }
}

TEST(ProgrammedDate, StampsDigitPairsAndIsoWeekday) {
    TRKmem m;
    StampProgrammedDate(m, {2026, 12, 6, 23, 59, 59}); // a Sunday
    EXPECT_EQ((std::array{m.ProgCentury, m.ProgYear, m.ProgMonth, m.ProgDay, m.ProgWeekday, m.ProgHour,
                          m.ProgMinute, m.ProgSecond}),
              (std::array<int32_t, 8>{20, 26, 12, 6, 7, 23, 59, 59}));
    EXPECT_EQ(IsoWeekday(1, 1, 1), 1);
    EXPECT_EQ(IsoWeekday(1970, 1, 1), 4);
    EXPECT_EQ(IsoWeekday(2000, 2, 29), 2);
    EXPECT_EQ(IsoWeekday(1999, 12, 31), 5);
    EXPECT_EQ(IsoWeekday(2100, 3, 1), 1);
}

TEST(Search, FallbackCodeFoundAfterTheCountedAttempts) {
    TScopedMessages messages;
    TRig rig;
    rig.Radio.ModelCode = 0x8C;
    TRKmem model; // no product type, band 0: first guess 0x61
    ASSERT_EQ(rig.Radio36.OpenRadioPort(), TCloneStatus::Success);
    uint8_t code = 0;
    ASSERT_EQ(rig.Radio36.SearchRadio(model, code), TCloneStatus::Success);
    EXPECT_EQ(code, 0x8C);

    std::vector<uint8_t> expected(3, 0x61);
    for (uint8_t c : {0xFF, 0x41, 0x42, 0x43, 0x05, 0x07, 0x89, 0x8B})
        expected.insert(expected.end(), 3, c);
    expected.push_back(0x8C);
    EXPECT_EQ(SearchCodes(rig.Port), expected);
    // Then the confirm exchange with the code found.
    const auto& w = rig.Port.Writes;
    ASSERT_GE(w.size(), 2u);
    EXPECT_EQ(w[w.size() - 2].Bytes, std::vector<uint8_t>{ConfirmByte});
    EXPECT_EQ(w.back().Bytes, std::vector<uint8_t>{0x8C});
    EXPECT_EQ(rig.Host.Statuses.back(), "Search Radio   : 8c       : OK");
    EXPECT_TRUE(messages->Shown.empty());
}

TEST(Search, PhaseThreeTriesEachValueOnceInOrder) {
    TScopedMessages messages;
    TRig rig;
    rig.Radio.ModelCode = 0x02; // in neither table
    TRKmem model;
    ASSERT_EQ(rig.Radio36.OpenRadioPort(), TCloneStatus::Success);
    uint8_t code = 0xEE;
    ASSERT_EQ(rig.Radio36.SearchRadio(model, code), TCloneStatus::Success);
    EXPECT_EQ(code, 0x02);
    const auto codes = SearchCodes(rig.Port);
    ASSERT_EQ(codes.size(), 3u + 3u * FallbackCodes.size() + 3u);
    EXPECT_EQ(std::vector<uint8_t>(codes.end() - 3, codes.end()), (std::vector<uint8_t>{0x00, 0x01, 0x02}));
    const auto& s = rig.Host.Statuses;
    ASSERT_GE(s.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(s.end() - 4, s.end()),
              (std::vector<std::string>{"Search Radio   : 00", "Search Radio   : 01", "Search Radio   : 02",
                                        "Search Radio   : 02       : OK"}));
}

TEST(Search, NoRadioEndsWithReadErrorAfterTheWholeSearch) {
    TScopedMessages messages;
    TRig rig;
    rig.Port.NoRadio = true;
    TMap36 image = RandomImage(1), before = image;
    TRKmem model;
    EXPECT_FALSE(rig.Radio36.ReadRadio(image, model));
    EXPECT_EQ(SearchCodes(rig.Port).size(), 3u + 3u * FallbackCodes.size() + 256u);
    EXPECT_EQ(rig.Host.Statuses.back(), "Search Radio   : ff");
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Read error"});
    EXPECT_EQ(rig.Radio36.Status, TCloneStatus::NoRadio);
    EXPECT_TRUE(image.Equals(before));
    // Each attempt moves the progress bar; the end gives it back to the blocks.
    const auto& p = rig.Host.SearchProgress;
    ASSERT_EQ(p.size(), static_cast<size_t>(SearchAttempts) + 1);
    EXPECT_EQ(p[0], std::make_pair(0, SearchAttempts));
    EXPECT_EQ(p[SearchAttempts - 1], std::make_pair(SearchAttempts - 1, SearchAttempts));
    EXPECT_EQ(p.back(), std::make_pair(0, 0));
}

TEST(Search, WithoutTheCableEchoItStopsAtOnceAndNamesThePort) {
    struct Case {
        int32_t comPortNo;
        const char* portName;
        const char* message;
    } cases[] = {
        {1, "", "No answer on COM1: check the cable and the port"},
        {3, "/dev/ttyUSB7", "No answer on /dev/ttyUSB7: check the cable and the port"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        TScopedMessages messages;
        TRig rig;
        rig.Port.Unplugged = true;
        rig.Radio36.ComPortNo = c.comPortNo;
        rig.Radio36.PortName = c.portName;
        TMap36 image;
        TRKmem model;
        const int64_t start = rig.Clock.NowMs();
        EXPECT_FALSE(rig.Radio36.ReadRadio(image, model));
        EXPECT_LT(rig.Clock.NowMs() - start, 2000);
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(rig.Radio36.Status, TCloneStatus::NoEcho);
        EXPECT_TRUE(EndFrameSent(rig.Port, rig.Radio36.ModelCode));
    }
}

TEST(Search, CancelDuringTheSearchEndsSilently) {
    TScopedMessages messages;
    TRig rig;
    rig.Port.Unplugged = true;
    rig.Host.CancelFlag = true;
    TMap36 image;
    TRKmem model;
    EXPECT_FALSE(rig.Radio36.ReadRadio(image, model));
    EXPECT_TRUE(SearchCodes(rig.Port).empty());
    EXPECT_TRUE(messages->Shown.empty());
    EXPECT_EQ(rig.Radio36.Status, TCloneStatus::Cancelled);
    EXPECT_TRUE(EndFrameSent(rig.Port, rig.Radio36.ModelCode));
}

TEST(ReceiveExact, SilenceTimeOutRunsFromTheLastByte) {
    TRig rig;
    rig.Radio.Faults.SilentAfterBytes = 5;
    rig.Port.ByteUs = 20'000; // slow enough that bytes keep arriving after the 50 ms pause
    ASSERT_EQ(rig.Radio36.OpenRadioPort(), TCloneStatus::Success);
    const std::array<uint8_t, 9> junk{1, 2, 3, 4, 5, 6, 7, 8, 9};
    ASSERT_EQ(rig.Radio36.Port()->Write(junk.data(), 9), 0);
    std::vector<uint8_t> reply(9, 0xAA);
    EXPECT_EQ(rig.Radio36.ReceiveExact(9, reply), TCloneStatus::Timeout);
    EXPECT_TRUE(rig.Radio36.TimedOut);
    EXPECT_EQ(reply, std::vector<uint8_t>(9, 0));
    const int64_t afterFifthMs = rig.Clock.Us / 1000 - rig.Port.LastArrivalReadUs / 1000;
    EXPECT_GE(afterFifthMs, 350);
    EXPECT_LE(afterFifthMs, 351);
}

TEST(ReceiveExact, TakesAReplyTheMomentItArrivesAndDropsTheSurplus) {
    TRig rig;
    rig.Port.ReplyLatencyUs = 123'000;
    ASSERT_EQ(rig.Radio36.OpenRadioPort(), TCloneStatus::Success);
    const uint8_t search[] = {SearchByte};
    rig.Radio36.Port()->Write(search, 1);
    const uint8_t code[] = {rig.Radio.ModelCode};
    rig.Radio36.Port()->Write(code, 1);
    const int64_t sentUs = rig.Clock.Us;
    std::vector<uint8_t> reply;
    // Echo of the search byte, echo of the code and the answer are queued; only 2 are taken.
    EXPECT_EQ(rig.Radio36.ReceiveExact(2, reply), TCloneStatus::Success);
    EXPECT_EQ(reply, (std::vector<uint8_t>{SearchByte, rig.Radio.ModelCode}));
    EXPECT_EQ(rig.Port.InQueueCount(), 0);
    EXPECT_EQ(rig.Clock.Us - sentUs, 50'000);
}

TEST(ReadRadio, ReadsTheWholeImageWithExactlyThePrescribedPauses) {
    TScopedMessages messages;
    TRig rig;
    const TMap36 radioImage = RandomImage(7);
    rig.Radio.LoadImage(radioImage);
    TRKmem model;
    rig.Radio.ModelCode = ModelCodeFor(model);
    TMap36 image;
    const int64_t startMs = rig.Clock.NowMs();
    ASSERT_TRUE(rig.Radio36.ReadRadio(image, model)) << rig.Radio36.FailureDetail;

    TMap expected;
    rig.Radio.StoreImage(expected);
    EXPECT_TRUE(image.Equals(expected));
    EXPECT_TRUE(std::equal(image.Buf.begin(), image.Buf.begin() + 0x3200, radioImage.Buf.begin()));
    EXPECT_TRUE(model.Equals(ModelOf(image)));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Upload is completed"});
    EXPECT_TRUE(rig.Host.AtMax);
    EXPECT_EQ(rig.Host.Steps, 65);
    EXPECT_EQ(rig.Host.Disabled, 0);
    EXPECT_TRUE(rig.Host.EverDisabled);
    EXPECT_FALSE(rig.Port.IsOpen);
    EXPECT_TRUE(EndFrameSent(rig.Port, rig.Radio.ModelCode));
    EXPECT_EQ(rig.Radio.EndFrames, 1);
    EXPECT_EQ(rig.Port.Baud, 9600);
    EXPECT_EQ(rig.Port.StopBits, TWOSTOPBITS);
    EXPECT_EQ(rig.Port.OpenedName, "COM1");
    // Search and confirm, 65 blocks and the end frame, each a write (100 ms)
    // and a receive (50 ms); instant replies leave nothing else.
    EXPECT_EQ(rig.Clock.NowMs() - startMs, 2 * 300 + 65 * 150 + 150);
}

TEST(ReadRadio, FailuresGiveTheirMessageAndLeaveTheCallerUntouched) {
    struct Case {
        const char* name;
        TEmuFaults faults;
        bool rejectImage;
        TCloneStatus result;
        const char* message;
    } cases[] = {
        // Search and confirm bring 6 bytes; the first block's reply stops after 5 of 266.
        {"truncated block", {.SilentAfterBytes = 11}, false, TCloneStatus::Timeout, "Timeout"},
        // ACK 1 confirms, 2 and 3 frame the first block: its final ACK is wrong.
        {"bad final ACK", {.BadAckAt = 3}, false, TCloneStatus::Error, "Read error"},
        {"bad first ACK of block 2", {.BadAckAt = 4}, false, TCloneStatus::Error, "Read error"},
        {"no echo",
         {.NoEcho = true},
         false,
         TCloneStatus::NoEcho,
         "No answer on COM1: check the cable and the port"},
        {"garbage before an ACK",
         {.GarbageAtReply = 5, .GarbageCount = 3},
         false,
         TCloneStatus::Error,
         "Read error"},
        {"image rejected", {}, true, TCloneStatus::BadData, "Clone Data Error: incompatible data"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TScopedMessages messages;
        TRig rig;
        rig.Radio.LoadImage(RandomImage(3));
        rig.Radio.Faults = c.faults;
        TRKmem model;
        model.ProductType = "keep me";
        rig.Radio.ModelCode = ModelCodeFor(model);
        if (c.rejectImage)
            rig.Radio36.Decoder = [](const TMap36&, TRKmem&, const TCodecContext&) { return false; };
        TMap36 image = RandomImage(4);
        const TMap36 before = image;
        EXPECT_FALSE(rig.Radio36.ReadRadio(image, model));
        EXPECT_EQ(rig.Radio36.Status, c.result) << rig.Radio36.FailureDetail;
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{c.message});
        EXPECT_FALSE(rig.Radio36.FailureDetail.empty());
        EXPECT_TRUE(image.Equals(before));
        EXPECT_EQ(model.ProductType, "keep me");
        EXPECT_TRUE(EndFrameSent(rig.Port, rig.Radio36.ModelCode));
        EXPECT_FALSE(rig.Port.IsOpen);
    }
}

TEST(ReadRadio, TimeoutDetailNamesTheBlock) {
    TScopedMessages messages;
    TRig rig;
    rig.Radio.Faults.SilentAfterBytes = 6 + 266 + 5;
    TMap36 image;
    TRKmem model;
    rig.Radio.ModelCode = ModelCodeFor(model);
    EXPECT_FALSE(rig.Radio36.ReadRadio(image, model));
    EXPECT_EQ(rig.Radio36.FailureDetail,
              "read main 0x8100: no reply: 5 of 266 bytes, then 350 ms of silence");
}

TEST(ReadRadio, CancelDuringTheThirdBlockStillSendsTheEndFrame) {
    TScopedMessages messages;
    TRig rig;
    TRKmem model;
    model.ProductType = "keep me";
    rig.Radio.ModelCode = ModelCodeFor(model);
    int frames = 0;
    rig.Port.OnWrite = [&](const std::vector<uint8_t>& w) {
        if (w[0] == CmdReadMain && ++frames == 3) rig.Host.CancelFlag = true;
    };
    TMap36 image;
    EXPECT_FALSE(rig.Radio36.ReadRadio(image, model));
    EXPECT_EQ(rig.Port.FramesOf(CmdReadMain).size(), 3u);
    EXPECT_TRUE(EndFrameSent(rig.Port, rig.Radio.ModelCode));
    EXPECT_TRUE(messages->Shown.empty());
    EXPECT_EQ(rig.Radio36.Status, TCloneStatus::Cancelled);
    EXPECT_EQ(model.ProductType, "keep me");
}

TEST(OpenRadioPort, FailureShowsOneMessageAndSendsNothing) {
    TScopedMessages messages;
    TRig rig;
    rig.Port.OpenFails = true;
    rig.Radio36.ComPortNo = 3;
    TMap36 image;
    TRKmem model;
    EXPECT_FALSE(rig.Radio36.ReadRadio(image, model));
    EXPECT_EQ(rig.Port.OpenedName, "COM3");
    EXPECT_TRUE(rig.Port.Writes.empty());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Problem on COM port"});
    EXPECT_EQ(rig.Radio36.Status, TCloneStatus::PortProblem);
    EXPECT_FALSE(rig.Host.EverDisabled);
}

TEST(WriteRadio, RefusedWhenTheHardwareChangedWithoutOpeningThePort) {
    TScopedMessages messages;
    TRig rig;
    TMap36 image;
    TRKmem model;
    EXPECT_FALSE(RunRadioTransfer(rig.Radio36, false, 1, true, image, model));
    EXPECT_TRUE(rig.Port.OpenedName.empty());
    EXPECT_TRUE(rig.Port.Writes.empty());
    ASSERT_EQ(messages->Shown.size(), 1u);
    EXPECT_TRUE(messages->Shown[0].Text.starts_with("MPU does not respond to the clone command."));
    EXPECT_EQ(messages->Shown[0].Type, TMsgType::Error);
}

TEST(WriteRadio, KeepsTheRadioIdentityAndWritesEverythingElse) {
    TScopedMessages messages;
    TRig rig;
    SeedPlausibleRadio(rig.Radio, RandomImage(11));
    const auto radioAux = rig.Radio.Aux;
    TMap36 image = RandomImage(12);
    TRKmem model = ModelOf(image);

    // What the write must produce: the stamped model encoded in radio form,
    // with the identity blocks of the radio.
    TRKmem stamped = model;
    StampProgrammedDate(stamped, rig.Clock.Date);
    TMap36 expected = image;
    expected.Encode(stamped, true);
    const auto fromRadio = [&](int32_t aux, int32_t offset, int32_t n) {
        std::copy_n(radioAux.begin() + aux, n, expected.Buf.begin() + offset);
    };
    fromRadio(0x0C00, 0x3200, 26);
    fromRadio(0x0C41, 0x0001, 41);
    fromRadio(0x0C6B, 0x002B, 20);
    fromRadio(0x0C80, 0x2F80, 111);
    fromRadio(0x0D00, 0x0070, 15);
    fromRadio(0x0D60, 0x3060, 159);
    expected.Buf[0x3E40] = expected.Buf[0x0000];

    ASSERT_TRUE(RunRadioTransfer(rig.Radio36, false, 1, false, image, model)) << rig.Radio36.FailureDetail;
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Download is completed"});
    EXPECT_TRUE(image.Equals(expected));
    // Bytes 0x0000 and 0x002A are the file's, the rest of that block the radio's.
    EXPECT_EQ(rig.Radio.Main[0x0000], image.Buf[0x0000]);
    EXPECT_EQ(rig.Radio.Main[0x002A], image.Buf[0x002A]);
    EXPECT_TRUE(
        std::equal(rig.Radio.Main.begin() + 1, rig.Radio.Main.begin() + 0x2A, radioAux.begin() + 0xC41));
    EXPECT_TRUE(
        std::equal(rig.Radio.Main.begin() + 0x2B, rig.Radio.Main.begin() + 0x3F, radioAux.begin() + 0xC6B));
    // Main memory is the image, all 64 blocks; auxiliary memory up to the
    // date; the identity area of the radio is untouched.
    EXPECT_TRUE(std::equal(rig.Radio.Main.begin(), rig.Radio.Main.end(), image.Buf.begin()));
    EXPECT_TRUE(std::equal(rig.Radio.Aux.begin(), rig.Radio.Aux.begin() + 0x628, image.Buf.begin() + 0x3200));
    EXPECT_TRUE(std::equal(rig.Radio.Aux.begin() + 0x628, rig.Radio.Aux.end(), radioAux.begin() + 0x628));
    // The date goes first, as packed decimal pairs of Sunday 2026-12-06 23:59:59.
    const auto aux = rig.Port.FramesOf(CmdWriteAux);
    ASSERT_FALSE(aux.empty());
    EXPECT_EQ(aux[0], (std::vector<uint8_t>{0xE6, 0x20, 0x06, 0x00, 0x08, 0x00, 0x00, rig.Radio.ModelCode}));
    EXPECT_TRUE(std::equal(rig.Radio.Aux.begin() + 0x620, rig.Radio.Aux.begin() + 0x628,
                           std::array<uint8_t, 8>{0x20, 0x26, 0x12, 0x06, 0x07, 0x23, 0x59, 0x59}.begin()));
    EXPECT_EQ(model.ProgWeekday, 7);
    EXPECT_TRUE(model.Equals(ModelOf(image)));
    EXPECT_FALSE(rig.Host.CancelVisible);
    EXPECT_EQ(rig.Host.ProgressMax, 78);
    EXPECT_EQ(rig.Radio.EndFrames, 1);
}

TEST(WriteRadio, EraseWaitsWithTheLongTimeOut) {
    struct Case {
        int64_t firstEraseUs, secondEraseUs;
        TCloneStatus result;
        const char* message;
    } cases[] = {
        {4'000'000, 4'000'000, TCloneStatus::Success, "Download is completed"},
        // A first erase that never answers is a missing ACK; the second keeps its time-out.
        {6'000'000, 0, TCloneStatus::Error, "Write error"},
        {0, 6'000'000, TCloneStatus::Timeout, "Timeout"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        TScopedMessages messages;
        TRig rig;
        TMap36 image = RandomImage(5);
        TRKmem model = ModelOf(image);
        SeedPlausibleRadio(rig.Radio, image);
        rig.Port.LatencyOf = [&](const std::vector<uint8_t>& w) -> int64_t {
            if (w.size() != 8 || w[0] != CmdErase) return 0;
            return w[2] == 0x80 ? c.firstEraseUs : c.secondEraseUs;
        };
        EXPECT_EQ(rig.Radio36.WriteRadio(model, image), c.result == TCloneStatus::Success);
        EXPECT_EQ(rig.Radio36.Status, c.result) << rig.Radio36.FailureDetail;
        // The auxiliary blocks are written before the erases.
        const std::string partly =
            c.result == TCloneStatus::Success ? "" : std::string("\r\n\r\n") + PartlyWrittenMessage;
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{c.message + partly});
        // After the erases the short time-out is back: a slow data block times out.
    }
}

TEST(WriteRadio, ConversionFailureIsAWriteErrorBeforeAnythingIsWritten) {
    TScopedMessages messages;
    TRig rig;
    TMap36 image = RandomImage(6);
    TRKmem model = ModelOf(image);
    model.SerialNumber = "X1234567"; // not a number: manufacture mode cannot encode it
    rig.Radio.ModelCode = ModelCodeFor(model);
    rig.Radio36.Context.StartupMode = 2;
    EXPECT_FALSE(rig.Radio36.WriteRadio(model, image));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Write error"});
    EXPECT_TRUE(rig.Radio36.FailureDetail.starts_with("WriteRadio: encoding failed"))
        << rig.Radio36.FailureDetail;
    EXPECT_TRUE(rig.Port.FramesOf(CmdWriteAux).empty());
}

TEST(CheckDeck, RadioBandFromTheDeckBytes) {
    struct Case {
        uint8_t hw, v, aux;
        const char* fileProduct;
        int bandCode, uhf;
        bool asks;
        const char* question;
    } cases[] = {
        // 0x45: g = 8, h = 1, l = 1: "UHF D", the file's band: no question.
        {0x45, 0x01, 0x00, "TR-2200", 4, 1, false, ""},
        {0x45, 0x01, 0x00, "TR-2200", 1, 1, true,
         "This Deck is 'UHF D'.\r\nDo you change 'UHF D Data' into 'UHF A Data'?"},
        // g = 24 with the flag cleared by v = 0x05 (w = 2): "UHF F".
        {0xC4, 0x05, 0x00, "TR-2300", 1, 1, true,
         "This Deck is 'UHF F'.\r\nDo you change 'UHF F Data' into 'UHF A Data'?"},
        // g = 24 with the flag set through the auxiliary byte: "UHF DS1", a TR-2300 "UHF DS1" file.
        {0xC4, 0x00, 0x20, "TR-2300", 6, 1, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.question);
        TScopedMessages messages;
        messages->Answers = {TMsgResult::No};
        TRig rig;
        rig.Radio.Main[0x24] = c.hw;
        rig.Radio.Main[0x2D] = c.v;
        rig.Radio.Aux[0x18] = c.aux;
        TRKmem model;
        model.ProductType = c.fileProduct;
        model.UhfBand = c.uhf;
        model.BandCode = c.bandCode;
        rig.Radio.ModelCode = ModelCodeFor(model);
        ASSERT_EQ(rig.Radio36.OpenRadioPort(), TCloneStatus::Success);
        uint8_t code = 0;
        ASSERT_EQ(rig.Radio36.SearchRadio(model, code), TCloneStatus::Success);
        EXPECT_EQ(rig.Radio36.CheckDeck(code, model),
                  c.asks ? TCloneStatus::DeckDeclined : TCloneStatus::Success);
        if (c.asks) {
            ASSERT_EQ(messages->Shown.size(), 2u);
            EXPECT_EQ(messages->Shown[0].Text, c.question);
            EXPECT_EQ(messages->Shown[0].Buttons, TMsgButtons::YesNo);
            EXPECT_TRUE(messages->Shown[1].Text.starts_with("MPU does not respond"));
        } else {
            EXPECT_TRUE(messages->Shown.empty());
        }
    }
}

TEST(WriteRadioFull, DeclinedDeckChangeEndsWithOneWriteError) {
    TScopedMessages messages;
    messages->Answers = {TMsgResult::No};
    TRig rig;
    rig.Radio.Main[0x24] = 0x45; // "UHF D"
    rig.Radio.Main[0x2D] = 0x01;
    TMap36 image;
    TRKmem model; // "LVHF A"
    rig.Radio.ModelCode = ModelCodeFor(model);
    const int64_t before = rig.Clock.NowMs();
    EXPECT_FALSE(RunRadioTransfer(rig.Radio36, false, 0, true, image, model));
    EXPECT_EQ(rig.Radio36.Status, TCloneStatus::DeckDeclined);
    ASSERT_EQ(messages->Shown.size(), 3u);
    EXPECT_EQ(messages->Shown[2].Text, "Write error");
    EXPECT_TRUE(rig.Port.FramesOf(CmdWriteAux).empty());
    EXPECT_TRUE(EndFrameSent(rig.Port, rig.Radio.ModelCode));
    // The end frame follows 400 ms after the last exchange (plus its own 100 ms pause).
    const auto& w = rig.Port.Writes;
    EXPECT_EQ(w.back().AtMs - w[w.size() - 2].AtMs, 50 + 400 + 100);
    EXPECT_GT(rig.Clock.NowMs(), before);
}

TEST(WriteRadioFull, AnUnreadableDeckIsAWriteErrorNotADeclinedChange) {
    TScopedMessages messages;
    TRig rig;
    TRKmem model;
    rig.Radio.ModelCode = ModelCodeFor(model);
    // Search and confirm bring 6 bytes; the first deck byte's reply stops after 5 of 11.
    rig.Radio.Faults.SilentAfterBytes = 6 + 5;
    TMap36 image;
    EXPECT_FALSE(rig.Radio36.WriteRadioFull(model, image));
    EXPECT_EQ(rig.Radio36.Status, TCloneStatus::DeckUnknown) << rig.Radio36.FailureDetail;
    EXPECT_EQ(CloneStatusInfo(rig.Radio36.Status).ExitCode, 1);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Write error"});
    EXPECT_TRUE(rig.Port.FramesOf(CmdWriteAux).empty());
    EXPECT_TRUE(EndFrameSent(rig.Port, rig.Radio.ModelCode));
}

TEST(WriteRadioFull, WritesSumsMirrorsAndIdentity) {
    TScopedMessages messages;
    messages->Answers = {TMsgResult::Yes};
    TRig rig;
    rig.Radio.LoadImage(RandomImage(21));
    // A new configuration over random bytes: every frequency encodes.
    TMap36 image = RandomImage(22);
    TRKmem model;
    model.SetNewConfiguration();
    model.SerialNumber = "--------"; // never written
    image.Encode(model, false);
    model = ModelOf(image);
    model.SerialNumber = "--------";
    rig.Radio.ModelCode = ModelCodeFor(model);
    rig.Radio36.Context.StartupMode = 2;

    TRKmem stamped = model;
    StampProgrammedDate(stamped, rig.Clock.Date);
    TMap36 encoded = image;
    encoded.Encode(stamped, false, rig.Radio36.Context);

    ASSERT_TRUE(RunRadioTransfer(rig.Radio36, false, 0, true, image, model)) << rig.Radio36.FailureDetail;
    EXPECT_EQ(messages.Texts().back(), "Download is completed");

    const auto sum = [&](int32_t first, int32_t last) {
        uint32_t s = 0;
        for (int32_t i = first; i <= last; ++i)
            s += encoded.Buf[static_cast<size_t>(i)];
        return s;
    };
    const auto& main = rig.Radio.Main;
    const auto& aux = rig.Radio.Aux;
    EXPECT_EQ(main[0x003F], sum(0x0000, 0x003E) & 0xFF);
    EXPECT_EQ(main[0x2FFF], sum(0x2F80, 0x2FEE) & 0xFF);
    EXPECT_EQ(main[0x30FF], sum(0x3060, 0x30FE) & 0xFF);
    const uint32_t idSum = sum(0x3204, 0x3219);
    EXPECT_EQ(aux[0x0002], (idSum >> 8) & 0xFF);
    EXPECT_EQ(aux[0x0003], idSum & 0xFF);
    // Identity block and its mirror, the file's first bytes and theirs.
    EXPECT_TRUE(std::equal(aux.begin() + 0x0004, aux.begin() + 0x001A, encoded.Buf.begin() + 0x3204));
    EXPECT_TRUE(std::equal(aux.begin() + 0x0C00, aux.begin() + 0x0C1A, aux.begin()));
    EXPECT_TRUE(std::equal(aux.begin() + 0x0C40, aux.begin() + 0x0C7F, encoded.Buf.begin()));
    EXPECT_TRUE(std::equal(aux.begin() + 0x0C80, aux.begin() + 0x0CF0, encoded.Buf.begin() + 0x2F80));
    EXPECT_TRUE(std::equal(aux.begin() + 0x0D00, aux.begin() + 0x0D10, encoded.Buf.begin() + 0x0070));
    EXPECT_TRUE(std::equal(aux.begin() + 0x0D60, aux.begin() + 0x0E5F, encoded.Buf.begin() + 0x3060));
    // 50 main blocks from the image (sums in place); the rest stays erased.
    EXPECT_TRUE(std::equal(main.begin(), main.begin() + 0x3200, image.Buf.begin()));
    EXPECT_TRUE(std::all_of(main.begin() + 0x3200, main.end(), [](uint8_t b) { return b == 0xFF; }));
    EXPECT_EQ(image.Buf[0x003F], main[0x003F]);
    EXPECT_TRUE(std::equal(image.Buf.begin() + 0x3E40, image.Buf.begin() + 0x3E7F, image.Buf.begin()));
    EXPECT_EQ(rig.Port.FramesOf(CmdErase).size(), 2u);
    EXPECT_EQ(rig.Host.ProgressMax, 67);
    // What a file made by the program carries is exactly this.
    TMap36 sealed = encoded;
    SealIdentityCopy(sealed);
    EXPECT_TRUE(image.Equals(sealed));
}

namespace {

// A new configuration over random bytes: every frequency encodes.
TMap36 NewConfigurationImage(uint32_t seed) {
    TMap36 image = RandomImage(seed);
    TRKmem model;
    model.SetNewConfiguration();
    image.Encode(model, false);
    return image;
}

bool RadioWasWritten(const TEmuPort& port) {
    return !port.FramesOf(CmdWriteAux).empty() || !port.FramesOf(CmdWriteMain).empty() ||
           !port.FramesOf(CmdErase).empty();
}

} // namespace

TEST(WriteRadio, WritesOnlyOverAnIdentityThatFitsTheRadio) {
    struct Case {
        const char* name;
        std::function<void(TMap36&)> radio; // the radio's memories, sealed as a full write leaves them
        std::function<void(TMap36&)> after; // then spoiled
        std::vector<TMsgResult> answers;
        bool written;
        std::vector<std::string> messages;
        TCloneStatus status = TCloneStatus::Success;
    } cases[] = {
        {"plausible", {}, {}, {}, true, {"Download is completed"}},
        {"identity copy all zero",
         {},
         [](TMap36& r) { std::fill(r.Buf.begin() + 0x3E00, r.Buf.begin() + 0x4100, 0); },
         {},
         false,
         {BadIdentityMessage},
         TCloneStatus::BadIdentity},
        {"identity copy all 0xFF",
         {},
         [](TMap36& r) { std::fill(r.Buf.begin() + 0x3E00, r.Buf.begin() + 0x4100, 0xFF); },
         {},
         false,
         {BadIdentityMessage},
         TCloneStatus::BadIdentity},
        // The identity says UHF, the radio answered a VHF code.
        {"other band",
         {},
         [](TMap36& r) { r.Buf[0x3E40 + 0x24] = 0x0C; },
         {},
         false,
         {BadIdentityMessage},
         TCloneStatus::BadIdentity},
        {"checksum differs, No",
         {},
         [](TMap36& r) { ++r.Buf[0x3E03]; },
         {TMsgResult::No},
         false,
         {IdentitySumQuestion},
         TCloneStatus::IdentityDeclined},
        {"checksum differs, Yes",
         {},
         [](TMap36& r) { ++r.Buf[0x3E03]; },
         {TMsgResult::Yes},
         true,
         {IdentitySumQuestion, "Download is completed"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TScopedMessages messages;
        messages->Answers = c.answers;
        TRig rig;
        TMap36 radioImage = NewConfigurationImage(31);
        radioImage.Buf[0x0024] = 0x0A; // "VHF A"
        SealIdentityCopy(radioImage);
        if (c.after) c.after(radioImage);
        rig.Radio.LoadImage(radioImage);
        rig.Radio.ModelCode = 0x25;
        const auto mainBefore = rig.Radio.Main;
        const auto auxBefore = rig.Radio.Aux;

        TMap36 image = NewConfigurationImage(32);
        TRKmem model = ModelOf(image);
        TMap36 encoded = image;
        TRKmem stamped = model;
        StampProgrammedDate(stamped, rig.Clock.Date);
        encoded.Encode(stamped, true);

        EXPECT_EQ(rig.Radio36.WriteRadio(model, image), c.written) << rig.Radio36.FailureDetail;
        EXPECT_EQ(messages.Texts(), c.messages);
        EXPECT_EQ(RadioWasWritten(rig.Port), c.written);
        EXPECT_EQ(rig.Radio.EndFrames, 1);
        EXPECT_FALSE(rig.Port.IsOpen);
        EXPECT_EQ(rig.Radio36.Status, c.status);
        if (!c.written) {
            EXPECT_TRUE(rig.Radio.Main == mainBefore && rig.Radio.Aux == auxBefore);
            // The refused identity never reaches the caller's image.
            EXPECT_TRUE(image.Equals(encoded));
        }
    }
}

TEST(WriteRadio, AFailureAfterTheFirstWriteSaysTheRadioIsPartlyWritten) {
    const std::string partly = std::string("\r\n\r\n") + PartlyWrittenMessage;
    struct Case {
        const char* name;
        TEmuFaults faults;
        std::string message;
    } cases[] = {
        // ACK 1 confirms; ACKs 2..13 frame the six identity reads.
        {"identity read fails", {.BadAckAt = 5}, "Write error"},
        {"date write refused", {.BadAckAt = 14}, "Write error" + partly},
        {"main block refused", {.BadAckAt = 40}, "Write error" + partly},
        // Silence in a main block's data is a missing ACK.
        {"radio falls silent", {.SilentAfterBytes = 12000}, "Write error" + partly},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TScopedMessages messages;
        TRig rig;
        TMap36 image = NewConfigurationImage(41);
        TRKmem model = ModelOf(image);
        SeedPlausibleRadio(rig.Radio, image);
        rig.Radio.Faults = c.faults;
        EXPECT_FALSE(rig.Radio36.WriteRadio(model, image));
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{c.message}) << rig.Radio36.FailureDetail;
    }
}

namespace {

// The write sequences' pauses, as the read's are checked above: with instant
// replies the virtual clock advances only by the pauses. A frame exchange is
// 100 ms before the write and 50 ms before the receive; a data block is two.
TEST(WriteSchedule, StandardAndFullWritesTakeExactlyThePrescribedPauses) {
    constexpr int64_t kExchange = 150, kBlock = 2 * kExchange, kSearch = 2 * 2 * kExchange;
    for (const bool full : {false, true}) {
        SCOPED_TRACE(full ? "full write" : "standard write");
        TScopedMessages messages;
        messages->Answers = {TMsgResult::Yes};
        TRig rig;
        rig.Radio.LoadImage(RandomImage(31));
        TMap36 image = RandomImage(32);
        TRKmem model;
        model.SetNewConfiguration();
        image.Encode(model, false);
        model = ModelOf(image);
        rig.Radio.ModelCode = ModelCodeFor(model);
        rig.Radio36.Context.StartupMode = full ? 2 : 0;
        const int64_t start = rig.Clock.NowMs();
        const bool ok =
            full ? rig.Radio36.WriteRadioFull(model, image) : rig.Radio36.WriteRadio(model, image);
        ASSERT_TRUE(ok) << rig.Radio36.FailureDetail;
        int64_t expected = 0;
        if (full) {
            // Deck check: two reads, three when bit 0 of the deck byte is clear.
            const int64_t deck = ((rig.Radio.Main[0x2D] & 1) == 0 ? 3 : 2) * kExchange;
            // 18 auxiliary blocks, two erases each with a 1000 ms pause, 50 main blocks, end frame.
            expected = kSearch + deck + 18 * kBlock + 2 * (kExchange + 1000) + 50 * kBlock + kExchange;
        } else {
            // Six identity reads, the date block, seven auxiliary blocks, two
            // erases (no pause of their own), 64 main blocks, end frame.
            expected =
                kSearch + 6 * kExchange + kBlock + 7 * kBlock + 2 * kExchange + 64 * kBlock + kExchange;
        }
        EXPECT_EQ(rig.Clock.NowMs() - start, expected);
    }
}

} // namespace

TEST(CloneStatus, EachStatusHasOneOutcomeAndOneExitStatus) {
    const std::string partly = std::string("\r\n\r\n") + PartlyWrittenMessage;
    const std::string noEcho = "No answer on COM1: check the cable and the port";
    struct Case {
        TCloneStatus status;
        std::vector<std::string> read, write; // what the user is told
        std::string writeTouched;             // ... after a write that had begun
        int exitCode;
    } cases[] = {
        {TCloneStatus::Success,
         {"Upload is completed"},
         {"Download is completed"},
         "Download is completed",
         0},
        {TCloneStatus::Error, {"Read error"}, {"Write error"}, "Write error" + partly, 1},
        {TCloneStatus::Timeout, {"Timeout"}, {"Timeout"}, "Timeout" + partly, 2},
        {TCloneStatus::Cancelled, {}, {}, "", 130},
        {TCloneStatus::PortProblem,
         {"Problem on COM port"},
         {"Problem on COM port"},
         "Problem on COM port",
         4},
        {TCloneStatus::NoEcho, {noEcho}, {noEcho}, noEcho, 4},
        {TCloneStatus::NoRadio, {"Read error"}, {"Write error"}, "Write error", 1},
        {TCloneStatus::HardwareChanged,
         {MpuNoResponseMessage},
         {MpuNoResponseMessage},
         MpuNoResponseMessage,
         1},
        {TCloneStatus::EncodeFailed, {"Read error"}, {"Write error"}, "Write error", 1},
        {TCloneStatus::DeckUnknown, {"Read error"}, {"Write error"}, "Write error", 1},
        {TCloneStatus::DeckDeclined, {"Read error"}, {"Write error"}, "Write error", 3},
        {TCloneStatus::BadData, {"Clone Data Error: incompatible data"}, {"Write error"}, "Write error", 14},
        {TCloneStatus::BadIdentity, {BadIdentityMessage}, {BadIdentityMessage}, BadIdentityMessage, 14},
        {TCloneStatus::IdentityDeclined, {}, {}, "", 14},
        {TCloneStatus::FileProblem, {}, {}, "", 5},
        {TCloneStatus::AccessDenied, {}, {}, "", 6},
        {TCloneStatus::VerifyFailed, {"Verify failed: "}, {"Verify failed: "}, "Verify failed: " + partly, 7},
    };
    ASSERT_EQ(std::size(cases), kCloneStatusCount);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(static_cast<size_t>(c.status), i);
        EXPECT_EQ(CloneStatusInfo(c.status).ExitCode, c.exitCode);
        for (const int run : {0, 1, 2}) {
            TScopedMessages messages;
            TRig rig;
            rig.Radio36.RadioTouched = run == 2;
            rig.Radio36.Report(run == 0, c.status);
            const auto expected = run == 0 ? c.read
                                  : run == 1
                                      ? c.write
                                      : (c.writeTouched.empty() ? std::vector<std::string>{}
                                                                : std::vector<std::string>{c.writeTouched});
            EXPECT_EQ(messages.Texts(), expected) << run;
            EXPECT_EQ(rig.Radio36.Status, c.status);
            EXPECT_EQ(rig.Host.AtMax, c.status == TCloneStatus::Success);
            if (!messages->Shown.empty()) {
                EXPECT_EQ(messages->Shown[0].Type,
                          c.status == TCloneStatus::Success ? TMsgType::Information : TMsgType::Error);
            }
        }
    }
    EXPECT_EQ(CloneExitStatusHelp(),
              "0 done, 1 read/write error, 2 time-out, 3 deck change declined, 4 port problem or no cable, "
              "5 file problem, 6 wrong access code, 7 the radio differs from the file, 14 incompatible data "
              "or the radio's identity is not valid, "
              "130 cancelled");
}
