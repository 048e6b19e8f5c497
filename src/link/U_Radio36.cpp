#include "link/U_Radio36.h"

#include <algorithm>
#include <exception>

#include "image/dc_Map36Const.h"
#include "model/dc_Errors.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"

namespace radio36 {

const std::array<uint8_t, 37> FallbackCodes = {
    0xFF, 0x41, 0x42, 0x43, 0x05, 0x07, 0x89, 0x8B, 0x8C, 0x8D, 0x61, 0x62, 0x63,
    0x25, 0x27, 0xA9, 0xAB, 0xAC, 0xAD, 0x51, 0x52, 0x53, 0x15, 0x17, 0x99, 0x9B,
    0x9C, 0x9D, 0x71, 0x72, 0x73, 0x35, 0x37, 0xB9, 0xBB, 0xBC, 0xBD,
};

std::array<uint8_t, 8> Frame(uint8_t command, int32_t address, uint8_t space, int32_t length,
                             uint8_t modelCode) {
    return {command,
            static_cast<uint8_t>(address & 0xFF),
            static_cast<uint8_t>((address >> 8) & 0xFF),
            space,
            static_cast<uint8_t>(length & 0xFF),
            static_cast<uint8_t>((length >> 8) & 0xFF),
            0x00,
            modelCode};
}

} // namespace radio36

using namespace radio36;

namespace {

constexpr const char* kProductTR2100 = "TR-2100";
constexpr const char* kProductTR2300 = "TR-2300";

// Model codes by product row and band column.
constexpr uint8_t kModelCodes[2][8] = {
    {0x41, 0x43, 0x05, 0x07, 0x89, 0x8B, 0x8D, 0x8D}, // TR-2100
    {0x61, 0x63, 0x25, 0x27, 0xA9, 0xAB, 0xAC, 0xAD}, // other product types
};

constexpr const char* kDeckBandNames[8] = {"LVHF A", "LVHF B", "VHF A", "VHF C",
                                           "UHF A",  "UHF D",  "UHF F", "UHF DS1"};

// Reads of the radio's identity blocks (auxiliary memory) in a standard
// write: address, length, first image offset written, received bytes
// skipped at the front.
struct TIdentityBlock {
    int32_t Address;
    int32_t Length;
    int32_t ImageOffset;
    int32_t Skip;
};
constexpr TIdentityBlock kIdentityBlocks[] = {
    {0x0C00, 26, 0x3200, 0},  {0x0C40, 42, 0x0001, 1}, {0x0C6B, 20, 0x002B, 0},
    {0x0C80, 111, 0x2F80, 0}, {0x0D00, 15, 0x0070, 0}, {0x0D60, 159, 0x3060, 0},
};

// The radio's memory as the sequences address it: every address has a
// name. Main memory starts at MainBase (image offset 0), auxiliary memory at
// 0 (image offset AuxOffset).
namespace mem {
constexpr int32_t BlockLength = 0x100; // reads and main-memory writes
constexpr int32_t MainEnd = 0xC000;    // below it: the 64 blocks of a standard write
// Below it: the 50 blocks read and fully written, as many as the image holds
// below the auxiliary memory.
constexpr int32_t MainDataEnd = MainBase + AuxOffset;
constexpr int32_t EraseAreas[] = {0x8000, 0xA000};
constexpr int32_t EraseLength = 0x0200; // length field of an erase frame
constexpr int32_t EndFrameAddress = 0xC000;
constexpr int32_t EndFrameLength = 0x0100;
constexpr int32_t DeckOptions = 0x802D;      // bit 0, bits 7..1: the option that tells UHF F from DS1
constexpr int32_t DeckHardware = 0x8024;     // the deck's band bits
constexpr int32_t AuxDeckFlag = 0x0018;      // bit 5: the same, when the option byte does not say
constexpr int32_t AuxEnd = 0x0F00;           // below it: the 15 auxiliary blocks read
constexpr int32_t ProgDate = 0x0620;         // the last programmed date, sent first on its own
constexpr int32_t AuxSettingsEnd = ProgDate; // below it: what a standard write sends after the date
constexpr int32_t AuxShortBlock = 0x0600;    // the one 32-byte block of a standard write
constexpr int32_t ProgDateLength = 8;
constexpr int32_t FullAuxBlockLength = 224; // a full write's auxiliary blocks
// Below it: the 224-byte blocks of a full write, the identity codes and their
// copy among them; the rest of the identity copy follows block by block.
constexpr int32_t FullAuxEnd = kIdentityCopies[1].Copy - AuxOffset;
// Image offsets.
constexpr int32_t ProgDateImage = AuxOffset + ProgDate;
constexpr int32_t ByteZero = kIdentityCopies[1].From; // keeps the file's value in a standard write
constexpr int32_t ByteZeroMirror = kIdentityCopies[1].Copy;
} // namespace mem

// The areas a standard write sends, named after what the image holds there:
// auxiliary memory up to the date, then main memory. The main-memory names
// follow the image offset (address - MainBase).
constexpr int32_t Main(int32_t imageOffset) {
    return MainBase + imageOffset;
}
constexpr TMemoryArea kWrittenAreas[] = {
    {0x0000, mem::AuxShortBlock, "auxiliary identity, options and lists"},
    {mem::AuxShortBlock, mem::ProgDate, "auxiliary dates and texts"},
    {mem::ProgDate, mem::ProgDate + mem::ProgDateLength, "last programmed date"},
    {Main(0x0000), Main(0x0080), "hardware and synthesizer block"},
    {Main(0x0080), Main(0x0101), "radio settings block"},
    {Main(0x0101), Main(kGroupNameArea.Anchor.FirstByte), "signalling and lists"},
    {Main(kGroupNameArea.Anchor.FirstByte), Main(kChannelArea.Anchor.FirstByte), "group names"},
    {Main(kChannelArea.Anchor.FirstByte), Main(0x2E00), "channel table"},
    {Main(0x2E00), Main(0x2F44), "selectable-tone area"},
    {Main(0x2F44), Main(kIdentityCopies[2].From), "MDC1200 block"},
    {Main(kIdentityCopies[2].From), Main(0x3000), "identity codes"},
    {Main(0x3000), Main(0x3800), "identity, options and lists"},
    {Main(0x3800), Main(kIdentityCopies[0].Copy), "dates, serial number and texts"},
    {Main(kIdentityCopies[0].Copy), mem::MainEnd, "identity copy"},
};
static_assert([] {
    // No gaps, no overlaps: the auxiliary run ends with the date, the main
    // run covers the 64 blocks.
    for (size_t i = 1; i < std::size(kWrittenAreas); ++i)
        if (kWrittenAreas[i].First != kWrittenAreas[i - 1].End && kWrittenAreas[i].First != MainBase)
            return false;
    return kWrittenAreas[2].End == mem::ProgDate + mem::ProgDateLength &&
           kWrittenAreas[3].First == MainBase && std::size(kWrittenAreas) > 3 &&
           kWrittenAreas[std::size(kWrittenAreas) - 1].End == mem::MainEnd;
}());

// Progress steps: the blocks of a whole read, the steps of a standard write
// and the blocks of a read-back of what it wrote.
constexpr int32_t kReadBlocks = (mem::MainDataEnd - MainBase + mem::AuxEnd) / mem::BlockLength;
constexpr int32_t kWriteSteps = 78;
constexpr int32_t kVerifyBlocks =
    (mem::MainEnd - MainBase) / mem::BlockLength +
    (mem::ProgDate + mem::ProgDateLength + mem::BlockLength - 1) / mem::BlockLength;

// Bits 7..6 of a model code name the band family, bit 5 the product row
// (TR-2100 or not); the other bits vary within a family.
constexpr uint8_t kCodeFamilyMask = 0xC0;
constexpr uint8_t kCodeClassMask = 0xE0;

std::string Hex2(uint32_t v) {
    static constexpr char kDigits[] = "0123456789abcdef";
    return {kDigits[(v >> 4) & 0xF], kDigits[v & 0xF]};
}

std::string Hex4(int32_t v) {
    return "0x" + Hex2(static_cast<uint32_t>(v) >> 8) + Hex2(static_cast<uint32_t>(v));
}

uint8_t Sum8(const TMap& image, int32_t first, int32_t last) {
    uint32_t s = 0;
    for (int32_t i = first; i <= last; ++i)
        s += image.Buf[static_cast<size_t>(i)];
    return static_cast<uint8_t>(s & 0xFF);
}

bool AllBytesAre(const std::vector<uint8_t>& bytes, uint8_t value) {
    return std::all_of(bytes.begin(), bytes.end(), [value](uint8_t b) { return b == value; });
}

} // namespace

