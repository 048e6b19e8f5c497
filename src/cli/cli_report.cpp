// `rk36 report FILE [--fleet] [-o OUT]`: the printed report as plain text.

#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"
#include "image/dc_DataFile.h"
#include "model/dc_ReportLayout.h"

namespace {

struct TReportOptions {
    std::string FileName;
    std::string OutName;
    bool Fleet = false;
};

void Report(const TReportOptions& o) {
    TRKmem model;
    TMap36 image;
    if (!LoadDataFile(o.FileName, model, image)) CliFail();
    const std::string text = ReportText(BuildReport(model, o.FileName, o.Fleet ? 1 : 0));
    if (o.OutName.empty()) {
        std::cout << text;
        if (!std::cout.flush()) CliFail("cannot write to standard output");
        return;
    }
    if (std::string reason; !WriteFileAtomically(o.OutName, text, reason))
        CliFail("cannot write " + o.OutName + ": " + reason);
}

} // namespace

void RegisterReportCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("report", "Print the report of a data file as plain text");
    auto o = std::make_shared<TReportOptions>();
    cmd->add_option("FILE", o->FileName, "Data file (.k36)")->required();
    cmd->add_flag("--fleet", o->Fleet, "Report as the Fleet data format does (MDC1200 board as MDC ANI)");
    cmd->add_option("-o,--output", o->OutName, "Text file to write instead of standard output");
    cmd->footer("Each line is printed as it appears on paper, left margin included; pages are\n"
                "separated by a form feed.\n"
                "Examples:\n"
                "  rk36 report van12.k36 | less\n"
                "  rk36 report --fleet van12.k36 -o van12.txt");
    cmd->callback([o] { Report(*o); });
}
