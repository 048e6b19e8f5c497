#pragma once
// The clone protocol: reads and writes the memory image of a radio in clone
// mode over one serial port. Strictly request/response: every exchange sends
// a frame and then waits for an exact number of bytes, the first of which
// are the echo of what was sent (single-wire cable).
//
// The protocol talks to two interfaces: the port (IRsPort) and the host
// (IRadioHost), which is the transfer window in the editor, the terminal in
// the command-line tool and a virtual-time harness in tests.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "image/dc_Map36.h"
#include "link/dc_Clock.h"
#include "link/dc_RsDrv.h"
#include "model/dc_RKmem.h"

class IRadioHost {
  public:
    virtual ~IRadioHost() = default;

    virtual void SetProgressMax(int32_t max) = 0;
    virtual void StepProgress() = 0;
    // Progress bar to its maximum, repainted at once.
    virtual void ProgressToMax() = 0;
    virtual void SetStatus(const std::string& text) = 0;
    // The search's share of the progress bar: `attempt` of `attempts` made;
    // (0, 0) when the search is over and the bar goes back to the blocks.
    virtual void SetSearchProgress(int32_t attempt, int32_t attempts) = 0;
    virtual bool Cancelled() = 0;
    virtual void SetCancelVisible(bool visible) = 0;
    // Lets the window system handle pending events (painting, Cancel).
    virtual void ProcessMessages() = 0;
    virtual void Repaint() = 0;
    // The main window and its children are disabled for a whole transfer.
    virtual void SetMainWindowEnabled(bool enabled) = 0;
    virtual IClock& Clock() = 0;
};

// A host that shows nothing and never cancels, on a given clock; hosts
// override what they show.
class TQuietRadioHost : public IRadioHost {
  public:
    explicit TQuietRadioHost(IClock& clock = SystemClock()) : clock_(clock) {}
    void SetProgressMax(int32_t) override {}
    void StepProgress() override {}
    void ProgressToMax() override {}
    void SetStatus(const std::string&) override {}
    void SetSearchProgress(int32_t, int32_t) override {}
    bool Cancelled() override { return false; }
    void SetCancelVisible(bool) override {}
    void ProcessMessages() override {}
    void Repaint() override {}
    void SetMainWindowEnabled(bool) override {}
    IClock& Clock() override { return clock_; }

  private:
    IClock& clock_;
};

// How a step of the clone protocol, and so a whole transfer, ended. Every
// failure is named where it is detected; what the user is told, the
// command-line tool's exit status and the closing step follow from the
// status alone (kCloneStatuses).
enum class TCloneStatus : int32_t {
    Success,
    Error,            // a failed write, a missing or wrong acknowledgement
    Timeout,          // the radio fell silent within a reply
    Cancelled,        // Cancel (Ctrl+C) while it was offered
    PortProblem,      // the port cannot be opened
    NoEcho,           // not even the cable's echo came back
    NoRadio,          // no model code was answered
    HardwareChanged,  // standard write refused: band or product type changed since loading
    EncodeFailed,     // the model cannot be encoded for the radio
    DeckUnknown,      // full write: the deck's band could not be read
    DeckDeclined,     // full write: the user kept the deck's band
    BadData,          // the image read does not decode
    BadIdentity,      // standard write: the radio's identity is blank or another model's
    IdentityDeclined, // standard write: identity checksum differs and the user did not go on
    FileProblem,      // command line: a data or trace file cannot be read or written
    AccessDenied,     // command line: a full write without the manufacture-mode access code
    VerifyFailed,     // the radio does not hold what a standard write sends (LastVerify says where)
};

struct TCloneStatusInfo {
    TCloneStatus Status;
    // What the user is told after a read or a write with this status
    // (nullptr: nothing more); "%s" stands for the port.
    const char* ReadMessage;
    const char* WriteMessage;
    int ExitCode;
    // A write that ends so after it began to change the radio says the
    // radio may be partly written.
    bool MayLeavePartlyWritten;
    // A write that ends so still sends the end frame (after 400 ms), so the
    // radio leaves clone mode.
    bool EndFrameAfterWrite;
    // The exit status's meaning in the command-line help (nullptr: told by
    // another status with the same exit status).
    const char* ExitMeaning;
};

// The transfer window's captions; the command line heads its prompts with them too.
inline constexpr const char* ReadCaption = "- Read from Radio -";
inline constexpr const char* WriteCaption = "- Write to Radio -";
inline constexpr const char* VerifyCaption = "- Verify Radio -";

