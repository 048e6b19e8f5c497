#pragma once
// The main menu and tool bar as data: every item's caption, short-cut, hint
// and help context in one table, from which the main window builds itself.

#include <span>
#include <string>

enum class TMenuKind {
    Menu,  // a menu or sub-menu; its items follow it with Parent set to its name
    Item,  // a command
    Check, // a command with a check mark
    Separator,
};

// What runs before the command: nothing, the grid page only, or the full
// commit (open editor, page, channel-table change check).
enum class TCommit { None, Page, Full };

struct TMenuEntry {
    const char* Name;   // e.g. "miNew"; separators use "-"
    const char* Parent; // name of the menu it sits in; "" for the menu bar
    TMenuKind Kind;
    const char* Caption;
    const char* ShortCut; // QKeySequence texts separated by "; ", "" for none
    const char* Hint;     // "short|long" or just the long part
    int HelpContext;      // 0: none
    TCommit Commit;
    int Group; // column group of the View > Items entries, else 0
};

struct TToolEntry {
    const char* Name;     // "toolNew"; "-" for a separator
    const char* MenuItem; // the menu item it runs
};

std::span<const TMenuEntry> MainMenuTable();
std::span<const TToolEntry> ToolBarTable();
const TMenuEntry* FindMenuEntry(const char* name);
// An item's caption without its accelerator marks ("&Hardware": "Hardware");
// "" for an unknown item.
std::string PlainCaption(const char* name);
// The Undo or Redo caption for the step named `step` ("&Undo", "Paste
// Channel 12": "&Undo Paste Channel 12"); `verb` alone without a step.
std::string StepCaption(const char* verb, const std::string& step);
