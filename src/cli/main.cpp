#include <CLI/CLI.hpp>

#include "cli/cli_radio.h"

int main(int argc, char** argv) {
    CLI::App app{"rk36: read, edit and write TR-2100/2200/2300 configurations"};
    app.require_subcommand(1);
    RegisterRadioCommands(app);
    CLI11_PARSE(app, argc, argv);
    return 0;
}