// The message for a refused write and a declined deck change.
inline constexpr const char* MpuNoResponseMessage =
    "MPU does not respond to the clone command.\r\n\r\nMake sure the following points.\r\n1,COM port "
    "configuration.\r\n2,Cable connection with PC.\r\n3,Frequency band of the radio.\r\n4,firmware "
    "version.\r\n5,Deck Model.";
// Added to the failure message of a write that had begun to change the radio.
inline constexpr const char* PartlyWrittenMessage =
    "The radio may now hold an incomplete configuration.\r\nWrite it again before using the radio.";
inline constexpr const char* BadIdentityMessage =
    "The radio's identity data are not valid, so nothing was written.\r\n\r\nThe radio answered as a "
    "different model, or its identity data are blank.";
inline constexpr const char* IdentitySumQuestion =
    "The radio's identity data do not match their checksum.\r\nRadios programmed elsewhere may differ "
    "there.\r\n\r\nWrite to the radio anyway?";
// "%s" is the first difference: "channel table differs at 0x8c22".
inline constexpr const char* VerifyFailedMessageFormat = "Verify failed: %s";
// A verify that found the radio holding what a standard write sends.
inline constexpr const char* VerifyEqualMessage =
    "Verify is completed: the radio and the configuration are equal";
// "No answer on %s: ...", with the port as the user named it.
inline constexpr const char* NoEchoMessageFormat = "No answer on %s: check the cable and the port";

inline constexpr size_t kCloneStatusCount = static_cast<size_t>(TCloneStatus::VerifyFailed) + 1;

// One row per status, in the order of TCloneStatus.
inline constexpr std::array<TCloneStatusInfo, kCloneStatusCount> kCloneStatuses{{
    // clang-format off
    // status                        read message                           write message            exit  partly end frame exit meaning
    {TCloneStatus::Success,          "Upload is completed",                 "Download is completed", 0,   false, false, "done"},
    {TCloneStatus::Error,            "Read error",                          "Write error",           1,   true,  false, "read/write error"},
    {TCloneStatus::Timeout,          "Timeout",                             "Timeout",               2,   true,  false, "time-out"},
    {TCloneStatus::Cancelled,        nullptr,                               nullptr,                 130, false, true,  "cancelled"},
    {TCloneStatus::PortProblem,      "Problem on COM port",                 "Problem on COM port",   4,   false, false, "port problem"},
    {TCloneStatus::NoEcho,           NoEchoMessageFormat,                   NoEchoMessageFormat,     4,   false, false, "no cable"},
    {TCloneStatus::NoRadio,          "Read error",                          "Write error",           1,   false, false, nullptr},
    {TCloneStatus::HardwareChanged,  MpuNoResponseMessage,                  MpuNoResponseMessage,    1,   false, false, nullptr},
    {TCloneStatus::EncodeFailed,     "Read error",                          "Write error",           1,   false, false, nullptr},
    {TCloneStatus::DeckUnknown,      "Read error",                          "Write error",           1,   false, true,  nullptr},
    {TCloneStatus::DeckDeclined,     "Read error",                          "Write error",           3,   false, true,  "deck change declined"},
    {TCloneStatus::BadData,          "Clone Data Error: incompatible data", "Write error",           14,  false, false, "incompatible data"},
    {TCloneStatus::BadIdentity,      BadIdentityMessage,                    BadIdentityMessage,      14,  false, true,  "the radio's identity is not valid"},
    {TCloneStatus::IdentityDeclined, nullptr,                               nullptr,                 14,  false, true,  nullptr},
    {TCloneStatus::FileProblem,      nullptr,                               nullptr,                 5,   false, false, "file problem"},
    {TCloneStatus::AccessDenied,     nullptr,                               nullptr,                 6,   false, false, "wrong access code"},
    {TCloneStatus::VerifyFailed,     VerifyFailedMessageFormat,             VerifyFailedMessageFormat, 7, true,  true,  "the radio differs from the file"},
    // clang-format on
}};

static_assert([] {
    for (size_t i = 0; i < kCloneStatuses.size(); ++i)
        if (static_cast<size_t>(kCloneStatuses[i].Status) != i) return false;
    return true;
}());

const TCloneStatusInfo& CloneStatusInfo(TCloneStatus status);
// "0 done, 1 read/write error, ...": every exit status with its meaning.
std::string CloneExitStatusHelp();