// Decodes into a scratch model so a rejected image changes nothing.
bool TRadio36::DecodeInto(const TMap36& image, TRKmem& model) {
    TRKmem scratch;
    try {
        if (!Decoder(image, scratch, Context)) return false;
    } catch (const std::exception&) {
        return false;
    }
    model.Assign(scratch);
    return true;
}

uint8_t ModelCodeFor(const TRKmem& model) {
    int32_t column = BandType(model);
    if (model.ProductType != kProductTR2300 && column == 6) column = 7;
    const int row = model.ProductType == kProductTR2100 ? 0 : 1;
    return kModelCodes[row][column];
}

bool IdentityFitsModelCode(const TRKmem& identity, uint8_t modelCode) {
    // A code outside the families (one found by trying every value) says
    // nothing about product or band.
    if ((modelCode & kCodeFamilyMask) == kCodeFamilyMask) return true;
    return (ModelCodeFor(identity) & kCodeClassMask) == (modelCode & kCodeClassMask);
}

const char* DeckBandName(int32_t band) {
    return band >= 0 && band < 8 ? kDeckBandNames[band] : kDeckBandNames[0];
}

std::span<const TMemoryArea> StandardWriteAreas() {
    return kWrittenAreas;
}

const char* MemoryAreaName(int32_t address) {
    for (const TMemoryArea& a : kWrittenAreas)
        if (address >= a.First && address < a.End) return a.Name;
    return nullptr;
}

uint8_t WrittenByte(const TMap36& image, int32_t address) {
    const int32_t offset = address >= MainBase ? address - MainBase : AuxOffset + address;
    return image.Buf[static_cast<size_t>(offset)];
}

TVerifyResult CompareWrittenAreas(const TMap36& written, const TRadioMemory& radio) {
    TVerifyResult result;
    for (const TMemoryArea& a : kWrittenAreas)
        for (int32_t address = a.First; address < a.End; ++address) {
            const uint8_t expected = WrittenByte(written, address);
            const uint8_t found = radio.Bytes[static_cast<size_t>(address)];
            if (expected == found) continue;
            if (result.Differences++ == 0) result = {1, a.Name, address, expected, found};
        }
    return result;
}

std::string VerifyDifferenceText(const TVerifyResult& result) {
    if (result.Equal()) return {};
    return std::string(result.Area) + " differs at " + Hex4(result.Address);
}

