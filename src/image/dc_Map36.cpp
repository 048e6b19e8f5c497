#include "image/dc_Map36.h"

#include "model/dc_RKmem.h"

// Placeholder until the layout tables land.
bool TMap36::Decode(TRKmem&, const TCodecContext&) const { return true; }
void TMap36::Encode(const TRKmem&, bool, const TCodecContext&) {}
