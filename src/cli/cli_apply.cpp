// `rk36 apply FILE PATCH.json -o OUT`: batch edits of a configuration.

#include <string>

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"
#include "image/dc_DataFile.h"
#include "model/dc_Errors.h"
#include "model/dc_MessageBox.h"
#include "json/dc_Json.h"

namespace {

// A patch is a small text; anything this large is not one.
constexpr size_t kPatchLimit = 64u << 20;

struct TApplyOptions {
    std::string FileName;
    std::string PatchName;
    std::string OutName;
    bool ForRadio = false;
    bool Normalize = false;
};

TJson ReadPatch(const std::string& patchName) {
    std::string text, reason;
    if (!ReadRegularFile(patchName, text, kPatchLimit, reason))
        CliFail("cannot read " + patchName + ": " + reason);
    try {
        return TJson::parse(text);
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
    const auto subHertz = SubHertzFrequencies(patch, model);
    for (const auto& key : subHertz)
        ShowMessageBox(o.PatchName + ": \"" + key + "\" is not a whole number of Hz", TMsgType::Error);
    if (!subHertz.empty()) CliFail(o.PatchName + ": nothing written");

    // The radio form recalculates offsets from the tables; the file form
    // keeps the adjustments the radio was tuned with.
    try {
        image.Encode(model, o.ForRadio);
    } catch (const EConvertError& e) {
        CliFail("File write error  File Name = " + o.OutName + "\n" + e.what());
    }

    // A script must not get a different value than it asked for without
    // being told: what the written file would decode to is compared with
    // every field the patch names.
    TRKmem stored;
    if (!image.Decode(stored)) CliFail("File write error  File Name = " + o.OutName);
    const auto differences = StoredDifferences(patch, model, stored);
    for (const auto& d : differences)
        ShowMessageBox(o.PatchName + ": \"" + d.Key + "\": asked " + d.Asked.dump() +
                           (o.Normalize ? ", stored " : ", would store ") + d.Stored.dump(),
                       o.Normalize ? TMsgType::Warning : TMsgType::Error);
    if (!differences.empty() && !o.Normalize)
        CliFail(o.PatchName + ": " + std::to_string(differences.size()) +
                (differences.size() == 1 ? " value" : " values") +
                " cannot be stored as asked; nothing written (--normalize stores them as listed)");

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
    cmd->add_flag("--normalize", o->Normalize,
                  "Accept values the file cannot hold as asked (cut texts, clamped numbers and "
                  "frequencies) and list what is stored instead on standard error");
    cmd->footer(
        "A table entry can be addressed by its index. Unknown keys or values of the wrong type\n"
        "are refused and nothing is written. So is a value the file would hold differently\n"
        "(a text cut to its field, a number beyond its bits, a frequency outside the band, a\n"
        "field this mode never writes), each named with the value asked and the value stored,\n"
        "unless --normalize is given.\n"
        "Examples:\n"
        "  rk36 apply van12.k36 patch.json -o van12-new.k36\n"
        "  patch.json: {\"Channels\": {\"0\": {\"RxFreq\": \"150.0125\"}}, \"PowerOnTag\": \"FLEET 7\"}");
    cmd->callback([o] { Apply(*o); });
}
