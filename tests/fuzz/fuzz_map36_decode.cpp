// libFuzzer target for the image decoder (and the encoder over what it
// decodes). Not part of the regular build; with clang:
//
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined \
//       -fno-sanitize-recover=undefined -Isrc \
//       tests/fuzz/fuzz_map36_decode.cpp src/image/dc_Map.cpp src/image/dc_Map36.cpp \
//       src/image/dc_Map36Const.cpp src/model/dc_Rules.cpp src/model/dc_Decimal.cpp \
//       src/model/U_RKmem.cpp src/model/dc_RKmem.cpp -o fuzz_map36_decode
//   ./fuzz_map36_decode -max_len=32768 -max_total_time=600
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
    TMap36 image;
    std::memcpy(image.Buf.data(), data, std::min(size, image.Buf.size()));
    const TMap36 original = image;

    TRKmem model;
    if (!image.Decode(model) || !image.Equals(original)) std::abort();

    // Encoding what was decoded either works or fails with the one
    // documented error (a frequency that is not a whole number of Hz).
    for (int mode = 0; mode < 3; ++mode) {
        TMap36 out = original;
        try {
            out.Encode(model, mode == 0, TCodecContext{mode});
        } catch (const EConvertError&) {
            continue;
        }
        TRKmem again;
        if (!out.Decode(again)) std::abort();
    }
    return 0;
}
