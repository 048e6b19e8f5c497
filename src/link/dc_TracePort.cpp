#include "link/dc_TracePort.h"

#include <charconv>

TTracePort::TTracePort(std::unique_ptr<IRsPort> inner, std::FILE* out, IClock& clock)
    : inner_(std::move(inner)), out_(out), clock_(clock), start_(clock.NowMs()) {}

void TTracePort::Line(const char* direction, const uint8_t* data, int32_t count, const std::string& note) {
    static constexpr char kDigits[] = "0123456789abcdef";
    char stamp[24] = {};
    const auto ms = clock_.NowMs() - start_;
    *std::to_chars(stamp, stamp + sizeof stamp - 1, ms).ptr = '\0';
    std::string line = std::string(stamp) + " " + direction;
    for (int32_t i = 0; i < count; ++i) {
        line += ' ';
        line += kDigits[data[i] >> 4];
        line += kDigits[data[i] & 0xF];
    }
    if (!note.empty()) line += " " + note;
    std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
}

int32_t TTracePort::Open(const std::string& portName) {
    const int32_t r = inner_->Open(portName);
    Line("open", nullptr, 0, portName + (r == 0 ? "" : ": " + inner_->GetLastError()));
    return r;
}

void TTracePort::Close() {
    inner_->Close();
    Line("close", nullptr, 0);
}

int32_t TTracePort::Write(const uint8_t* data, int32_t count) {
    const int32_t r = inner_->Write(data, count);
    Line("tx", data, count, r == 0 ? "" : "failed: " + inner_->GetLastError());
    return r;
}

int32_t TTracePort::Read(int32_t maxCount, uint8_t* buffer, int32_t& bytesRead) {
    const int32_t r = inner_->Read(maxCount, buffer, bytesRead);
    if (bytesRead > 0) Line("rx", buffer, bytesRead);
    if (r != 0) Line("rx", nullptr, 0, "failed: " + inner_->GetLastError());
    return r;
}
