#pragma once
// A new configuration shaped for a test in a few named steps, instead of
// each test setting group sizes, names and channels by hand:
//   TRKmem m = TModelBuilder().Band(2).Groups({{0, 3}, {1, 2}}).Build();

#include <initializer_list>
#include <string>
#include <utility>

#include "model/dc_RKmem.h"
#include "model/dc_Rules.h"

class TModelBuilder {
  public:
    TModelBuilder() { m_.SetNewConfiguration(); }

    // The band fields and settings of a band position (2: VHF A, 136-174 MHz).
    TModelBuilder& Band(int32_t bandPosition) {
        SetBandType(m_, bandPosition);
        ApplyBandSettings(m_, bandPosition);
        return *this;
    }
    // Only the groups named hold channels: {group, size} pairs.
    TModelBuilder& Groups(std::initializer_list<std::pair<int32_t, uint32_t>> sizes) {
        for (int32_t g = 0; g < kGroupCount; ++g)
            m_.GroupAreas.Set(g, 0);
        for (const auto& [group, size] : sizes)
            m_.GroupAreas.Set(group, size);
        return *this;
    }
    TModelBuilder& GroupName(int32_t group, std::string name) {
        m_.GroupNames[group].Text = std::move(name);
        return *this;
    }
    // Channels 0..count-1 in use with the one-letter tags firstTag, firstTag+1, ...;
    // those listed in `blank` unused.
    TModelBuilder& TaggedChannels(int32_t count, char firstTag, std::initializer_list<int32_t> blank = {}) {
        for (int32_t i = 0; i < count; ++i) {
            TChannel& ch = m_.Channels[i];
            ch.Blank = 0;
            for (int32_t b : blank)
                if (b == i) ch.Blank = 1;
            ch.Tags.Clear();
            ch.Tags[0].Text = std::string(1, static_cast<char>(firstTag + i));
        }
        return *this;
    }
    // Channels 0..count-1 in use, receiving on firstMHz + i and transmitting
    // `splitMHz` above, without tones.
    TModelBuilder& ToneFreeChannels(int32_t count, double firstMHz, double splitMHz) {
        for (int32_t i = 0; i < count; ++i) {
            TChannel& ch = m_.Channels[i];
            ch.Blank = 0;
            ch.RxFreq.SetFromFloat(firstMHz + i);
            ch.TxFreq.SetFromFloat(firstMHz + i + splitMHz);
            ch.TxInhibit = 0;
            ch.DecToneOn = 0;
            ch.EncToneOn = 0;
        }
        return *this;
    }
    TModelBuilder& Board(std::string_view board) {
        SelectOptionBoard(m_, board);
        return *this;
    }

    TRKmem Build() const { return m_; }

  private:
    TRKmem m_;
};
