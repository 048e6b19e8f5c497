// Time of laying out the largest report (250 one-channel groups: 252 pages)
// against decoding the image it comes from, so the figure holds on any machine.

#include <cstdio>
#include <ctime>
#include <string>

#include "image/dc_Map36.h"
#include "image/dc_Map36Const.h"
#include "model/dc_RKmem.h"
#include "model/dc_ReportLayout.h"
#include "model/dc_Rules.h"

int main() {
    TRKmem model;
    model.ProductType = "TR-2300";
    SetBandType(model, 2);
    ApplyBandSettings(model, 2);
    for (int32_t i = 0; i < kChannelCount; ++i) {
        TChannel& ch = model.Channels[i];
        ch.Blank = 0;
        ch.RxFreq.SetFromFloat(150.0 + 0.0125 * (i % 40));
        ch.TxFreq.SetFromFloat(155.0 + 0.003125 * (i % 40));
        for (int32_t c = 0; c < 8; ++c)
            ch.Tags[c].Text = std::string(1, static_cast<char>('A' + (i + c) % 26));
    }
    for (int32_t g = 0; g < kGroupCount; ++g) {
        model.GroupNames[g].Text = "GRP" + std::to_string(g);
        model.GroupAreas.Set(g, 1);
    }
    TMap36 image;
    image.PutValue(kBandCodeRaw, kBandCodeRawValues[static_cast<size_t>(model.BandCode)]);
    image.Encode(model, true, {0});

    constexpr int kRounds = 200;
    TRKmem decoded;
    image.Decode(decoded);
    // Processor time: independent of what else the machine runs.
    const std::clock_t t0 = std::clock();
    for (int r = 0; r < kRounds; ++r)
        image.Decode(decoded);
    const std::clock_t t1 = std::clock();
    size_t pages = 0;
    for (int r = 0; r < kRounds; ++r)
        pages = BuildReport(decoded, "bench.K36", 0).size();
    const std::clock_t t2 = std::clock();

    const auto us = [](std::clock_t d) { return 1e6 * static_cast<double>(d) / CLOCKS_PER_SEC / kRounds; };
    std::printf("decode: %.1f us per image\n", us(t1 - t0));
    std::printf("report layout: %.1f us for %zu pages, %.2f x decode\n", us(t2 - t1), pages,
                static_cast<double>(t2 - t1) / static_cast<double>(t1 - t0));
    return 0;
}
