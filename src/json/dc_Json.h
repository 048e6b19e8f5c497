#pragma once
// The radio model as JSON, for `rk36 dump` and `rk36 apply`: keys are the
// model's field names, owned tables sit under their field names, texts are
// byte strings whose bytes map to the code points of the same value.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/dc_RKmem.h"
#include "model/dc_Text.h"

using TJson = nlohmann::ordered_json;

TJson ModelToJson(const TRKmem& model);

// Replaces the fields that `patch` names (any subset, same shape as
// ModelToJson; an entry of a table or list may also be addressed by its index
// as an object key, {"Channels": {"4": {"RxFreq": "150.0125"}}}). On an
// unknown key or a value of the wrong type returns false with `error` naming
// the key; `model` may then be partly changed, so callers patch a copy.
bool ApplyJson(const TJson& patch, TRKmem& model, std::string& error);

// A field a patch names whose value in the model as stored (encoded and
// decoded again) is not the value asked for.
struct TStoredDifference {
    std::string Key; // "PowerOnTag", "Channels[4].RxFreq"
    TJson Asked;
    TJson Stored;
};
// For a patch that ApplyJson accepted: `asked` is the patched model, `stored`
// what the image it was encoded into decodes to.
std::vector<TStoredDifference> StoredDifferences(const TJson& patch, const TRKmem& asked,
                                                 const TRKmem& stored);

// The keys of the frequencies a patch names that are not a whole number of
// hertz (no synthesizer word holds them).
std::vector<std::string> SubHertzFrequencies(const TJson& patch, const TRKmem& model);

// A frequency as the exact decimal text of its digits ("-" only when
// negative, no point when there are no fraction digits), and back.
std::string DecimalToText(const TDecimal& value);
bool TextToDecimal(const std::string& text, TDecimal& value);

// Model texts are bytes; JSON strings are UTF-8 of code points 0..255
// (BytesToUtf8 and Utf8ToBytes of model/dc_Text.h).
