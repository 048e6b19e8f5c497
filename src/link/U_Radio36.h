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

// Result codes of a sequence.
enum TCloneResult : int32_t {
    crSuccess = 0,
    crError = 1,
    crTimeout = 2,
    crDeckRefused = 3,
    crNoEcho = 4, // not even the cable's echo came back
    crBadData = 14,
};

// How a transfer ended, for callers that need more than true/false (the
// command-line tool maps each to its own exit status).
enum class TTransferOutcome { Succeeded, Failed, Cancelled, PortProblem, Refused };

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

    // Outcome of the last sequence.
    int32_t LastResult = crSuccess;
    TTransferOutcome Outcome = TTransferOutcome::Succeeded;
    // Where and why the last sequence failed, for logs and the terminal.
    std::string FailureDetail;
    // Set once the first erase or write has been sent to the radio: from then
    // on a failure leaves the radio partly written. Atomic so that a signal
    // handler may read it.
    std::atomic<bool> RadioTouched{false};

    bool ReadRadio(TMap36& image, TRKmem& model);
    bool WriteRadio(TRKmem& model, TMap36& image);
    bool WriteRadioFull(TRKmem& model, TMap36& image);

    // Steps, public so the transfer window and tests can drive them.
    bool OpenRadioPort();
    void CloseRadioPort();
    int32_t ReceiveExact(int32_t n, std::vector<uint8_t>& destination);
    bool SearchRadio(const TRKmem& model, uint8_t& modelCode);
    bool FetchRadioIdentity(uint8_t modelCode, TMap36& image);
    int32_t WriteMainMemory(uint8_t modelCode, const TMap36& image);
    // The identity just fetched from the radio (in `identity`) before
    // anything is written: crSuccess, or crBadData when it must not be used.
    int32_t CheckRadioIdentity(uint8_t modelCode, const TMap36& identity);
    bool CheckDeck(uint8_t modelCode, const TRKmem& model);

    IRsPort* Port() { return port_.get(); }

  private:
    IRadioHost& host_;
    TPortFactory portFactory_;
    std::unique_ptr<IRsPort> port_;
    std::string status_;
    std::string receiveDetail_;
    bool noEcho_ = false;

    // The port as the user named it: "COM<n>" or the device path.
    std::string PortLabel() const;

    bool Send(const uint8_t* data, int32_t count);
    template <size_t N> bool Send(const std::array<uint8_t, N>& data) {
        return Send(data.data(), static_cast<int32_t>(N));
    }
    int32_t ReadBlock(uint8_t command, uint8_t space, int32_t address, int32_t length, uint8_t* out,
                      bool writeMustSucceed);
    int32_t Exchange(const std::string& where, const uint8_t* data, int32_t count, int32_t replyLength,
                     bool keepReceiveResult);
    int32_t WriteBlock(uint8_t command, uint8_t space, int32_t address, const uint8_t* data, int32_t length,
                       bool keepFrameResult, bool keepDataResult);
    bool DecodeInto(const TMap36& image, TRKmem& model);
    // Opens the port and resets the per-sequence state; false when the port cannot be opened.
    bool BeginSequence();
    void EndSequence();
    int32_t Fail(int32_t code, std::string detail);
    void Report(bool isRead, int32_t result);
    void SetStatus(std::string text);
};

// One transfer as the transfer window runs it: the write checks that need no
// window (hardware changed), then the sequence. WriteMode 0 is the full
// write, 1 the standard write.
bool RunRadioTransfer(TRadio36& radio, bool isRead, int32_t writeMode, bool hardwareChanged, TMap36& image,
                      TRKmem& model);

// The message for a refused write and a declined deck change.
extern const char* const MpuNoResponseMessage;
// Added to the failure message of a write that had begun to change the radio.
extern const char* const PartlyWrittenMessage;
extern const char* const BadIdentityMessage;
extern const char* const IdentitySumQuestion;
// "No answer on %s: ...", with the port as the user named it.
extern const char* const NoEchoMessageFormat;

// Whether the identity read from a radio (product type and band of the
// decoded identity blocks) can belong to a radio that answered `modelCode`.
bool IdentityFitsModelCode(const TRKmem& identity, uint8_t modelCode);
