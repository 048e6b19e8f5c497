// libFuzzer target: a file-form save of any decoded image succeeds (every
// channel is unchanged since decoding), and saving what it wrote gives the
// same bytes again. Built by CMake with RK36_FUZZ.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "image/dc_Map36.h"
#include "model/dc_Errors.h"
#include "model/dc_RKmem.h"

namespace {

// Load and save: the image decoded, then its model encoded over it.
void Resave(const TMap36& file, TMap36& out, TRKmem& model) {
    if (!file.Decode(model)) std::abort();
    out = file;
    try {
        out.Encode(model, false);
    } catch (const EConvertError&) {
        std::abort(); // a decoded image always saves
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TMap36 file, first, second;
    static TRKmem model;
    file.Buf.fill(0);
    std::memcpy(file.Buf.data(), data, std::min(size, file.Buf.size()));
    Resave(file, first, model);
    Resave(first, second, model);
    if (first.Buf != second.Buf) std::abort();
    return 0;
}
