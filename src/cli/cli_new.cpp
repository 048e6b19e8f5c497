// `rk36 new`: a new configuration from a band template, as the editor's New makes it.

#include <algorithm>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"
#include "image/dc_DataFile.h"
#include "model/dc_Rules.h"

namespace {

struct TNewOptions {
    std::string Product;
    std::string Band;
    std::string Head = "normal";
    std::string OutName;
};

void MakeNew(const TNewOptions& o) {
    const auto bands = BandNames(o.Product);
    const auto it = std::find(bands.begin(), bands.end(), o.Band);
    if (it == bands.end()) {
        std::string known;
        for (const auto& b : bands)
            known += (known.empty() ? "\"" : ", \"") + b + "\"";
        CliFail("band \"" + o.Band + "\" is not a band of the " + o.Product + " (" + known + ")");
    }
    const int bandType = static_cast<int>(it - bands.begin());
    TRKmem model;
    TMap36 image;
    if (!LoadDataFile(BandTemplatePath(o.Head == "motorcycle" ? 1 : 0, bandType, o.Product), model, image))
        CliFail();
    if (!SaveDataFile(o.OutName, model, image)) CliFail();
}

} // namespace

void RegisterNewCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("new", "Create a new configuration from the band template");
    auto o = std::make_shared<TNewOptions>();
    cmd->add_option("--product", o->Product, "Product type")
        ->required()
        ->check(CLI::IsMember({"TR-2100", "TR-2200", "TR-2300"}));
    cmd->add_option("--band", o->Band,
                    "Band: \"LVHF A\", \"LVHF B\", \"VHF A\", \"VHF C\", \"UHF A\", \"UHF D\", \"UHF F\", "
                    "and \"UHF DS1\" for the TR-2300")
        ->required();
    cmd->add_option("--head", o->Head, "Control head")
        ->check(CLI::IsMember({"normal", "motorcycle"}))
        ->capture_default_str();
    cmd->add_option("-o,--output", o->OutName, "Data file to write")->required();
    cmd->footer("Examples:\n"
                "  rk36 new --product TR-2300 --band \"VHF A\" -o van12.k36\n"
                "  rk36 new --product TR-2100 --band \"UHF D\" --head motorcycle -o bike3.k36");
    cmd->callback([o] { MakeNew(*o); });
}