int32_t IsoWeekday(int32_t year, int32_t month, int32_t day) {
    // Days since 1970-01-01 in the proleptic Gregorian calendar (a Thursday).
    const int64_t y = year - (month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int64_t days = era * 146097 + doe - 719468;
    return static_cast<int32_t>(((days + 3) % 7 + 7) % 7 + 1);
}

void StampProgrammedDate(TRKmem& model, const TLocalDateTime& now) {
    // The radio keeps the "yyyymmddhhnnss" digits in pairs; a four-digit year
    // splits into century and year.
    const int32_t year = ((now.Year % 10000) + 10000) % 10000;
    model.ProgCentury = year / 100;
    model.ProgYear = year % 100;
    model.ProgMonth = now.Month;
    model.ProgDay = now.Day;
    model.ProgWeekday = IsoWeekday(now.Year, now.Month, now.Day);
    model.ProgHour = now.Hour;
    model.ProgMinute = now.Minute;
    model.ProgSecond = now.Second;
}

std::array<uint8_t, 8> radio36::EndFrame(uint8_t modelCode) {
    return Frame(CmdEnd, mem::EndFrameAddress, SpaceMain, mem::EndFrameLength, modelCode);
}

const TCloneStatusInfo& CloneStatusInfo(TCloneStatus status) {
    return kCloneStatuses[static_cast<size_t>(status)];
}

std::string CloneExitStatusHelp() {
    std::vector<const TCloneStatusInfo*> rows;
    for (const auto& row : kCloneStatuses)
        if (row.ExitMeaning) rows.push_back(&row);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto* a, const auto* b) { return a->ExitCode < b->ExitCode; });
    std::string help;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0 && rows[i]->ExitCode == rows[i - 1]->ExitCode) {
            help += std::string(" or ") + rows[i]->ExitMeaning;
            continue;
        }
        if (i > 0) help += ", ";
        help += std::to_string(rows[i]->ExitCode) + " " + rows[i]->ExitMeaning;
    }
    return help;
}

TRadio36::TRadio36(IRadioHost& host, TPortFactory portFactory)
    : host_(host), portFactory_(std::move(portFactory)) {}

TCloneStatus TRadio36::Fail(TCloneStatus status, std::string detail) {
    if (FailureDetail.empty()) FailureDetail = std::move(detail);
    return status;
}

void TRadio36::SetStatus(std::string text) {
    status_ = std::move(text);
    host_.SetStatus(status_);
}

std::string TRadio36::PortLabel() const {
    return PortName.empty() ? "COM" + std::to_string(ComPortNo) : PortName;
}

TCloneStatus TRadio36::OpenRadioPort() {
    port_ = portFactory_ ? portFactory_() : std::make_unique<TCRsDrv>(host_.Clock(), PortMap);
    port_->SetBaudRate(9600);
    port_->SetParity(NOPARITY);
    port_->SetByteSize(8);
    port_->SetStopBits(TWOSTOPBITS);
    const std::string name = PortLabel();
    if (port_->Open(name) != 0) {
        const TCloneStatus status =
            Fail(TCloneStatus::PortProblem, "OpenRadioPort: " + name + ": " + port_->GetLastError());
        CloseRadioPort();
        return status;
    }
    return TCloneStatus::Success;
}

void TRadio36::CloseRadioPort() {
    if (!port_) return;
    port_->Close();
    port_.reset();
}

bool TRadio36::Send(const uint8_t* data, int32_t count) {
    if (port_->Write(data, count) == 0) return true;
    receiveDetail_ = "write of " + std::to_string(count) + " bytes failed: " + port_->GetLastError();
    return false;
}

TCloneStatus TRadio36::ReceiveExact(int32_t n, std::vector<uint8_t>& destination) {
    IClock& clock = host_.Clock();
    clock.Sleep(50);
    // Room for a read of n bytes at any offset below n: whatever comes
    // beyond n in the same read is dropped.
    std::vector<uint8_t> work(static_cast<size_t>(std::max(WorkBufferSize, 2 * n)), 0);
    destination.assign(static_cast<size_t>(n), 0);
    TimedOut = false;
    int64_t deadline = clock.NowMs() + TimeoutMs;

    int32_t received = 0;
    TCloneStatus result = TCloneStatus::Success;
    for (;;) {
        int32_t got = 0;
        if (port_->Read(n, work.data() + received, got) != 0) {
            receiveDetail_ = "port status query failed after " + std::to_string(received) + " of " +
                             std::to_string(n) + " bytes: " + port_->GetLastError();
            result = TCloneStatus::Error;
            break;
        }
        if (clock.NowMs() >= deadline) TimedOut = true;
        if (TimedOut) {
            receiveDetail_ = "no reply: " + std::to_string(received) + " of " + std::to_string(n) +
                             " bytes, then " + std::to_string(TimeoutMs) + " ms of silence";
            result = TCloneStatus::Timeout;
            break;
        }
        if (got == 0) {
            port_->WaitForInput(static_cast<int32_t>(std::clamp<int64_t>(deadline - clock.NowMs(), 1, 10)));
        } else {
            received += got;
            if (received >= n) {
                std::copy_n(work.begin(), n, destination.begin());
                break;
            }
            deadline = clock.NowMs() + TimeoutMs;
        }
        host_.ProcessMessages();
    }
    return result;
}

