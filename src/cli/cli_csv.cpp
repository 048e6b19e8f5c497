// `rk36 export FILE -o OUT.csv` and `rk36 import FILE IN.csv -o OUT.k36`:
// channels to and from spreadsheets and other programmers.

#include <string>

#include <CLI/CLI.hpp>

#include "app/dc_ChannelCsv.h"
#include "cli/cli_common.h"
#include "image/dc_DataFile.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"

namespace {

// A channel list is a small text; anything this large is not one.
constexpr size_t kCsvLimit = 16u << 20;

// The command line has no data format setting; the editor's default (0).
constexpr int kFileFormat = 0;

struct TExportOptions {
    std::string FileName;
    std::string OutName;
    std::string Dialect = "common";
};

struct TImportOptions {
    std::string FileName;
    std::string CsvName;
    std::string OutName;
    int Group = 0;
    bool SkipInvalid = false;
};

void Export(const TExportOptions& o) {
    TCsvDialect dialect = TCsvDialect::Common;
    CsvDialectFromName(o.Dialect, dialect);
    TRKmem model;
    TMap36 image;
    if (!LoadDataFile(o.FileName, model, image)) CliFail();
    std::string reason;
    if (!WriteFileAtomically(o.OutName, ExportChannelsCsv(model, dialect, GridOptions(model, kFileFormat)),
                             reason))
        CliFail("cannot write " + o.OutName + ": " + reason);
}

void Import(const TImportOptions& o) {
    TRKmem model;
    TMap36 image;
    if (!LoadDataFile(o.FileName, model, image)) CliFail();
    std::string csv, reason;
    if (!ReadRegularFile(o.CsvName, csv, kCsvLimit, reason))
        CliFail("cannot read " + o.CsvName + ": " + reason);

    TCsvImportOptions options;
    options.Group = o.Group - 1;
    options.SkipInvalid = o.SkipInvalid;
    options.Grid = GridOptions(model, kFileFormat);
    // Added channels start from the band template's channel, as in the editor;
    // without a template, from the file's own first channel.
    options.TemplateChannel = model.Channels[0];
    options.TemplateChannel.Blank = 1;
    int32_t lower = 0, upper = 0;
    LoadBandTemplate(model.ControlHeadType, BandType(model), model.ProductType, true, lower, upper,
                     &options.TemplateChannel);
    options.Ask = [](std::string_view format, std::string_view argument) {
        std::string text(format);
        text.replace(text.find("%s"), 2, argument);
        ShowMessageBox(text, TMsgType::Information);
        return true;
    };

    const TCsvImportResult r = ImportChannelsCsv(model, csv, options);
    for (const TCsvProblem& p : r.Problems)
        ShowMessageBox(o.CsvName + ": " + CsvProblemText(p), r.Applied ? TMsgType::Warning : TMsgType::Error);
    if (!r.Applied) CliFail(o.CsvName + ": " + r.Refusal);
    if (!r.Problems.empty())
        ShowMessageBox(o.CsvName + ": the rows named above were skipped; " + std::to_string(r.Imported) +
                           " channels imported",
                       TMsgType::Warning);
    if (!SaveDataFile(o.OutName, model, image)) CliFail();
}

} // namespace

void RegisterCsvCommands(CLI::App& app) {
    auto* exp = app.add_subcommand("export", "Write the channels of a configuration as CSV");
    auto e = std::make_shared<TExportOptions>();
    exp->add_option("FILE", e->FileName, "Data file (.k36)")->required();
    exp->add_option("-o,--output", e->OutName, "CSV file to write")->required();
    exp->add_option("--dialect", e->Dialect,
                    "common: the columns other radio programmers read; native: every grid column "
                    "with its group, which comes back exactly")
        ->check(CLI::IsMember({"common", "native"}))
        ->capture_default_str();
    exp->footer("Examples:\n"
                "  rk36 export van12.k36 -o van12.csv\n"
                "  rk36 export van12.k36 -o van12-all.csv --dialect native");
    exp->callback([e] { Export(*e); });

    auto* imp = app.add_subcommand("import", "Replace the channels of groups by the rows of a CSV file");
    auto i = std::make_shared<TImportOptions>();
    imp->add_option("FILE", i->FileName, "Data file to start from (.k36)")->required();
    imp->add_option("CSV", i->CsvName, "CSV file in the common or the native dialect")->required();
    imp->add_option("-o,--output", i->OutName, "Data file to write (may be FILE itself)")->required();
    imp->add_option("--group", i->Group,
                    "Group (1-250) that gets every row; default: the Group column of the native "
                    "dialect, group 1 for the common dialect")
        ->check(CLI::Range(1, 250));
    imp->add_flag("--skip-invalid", i->SkipInvalid, "Import the good rows and list the others");
    imp->footer("The dialect is read from the header. Each group the file fills gets exactly its rows\n"
                "as channels. Every value must keep the grid's rules (band edges, channel raster, tone\n"
                "and code lists, tag characters); otherwise the file is refused, nothing is written and\n"
                "every bad value is listed as \"line L, column NAME: reason\".\n"
                "Examples:\n"
                "  rk36 import van12.k36 channels.csv -o van12.k36 --group 2\n"
                "  rk36 import van12.k36 van12-all.csv -o van12-new.k36");
    imp->callback([i] { Import(*i); });
}
