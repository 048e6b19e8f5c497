#pragma once
// The configuration the fuzz targets that edit start from: a generated
// band template, or a new configuration when the build laid none out.

#include "image/dc_DataFile.h"
#include "model/dc_MessageBox.h"

struct TFuzzBase {
    TRKmem Model;
    TMap36 Image;
};

inline const TFuzzBase& FuzzBase() {
    static const TFuzzBase base = [] {
        TFuzzBase b;
        TScopedMessages quiet;
        if (!LoadDataFile(RK36_PROGRAM_FOLDER "/NewFile/TR2300/singnorva.k36", b.Model, b.Image))
            b.Model.SetNewConfiguration();
        return b;
    }();
    return base;
}