TCloneStatus TRadio36::SearchRadio(const TRKmem& model, uint8_t& modelCode) {
    std::vector<uint8_t> reply;
    // Set when the search cannot go on: Cancel, a failed write, a missing echo.
    TCloneStatus abort = TCloneStatus::Success;
    int32_t attempts = 0;
    const auto attempt = [&](uint8_t code, bool phase3) -> bool {
        ModelCode = code;
        host_.SetSearchProgress(attempts++, SearchAttempts);
        host_.ProcessMessages();
        if (host_.Cancelled()) {
            abort = Fail(TCloneStatus::Cancelled, "SearchRadio: cancelled");
            return false;
        }
        if (!Send(&SearchByte, 1)) {
            abort = Fail(TCloneStatus::Error, "SearchRadio: search byte: " + receiveDetail_);
            return false;
        }
        // The cable itself echoes every byte: without the echo there is no
        // cable, and no code will ever be answered.
        if (ReceiveExact(1, reply) != TCloneStatus::Success) {
            abort = Fail(TCloneStatus::NoEcho, "SearchRadio: no echo of the search byte: " + receiveDetail_);
            return false;
        }
        SetStatus("Search Radio   : " + Hex2(code));
        if (!Send(&code, 1)) {
            abort = Fail(TCloneStatus::Error, "SearchRadio: code " + Hex2(code) + ": " + receiveDetail_);
            return false;
        }
        const TCloneStatus r = ReceiveExact(2, reply);
        if (phase3 && r != TCloneStatus::Success) return false;
        return reply[0] == code;
    };

    const uint8_t firstGuess = ModelCodeFor(model);
    bool found = false;
    const auto searching = [&] { return !found && abort == TCloneStatus::Success; };
    for (int i = 0; i < 3 && searching(); ++i)
        found = attempt(firstGuess, false);
    for (size_t c = 0; c < FallbackCodes.size() && searching(); ++c)
        for (int i = 0; i < 3 && searching(); ++i)
            found = attempt(FallbackCodes[c], false);
    for (int v = 0; v < 256 && searching(); ++v)
        found = attempt(static_cast<uint8_t>(v), true);
    host_.SetSearchProgress(0, 0);
    if (abort != TCloneStatus::Success) return abort;
    if (!found) return Fail(TCloneStatus::NoRadio, "SearchRadio: no radio answered any model code");

    const uint8_t code = ModelCode;
    SetStatus(status_ + "       : OK");
    if (!Send(&ConfirmByte, 1))
        return Fail(TCloneStatus::Error, "SearchRadio: confirm byte: " + receiveDetail_);
    ReceiveExact(1, reply);
    if (!Send(&code, 1)) return Fail(TCloneStatus::Error, "SearchRadio: confirm code: " + receiveDetail_);
    ReceiveExact(2, reply);
    if (reply[1] != Ack)
        return Fail(TCloneStatus::Error, "SearchRadio: confirm of code " + Hex2(code) + " answered " +
                                             Hex2(reply[1]) + " instead of ACK");
    modelCode = code;
    return TCloneStatus::Success;
}

// A read exchange: frame, then length + 10 bytes with ACKs at 8 and at the end.
TCloneStatus TRadio36::ReadBlock(uint8_t command, uint8_t space, int32_t address, int32_t length,
                                 uint8_t* out, bool writeMustSucceed) {
    const std::string where =
        std::string(command == CmdReadMain ? "read main " : "read aux ") + Hex4(address);
    const bool written = Send(Frame(command, address, space, length, ModelCode));
    if (!written && writeMustSucceed) return Fail(TCloneStatus::Error, where + ": " + receiveDetail_);
    std::vector<uint8_t> reply;
    const TCloneStatus r = ReceiveExact(length + 10, reply);
    if (r != TCloneStatus::Success)
        return Fail(r, where + ": " + (written ? receiveDetail_ : "frame not sent, " + receiveDetail_));
    if (reply[8] != Ack)
        return Fail(TCloneStatus::Error, where + ": byte 8 is " + Hex2(reply[8]) + ", not ACK");
    const size_t last = static_cast<size_t>(length + 9);
    if (reply[last] != Ack)
        return Fail(TCloneStatus::Error,
                    where + ": byte " + std::to_string(last) + " is " + Hex2(reply[last]) + ", not ACK");
    std::copy_n(reply.begin() + 9, length, out);
    return TCloneStatus::Success;
}

TCloneStatus TRadio36::Exchange(const std::string& where, const uint8_t* data, int32_t count,
                                int32_t replyLength, bool keepReceiveResult) {
    if (!Send(data, count)) return Fail(TCloneStatus::Error, where + ": " + receiveDetail_);
    std::vector<uint8_t> reply;
    const TCloneStatus r = ReceiveExact(replyLength, reply);
    if (r != TCloneStatus::Success && keepReceiveResult) return Fail(r, where + ": " + receiveDetail_);
    const uint8_t ack = reply.back();
    if (ack != Ack) {
        if (r != TCloneStatus::Success)
            return Fail(TCloneStatus::Error, where + ": " + receiveDetail_ + " (a missing ACK)");
        return Fail(TCloneStatus::Error,
                    where + ": byte " + std::to_string(replyLength - 1) + " is " + Hex2(ack) + ", not ACK");
    }
    return TCloneStatus::Success;
}

// A write exchange: the frame and its ACK, then the data and theirs.
TCloneStatus TRadio36::WriteBlock(uint8_t command, uint8_t space, int32_t address, const uint8_t* data,
                                  int32_t length, bool keepFrameResult, bool keepDataResult) {
    const std::string where =
        std::string(command == CmdWriteMain ? "write main " : "write aux ") + Hex4(address);
    const auto frame = Frame(command, address, space, length, ModelCode);
    RadioTouched = true;
    if (const TCloneStatus r = Exchange(where + " frame", frame.data(), 8, 9, keepFrameResult);
        r != TCloneStatus::Success)
        return r;
    return Exchange(where + " data", data, length, length + 1, keepDataResult);
}

