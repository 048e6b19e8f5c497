#pragma once
// Every field in which two configurations differ, keyed as `rk36 dump` and
// `rk36 apply` key them, so that a difference can be looked up in a dump or
// turned into a patch as it stands.

#include <string>
#include <vector>

#include "model/dc_RKmem.h"
#include "json/dc_Json.h"

struct TFieldDifference {
    std::string Key;   // "PowerOnTag", "Channels[4].RxFreq"
    std::string Label; // "Channel 5 Receive" for a channel's field; empty elsewhere
    TJson A;
    TJson B;
};

struct TDiffOptions {
    // Leaves out what identifies one radio rather than its configuration:
    // product, band, serial number, firmware, date of programming and the
    // factory settings of the blocks the radio keeps as its own.
    bool IgnoreIdentity = false;
};

// In model order; empty when the configurations are equal. Frequencies that
// differ only in trailing zeros are equal; a channel's synthesizer words and
// tuning offsets are left out where its frequency differs, which they follow.
std::vector<TFieldDifference> DiffModels(const TRKmem& a, const TRKmem& b, const TDiffOptions& options = {});

bool IsIdentityKey(const std::string& key);

// "Channel 5 Receive" for "Channels[4].RxFreq" (the grid column's caption),
// "Channel 5" for a channel field no column shows, "" for other keys.
std::string ChannelLabel(const std::string& key);
