#pragma once
// Local HTML help: one folder of pages per language under the program
// folder, a page per help context, shown in an in-program browser window.

#include <cstdint>
#include <filesystem>

class QWidget;

// 0 picks "help/en", 1 "help/es"; any other value leaves help unset.
void SetHelpLanguage(int language);
// The current help folder, empty when unset.
std::filesystem::path HelpFolder();
// The page for a context ("<context>.html"), or the index when there is no
// such page or the context is 0; empty when help is unset.
std::filesystem::path HelpPagePath(uint32_t context);
// Shows the page for `context` (0: the index). Does nothing while unset.
// Opened from a modal dialog, the help window can be used beside it.
void ShowHelp(uint32_t context = 0);
// Sends the settings dialogs' F1 (and their default-topic requests) here.
void InstallDialogHelp();
// The help window while one is open, else nullptr.
QWidget* HelpWindow();