bool TRadio36::BeginSequence(bool isRead) {
    TimeoutMs = DefaultTimeoutMs;
    TimedOut = false;
    FailureDetail.clear();
    receiveDetail_.clear();
    RadioTouched = false;
    if (const TCloneStatus r = OpenRadioPort(); r != TCloneStatus::Success) {
        Report(isRead, r);
        return false;
    }
    status_ = "Search Radio   :";
    host_.SetMainWindowEnabled(false);
    return true;
}

TCloneStatus TRadio36::Settle(TCloneStatus status) {
    return host_.Cancelled() ? TCloneStatus::Cancelled : status;
}

void TRadio36::EndSequence(bool isRead, TCloneStatus status) {
    CloseRadioPort();
    host_.SetMainWindowEnabled(true);
    Report(isRead, status);
}

void TRadio36::Report(bool isRead, TCloneStatus status) {
    Status = status;
    const TCloneStatusInfo& info = CloneStatusInfo(status);
    if (status == TCloneStatus::Success) host_.ProgressToMax();
    const char* text = isRead ? info.ReadMessage : info.WriteMessage;
    if (verifying_ && status == TCloneStatus::Success) text = VerifyEqualMessage;
    if (!text) return;
    std::string message = FormatS(
        text, {status == TCloneStatus::VerifyFailed ? VerifyDifferenceText(LastVerify) : PortLabel()});
    // Said only when the radio was already changed, so the user knows it is
    // not the radio it was.
    if (!isRead && info.MayLeavePartlyWritten && RadioTouched)
        message += std::string("\r\n\r\n") + PartlyWrittenMessage;
    ShowMessageBox(message, status == TCloneStatus::Success ? TMsgType::Information : TMsgType::Error);
}

TCloneStatus TRadio36::ReadImage(TMap36& received) {
    const auto stop = [&] {
        host_.ProcessMessages();
        return host_.Cancelled();
    };
    // Blocks from `first` to below `end` into `received` at `offset` + address.
    const auto readArea = [&](uint8_t command, uint8_t space, int32_t first, int32_t end, int32_t offset) {
        for (int32_t address = first; address < end; address += mem::BlockLength) {
            if (const TCloneStatus r = ReadBlock(command, space, address, mem::BlockLength,
                                                 &received.Buf[static_cast<size_t>(offset + address)], false);
                r != TCloneStatus::Success)
                return r;
            host_.StepProgress();
            if (stop()) return TCloneStatus::Cancelled;
        }
        return stop() ? TCloneStatus::Cancelled : TCloneStatus::Success;
    };
    TCloneStatus r = readArea(CmdReadMain, SpaceMain, MainBase, mem::MainDataEnd, -MainBase);
    if (r == TCloneStatus::Success) r = readArea(CmdReadAux, SpaceAux, 0, mem::AuxEnd, AuxOffset);
    return r;
}

TCloneStatus TRadio36::ReadWrittenAreas(TRadioMemory& memory) {
    // Block by block as the write sent them, never across the end of a run.
    for (size_t i = 0; i < std::size(kWrittenAreas); ++i) {
        const bool runStart = i == 0 || kWrittenAreas[i].First != kWrittenAreas[i - 1].End;
        if (!runStart) continue;
        size_t last = i;
        while (last + 1 < std::size(kWrittenAreas) &&
               kWrittenAreas[last + 1].First == kWrittenAreas[last].End)
            ++last;
        const bool main = kWrittenAreas[i].First >= MainBase;
        for (int32_t address = kWrittenAreas[i].First; address < kWrittenAreas[last].End;
             address += mem::BlockLength) {
            const int32_t length = std::min(mem::BlockLength, kWrittenAreas[last].End - address);
            if (const TCloneStatus r =
                    ReadBlock(main ? CmdReadMain : CmdReadAux, main ? SpaceMain : SpaceAux, address, length,
                              &memory.Bytes[static_cast<size_t>(address)], true);
                r != TCloneStatus::Success)
                return r;
            host_.StepProgress();
            host_.ProcessMessages();
            if (host_.Cancelled()) return TCloneStatus::Cancelled;
        }
    }
    return TCloneStatus::Success;
}

TCloneStatus TRadio36::CompareWithRadio(const TMap36& written, const TRadioMemory& memory) {
    LastVerify = CompareWrittenAreas(written, memory);
    if (LastVerify.Equal()) return TCloneStatus::Success;
    return Fail(TCloneStatus::VerifyFailed, "verify: " + VerifyDifferenceText(LastVerify) + ": " +
                                                Hex2(LastVerify.Expected) + " expected, " +
                                                Hex2(LastVerify.Found) + " found; " +
                                                std::to_string(LastVerify.Differences) + " bytes differ");
}

bool TRadio36::ReadRadio(TMap36& image, TRKmem& model) {
    if (!BeginSequence(true)) return false;
    // Everything lands in a scratch image first: the caller's objects change
    // only when the whole image arrived and decodes.
    TMap36 received;
    uint8_t code = 0;

    TCloneStatus r = SearchRadio(model, code);
    if (r == TCloneStatus::Success) {
        host_.ProcessMessages();
        if (host_.Cancelled()) r = TCloneStatus::Cancelled;
    }
    if (r == TCloneStatus::Success) r = ReadImage(received);
    if (r == TCloneStatus::Success) {
        TRKmem decoded;
        if (!DecodeInto(received, decoded)) {
            r = Fail(TCloneStatus::BadData, "ReadRadio: the image read does not decode");
        } else {
            model.Assign(decoded);
            image.Assign(received);
            host_.ProcessMessages();
        }
    }

    // Closing step: the radio leaves clone mode; its last ACK is not awaited.
    std::vector<uint8_t> reply;
    Send(EndFrame(ModelCode));
    ReceiveExact(8, reply);
    EndSequence(true, Settle(r));
    return Status == TCloneStatus::Success;
}

