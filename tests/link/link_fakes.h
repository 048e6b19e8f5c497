#pragma once
// Virtual time and an in-process radio for protocol tests: the port delivers
// the emulator's answers at computed arrival times, and waiting advances the
// clock instead of sleeping, so a whole transfer takes milliseconds.

#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "link/U_Radio36.h"
#include "radio-sim/dc_RadioEmu.h"

class TVirtualClock : public IClock {
  public:
    int64_t Us = 1'000'000;
    TLocalDateTime Date{2026, 12, 6, 23, 59, 59}; // a Sunday
    int64_t SleptMs = 0;

    int64_t NowMs() override { return Us / 1000; }
    void Sleep(int32_t ms) override {
        Us += int64_t{ms} * 1000;
        SleptMs += ms;
    }
    TLocalDateTime LocalNow() override { return Date; }
};

class TEmuPort : public IRsPort {
  public:
    struct TWrite {
        std::vector<uint8_t> Bytes;
        int64_t AtMs;
    };

    TEmuPort(TVirtualClock& clock, TRadioEmulator& radio) : clock_(clock), radio_(radio) {}

    int64_t ByteUs = 0;         // time of one byte on the line
    int64_t ReplyLatencyUs = 0; // the radio's thinking time before an answer
    bool OpenFails = false;
    bool Unplugged = false; // nothing comes back at all
    bool NoRadio = false;   // the cable echoes, no radio answers
    std::string OpenedName;
    int32_t Baud = 0, Parity = -1, StopBits = -1;
    uint8_t ByteSize = 0;
    bool IsOpen = false;
    std::vector<TWrite> Writes;
    int64_t LastArrivalReadUs = 0;
    // Optional: extra thinking time of the radio for the answer to a given write.
    std::function<int64_t(const std::vector<uint8_t>&)> LatencyOf;
    // Optional: sees every write as it is made.
    std::function<void(const std::vector<uint8_t>&)> OnWrite;

    void SetBaudRate(int32_t v) override { Baud = v; }
    void SetByteSize(uint8_t v) override { ByteSize = v; }
    void SetParity(int32_t v) override { Parity = v; }
    void SetStopBits(int32_t v) override { StopBits = v; }
    int32_t Open(const std::string& name) override {
        OpenedName = name;
        if (OpenFails) {
            error_ = "Port Open Error";
            return 1;
        }
        IsOpen = true;
        return 0;
    }
    void Close() override {
        IsOpen = false;
        rx_.clear();
    }
    int32_t Write(const uint8_t* data, int32_t count) override {
        clock_.Sleep(100);
        Writes.push_back({{data, data + count}, clock_.NowMs()});
        if (OnWrite) OnWrite(Writes.back().Bytes);
        if (Unplugged) return 0;
        if (NoRadio) {
            for (int32_t i = 0; i < count; ++i)
                rx_.push_back({clock_.Us + (i + 1) * std::max<int64_t>(ByteUs, 1), data[i]});
            return 0;
        }
        const int64_t latency = ReplyLatencyUs + (LatencyOf ? LatencyOf(Writes.back().Bytes) : 0);
        int64_t t = clock_.Us;
        std::vector<uint8_t> out;
        for (int32_t i = 0; i < count; ++i) {
            t += ByteUs;
            out.clear();
            radio_.Receive(data[i], out);
            for (size_t j = 0; j < out.size(); ++j) {
                const bool echo = j == 0 && !radio_.Faults.NoEcho;
                const int64_t base = t + (echo ? 0 : latency);
                lineFree_ = std::max(base, lineFree_) + ByteUs;
                rx_.push_back({lineFree_, out[j]});
            }
        }
        return 0;
    }
    int32_t Read(int32_t maxCount, uint8_t* buffer, int32_t& bytesRead) override {
        bytesRead = 0;
        while (bytesRead < maxCount && !rx_.empty() && rx_.front().first <= clock_.Us) {
            LastArrivalReadUs = rx_.front().first;
            buffer[bytesRead++] = rx_.front().second;
            rx_.pop_front();
        }
        return 0;
    }
    int32_t InQueueCount() override {
        int32_t n = 0;
        for (const auto& [at, b] : rx_)
            n += at <= clock_.Us ? 1 : 0;
        return n;
    }
    void WaitForInput(int32_t ms) override {
        const int64_t until = clock_.Us + int64_t{ms} * 1000;
        clock_.Us =
            (!rx_.empty() && rx_.front().first <= until) ? std::max(clock_.Us, rx_.front().first) : until;
    }
    const std::string& GetLastError() const override { return error_; }

