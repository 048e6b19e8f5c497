#pragma once
// What the file commands of `rk36` share: messages on standard error and a
// failure that ends the command with a non-zero exit status.

#include <string_view>

namespace CLI {
class App;
}

// Messages of the core go to standard error, one per line, the dialog
// answering with its preselected button.
void InstallCliMessages();

// Reports `message` (when not empty) and ends the running command with exit status 1.
[[noreturn]] void CliFail(std::string_view message = {});

void RegisterInfoCommand(CLI::App& app);
void RegisterDumpCommand(CLI::App& app);
void RegisterDiffCommand(CLI::App& app);
void RegisterApplyCommand(CLI::App& app);
void RegisterNewCommand(CLI::App& app);
void RegisterReportCommand(CLI::App& app);
void RegisterCsvCommands(CLI::App& app);