bool TRadio36::VerifyRadio(const TRKmem& model, const TMap36& image) {
    LastVerify = {};
    if (!BeginSequence(true)) return false;
    verifying_ = true;
    uint8_t code = 0;
    TCloneStatus r = SearchRadio(model, code);
    // The bar counts the blocks read back, whatever the caller set it to.
    if (r == TCloneStatus::Success) host_.SetProgressMax(kVerifyBlocks);
    // What the write would send: the same encoding over the same image, with
    // the radio's identity blocks.
    TMap36 expected;
    expected.Assign(image);
    if (r == TCloneStatus::Success) r = EncodeForWrite(model, expected, true, "VerifyRadio");
    if (r == TCloneStatus::Success) r = FetchRadioIdentity(code, expected);
    TRadioMemory memory;
    if (r == TCloneStatus::Success) r = ReadWrittenAreas(memory);
    if (r == TCloneStatus::Success) {
        // A write stamps its own time: the radio's date stands, and its copy
        // in main memory must agree with it.
        std::copy_n(memory.Bytes.begin() + mem::ProgDate, mem::ProgDateLength,
                    expected.Buf.begin() + mem::ProgDateImage);
        r = CompareWithRadio(expected, memory);
    }

    std::vector<uint8_t> reply;
    Send(EndFrame(ModelCode));
    ReceiveExact(8, reply);
    EndSequence(true, Settle(r));
    verifying_ = false;
    return Status == TCloneStatus::Success;
}

bool TRadio36::RadioAnswers(uint8_t code) {
    TimeoutMs = DefaultTimeoutMs;
    if (OpenRadioPort() != TCloneStatus::Success) return false;
    std::vector<uint8_t> reply;
    const bool answered = Send(&SearchByte, 1) && ReceiveExact(1, reply) == TCloneStatus::Success &&
                          Send(&code, 1) && ReceiveExact(2, reply) == TCloneStatus::Success &&
                          reply[1] == Ack;
    CloseRadioPort();
    FailureDetail.clear();
    return answered;
}

TCloneStatus TRadio36::EncodeForWrite(const TRKmem& model, TMap36& image, bool radioForm,
                                      const char* caller) {
    try {
        image.Encode(model, radioForm, Context);
        return TCloneStatus::Success;
    } catch (const std::exception& e) {
        return Fail(TCloneStatus::EncodeFailed, std::string(caller) + ": encoding failed: " + e.what());
    }
}

TCloneStatus TRadio36::FetchRadioIdentity(uint8_t modelCode, TMap36& image) {
    ModelCode = modelCode;
    std::vector<uint8_t> data;
    for (const auto& b : kIdentityBlocks) {
        data.assign(static_cast<size_t>(b.Length), 0);
        // Whatever went wrong, the sequence calls it an error; the detail
        // keeps the reason.
        if (ReadBlock(CmdReadAux, SpaceAux, b.Address, b.Length, data.data(), true) != TCloneStatus::Success)
            return Fail(TCloneStatus::Error, "FetchRadioIdentity: failed");
        std::copy(data.begin() + b.Skip, data.end(), image.Buf.begin() + b.ImageOffset);
    }
    // The auxiliary-memory copy of byte 0 follows the file's byte 0.
    image.Buf[mem::ByteZeroMirror] = image.Buf[mem::ByteZero];
    return TCloneStatus::Success;
}

TCloneStatus TRadio36::WriteMainMemory(uint8_t modelCode, const TMap36& image) {
    ModelCode = modelCode;
    // Erasing takes the radio seconds; the long time-out holds until the first data block.
    TimeoutMs = LongTimeoutMs;
    RadioTouched = true;
    // The first erase's silence counts as a missing ACK, the second's as itself.
    bool keepReceiveResult = false;
    for (const int32_t area : mem::EraseAreas) {
        const auto erase = Frame(CmdErase, area, SpaceMain, mem::EraseLength, modelCode);
        if (const TCloneStatus r = Exchange("erase " + Hex4(area), erase.data(), 8, 9, keepReceiveResult);
            r != TCloneStatus::Success)
            return r;
        host_.StepProgress();
        keepReceiveResult = true;
    }
    TimeoutMs = DefaultTimeoutMs;
    for (int32_t address = MainBase; address < mem::MainEnd; address += mem::BlockLength) {
        if (const TCloneStatus r = WriteBlock(CmdWriteMain, SpaceMain, address,
                                              &image.Buf[address - MainBase], mem::BlockLength, true, false);
            r != TCloneStatus::Success)
            return r;
        host_.StepProgress();
    }
    host_.StepProgress();
    return TCloneStatus::Success;
}

