#pragma once
// The codec between a memory image and the radio model.

#include "image/dc_Map.h"

class TRKmem;

// Program-wide state the codec reads, passed in rather than kept global so
// every mode can be exercised side by side.
struct TCodecContext {
    int StartupMode = 0; // 0 normal, 1 data mode, 2 manufacture mode
};

class TMap36 : public TMap {
  public:
    // Fills `model` from Buf. Returns false when a table codec rejects the
    // image: it is then not a valid configuration and the model is garbage
    // (callers decode into a scratch model and Assign only on success).
    // Every table of today's layout decodes from any bytes, so this is
    // always true; callers keep handling false for the layouts to come.
    bool Decode(TRKmem& model, const TCodecContext& context = {}) const;

    // Writes `model` over Buf (never from an empty image: bits the layout
    // does not assign keep their value). `ForRadio` selects the radio form.
    // Throws EConvertError only in manufacture mode (serial number) or for a
    // frequency that cannot be converted.
    void Encode(const TRKmem& model, bool ForRadio, const TCodecContext& context = {});
};

// SpecialCode1..3 mark a special model: its serial number is free text.
bool IsSpecialModel(const TRKmem& m);

// The identity sum as a full write stores it (16 bits over the identity
// codes).
uint16_t IdentitySum(const TMap& image);
bool IdentitySumMatches(const TMap& image);
// Gives the image the identity copy, sums and area sums exactly as a full
// write to a radio leaves them, so that the image is a plausible radio.
void SealIdentityCopy(TMap& image);
// True when the whole identity copy is 0x00 or the whole copy is 0xFF: no
// radio holds that, only files made without one.
bool IdentityCopyBlank(const TMap& image);