namespace radio36 {
inline constexpr uint8_t SearchByte = 0x18;
inline constexpr uint8_t ConfirmByte = 0xE8;
inline constexpr uint8_t Ack = 0x31;
inline constexpr uint8_t CmdReadMain = 0xEB;
inline constexpr uint8_t CmdReadAux = 0xE7;
inline constexpr uint8_t CmdWriteMain = 0xEA;
inline constexpr uint8_t CmdWriteAux = 0xE6;
inline constexpr uint8_t CmdErase = 0xE9;
inline constexpr uint8_t CmdEnd = 0xDA;
inline constexpr uint8_t SpaceMain = 0xFF;
inline constexpr uint8_t SpaceAux = 0x00;
inline constexpr int32_t MainBase = 0x8000;  // main memory address of image offset 0
inline constexpr int32_t AuxOffset = 0x3200; // image offset of auxiliary address 0
inline constexpr int32_t DefaultTimeoutMs = 350;
inline constexpr int32_t LongTimeoutMs = 5000;
inline constexpr int32_t WorkBufferSize = 2048;

// The 8-byte command frame.
std::array<uint8_t, 8> Frame(uint8_t command, int32_t address, uint8_t space, int32_t length,
                             uint8_t modelCode);
std::array<uint8_t, 8> EndFrame(uint8_t modelCode);

// The codes tried after the first guess, in order.
extern const std::array<uint8_t, 37> FallbackCodes;
// Every attempt of a search that finds nothing.
inline constexpr int32_t SearchAttempts = 3 + 3 * 37 + 256;
} // namespace radio36

// A run of the radio's memory that a standard write sends, by name.
// Addresses are the protocol's: main memory from radio36::MainBase,
// auxiliary memory from 0; the two ranges never overlap.
struct TMemoryArea {
    int32_t First;
    int32_t End; // one past the last address
    const char* Name;
};
// Every address a standard write sends, in address order, each in one area.
std::span<const TMemoryArea> StandardWriteAreas();
// The name of the area holding `address`, or nullptr outside them.
const char* MemoryAreaName(int32_t address);

// What a radio holds, indexed by the protocol's address.
struct TRadioMemory {
    std::vector<uint8_t> Bytes = std::vector<uint8_t>(0x10000, 0);
};
// The image byte a standard write sends to `address`.
uint8_t WrittenByte(const TMap36& image, int32_t address);

// Where a radio differs from the image a standard write sent or would send.
struct TVerifyResult {
    int32_t Differences = 0; // bytes that differ
    // The first of them, in address order.
    const char* Area = nullptr;
    int32_t Address = 0;
    uint8_t Expected = 0;
    uint8_t Found = 0;
    bool Equal() const { return Differences == 0; }
};
TVerifyResult CompareWrittenAreas(const TMap36& written, const TRadioMemory& radio);
// "channel table differs at 0x8c22"; empty when equal.
std::string VerifyDifferenceText(const TVerifyResult& result);

// The first guess of the search: by product type and band.
uint8_t ModelCodeFor(const TRKmem& model);
// The deck band names of CheckDeck (6 and 7 as the radio numbers them).
const char* DeckBandName(int32_t band);

// The last programmed date: "yyyymmddhhnnss" split into the eight Prog*
// fields, weekday 1 = Monday .. 7 = Sunday.
void StampProgrammedDate(TRKmem& model, const TLocalDateTime& now);
int32_t IsoWeekday(int32_t year, int32_t month, int32_t day);

class TRadio36 {
  public:
    using TPortFactory = std::function<std::unique_ptr<IRsPort>()>;

    // Without a factory each transfer gets a TCRsDrv on the host's clock.
    explicit TRadio36(IRadioHost& host, TPortFactory portFactory = {});

    // Settings of the caller.
    int32_t ComPortNo = 1;
    std::string PortName; // used instead of "COM<ComPortNo>" when not empty
    TPortMap PortMap;     // for the default factory
    TCodecContext Context;
    // The image decoder; replaceable so a rejected image can be shown without
    // crafting one.
    std::function<bool(const TMap36&, TRKmem&, const TCodecContext&)> Decoder =
        [](const TMap36& image, TRKmem& model, const TCodecContext& context) {
            return image.Decode(model, context);
        };

    // State of the running transfer.
    int32_t TimeoutMs = radio36::DefaultTimeoutMs;
    bool TimedOut = false;
    uint8_t ModelCode = 0;

    // How the last sequence ended.
    TCloneStatus Status = TCloneStatus::Success;
    // Where and why the last sequence failed, for logs and the terminal.
    std::string FailureDetail;
    // Set once the first erase or write has been sent to the radio: from then
    // on a failure leaves the radio partly written. Atomic so that a signal
    // handler may read it.
    std::atomic<bool> RadioTouched{false};

