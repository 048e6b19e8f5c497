// The main menu against the captions, short-cuts, hints and help contexts
// the program has always had: users and the help pages depend on them.

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <cstring>
#include <gtest/gtest.h>

#include "app/Main.h"
#include "app/dc_MainMenu.h"
#include "model/dc_MessageBox.h"
#include "support/GuiSupport.h"

namespace {

struct TExpectedItem {
    const char* Name;
    const char* Caption;
    const char* ShortCut;
    const char* Hint;
    int HelpContext;
};

// clang-format off
const TExpectedItem kExpected[] = {
    {"miNew", "&New", "Ctrl+N", "New|Create a new document", 123136},
    {"miOpen", "&Open", "Ctrl+O", "Open|Open an existing document", 123137},
    {"miSave", "&Save", "Ctrl+S", "Save|Save the active document", 98325},
    {"miSaveAs", "Save &As", "", "Save the active document with a new name", 98326},
    {"miOriginalformat", "Origi&nal format", "", "To make an original data format with 'NEW'", 98354},
    {"miFleetformat", "Fleet format", "", "To make a Fleet data format with 'NEW'", 98359},
    {"miPrint", "&Print", "Ctrl+P", "Print|Print the active document", 123143},
    {"miPreview", "Print Pre&view", "", "Display full pages", 123145},
    {"miSetup", "P&rint Setup", "", "Change the printer and printing options", 123142},
    {"miConf", "&Configure", "", "Configure RK36", 98378},
    {"miExit", "E&xit", "", "Quit the application; prompts to save documents", 123201},
    {"miCopy", "&Copy", "Ctrl+C", "Copy|Copy the selection and put it on the Clipboard", 123170},
    {"miPaste", "&Paste", "Ctrl+V", "Paste|Insert Clipboard contents", 123173},
    {"miToolbar", "&Toolbar", "", "Show or hide the toolbar", 124928},
    {"miStatusBar", "&Status Bar", "", "Show or hide the status bar", 124929},
    {"misVisible", "&Visible", "", " ", 98364},
    {"misPri", "Pri", "", " ", 301}, {"misRep", "Repeater", "", " ", 302}, {"misWn", "W/N", "", " ", 303},
    {"misTag", "TAG", "", " ", 304}, {"misFreq", "Frequency", "", " ", 305}, {"misSAdio", "Sub Audio", "", " ", 307},
    {"misTPow", "Tx Power", "", " ", 311}, {"misScan", "Scan", "", " ", 312}, {"misTot", "TOT", "", " ", 313},
    {"misSql", "Squelch", "", " ", 314}, {"misAni", "ANI", "", " ", 315}, {"misComp", "Compander", "", " ", 316},
    {"misEnc", "Encr", "", " ", 317}, {"misLout", "Lock Out", "", " ", 318}, {"misPage", "Page/Sig", "", " ", 319},
    {"misClock", "Clock Shift", "", " ", 322}, {"misArts", "ARTS", "", " ", 323},
    {"misStn", "Selectable Tone", "", " ", 324},
    {"STORE1", "STORE", "", " ", 0},
    {"miHardware", "&Hardware", "", "Hardware dependent data", 98308},
    {"miOption", "&Option", "", "Accesories...", 98309},
    {"miScanning", "&Scanning", "", "Scanning options", 98310},
    {"miRadioStatus", "&Radio status", "", "Power Saving parameters", 98311},
    {"miFrontPanel", "&Front Panel", "", "Front Panel options", 98312},
    {"miKeyFunction", "&Key Function", "", "Define Key Function", 98313},
    {"miDirectCH", "Direct CH Key", "", "Define Direct CH Key Function", 98387},
    {"miEmergency", "&Emergency", "", "Emergency related parameters", 98314},
    {"miMarketing", "&Marketing", "", "Market related parameters", 98315},
    {"miMIs", "M&Iscellaneous", "", "Miscellaneous parameters", 98316},
    {"miDSUB25", "&DSUB-25", "", "DSUB-25 connctor/options", 98329},
    {"miSQC", "SQC", "", "SQC(Status Quick Check) LED parameters", 98330},
    {"miSTone", "&Selectable Tone", "", "The Secondary Sub Audio Squelch System", 98331},
    {"miAni", "&ANI", "", "ANI Timing,ANI Code and Emergency Code", 98319},
    {"miPCode", "&Paging Code", "", "Paging Code", 98322},
    {"mi2Tone", "&2Tone", "", "2 Tone Parameters", 98323},
    {"mi2TTable", "2&Tone Table", "", "2 Tone Frequency Table", 98324},
    {"miMdc1200", "&MDC1200", "", "", 20000},
    {"miUpload", "&Upload", "", "Upload|Read data from radio", 98356},
    {"miDownload", "&Download", "", "Download|Program radio with data", 98357},
    {"miDeckChange", "Deck Change", "", "Deck change Mster or Slave", 98352},
    {"miChannel", "&Channel Allocation/Group Tag", "", "Change Group to Channel Number Allocations", 98366},
    {"miTopic", "&Help Topics", "", "List Help topics", 0},
    {"miGetStart", "&Get Started", "", "Overview features and options on RK36", 500},
    {"miAbout", "&About RK36...", "", "About|Display program information, version number and copyright", 0},
};
// clang-format on

TEST(MenuTable, EveryItemHasItsCaptionShortCutHintAndHelpContext) {
    for (const TExpectedItem& x : kExpected) {
        SCOPED_TRACE(x.Name);
        const TMenuEntry* e = FindMenuEntry(x.Name);
        ASSERT_NE(e, nullptr);
        EXPECT_STREQ(e->Caption, x.Caption);
        EXPECT_STREQ(e->ShortCut, x.ShortCut);
        EXPECT_STREQ(e->Hint, x.Hint);
        EXPECT_EQ(e->HelpContext, x.HelpContext);
    }
    for (int i = 1; i <= 4; ++i) {
        const std::string name = "miFile" + std::to_string(i);
        const TMenuEntry* e = FindMenuEntry(name.c_str());
        ASSERT_NE(e, nullptr);
        EXPECT_STREQ(e->Hint, "Open this document");
    }
}

TEST(MenuTable, MenusCarryOneBlankHintAndNamesAreUnique) {
    const char* menus[][2] = {
        {"mnuFile", "&File"},       {"mnuEdit", "&Edit"},           {"mnuView", "&View"},
        {"mnuCommon", "&Common"},   {"mnuSignaling", "&Signaling"}, {"mnuRadio", "&Radio"},
        {"mnuChannel", "Ch&annel"}, {"mnuHelp", "&Help"},           {"mnuItems", "&Items"}};
    for (const auto& m : menus) {
        const TMenuEntry* e = FindMenuEntry(m[0]);
        ASSERT_NE(e, nullptr) << m[0];
        EXPECT_STREQ(e->Caption, m[1]);
        EXPECT_STREQ(e->Hint, " ");
    }
    EXPECT_STREQ(FindMenuEntry("miRecentFile")->Caption, "Recent File");
    const auto table = MainMenuTable();
    for (size_t i = 0; i < table.size(); ++i)
        for (size_t j = i + 1; j < table.size(); ++j) {
            if (table[i].Kind == TMenuKind::Separator) continue;
            EXPECT_STRNE(table[i].Name, table[j].Name);
        }
}

TEST(MenuTable, ItemsCoverEveryColumnGroupButTheSeventh) {
    std::vector<int> groups;
    for (const TMenuEntry& e : MainMenuTable())
        if (e.Group > 0) groups.push_back(e.Group);
    const std::vector<int> expected = {1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    EXPECT_EQ(groups, expected);
}

class MainMenuWindow : public ::testing::Test {
  protected:
    TScopedProgramFolder folder;
    TScopedMessages messages;
    TScopedFileDialogs dialogs;
};

TEST_F(MainMenuWindow, ActionsCarryTheTableShortCutsAndHintParts) {
    TfrmMain frm({});
    for (const TExpectedItem& x : kExpected) {
        SCOPED_TRACE(x.Name);
        QAction* a = frm.Action(x.Name);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(x.ShortCut)));
        const QString hint = QString::fromLatin1(x.Hint);
        const auto bar = hint.indexOf(u'|');
        EXPECT_EQ(a->statusTip(), bar < 0 ? hint : hint.mid(bar + 1));
        if (!hint.isEmpty()) {
            EXPECT_EQ(a->toolTip(), bar < 0 ? hint : hint.left(bar));
        }
        EXPECT_EQ(a->data().toInt(), x.HelpContext);
    }
    // The menu bar in its order.
    QStringList bar;
    for (QAction* a : frm.menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, (QStringList{"&File", "&Edit", "&View", "&Common", "&Signaling", "&Radio", "Ch&annel",
                                "&Help"}));
    // Tool buttons run their menu items' actions.
    for (const char* name : {"toolNew", "toolOpen", "toolSave", "toolCopy", "toolPaste", "toolPrint",
                             "toolUpload", "toolDownload", "toolMS", "toolTopic"})
        EXPECT_NE(frm.barTool->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
}

TEST_F(MainMenuWindow, ItemsWithoutTheirWindowYetAreDisabledAndTheFixedOnesAlways) {
    TfrmMain frm({});
    for (const char* name : {"miDeckChange", "STORE1", "miRecentFile"})
        EXPECT_FALSE(frm.Action(name)->isEnabled()) << name;
    for (const char* name : {"miNew", "miOpen", "miSaveAs", "miExit", "misPri", "miTopic"})
        EXPECT_TRUE(frm.Action(name)->isEnabled()) << name;
    // An item is offered exactly while a window's command is wired to it.
    frm.SetCommand("miHardware", {});
    EXPECT_FALSE(frm.Action("miHardware")->isEnabled());
    frm.SetCommand("miHardware", [] {});
    EXPECT_TRUE(frm.Action("miHardware")->isEnabled());
}

} // namespace
