#pragma once
// Serial port driver: one port, synchronous, never blocking on reception.
// Reads return at once with whatever has arrived; waiting and time-outs are
// the caller's business. Every write is preceded by a fixed 100 ms pause,
// which the clone protocol relies on as its inter-frame gap.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <termios.h>

#include "link/dc_Clock.h"
#include "model/dc_Ini.h"

// What the clone protocol needs of a port. TCRsDrv is the real one; tests and
// the trace decorator provide others.
class IRsPort {
  public:
    virtual ~IRsPort() = default;

    virtual void SetBaudRate(int32_t value) = 0;
    virtual void SetByteSize(uint8_t value) = 0;
    virtual void SetParity(int32_t value) = 0;
    virtual void SetStopBits(int32_t value) = 0;

    // 0 on success, 1 on failure (LastError says which step failed).
    virtual int32_t Open(const std::string& portName) = 0;
    virtual void Close() = 0;
    // 0 on success, 1 on failure; always pauses 100 ms first.
    virtual int32_t Write(const uint8_t* data, int32_t count) = 0;
    // Copies at most maxCount bytes that have already arrived; 0 on success.
    virtual int32_t Read(int32_t maxCount, uint8_t* buffer, int32_t& bytesRead) = 0;
    // Bytes waiting to be read; -1 on failure.
    virtual int32_t InQueueCount() = 0;
    // Returns when input is waiting or after at most `ms`, whichever comes
    // first, so a reply is taken the moment it arrives.
    virtual void WaitForInput(int32_t ms) = 0;
    virtual const std::string& GetLastError() const = 0;
};

// COM1..COM4 as device paths, from the "RK36.ini" keys COM1..COM4.
struct TPortMap {
    std::array<std::string, 4> Paths{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB3"};
};

// The COM1..COM4 keys of the configuration file; a missing file, key or
// value keeps the default. The port dialog edits the same keys in an open
// file, so both read them through one reader.
TPortMap LoadPortMap(const std::filesystem::path& iniFile);
TPortMap ReadPortMap(const TIniData& ini);
void WritePortMap(const TPortMap& map, TIniData& ini);
// "COM1".."COM4" (any case) become their mapped paths; any other name,
// a path in particular, is used as it is.
std::string ResolvePortName(const std::string& portName, const TPortMap& map);

// Windows codes for parity and stop bits, kept so settings read the same
// everywhere.
enum : int32_t { NOPARITY = 0, ODDPARITY = 1, EVENPARITY = 2, MARKPARITY = 3, SPACEPARITY = 4 };
enum : int32_t { ONESTOPBIT = 0, ONE5STOPBITS = 1, TWOSTOPBITS = 2 };

// Fills `tio` with a raw line of these settings (Windows codes for parity
// and stop bits); false when the platform has no such setting.
bool MakeLineSettings(int32_t baudRate, uint8_t byteSize, int32_t parity, int32_t stopBits, termios& tio);

class TCRsDrv : public IRsPort {
  public:
    static constexpr int InvalidHandle = -1;
    // Longest wait in Close for sent bytes to leave (a full 2048-byte queue
    // takes about 2.3 s at 9600 bit/s; a protocol frame a few milliseconds).
    static constexpr int32_t kDrainLimitMs = 500;

    int Handle = InvalidHandle;
    std::string PortName;
    std::string LastError;
    int32_t BaudRate = 38400;
    uint8_t ByteSize = 8;
    int32_t Parity = NOPARITY;
    int32_t StopBits = TWOSTOPBITS;
    int32_t InQueueSize = 2048;
    int32_t OutQueueSize = 2048;

    explicit TCRsDrv(IClock& clock = SystemClock(), TPortMap portMap = {});
    ~TCRsDrv() override;
    TCRsDrv(const TCRsDrv&) = delete;
    TCRsDrv& operator=(const TCRsDrv&) = delete;

    void SetBaudRate(int32_t value) override { BaudRate = value; }
    void SetByteSize(uint8_t value) override { ByteSize = value; }
    void SetParity(int32_t value) override { Parity = value; }
    void SetStopBits(int32_t value) override { StopBits = value; }

    int32_t Open(const std::string& portName) override;
    void Close() override;
    int32_t Write(const uint8_t* data, int32_t count) override;
    int32_t Read(int32_t maxCount, uint8_t* buffer, int32_t& bytesRead) override;
    int32_t InQueueCount() override;
    void WaitForInput(int32_t ms) override;
    const std::string& GetLastError() const override { return LastError; }

  protected:
    // One write call of the operating system; a seam for tests that count calls.
    virtual long WriteChunk(const uint8_t* data, int32_t count);

  private:
    IClock& clock_;
    TPortMap portMap_;
};
