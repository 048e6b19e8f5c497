// `rk36 apply FILE PATCH.json -o OUT`: batch edits of a configuration.

#include <fstream>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"
#include "cli/cli_json.h"
#include "image/dc_DataFile.h"
#include "model/dc_Errors.h"

namespace {

struct TApplyOptions {
    std::string FileName;
    std::string PatchName;
    std::string OutName;
    bool ForRadio = false;
};

TJson ReadPatch(const std::string& patchName) {
    std::ifstream in(patchName, std::ios::binary);
    if (!in) CliFail("cannot read " + patchName);
    try {
        return TJson::parse(in);
    } catch (const nlohmann::json::exception& e) {
        CliFail(patchName + " is not valid JSON: " + e.what());
    }
}

void Apply(const TApplyOptions& o) {
    TRKmem model;
    TMap36 image;
    if (!LoadDataFile(o.FileName, model, image)) CliFail();
    const TJson patch = ReadPatch(o.PatchName);
    std::string error;
    if (!ApplyJson(patch, model, error)) CliFail(o.PatchName + ": " + error + "; nothing written");

    if (!o.ForRadio) {
        if (!SaveDataFile(o.OutName, model, image)) CliFail();
        return;
    }
    // The radio form recalculates offsets from the tables; writing it must not
    // go through the file-form encoding of SaveDataFile.
    try {
        image.Encode(model, true);
    } catch (const EConvertError&) {
        CliFail("File write error  File Name = " + o.OutName);
    }
    if (!WriteDataFile(o.OutName, image)) CliFail();
}

} // namespace

void RegisterApplyCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("apply", "Change the fields a JSON patch names and save the result");
    auto o = std::make_shared<TApplyOptions>();
    cmd->add_option("FILE", o->FileName, "Data file to start from (.k36)")->required();
    cmd->add_option("PATCH", o->PatchName, "JSON file in the shape of `rk36 dump`, any subset of it")
        ->required();
    cmd->add_option("-o,--output", o->OutName, "Data file to write (may be FILE itself)")->required();
    cmd->add_flag("--for-radio", o->ForRadio,
                  "Encode in radio form (offsets recalculated) instead of file form");
    cmd->footer(
        "A table entry can be addressed by its index. Unknown keys or values of the wrong type\n"
        "are refused and nothing is written.\n"
        "Examples:\n"
        "  rk36 apply van12.k36 patch.json -o van12-new.k36\n"
        "  patch.json: {\"Channels\": {\"0\": {\"RxFreq\": \"150.0125\"}}, \"PowerOnTag\": \"FLEET 7\"}");
    cmd->callback([o] { Apply(*o); });
}
