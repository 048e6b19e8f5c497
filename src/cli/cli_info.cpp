// `rk36 info FILE`: what a technician checks first about a configuration.

#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/cli_common.h"
#include "image/dc_DataFile.h"
#include "model/dc_Rules.h"

namespace {

std::string ProgrammedDate(const TRKmem& m) {
    if (m.ProgCentury == 0 && m.ProgYear == 0 && m.ProgMonth == 0 && m.ProgDay == 0) return "never";
    char text[64];
    std::snprintf(text, sizeof text, "%02d%02d-%02d-%02d %02d:%02d:%02d", m.ProgCentury, m.ProgYear,
                  m.ProgMonth, m.ProgDay, m.ProgHour, m.ProgMinute, m.ProgSecond);
    return text;
}

void PrintInfo(const std::string& fileName) {
    TRKmem model;
    TMap36 image;
    if (!LoadDataFile(fileName, model, image)) CliFail();

    int groups = 0;
    long channels = 0;
    for (int32_t g = 0; g < model.GroupAreas.Count(); ++g) {
        if (model.GroupAreas.Get(g) == 0) continue;
        ++groups;
        channels += model.GroupAreas.Get(g);
    }
    const auto line = [](const char* caption, const std::string& value) {
        std::printf("%-18s%s\n", caption, value.c_str());
    };
    line("Product type:", model.ProductType);
    line("Band:", BandName(BandType(model), model.ProductType));
    line("Control head:", model.ControlHeadType != 0 ? "Motorcycle Head" : "Normal Head");
    line("Serial number:", model.SerialNumber);
    line("Firmware version:", model.FirmwareVersion);
    line("Last programmed:", ProgrammedDate(model));
    line("Option board:", OptionBoardName(model));
    line("Groups in use:", std::to_string(groups));
    line("Channels in use:", std::to_string(channels));
}

} // namespace

void RegisterInfoCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("info", "Show product, band, head, identity and use of a data file");
    auto fileName = std::make_shared<std::string>();
    cmd->add_option("FILE", *fileName, "Data file (.k36)")->required();
    cmd->footer("Example:\n  rk36 info fleet/van12.k36");
    cmd->callback([fileName] { PrintInfo(*fileName); });
}
