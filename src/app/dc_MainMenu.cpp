#include "app/dc_MainMenu.h"

#include <array>
#include <cstring>
#include <string>

namespace {

using K = TMenuKind;
using C = TCommit;

// clang-format off
constexpr TMenuEntry kMenu[] = {
    {"mnuFile", "", K::Menu, "&File", "", " ", 0, C::None, 0},
    {"miNew", "mnuFile", K::Item, "&New", "Ctrl+N", "New|Create a new document", 123136, C::Full, 0},
    {"miOpen", "mnuFile", K::Item, "&Open", "Ctrl+O", "Open|Open an existing document", 123137, C::Full, 0},
    {"miSave", "mnuFile", K::Item, "&Save", "Ctrl+S", "Save|Save the active document", 98325, C::Full, 0},
    {"miSaveAs", "mnuFile", K::Item, "Save &As", "", "Save the active document with a new name", 98326, C::Full, 0},
    {"miImportCsv", "mnuFile", K::Item, "Import Channels (CSV)...", "", "Put the channels of a CSV file into their groups", 98401, C::Full, 0},
    {"miExportCsv", "mnuFile", K::Item, "Export Channels (CSV)...", "", "Write the channels as a CSV file", 98402, C::Full, 0},
    {"miCompare", "mnuFile", K::Item, "Compare with File...", "", "Compare|List the fields in which the active document differs from a data file", 98403, C::Full, 0},
    {"-", "mnuFile", K::Separator, "", "", "", 0, C::None, 0},
    {"miOriginalformat", "mnuFile", K::Check, "Origi&nal format", "", "To make an original data format with 'NEW'", 98354, C::None, 0},
    {"miFleetformat", "mnuFile", K::Check, "Fleet format", "", "To make a Fleet data format with 'NEW'", 98359, C::None, 0},
    {"-", "mnuFile", K::Separator, "", "", "", 0, C::None, 0},
    {"miPrint", "mnuFile", K::Item, "&Print", "Ctrl+P", "Print|Print the active document", 123143, C::Full, 0},
    {"miPrintPdf", "mnuFile", K::Item, "Print to PDF...", "", "Write the report of the active document to a PDF file", 0, C::Full, 0},
    {"miPreview", "mnuFile", K::Item, "Print Pre&view", "", "Display full pages", 123145, C::Full, 0},
    {"miSetup", "mnuFile", K::Item, "P&rint Setup", "", "Change the printer and printing options", 123142, C::Full, 0},
    {"-", "mnuFile", K::Separator, "", "", "", 0, C::None, 0},
    {"miConf", "mnuFile", K::Item, "&Configure", "", "Configure RK36", 98378, C::Full, 0},
    {"-", "mnuFile", K::Separator, "", "", "", 0, C::None, 0},
    {"miRecentFile", "mnuFile", K::Item, "Recent File", "", " ", 0, C::None, 0},
    {"miFile1", "mnuFile", K::Item, "&%d %s", "", "Open this document", 0, C::Full, 0},
    {"miFile2", "mnuFile", K::Item, "&%d %s", "", "Open this document", 0, C::Full, 0},
    {"miFile3", "mnuFile", K::Item, "&%d %s", "", "Open this document", 0, C::Full, 0},
    {"miFile4", "mnuFile", K::Item, "&%d %s", "", "Open this document", 0, C::Full, 0},
    {"-", "mnuFile", K::Separator, "", "", "", 0, C::None, 0},
    {"miExit", "mnuFile", K::Item, "E&xit", "", "Quit the application; prompts to save documents", 123201, C::Full, 0},

    {"mnuEdit", "", K::Menu, "&Edit", "", " ", 0, C::None, 0},
    {"miUndo", "mnuEdit", K::Item, "&Undo", "Ctrl+Z", "Undo|Undo the last action", 98405, C::Full, 0},
    {"miRedo", "mnuEdit", K::Item, "&Redo", "Ctrl+Y; Ctrl+Shift+Z", "Redo|Redo the previously undone action", 98405, C::Full, 0},
    {"-", "mnuEdit", K::Separator, "", "", "", 0, C::None, 0},
    {"miCopy", "mnuEdit", K::Item, "&Copy", "Ctrl+C", "Copy|Copy the selection and put it on the Clipboard", 123170, C::None, 0},
    {"miPaste", "mnuEdit", K::Item, "&Paste", "Ctrl+V", "Paste|Insert Clipboard contents", 123173, C::None, 0},

    {"mnuView", "", K::Menu, "&View", "", " ", 0, C::None, 0},
    {"miToolbar", "mnuView", K::Check, "&Toolbar", "", "Show or hide the toolbar", 124928, C::None, 0},
    {"miStatusBar", "mnuView", K::Check, "&Status Bar", "", "Show or hide the status bar", 124929, C::None, 0},
    {"-", "mnuView", K::Separator, "", "", "", 0, C::None, 0},
    {"mnuItems", "mnuView", K::Menu, "&Items", "", " ", 0, C::None, 0},
    {"misVisible", "mnuItems", K::Item, "&Visible", "", " ", 98364, C::Full, 0},
    {"-", "mnuItems", K::Separator, "", "", "", 0, C::None, 0},
    {"misPri", "mnuItems", K::Check, "Pri", "", " ", 301, C::Full, 1},
    {"misRep", "mnuItems", K::Check, "Repeater", "", " ", 302, C::Full, 2},
    {"misWn", "mnuItems", K::Check, "W/N", "", " ", 303, C::Full, 3},
    {"misTag", "mnuItems", K::Check, "TAG", "", " ", 304, C::Full, 4},
    {"misFreq", "mnuItems", K::Check, "Frequency", "", " ", 305, C::Full, 5},
    {"misSAdio", "mnuItems", K::Check, "Sub Audio", "", " ", 307, C::Full, 6},
    {"misTPow", "mnuItems", K::Check, "Tx Power", "", " ", 311, C::Full, 8},
    {"misScan", "mnuItems", K::Check, "Scan", "", " ", 312, C::Full, 9},
    {"misTot", "mnuItems", K::Check, "TOT", "", " ", 313, C::Full, 10},
    {"misSql", "mnuItems", K::Check, "Squelch", "", " ", 314, C::Full, 11},
    {"misAni", "mnuItems", K::Check, "ANI", "", " ", 315, C::Full, 12},
    {"misComp", "mnuItems", K::Check, "Compander", "", " ", 316, C::Full, 13},
    {"misEnc", "mnuItems", K::Check, "Encr", "", " ", 317, C::Full, 14},
    {"misLout", "mnuItems", K::Check, "Lock Out", "", " ", 318, C::Full, 15},
    {"misPage", "mnuItems", K::Check, "Page/Sig", "", " ", 319, C::Full, 16},
    {"misClock", "mnuItems", K::Check, "Clock Shift", "", " ", 322, C::Full, 17},
    {"misArts", "mnuItems", K::Check, "ARTS", "", " ", 323, C::Full, 18},
    {"misStn", "mnuItems", K::Check, "Selectable Tone", "", " ", 324, C::Full, 19},
    {"STORE1", "mnuItems", K::Item, "STORE", "", " ", 0, C::None, 0},

    {"mnuCommon", "", K::Menu, "&Common", "", " ", 0, C::None, 0},
    {"miHardware", "mnuCommon", K::Item, "&Hardware", "", "Hardware dependent data", 98308, C::Full, 0},
    {"miOption", "mnuCommon", K::Item, "&Option", "", "Accesories...", 98309, C::Full, 0},
    {"miScanning", "mnuCommon", K::Item, "&Scanning", "", "Scanning options", 98310, C::Full, 0},
    {"miRadioStatus", "mnuCommon", K::Item, "&Radio status", "", "Power Saving parameters", 98311, C::Full, 0},
    {"miFrontPanel", "mnuCommon", K::Item, "&Front Panel", "", "Front Panel options", 98312, C::Full, 0},
    {"miKeyFunction", "mnuCommon", K::Item, "&Key Function", "", "Define Key Function", 98313, C::Full, 0},
    {"miDirectCH", "mnuCommon", K::Item, "Direct CH Key", "", "Define Direct CH Key Function", 98387, C::Full, 0},
    {"miEmergency", "mnuCommon", K::Item, "&Emergency", "", "Emergency related parameters", 98314, C::Full, 0},
    {"miMarketing", "mnuCommon", K::Item, "&Marketing", "", "Market related parameters", 98315, C::Full, 0},
    {"miMIs", "mnuCommon", K::Item, "M&Iscellaneous", "", "Miscellaneous parameters", 98316, C::Full, 0},
    {"miDSUB25", "mnuCommon", K::Item, "&DSUB-25", "", "DSUB-25 connctor/options", 98329, C::Full, 0},
    {"miSQC", "mnuCommon", K::Item, "SQC", "", "SQC(Status Quick Check) LED parameters", 98330, C::Full, 0},

    {"mnuSignaling", "", K::Menu, "&Signaling", "", " ", 0, C::None, 0},
    {"miSTone", "mnuSignaling", K::Item, "&Selectable Tone", "", "The Secondary Sub Audio Squelch System", 98331, C::Full, 0},
    {"miAni", "mnuSignaling", K::Item, "&ANI", "", "ANI Timing,ANI Code and Emergency Code", 98319, C::Full, 0},
    {"miPCode", "mnuSignaling", K::Item, "&Paging Code", "", "Paging Code", 98322, C::Full, 0},
    {"mi2Tone", "mnuSignaling", K::Item, "&2Tone", "", "2 Tone Parameters", 98323, C::Full, 0},
    {"mi2TTable", "mnuSignaling", K::Item, "2&Tone Table", "", "2 Tone Frequency Table", 98324, C::Full, 0},
    {"miMdc1200", "mnuSignaling", K::Item, "&MDC1200", "", "", 20000, C::Full, 0},

    {"mnuRadio", "", K::Menu, "&Radio", "", " ", 0, C::None, 0},
    {"miUpload", "mnuRadio", K::Item, "&Upload", "", "Upload|Read data from radio", 98356, C::Full, 0},
    {"miDownload", "mnuRadio", K::Item, "&Download", "", "Download|Program radio with data", 98357, C::Full, 0},
    {"miVerify", "mnuRadio", K::Item, "&Verify Radio", "", "Verify|Compare the radio with the configuration", 98404, C::Full, 0},
    {"miDeckChange", "mnuRadio", K::Item, "Deck Change", "", "Deck change Mster or Slave", 98352, C::Full, 0},

    {"mnuChannel", "", K::Menu, "Ch&annel", "", " ", 0, C::None, 0},
    {"miChannel", "mnuChannel", K::Item, "&Channel Allocation/Group Tag", "", "Change Group to Channel Number Allocations", 98366, C::Page, 0},

    {"mnuHelp", "", K::Menu, "&Help", "", " ", 0, C::None, 0},
    {"miTopic", "mnuHelp", K::Item, "&Help Topics", "", "List Help topics", 0, C::None, 0},
    {"miGetStart", "mnuHelp", K::Item, "&Get Started", "", "Overview features and options on RK36", 500, C::None, 0},
    {"-", "mnuHelp", K::Separator, "", "", "", 0, C::None, 0},
    {"miAbout", "mnuHelp", K::Item, "&About RK36...", "", "About|Display program information, version number and copyright", 0, C::None, 0},
};

constexpr TToolEntry kTools[] = {
    {"toolNew", "miNew"}, {"toolOpen", "miOpen"}, {"toolSave", "miSave"}, {"-", ""},
    {"toolCopy", "miCopy"}, {"toolPaste", "miPaste"}, {"-", ""},
    {"toolPrint", "miPrint"}, {"-", ""},
    {"toolUpload", "miUpload"}, {"toolDownload", "miDownload"}, {"toolMS", "miDeckChange"}, {"-", ""},
    {"toolTopic", "miAbout"},
};
// clang-format on

} // namespace

std::span<const TMenuEntry> MainMenuTable() {
    return kMenu;
}

std::span<const TToolEntry> ToolBarTable() {
    return kTools;
}

const TMenuEntry* FindMenuEntry(const char* name) {
    for (const TMenuEntry& e : kMenu)
        if (std::strcmp(e.Name, name) == 0) return &e;
    return nullptr;
}

std::string PlainCaption(const char* name) {
    const TMenuEntry* entry = FindMenuEntry(name);
    std::string plain;
    if (!entry) return plain;
    for (const char* c = entry->Caption; *c; ++c) {
        if (*c == '&' && c[1] != '\0') ++c; // "&&" stands for one '&'
        plain += *c;
    }
    return plain;
}

std::string StepCaption(const char* verb, const std::string& step) {
    std::string caption = verb;
    if (step.empty()) return caption;
    caption += ' ';
    // The step's name is shown as it is: no letter of it becomes an accelerator.
    for (const char c : step) {
        if (c == '&') caption += '&';
        caption += c;
    }
    return caption;
}
