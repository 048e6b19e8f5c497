#include <CLI/CLI.hpp>

#include "cli/cli_common.h"
#include "cli/cli_radio.h"

int main(int argc, char** argv) {
    CLI::App app{"rk36: read, edit and write TR-2100/2200/2300 configurations"};
    app.require_subcommand(1);
    app.footer("Every failure is reported on standard error with a non-zero exit status;\n"
               "an output file is replaced only once it is completely written.\n"
               "Run `rk36 COMMAND --help` for a command's options and examples.");
    InstallCliMessages();
    RegisterInfoCommand(app);
    RegisterDumpCommand(app);
    RegisterDiffCommand(app);
    RegisterApplyCommand(app);
    RegisterNewCommand(app);
    RegisterReportCommand(app);
    RegisterCsvCommands(app);
    RegisterRadioCommands(app);
    CLI11_PARSE(app, argc, argv);
    return 0;
}
