#include "link/dc_Clock.h"

#include <chrono>
#include <ctime>
#include <thread>

int64_t TSystemClock::NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void TSystemClock::Sleep(int32_t ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

TLocalDateTime TSystemClock::LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    TLocalDateTime t;
    t.Year = local.tm_year + 1900;
    t.Month = local.tm_mon + 1;
    t.Day = local.tm_mday;
    t.Hour = local.tm_hour;
    t.Minute = local.tm_min;
    t.Second = local.tm_sec > 59 ? 59 : local.tm_sec; // a leap second is not a digit pair the radio knows
    t.UtcOffsetMinutes = static_cast<int32_t>(local.tm_gmtoff / 60);
    return t;
}

IClock& SystemClock() {
    static TSystemClock clock;
    return clock;
}