    // Options of the standard write. A write that reads the whole radio
    // first hands the image read to KeepBeforeWrite, before anything is
    // written; false from it ends the write with FileProblem (it told the
    // user why). VerifyAfterWrite reads back what was written before the
    // end frame and ends with VerifyFailed when the radio differs.
    std::function<bool(const TMap36&)> KeepBeforeWrite;
    bool VerifyAfterWrite = false;
    // The last comparison of a verify or a verified write.
    TVerifyResult LastVerify;

    bool ReadRadio(TMap36& image, TRKmem& model);
    bool WriteRadio(TRKmem& model, TMap36& image);
    // Compares the radio with what a standard write of `model` over `image`
    // would send: the same encoding, the radio's identity blocks and its
    // programmed date kept. Changes nothing in the radio or the arguments.
    bool VerifyRadio(const TRKmem& model, const TMap36& image);
    // Whether a radio answers the search for `code` now: one attempt, the
    // port opened and closed again, nothing reported.
    bool RadioAnswers(uint8_t code);
    bool WriteRadioFull(TRKmem& model, TMap36& image);

    // Steps, public so the transfer window and tests can drive them.
    TCloneStatus OpenRadioPort();
    void CloseRadioPort();
    // Success, Error or Timeout.
    TCloneStatus ReceiveExact(int32_t n, std::vector<uint8_t>& destination);
    TCloneStatus SearchRadio(const TRKmem& model, uint8_t& modelCode);
    // `model` encoded over `image` for a write; a model no image holds is
    // the caller's named failure.
    TCloneStatus EncodeForWrite(const TRKmem& model, TMap36& image, bool radioForm, const char* caller);
    TCloneStatus FetchRadioIdentity(uint8_t modelCode, TMap36& image);
    TCloneStatus WriteMainMemory(uint8_t modelCode, const TMap36& image);
    // The identity just fetched from the radio (in `identity`) before
    // anything is written.
    TCloneStatus CheckRadioIdentity(uint8_t modelCode, const TMap36& identity);
    TCloneStatus CheckDeck(uint8_t modelCode, const TRKmem& model);
    // Ends a transfer: records `status` and tells the user what its row says.
    void Report(bool isRead, TCloneStatus status);

    IRsPort* Port() { return port_.get(); }

  private:
    IRadioHost& host_;
    TPortFactory portFactory_;
    std::unique_ptr<IRsPort> port_;
    std::string status_;
    std::string receiveDetail_;
    bool verifying_ = false;

    // The port as the user named it: "COM<n>" or the device path.
    std::string PortLabel() const;

    bool Send(const uint8_t* data, int32_t count);
    template <size_t N> bool Send(const std::array<uint8_t, N>& data) {
        return Send(data.data(), static_cast<int32_t>(N));
    }
    TCloneStatus ReadBlock(uint8_t command, uint8_t space, int32_t address, int32_t length, uint8_t* out,
                           bool writeMustSucceed);
    TCloneStatus Exchange(const std::string& where, const uint8_t* data, int32_t count, int32_t replyLength,
                          bool keepReceiveResult);
    TCloneStatus WriteBlock(uint8_t command, uint8_t space, int32_t address, const uint8_t* data,
                            int32_t length, bool keepFrameResult, bool keepDataResult);
    bool DecodeInto(const TMap36& image, TRKmem& model);
    // The blocks a read receives, into `received`; stops on Cancel.
    TCloneStatus ReadImage(TMap36& received);
    // What the radio holds at every address of StandardWriteAreas().
    TCloneStatus ReadWrittenAreas(TRadioMemory& memory);
    // Compares and records LastVerify; VerifyFailed on a difference.
    TCloneStatus CompareWithRadio(const TMap36& written, const TRadioMemory& memory);
    // Opens the port and resets the per-sequence state; false when the port
    // cannot be opened (reported).
    bool BeginSequence(bool isRead);
    // The closing step's common end: a Cancel pressed at any time is the
    // outcome; the port closes and the main window comes back.
    TCloneStatus Settle(TCloneStatus status);
    void EndSequence(bool isRead, TCloneStatus status);
    TCloneStatus Fail(TCloneStatus status, std::string detail);
    void SetStatus(std::string text);
};

// One transfer as the transfer window runs it: the write checks that need no
// window (hardware changed), then the sequence. WriteMode 0 is the full
// write, 1 the standard write.
bool RunRadioTransfer(TRadio36& radio, bool isRead, int32_t writeMode, bool hardwareChanged, TMap36& image,
                      TRKmem& model);

// Whether the identity read from a radio (product type and band of the
// decoded identity blocks) can belong to a radio that answered `modelCode`.
bool IdentityFitsModelCode(const TRKmem& identity, uint8_t modelCode);
