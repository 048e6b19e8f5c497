#pragma once
// What the editor benchmarks share: a median of timings and a full page of
// 250 varied channels to measure over.

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "model/dc_RKmem.h"
#include "model/dc_Rules.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <class Fn> double TimeMs(Fn&& fn) {
    const auto t0 = Clock::now();
    fn();
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

inline void FillModel(TRKmem& m) {
    m.SetNewConfiguration();
    SetBandType(m, 2);
    ApplyBandSettings(m, 2);
    // Two groups of 125 would halve the page; one full group is the worst case.
    m.GroupAreas.Set(0, 250);
    for (int i = 0; i < kChannelCount; ++i) {
        TChannel& ch = m.Channels[i];
        ch.Blank = i % 11 == 3;
        ch.RxFreq.SetFromFloat(136.0 + 0.0125 * i);
        ch.TxFreq.SetFromFloat(140.0 + 0.0125 * i);
        ch.TxInhibit = 0;
        ch.DecToneOn = 1;
        ch.DecIsCtcss = i % 2;
        ch.DecCode = ch.DecIsCtcss ? i % 47 : 19;
        ch.DecPartnerCode = 39;
        ch.EncToneOn = 1;
        ch.EncIsCtcss = 1;
        ch.EncCode = i % 47;
        for (int k = 0; k < 8; ++k)
            ch.Tags[k].Text = std::string(1, static_cast<char>('A' + (i + k) % 26));
    }
}

} // namespace bench
