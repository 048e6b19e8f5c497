#pragma once
// A port that passes everything through and logs each byte sent and received
// with a millisecond time stamp and its direction, so a flaky cable shows
// where an exchange stopped.

#include <cstdio>
#include <memory>

#include "link/dc_RsDrv.h"

class TTracePort : public IRsPort {
  public:
    // Takes ownership of `inner`; `out` stays the caller's.
    TTracePort(std::unique_ptr<IRsPort> inner, std::FILE* out, IClock& clock);

    void SetBaudRate(int32_t value) override { inner_->SetBaudRate(value); }
    void SetByteSize(uint8_t value) override { inner_->SetByteSize(value); }
    void SetParity(int32_t value) override { inner_->SetParity(value); }
    void SetStopBits(int32_t value) override { inner_->SetStopBits(value); }

    int32_t Open(const std::string& portName) override;
    void Close() override;
    int32_t Write(const uint8_t* data, int32_t count) override;
    int32_t Read(int32_t maxCount, uint8_t* buffer, int32_t& bytesRead) override;
    int32_t InQueueCount() override { return inner_->InQueueCount(); }
    void WaitForInput(int32_t ms) override { inner_->WaitForInput(ms); }
    const std::string& GetLastError() const override { return inner_->GetLastError(); }

  private:
    std::unique_ptr<IRsPort> inner_;
    std::FILE* out_;
    IClock& clock_;
    int64_t start_;

    void Line(const char* direction, const uint8_t* data, int32_t count, const std::string& note = {});
};
