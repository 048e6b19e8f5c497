// `rk36 diff A B`: the fields in which two configurations differ.

#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"
#include "image/dc_DataFile.h"
#include "model/dc_MessageBox.h"
#include "json/dc_ModelDiff.h"

namespace {

// Exit statuses: like diff(1), trouble is told apart from a difference.
constexpr int kDifferent = 1;
constexpr int kTrouble = 2;

struct TDiffCliOptions {
    std::string FileA;
    std::string FileB;
    bool Json = false;
    bool IgnoreIdentity = false;
};

void Load(const std::string& fileName, TRKmem& model) {
    TMap36 image;
    if (!LoadDataFile(fileName, model, image)) throw CLI::RuntimeError(kTrouble);
}

void Diff(const TDiffCliOptions& o) {
    TRKmem a, b;
    Load(o.FileA, a);
    Load(o.FileB, b);
    const auto differences = DiffModels(a, b, {o.IgnoreIdentity});
    if (o.Json) {
        TJson out = TJson::array();
        for (const auto& d : differences) {
            TJson entry{{"key", d.Key}, {"a", d.A}, {"b", d.B}};
            if (!d.Label.empty()) entry["label"] = d.Label;
            out.push_back(std::move(entry));
        }
        std::cout << out.dump(2) << '\n';
    } else {
        for (const auto& d : differences) {
            std::cout << d.Key;
            if (!d.Label.empty()) std::cout << " (" << d.Label << ")";
            std::cout << ": " << d.A.dump() << " -> " << d.B.dump() << '\n';
        }
    }
    if (!std::cout.flush()) {
        ShowMessageBox("cannot write to standard output", TMsgType::Error);
        throw CLI::RuntimeError(kTrouble);
    }
    if (!differences.empty()) throw CLI::RuntimeError(kDifferent);
}

} // namespace

void RegisterDiffCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("diff", "List the fields in which two configurations differ");
    auto o = std::make_shared<TDiffCliOptions>();
    cmd->add_option("A", o->FileA, "First data file (.k36)")->required();
    cmd->add_option("B", o->FileB, "Second data file (.k36)")->required();
    cmd->add_flag("--json", o->Json,
                  "Print a JSON array of {\"key\", \"a\", \"b\"} (and \"label\" for channels)");
    cmd->add_flag("--ignore-identity", o->IgnoreIdentity,
                  "Leave out what identifies a radio: product, band, serial number, firmware, date "
                  "of programming and the factory settings the radio keeps on a write");
    cmd->footer("One line per differing field: its key as `rk36 dump` names it, the channel and grid\n"
                "column for a channel's field, the value in A and the value in B. Nothing when equal.\n"
                "Exit status: 0 equal, 1 different, 2 a file could not be read or the list not written.\n"
                "Examples:\n"
                "  rk36 diff van12.k36 van14.k36\n"
                "  rk36 diff --ignore-identity --json van12.k36 van14.k36 | jq '.[].key'");
    cmd->callback([o] { Diff(*o); });
}
