// Time and heap allocations of one image decode and one encode (radio form),
// over a realistic image: a VHF model with named groups and tagged channels.

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>

#include "image/dc_Map36.h"
#include "image/dc_Map36Const.h"
#include "model/dc_RKmem.h"
#include "model/dc_Rules.h"

namespace {
long gAllocations = 0;
}

void* operator new(std::size_t n) {
    ++gAllocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

int main() {
    TRKmem model;
    model.ProductType = "TR-2300";
    SetBandType(model, 2);
    ApplyBandSettings(model, 2);
    model.SerialNumber = "8C123456";
    for (int32_t i = 0; i < kChannelCount; ++i) {
        TChannel& ch = model.Channels[i];
        ch.RxFreq.SetFromFloat(150.0 + 0.0125 * (i % 40));
        ch.TxFreq.SetFromFloat(155.0 + 0.003125 * (i % 40));
        for (int32_t c = 0; c < 8; ++c)
            ch.Tags[c].Text = std::string(1, static_cast<char>('A' + (i + c) % 26));
    }
    for (int32_t g = 0; g < kGroupCount; ++g)
        model.GroupNames[g].Text = "GRP" + std::to_string(g);

    TMap36 image;
    image.PutValue(kBandCodeRaw, kBandCodeRawValues[static_cast<size_t>(model.BandCode)]);
    image.Encode(model, true, {0});

    constexpr int kRounds = 2000;
    TRKmem decoded;
    image.Decode(decoded); // warm the model's text buffers

    // Processor time, not wall time: the figure should not depend on what
    // else the machine is doing.
    long before = gAllocations;
    const std::clock_t t0 = std::clock();
    for (int r = 0; r < kRounds; ++r)
        image.Decode(decoded);
    const std::clock_t t1 = std::clock();
    const long decodeAllocs = gAllocations - before;

    before = gAllocations;
    for (int r = 0; r < kRounds; ++r)
        image.Encode(decoded, true, {0});
    const std::clock_t t2 = std::clock();
    const long encodeAllocs = gAllocations - before;

    const auto us = [](std::clock_t d) { return 1e6 * static_cast<double>(d) / CLOCKS_PER_SEC / kRounds; };
    std::printf("decode: %.1f us, %.1f heap allocations per image\n", us(t1 - t0),
                static_cast<double>(decodeAllocs) / kRounds);
    std::printf("encode: %.1f us, %.1f heap allocations per image\n", us(t2 - t1),
                static_cast<double>(encodeAllocs) / kRounds);
    return 0;
}
