// `rk36 dump FILE`: the decoded model as JSON, for diffs and scripts.

#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"
#include "image/dc_DataFile.h"
#include "json/dc_Json.h"

void RegisterDumpCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("dump", "Print the whole decoded configuration as JSON");
    auto fileName = std::make_shared<std::string>();
    cmd->add_option("FILE", *fileName, "Data file (.k36)")->required();
    cmd->footer("Keys are the model's field names; frequencies are exact decimal texts in MHz and\n"
                "texts map each byte to the character of the same code (U+0000..U+00FF).\n"
                "Examples:\n"
                "  rk36 dump van12.k36 > van12.json\n"
                "  rk36 dump van12.k36 | jq '.Channels[0].RxFreq'");
    cmd->callback([fileName] {
        TRKmem model;
        TMap36 image;
        if (!LoadDataFile(*fileName, model, image)) CliFail();
        std::cout << ModelToJson(model).dump(2) << '\n';
        if (!std::cout.flush()) CliFail("cannot write to standard output");
    });
}
