// libFuzzer target: the image decoder, and the encoder over what it decodes,
// in every start-up mode. Built by CMake with RK36_FUZZ (tests/fuzz/CMakeLists.txt).
//
// Short inputs fill the start of an otherwise zero image, so the fuzzer's
// early corpus reaches the settings blocks first.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "image/dc_Map36.h"
#include "model/dc_Errors.h"
#include "model/dc_RKmem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TMap36 original;
    original.Buf.fill(0);
    std::memcpy(original.Buf.data(), data, std::min(size, original.Buf.size()));

    static TRKmem model;
    if (!original.Decode(model)) std::abort();

    // Encoding what was decoded either works or fails with the one
    // documented error (a frequency that is not a whole number of Hz, only
    // in the radio form, or a serial number in manufacture mode). One start-up
    // mode and form per run, chosen by a byte past the image, keeps runs short.
    const uint8_t choice =
        size > original.Buf.size() ? data[original.Buf.size()] : static_cast<uint8_t>(size);
    const int mode = choice % 3;
    static TMap36 out;
    static TRKmem again;
    out = original;
    try {
        out.Encode(model, mode == 0 && (choice & 4) == 0, TCodecContext{mode});
    } catch (const EConvertError&) {
        return 0;
    }
    if (!out.Decode(again)) std::abort();
    return 0;
}
