#pragma once
// Time as the link layer sees it. Every pause and every time-out of a
// transfer goes through one clock object, so a whole transfer can run in
// virtual time under test and against the wall clock in the tools.

#include <cstdint>

// A local calendar date and time, as the operating system reports it.
struct TLocalDateTime {
    int32_t Year = 2000;
    int32_t Month = 1; // 1..12
    int32_t Day = 1;   // 1..31
    int32_t Hour = 0;
    int32_t Minute = 0;
    int32_t Second = 0;
    int32_t UtcOffsetMinutes = 0; // local time minus UTC, for logs read in another zone
};

class IClock {
  public:
    virtual ~IClock() = default;
    // Milliseconds on a monotonic scale; only differences are meaningful.
    virtual int64_t NowMs() = 0;
    virtual void Sleep(int32_t ms) = 0;
    virtual TLocalDateTime LocalNow() = 0;
};

class TSystemClock : public IClock {
  public:
    int64_t NowMs() override;
    void Sleep(int32_t ms) override;
    TLocalDateTime LocalNow() override;
};

// The process-wide wall clock.
IClock& SystemClock();