bool TRadio36::WriteRadio(TRKmem& model, TMap36& image) {
    LastVerify = {};
    if (!BeginSequence(false)) return false;
    uint8_t code = 0;
    const auto step = [&] {
        host_.ProcessMessages();
        host_.Repaint();
        host_.StepProgress();
    };

    TCloneStatus r = SearchRadio(model, code);
    if (r == TCloneStatus::Success && KeepBeforeWrite) {
        // Still only reading: Cancel stays offered.
        host_.SetProgressMax(kReadBlocks + kWriteSteps);
        TMap36 held;
        r = ReadImage(held);
        if (r == TCloneStatus::Success && !KeepBeforeWrite(held))
            r = Fail(TCloneStatus::FileProblem,
                     "WriteRadio: the radio's data could not be kept; nothing written");
    }
    if (r == TCloneStatus::Success) {
        host_.SetCancelVisible(false);
        host_.SetProgressMax((KeepBeforeWrite ? kReadBlocks : 0) + kWriteSteps +
                             (VerifyAfterWrite ? kVerifyBlocks : 0));
        StampProgrammedDate(model, host_.Clock().LocalNow());
        r = EncodeForWrite(model, image, true, "WriteRadio");
    }
    if (r == TCloneStatus::Success) {
        // Fetched into a copy: an identity that is refused, or only half
        // read, must not replace the file's in the caller's image.
        TMap36 withIdentity;
        withIdentity.Assign(image);
        r = FetchRadioIdentity(code, withIdentity);
        if (r == TCloneStatus::Success) r = CheckRadioIdentity(code, withIdentity);
        if (r == TCloneStatus::Success) image.Assign(withIdentity);
    }
    if (r == TCloneStatus::Success) {
        host_.StepProgress();
        host_.ProcessMessages();
        host_.Repaint();
        // The programmed date goes first, on its own.
        r = WriteBlock(CmdWriteAux, SpaceAux, mem::ProgDate, &image.Buf[mem::ProgDateImage],
                       mem::ProgDateLength, false, true);
        if (r == TCloneStatus::Success) host_.StepProgress();
    }
    for (int32_t address = 0; address < mem::AuxSettingsEnd && r == TCloneStatus::Success;) {
        const int32_t length =
            address == mem::AuxShortBlock ? mem::AuxSettingsEnd - address : mem::BlockLength;
        r = WriteBlock(CmdWriteAux, SpaceAux, address, &image.Buf[AuxOffset + address], length, true, true);
        if (r == TCloneStatus::Success) step();
        address += length;
    }
    if (r == TCloneStatus::Success) r = WriteMainMemory(code, image);
    if (r == TCloneStatus::Success && VerifyAfterWrite) {
        TRadioMemory memory;
        r = ReadWrittenAreas(memory);
        if (r == TCloneStatus::Success) r = CompareWithRadio(image, memory);
    }
    if (r == TCloneStatus::Success) {
        // The model now shows the radio's identity and the new date.
        if (!DecodeInto(image, model))
            Fail(TCloneStatus::Success, "WriteRadio: the image written does not decode");
        const auto end = EndFrame(code);
        r = Exchange("end frame", end.data(), 8, 9, true);
        if (r == TCloneStatus::Success) step();
    }

    r = Settle(r);
    if (CloneStatusInfo(r).EndFrameAfterWrite) {
        host_.Clock().Sleep(400);
        Send(EndFrame(ModelCode));
    }
    EndSequence(false, r);
    return Status == TCloneStatus::Success;
}

TCloneStatus TRadio36::CheckRadioIdentity(uint8_t modelCode, const TMap36& identity) {
    std::vector<uint8_t> fetched;
    for (const auto& b : kIdentityBlocks)
        fetched.insert(fetched.end(), identity.Buf.begin() + b.ImageOffset,
                       identity.Buf.begin() + b.ImageOffset + b.Length - b.Skip);
    const bool blank = AllBytesAre(fetched, 0x00) || AllBytesAre(fetched, 0xFF);
    TRKmem decoded;
    if (blank || !DecodeInto(identity, decoded) || !IdentityFitsModelCode(decoded, modelCode))
        return Fail(TCloneStatus::BadIdentity,
                    blank ? "CheckRadioIdentity: the radio's identity blocks are blank"
                          : "CheckRadioIdentity: the identity (" + decoded.ProductType + ", " +
                                BandName(BandType(decoded), decoded.ProductType) +
                                ") does not fit model code " + Hex2(modelCode));
    if (!IdentitySumMatches(identity) &&
        ShowMessageBox(IdentitySumQuestion, TMsgType::Warning, TMsgButtons::YesNo, 2) != TMsgResult::Yes)
        return Fail(TCloneStatus::IdentityDeclined,
                    "CheckRadioIdentity: identity checksum differs; not written");
    return TCloneStatus::Success;
}

TCloneStatus TRadio36::CheckDeck(uint8_t modelCode, const TRKmem& model) {
    ModelCode = modelCode;
    uint8_t v = 0, aux = 0, hw = 0;
    // Without the deck's bytes there is no band to compare with.
    const auto read = [&](uint8_t command, uint8_t space, int32_t address, uint8_t& out) {
        return ReadBlock(command, space, address, 1, &out, true) == TCloneStatus::Success;
    };
    const auto unknown = [&] {
        return Fail(TCloneStatus::DeckUnknown, "CheckDeck: the deck's band is unknown");
    };
    if (!read(CmdReadMain, SpaceMain, mem::DeckOptions, v)) return unknown();
    bool flag = true;
    if ((v & 0x01) == 0) {
        if (!read(CmdReadAux, SpaceAux, mem::AuxDeckFlag, aux)) return unknown();
        if ((aux & 0x20) == 0) flag = false;
    } else {
        const int32_t w = v >> 1;
        if (w == 0 || w == 2) flag = false;
    }
    if (!read(CmdReadMain, SpaceMain, mem::DeckHardware, hw)) return unknown();
    const int32_t g = hw >> 3, h = (hw >> 2) & 1, k = (hw >> 1) & 1, l = hw & 1;

    int32_t radioBand = (l == 1 && g == 2) ? 1 : 0;
    if (k == 1) {
        if (g == 1) radioBand = 2;
        if (g == 4) radioBand = 3;
    }
    if (h == 1) {
        if (g == 1) radioBand = 4;
        if (g == 8) radioBand = 5;
        if (g == 16) radioBand = 6;
        if (g == 24) radioBand = flag ? 7 : 6;
    }
    int32_t fileBand = BandType(model);
    if (model.ProductType == kProductTR2300 && (fileBand == 6 || fileBand == 7)) fileBand = 13 - fileBand;
    if (radioBand == fileBand) return TCloneStatus::Success;

    const std::string question =
        FormatS("This Deck is '%s'.\r\nDo you change '%s Data' into '%s Data'?",
                {DeckBandName(radioBand), DeckBandName(radioBand), DeckBandName(fileBand)});
    if (ShowMessageBox(question, TMsgType::Warning, TMsgButtons::YesNo) == TMsgResult::Yes)
        return TCloneStatus::Success;
    ShowMessageBox(MpuNoResponseMessage, TMsgType::Error);
    return Fail(TCloneStatus::DeckDeclined,
                "CheckDeck: deck band " + std::string(DeckBandName(radioBand)) + " kept");
}