    // Every frame written with this command byte, in order.
    std::vector<std::vector<uint8_t>> FramesOf(uint8_t command) const {
        std::vector<std::vector<uint8_t>> frames;
        for (const auto& w : Writes)
            if (w.Bytes.size() == 8 && w.Bytes[0] == command) frames.push_back(w.Bytes);
        return frames;
    }

  private:
    TVirtualClock& clock_;
    TRadioEmulator& radio_;
    std::deque<std::pair<int64_t, uint8_t>> rx_;
    int64_t lineFree_ = 0;
    std::string error_;
};

class TTestHost : public IRadioHost {
  public:
    explicit TTestHost(TVirtualClock& clock) : clock_(clock) {}

    int32_t ProgressMax = -1;
    int32_t Steps = 0;
    bool AtMax = false;
    std::vector<std::string> Statuses;
    std::vector<std::pair<int32_t, int32_t>> SearchProgress;
    bool CancelFlag = false;
    bool CancelVisible = true;
    int32_t CancelAtStep = -1; // press Cancel once this many blocks are done
    int32_t Disabled = 0;      // disable/enable balance
    bool EverDisabled = false;

    void SetProgressMax(int32_t max) override { ProgressMax = max; }
    void StepProgress() override { ++Steps; }
    void ProgressToMax() override { AtMax = true; }
    void SetStatus(const std::string& text) override { Statuses.push_back(text); }
    void SetSearchProgress(int32_t attempt, int32_t attempts) override {
        SearchProgress.push_back({attempt, attempts});
    }
    bool Cancelled() override { return CancelFlag; }
    void SetCancelVisible(bool visible) override { CancelVisible = visible; }
    void ProcessMessages() override {
        if (CancelAtStep >= 0 && Steps >= CancelAtStep) CancelFlag = true;
    }
    void Repaint() override {}
    void SetMainWindowEnabled(bool enabled) override {
        Disabled += enabled ? -1 : 1;
        EverDisabled = EverDisabled || !enabled;
    }
    IClock& Clock() override { return clock_; }

  private:
    TVirtualClock& clock_;
};

// Lends a port that outlives the transfer, so tests can look at it afterwards.
class TPortRef : public IRsPort {
  public:
    explicit TPortRef(IRsPort& port) : p_(port) {}
    void SetBaudRate(int32_t v) override { p_.SetBaudRate(v); }
    void SetByteSize(uint8_t v) override { p_.SetByteSize(v); }
    void SetParity(int32_t v) override { p_.SetParity(v); }
    void SetStopBits(int32_t v) override { p_.SetStopBits(v); }
    int32_t Open(const std::string& name) override { return p_.Open(name); }
    void Close() override { p_.Close(); }
    int32_t Write(const uint8_t* d, int32_t n) override { return p_.Write(d, n); }
    int32_t Read(int32_t m, uint8_t* b, int32_t& n) override { return p_.Read(m, b, n); }
    int32_t InQueueCount() override { return p_.InQueueCount(); }
    void WaitForInput(int32_t ms) override { p_.WaitForInput(ms); }
    const std::string& GetLastError() const override { return p_.GetLastError(); }

  private:
    IRsPort& p_;
};

// An image of random bytes: every area has content, as a used radio's has.
inline TMap36 RandomImage(uint32_t seed) {
    std::mt19937 rng(seed);
    TMap36 image;
    for (auto& b : image.Buf)
        b = static_cast<uint8_t>(rng());
    return image;
}

// Gives the radio `image` with the identity copy a full write leaves, and
// the model code of that identity: a radio a standard write accepts.
inline void SeedPlausibleRadio(TRadioEmulator& radio, TMap36 image) {
    SealIdentityCopy(image);
    radio.LoadImage(image);
    TRKmem identity;
    image.Decode(identity);
    radio.ModelCode = ModelCodeFor(identity);
}

// A radio, a port to it and a host, all in virtual time.
struct TRig {
    TVirtualClock Clock;
    TRadioEmulator Radio;
    TTestHost Host{Clock};
    TEmuPort Port{Clock, Radio};
    TRadio36 Radio36{Host, [this] { return std::make_unique<TPortRef>(Port); }};
};
