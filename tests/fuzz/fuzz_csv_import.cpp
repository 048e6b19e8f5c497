// libFuzzer target: a channel CSV file from anywhere, imported over a band
// template. A refused file leaves the configuration as it was and names
// every bad value; an imported one can be saved, and exporting its channels
// and importing them back settles after one round: the second round changes
// nothing. Built by CMake with RK36_FUZZ.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/dc_ChannelCsv.h"
#include "fuzz_base.h"
#include "image/dc_DataFile.h"
#include "model/dc_Errors.h"
#include "model/dc_MessageBox.h"

namespace {

TCsvImportOptions Options(const TRKmem& m, bool skipInvalid) {
    TCsvImportOptions options;
    options.SkipInvalid = skipInvalid;
    options.Grid = GridOptions(m, 0);
    options.TemplateChannel = m.Channels[0];
    return options;
}

// Exports the channels natively and imports them back into `m`.
void RoundTrip(TRKmem& m) {
    const TGridOptions grid = GridOptions(m, 0);
    const std::string csv = ExportChannelsCsv(m, TCsvDialect::Native, grid);
    if (!ImportChannelsCsv(m, csv, Options(m, false)).Applied) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte chooses how the import treats bad rows.
    const bool skipInvalid = (data[0] & 1) != 0;
    const std::string_view csv(reinterpret_cast<const char*>(data + 1), size - 1);
    TScopedMessages quiet;
    static TRKmem model, once;
    static TMap36 image;
    model = FuzzBase().Model;
    const TCsvImportResult result = ImportChannelsCsv(model, csv, Options(model, skipInvalid));
    if (!result.Applied) {
        if (!(model == FuzzBase().Model) || result.Refusal.empty()) std::abort();
        for (const auto& p : result.Problems)
            if (p.Line < 1 || p.Reason.empty()) std::abort();
        return 0;
    }
    image = FuzzBase().Image;
    try {
        image.Encode(model, false);
    } catch (const EConvertError&) {
        std::abort(); // the grid's rules let through a value no image holds
    }
    RoundTrip(model);
    once = model;
    RoundTrip(model);
    if (!(model == once)) std::abort();
    return 0;
}