bool TRadio36::WriteRadioFull(TRKmem& model, TMap36& image) {
    if (!BeginSequence(false)) return false;
    uint8_t code = 0;

    TCloneStatus r = SearchRadio(model, code);
    if (r == TCloneStatus::Success) {
        host_.SetCancelVisible(false);
        host_.SetProgressMax(67);
        r = CheckDeck(code, model);
    }
    if (r == TCloneStatus::Success) {
        StampProgrammedDate(model, host_.Clock().LocalNow());
        r = EncodeForWrite(model, image, false, "WriteRadioFull");
    }
    std::array<uint8_t, kAreaSums.size()> sums{};
    if (r == TCloneStatus::Success) {
        for (size_t k = 0; k < kAreaSums.size(); ++k)
            sums[k] = Sum8(image, kAreaSums[k].First, kAreaSums[k].Last);
        const uint16_t idSum = IdentitySum(image);
        image.Buf[kIdentitySumAt] = static_cast<uint8_t>(idSum >> 8);
        image.Buf[kIdentitySumAt + 1] = static_cast<uint8_t>(idSum & 0xFF);
        const TIdentityCopy& codes = kIdentityCopies[0];
        std::copy_n(image.Buf.begin() + codes.From, codes.Length, image.Buf.begin() + codes.Copy);
        TimeoutMs = LongTimeoutMs;
    }
    for (int32_t address = 0; address < mem::FullAuxEnd && r == TCloneStatus::Success;
         address += mem::FullAuxBlockLength) {
        r = WriteBlock(CmdWriteAux, SpaceAux, address, &image.Buf[AuxOffset + address],
                       mem::FullAuxBlockLength, true, true);
        if (r == TCloneStatus::Success) host_.StepProgress();
    }
    // The rest of the identity copy, each block from its original; the
    // identity codes went with the 224-byte blocks.
    for (size_t k = 1; k < kIdentityCopies.size() && r == TCloneStatus::Success; ++k) {
        const TIdentityCopy& b = kIdentityCopies[k];
        r = WriteBlock(CmdWriteAux, SpaceAux, b.Copy - AuxOffset, &image.Buf[static_cast<size_t>(b.From)],
                       b.Length, true, true);
        std::copy_n(image.Buf.begin() + b.From, b.Length, image.Buf.begin() + b.Copy);
        if (r == TCloneStatus::Success) host_.StepProgress();
    }
    for (const int32_t area : mem::EraseAreas) {
        if (r != TCloneStatus::Success) break;
        const auto frame = Frame(CmdErase, area, SpaceMain, mem::EraseLength, code);
        const std::string where = "erase " + Hex4(area);
        std::vector<uint8_t> reply;
        RadioTouched = true;
        if (!Send(frame)) {
            r = Fail(TCloneStatus::Error, where + ": " + receiveDetail_);
            break;
        }
        host_.Clock().Sleep(1000);
        r = ReceiveExact(9, reply);
        if (r != TCloneStatus::Success)
            r = Fail(r, where + ": " + receiveDetail_);
        else if (reply[8] != Ack)
            r = Fail(TCloneStatus::Error, where + ": byte 8 is " + Hex2(reply[8]) + ", not ACK");
        if (r == TCloneStatus::Success) host_.StepProgress();
    }
    if (r == TCloneStatus::Success)
        for (size_t k = 0; k < kAreaSums.size(); ++k)
            image.Buf[static_cast<size_t>(kAreaSums[k].At)] = sums[k];
    for (int32_t address = MainBase; address < mem::MainDataEnd && r == TCloneStatus::Success;
         address += mem::BlockLength) {
        r = WriteBlock(CmdWriteMain, SpaceMain, address, &image.Buf[address - MainBase], mem::BlockLength,
                       true, true);
        if (r == TCloneStatus::Success) host_.StepProgress();
    }
    if (r == TCloneStatus::Success) {
        if (!DecodeInto(image, model))
            Fail(TCloneStatus::Success, "WriteRadioFull: the image written does not decode");
        const auto end = EndFrame(code);
        r = Exchange("end frame", end.data(), 8, 9, true);
        if (r == TCloneStatus::Success) host_.StepProgress();
    }

    r = Settle(r);
    if (CloneStatusInfo(r).EndFrameAfterWrite) {
        host_.Clock().Sleep(400);
        Send(EndFrame(ModelCode));
    }
    EndSequence(false, r);
    return Status == TCloneStatus::Success;
}

bool RunRadioTransfer(TRadio36& radio, bool isRead, int32_t writeMode, bool hardwareChanged, TMap36& image,
                      TRKmem& model) {
    if (isRead) return radio.ReadRadio(image, model);
    if (writeMode == 0) return radio.WriteRadioFull(model, image);
    if (hardwareChanged) {
        radio.FailureDetail = "write refused: the band or product type changed since the data were loaded";
        radio.Report(false, TCloneStatus::HardwareChanged);
        return false;
    }
    return radio.WriteRadio(model, image);
}
