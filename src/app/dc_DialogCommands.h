#pragma once
// The settings dialogs the menus open: one row per command with the
// dialog's entry and what the main window shows again after OK. Adding a
// dialog command is adding a row.

#include <vector>

class QWidget;
class TEditorState;

// What the main window does once a settings dialog closed with OK.
enum class TAfterDialog {
    Nothing,
    Everything,   // title, menus, panels, group page and columns (the channels moved)
    NewBaseline,  // the accepted settings are the baseline of unsaved changes; everything shown again
    OptionLayout, // the option-dependent menus, the group page and the column layout
    GroupPage,    // the current group page
    SerialNo,     // the serial-number panel
};

// Runs the dialog modally on the live configuration; true on OK.
using TDialogExecute = bool (*)(QWidget* parent, TEditorState& state);

struct TDialogCommand {
    const char* Name; // menu item
    TDialogExecute Execute;
    TAfterDialog After;
};

const std::vector<TDialogCommand>& DialogCommands();
