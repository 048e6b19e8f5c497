#include "app/dc_DialogCommands.h"

#include "dialogs/D_Hardware.h"

const std::vector<TDialogCommand>& DialogCommands() {
    static const std::vector<TDialogCommand> commands = {
        {"miHardware", ExecuteHardwareDialog, TAfterDialog::NewBaseline},
    };
    return commands;
}
