#include "cli/cli_radio.h"

#include <CLI/CLI.hpp>

// The radio commands arrive with the serial link.
void RegisterRadioCommands(CLI::App&) {}
