// libFuzzer target: `rk36 apply` with arbitrary JSON over a band template.
// The patch either is refused with a message or applies; what it stores is
// compared with what it asked; the saved image decodes, and from the second
// save on saving gives the same bytes. Built by CMake with RK36_FUZZ.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_base.h"
#include "image/dc_DataFile.h"
#include "model/dc_Errors.h"
#include "model/dc_MessageBox.h"
#include "json/dc_Json.h"

namespace {

bool Save(const TRKmem& model, TMap36& image) {
    try {
        image.Encode(model, false);
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TJson patch = TJson::parse(data, data + size, nullptr, false);
    if (patch.is_discarded()) return 0;
    static TRKmem model, stored, again;
    static TMap36 image, second, third;
    model = FuzzBase().Model;
    std::string error;
    if (!ApplyJson(patch, model, error)) {
        if (error.empty()) std::abort(); // a refusal names its key
        return 0;
    }
    if (!SubHertzFrequencies(patch, model).empty()) return 0;
    image = FuzzBase().Image;
    if (!Save(model, image)) return 0;
    if (!image.Decode(stored)) std::abort();
    for (const auto& d : StoredDifferences(patch, model, stored))
        if (d.Key.empty() || d.Asked == d.Stored) std::abort();

    second = image;
    if (!Save(stored, second)) std::abort();
    if (!second.Decode(again)) std::abort();
    third = second;
    if (!Save(again, third) || third.Buf != second.Buf) std::abort();
    return 0;
}
