// The main window driven as a user would: start-up variants, the file
// commands, the unsaved-changes questions and the configuration at exit.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

#include "app/D_Pass.h"
#include "app/D_Visible.h"
#include "app/Main.h"
#include "app/dc_ChannelGrid.h"
#include "app/dc_EditorState.h"
#include "app/dc_GuiSeams.h"
#include "app/dc_Help.h"
#include "model/dc_Ini.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"
#include "support/GuiSupport.h"

namespace fs = std::filesystem;

namespace {

const std::string kTitleTail = " - RK36Win for TR-2100_2200_2300 Series -";
const char* const kCode11 = "tr2100maker";
const char* const kCode13 = "rk36workshops";

// Answers the password dialog that start-up shows: types `text` and presses
// OK, or Cancel when `text` is null.
void AnswerPasswordDialog(const char* text) {
    QTimer::singleShot(0, [text] {
        auto* dlg = qobject_cast<TfrmPass*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        if (text) {
            QTest::keyClicks(dlg->medtPass, QString::fromLatin1(text));
            QTest::mouseClick(dlg->btnOk, Qt::LeftButton);
        } else {
            QTest::mouseClick(dlg->btnCan, Qt::LeftButton);
        }
    });
}

// The grid writes back only what its columns can show, so channel values of
// a new configuration that no column shows (a signalling code without an
// option board, say) come back changed from the first page. Tests about other
// things start from that settled table.
void Settle(TfrmMain& frm) {
    frm.CommitBeforeCommand();
    frm.State().SavedChannels.Assign(frm.State().Model.Channels);
    frm.State().FileModified = false;
}

class MainWindowTest : public ::testing::Test {
  protected:
    TScopedProgramFolder folder;
    TScopedMessages messages;
    TScopedFileDialogs dialogs;

    MainWindowTest() { WriteNewConfigurationTemplate(); }

    std::string DefaultFile() const { return (folder / "default.K36").string(); }
    std::string Title(const TfrmMain& frm) const { return frm.windowTitle().toStdString(); }
};

// ---- Start-up -------------------------------------------------------------------

TEST_F(MainWindowTest, StartsOnTheDefaultFileWhenItExists) {
    WriteNewDataFile(DefaultFile());
    messages->Shown.clear();
    TfrmMain frm({});
    EXPECT_EQ(frm.State().CurrentFileName, DefaultFile());
    EXPECT_TRUE(frm.State().SaveEnabled);
    EXPECT_TRUE(frm.Action("miSave")->isEnabled());
    EXPECT_FALSE(frm.State().FileModified);
    EXPECT_EQ(frm.State().StartupMode, 0);
    EXPECT_EQ(Title(frm), DefaultFile() + kTitleTail);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{});
    EXPECT_TRUE(frm.State().SavedChannels.Equals(frm.State().Model.Channels));
}

TEST_F(MainWindowTest, StartsUntitledWithoutAWordWhenTheDefaultFileIsMissing) {
    TfrmMain frm({});
    EXPECT_EQ(frm.State().CurrentFileName, "Untitled");
    EXPECT_FALSE(frm.State().SaveEnabled);
    EXPECT_FALSE(frm.Action("miSave")->isEnabled());
    EXPECT_EQ(Title(frm), "Untitled" + kTitleTail);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{});
    EXPECT_EQ(frm.SystemPanel("pnlComPort")->text(), "COM1");
    EXPECT_EQ(frm.SystemPanel("pnlProduct")->text().toStdString(), frm.State().Model.ProductType);
}

TEST_F(MainWindowTest, ACorruptDefaultFileIsReportedAndTheModelStaysNew) {
    WriteFileBytes(DefaultFile(), "not a radio image");
    TfrmMain frm({});
    EXPECT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(frm.State().CurrentFileName, "Untitled");
    TRKmem fresh;
    fresh.SetNewConfiguration();
    EXPECT_TRUE(frm.State().Model.Equals(fresh));
    // The file existed, so Save stays offered.
    EXPECT_TRUE(frm.State().SaveEnabled);
}

struct TCommandLineCase {
    std::vector<std::string> Args;
    int Mode;
    std::string File;
};

TEST(CommandLine, OnlyTheFirstArgumentCountsInAnyLetterCase) {
    const TCommandLineCase cases[] = {
        {{}, 0, ""},
        {{"-d"}, 1, ""},
        {{"/D"}, 1, ""},
        {{"/m"}, 2, ""},
        {{"-M"}, 2, ""},
        {{"-x"}, 0, ""},
        {{"-dd"}, 0, ""},
        {{"radio.k36"}, 0, "radio.k36"},
        {{"/tmp/My.K36.bak"}, 0, "/tmp/My.K36.bak"},
        {{"radio.dat", "-m"}, 0, ""},
        {{"x.k36", "-d"}, 0, "x.k36"},
        {{"-d", "x.k36"}, 1, ""},
    };
    for (const auto& c : cases) {
        const TCommandLine r = ParseCommandLine(c.Args);
        EXPECT_EQ(r.StartupMode, c.Mode) << (c.Args.empty() ? "" : c.Args[0]);
        EXPECT_EQ(r.FileName, c.File) << (c.Args.empty() ? "" : c.Args[0]);
    }
}

TEST_F(MainWindowTest, ManufactureModeNeedsTheAccessCode) {
    const struct {
        const char* Typed;
        int Mode;
    } cases[] = {{kCode11, 2}, {"RK36Workshops", 2}, {"wrong", 0}, {nullptr, 0}};
    for (const auto& c : cases) {
        AnswerPasswordDialog(c.Typed);
        TfrmMain frm({"/m"});
        EXPECT_EQ(frm.State().StartupMode, c.Mode) << (c.Typed ? c.Typed : "Cancel");
        const bool marked = Title(frm).find("Series(Manufacture mode) -") != std::string::npos;
        EXPECT_EQ(marked, c.Mode == 2);
    }
}

TEST_F(MainWindowTest, DataModeAndAFileFromTheCommandLine) {
    TfrmMain data({"-d"});
    EXPECT_EQ(data.State().StartupMode, 1);

    const std::string file = (folder / "fleet.k36").string();
    WriteNewDataFile(file);
    WriteFileBytes(DefaultFile(), "corrupt"); // not touched: the argument wins
    messages->Shown.clear();
    TfrmMain named({file, "-m"});
    EXPECT_EQ(named.State().StartupMode, 0);
    EXPECT_EQ(named.State().CurrentFileName, file);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{});
}

// ---- Configuration ------------------------------------------------------------------

TEST_F(MainWindowTest, ConfigurationIsAppliedAndWrittenBackAtExit) {
    WriteFileBytes(folder / "RK36.ini", "; RK36 settings\n"
                                        "FRMX=-5\n"
                                        "ITEM3 = 0 ; keep\n"
                                        "FILE1=/radios/a.K36\n"
                                        "FILE3=/radios/c.K36\n"
                                        "COM_PORT=3\n"
                                        "FILEFMT=7\n"
                                        "FRMMAX=1\n");
    {
        TfrmMain frm({});
        Settle(frm);
        EXPECT_EQ(frm.State().RecentFiles, (std::vector<std::string>{"/radios/a.K36", "/radios/c.K36"}));
        EXPECT_TRUE(frm.Action("miFile1")->isVisible());
        EXPECT_TRUE(frm.Action("miFile2")->isVisible());
        EXPECT_FALSE(frm.Action("miFile3")->isVisible());
        EXPECT_FALSE(frm.Action("miRecentFile")->isVisible());
        EXPECT_EQ(frm.Action("miFile2")->text(), "&2 /radios/c.K36");
        EXPECT_FALSE(frm.State().ItemVisible[3]);
        EXPECT_FALSE(frm.Action("misWn")->isChecked());
        EXPECT_TRUE(frm.Action("misPri")->isChecked());
        EXPECT_EQ(frm.State().ComPortNo, 3);
        EXPECT_EQ(frm.SystemPanel("pnlComPort")->text(), "COM3");
        EXPECT_EQ(frm.State().FileFormat, 0);
        EXPECT_TRUE(frm.Action("miOriginalformat")->isChecked());
        EXPECT_TRUE(frm.windowState() & Qt::WindowMaximized);
        EXPECT_EQ(frm.State().CurrentFolder, folder.Path().string() + "/");
        EXPECT_TRUE(frm.close());
    }
    TIniData ini(folder / "RK36.ini");
    ASSERT_TRUE(ini.Load());
    const std::string text = ReadFileBytes(folder / "RK36.ini");
    EXPECT_NE(text.find("\nITEM3=0;keep\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nFILE1=/radios/a.K36;\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nFILE2=/radios/c.K36\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nFILE3= ;\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nFILE4= \n"), std::string::npos) << text;
    EXPECT_EQ(text.rfind("; RK36 settings\n", 0), 0u);
    // Maximized at exit: the normal-state geometry stays as it was.
    EXPECT_EQ(ini.ReadInt("FRMX", 0), -5);
    EXPECT_EQ(ini.ReadInt("FRMW", -1), -1);
    EXPECT_EQ(ini.ReadInt("FRMMAX", 0), 1);
    EXPECT_EQ(ini.ReadInt("COM_PORT", 0), 3);
    EXPECT_EQ(ini.ReadInt("FILEFMT", -1), 0);
    EXPECT_EQ(ini.ReadInt("ITEM7", 0), 1);
    EXPECT_EQ(ini.ReadInt("ITEM19", 0), 1);
}

TEST_F(MainWindowTest, NormalWindowGeometryIsRestoredAndStored) {
    WriteFileBytes(folder / "RK36.ini", "FRMX=40\nFRMY=30\nFRMW=900\nFRMH=600\n");
    {
        TfrmMain frm({});
        Settle(frm);
        EXPECT_EQ(frm.pos(), QPoint(40, 30));
        EXPECT_EQ(frm.size(), QSize(900, 600));
        frm.resize(1000, 700);
        EXPECT_TRUE(frm.close());
    }
    TIniData ini(folder / "RK36.ini");
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadInt("FRMW", 0), 1000);
    EXPECT_EQ(ini.ReadInt("FRMH", 0), 700);
}

TEST_F(MainWindowTest, AConfigurationThatCannotBeWrittenDoesNotKeepTheWindowOpen) {
    fs::create_directory(folder / "RK36.ini"); // a folder where the file should be
    TfrmMain frm({});
    Settle(frm);
    EXPECT_TRUE(frm.close());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{});
}

// ---- Saving ------------------------------------------------------------------------

TEST_F(MainWindowTest, SaveOnTheDefaultFileAsksFirstAndNoThenCancelChangesNothing) {
    WriteNewDataFile(DefaultFile());
    const std::string before = ReadFileBytes(DefaultFile());
    TfrmMain frm({});
    frm.State().Model.Channels[0].Blank = 1 - frm.State().Model.Channels[0].Blank;
    messages->Shown.clear();
    messages->Answers = {TMsgResult::No};
    frm.RunCommand("miSave");
    ASSERT_EQ(messages->Shown.size(), 1u);
    EXPECT_EQ(messages->Shown[0].Text, "Do you want to overwrite the default file?");
    EXPECT_EQ(messages->Shown[0].Buttons, TMsgButtons::YesNo);
    EXPECT_EQ(messages->Shown[0].DefaultButton, 1);
    EXPECT_EQ(dialogs->Saved.size(), 1u);
    EXPECT_EQ(ReadFileBytes(DefaultFile()), before);
    EXPECT_TRUE(frm.State().FileModified) << "the channel change is still unsaved";
    EXPECT_EQ(frm.State().CurrentFileName, DefaultFile());
}

TEST_F(MainWindowTest, SaveOnTheDefaultFileWithYesWritesIt) {
    WriteNewDataFile(DefaultFile());
    TfrmMain frm({});
    frm.State().Model.SerialNumber = "012345678";
    frm.State().FileModified = true;
    messages->Answers = {TMsgResult::Yes};
    frm.RunCommand("miSave");
    EXPECT_FALSE(frm.State().FileModified);
    EXPECT_TRUE(dialogs->Saved.empty());
    EXPECT_EQ(ReadFileBytes(DefaultFile()).size(), 32768u);
}

TEST_F(MainWindowTest, SaveAsWritesTheNewFileAndTakesItsName) {
    TfrmMain frm({});
    frm.State().FileModified = true;
    const fs::path target = folder / "sub" / "new.K36";
    fs::create_directory(folder / "sub");
    dialogs->SaveAnswers = {target};
    frm.RunCommand("miSaveAs");
    ASSERT_EQ(dialogs->Saved.size(), 1u);
    EXPECT_EQ(dialogs->Saved[0].Filter, "K36 Files(*.K36)|*.K36");
    EXPECT_EQ(dialogs->Saved[0].DefaultExt, "K36");
    EXPECT_EQ(frm.State().CurrentFileName, target.string());
    EXPECT_EQ(Title(frm), target.string() + kTitleTail);
    EXPECT_FALSE(frm.State().FileModified);
    EXPECT_TRUE(frm.State().SaveEnabled);
    EXPECT_EQ(frm.State().CurrentFolder, (folder / "sub").string() + "/");
    EXPECT_EQ(ReadFileBytes(target).size(), 32768u);
}

TEST_F(MainWindowTest, AFailedSaveKeepsNameTitleAndUnsavedState) {
    const std::string file = (folder / "mine.K36").string();
    WriteNewDataFile(file);
    TfrmMain frm({file});
    frm.State().FileModified = true;
    frm.State().HardwareChanged = true;
    const QString title = frm.windowTitle();
    messages->Shown.clear();

    dialogs->SaveAnswers = {folder / "missing-folder" / "x.K36"};
    frm.RunCommand("miSaveAs");
    EXPECT_EQ(messages.Texts().size(), 1u) << "the failure is reported";
    EXPECT_EQ(frm.State().CurrentFileName, file);
    EXPECT_EQ(frm.windowTitle(), title);
    EXPECT_TRUE(frm.State().FileModified);
    EXPECT_TRUE(frm.State().HardwareChanged);

    // Untitled: the name chosen for a save that fails is not taken either.
    TfrmMain untitled({});
    untitled.State().FileModified = true;
    dialogs->SaveAnswers.push_back(folder / "missing-folder" / "y.K36");
    untitled.RunCommand("miSave");
    EXPECT_EQ(untitled.State().CurrentFileName, "Untitled");
    EXPECT_TRUE(untitled.State().FileModified);
}

// ---- Opening ------------------------------------------------------------------------

TEST_F(MainWindowTest, OpenAsksAboutUnsavedChangesThenLoads) {
    const std::string other = (folder / "other.K36").string();
    {
        TRKmem model;
        model.SetNewConfiguration();
        model.SerialNumber = "987654321";
        WriteModelFile(other, model);
    }
    TfrmMain frm({});
    frm.State().FileModified = true;
    frm.State().HardwareChanged = true;
    dialogs->OpenAnswers = {fs::path(other)};
    messages->Answers = {TMsgResult::No};
    frm.RunCommand("miOpen");
    ASSERT_EQ(messages->Shown.size(), 1u);
    EXPECT_EQ(messages->Shown[0].Text, "Do you want to save the file?\r\nUntitled");
    EXPECT_EQ(messages->Shown[0].Buttons, TMsgButtons::YesNo);
    ASSERT_EQ(dialogs->Opened.size(), 1u);
    EXPECT_EQ(dialogs->Opened[0].Filter, "K36 Files(*.K36, *.cps)|*.K36;*.cps");
    EXPECT_EQ(frm.State().CurrentFileName, other);
    EXPECT_FALSE(frm.State().FileModified);
    EXPECT_FALSE(frm.State().HardwareChanged);
    EXPECT_EQ(frm.State().RecentFiles.front(), other);
    EXPECT_EQ(frm.SystemPanel("pnlSerialNo")->text().toStdString(), frm.State().Model.SerialNumber);
}

TEST_F(MainWindowTest, OpenStopsWhenTheAnsweredSaveFails) {
    TfrmMain frm({});
    frm.State().FileModified = true;
    messages->Answers = {TMsgResult::Yes}; // save: the dialog is cancelled
    frm.RunCommand("miOpen");
    EXPECT_EQ(dialogs->Saved.size(), 1u);
    EXPECT_TRUE(dialogs->Opened.empty());
    EXPECT_TRUE(frm.State().FileModified);
}

TEST_F(MainWindowTest, RecentFilesMoveToTheFrontAndAMissingOneIsDropped) {
    const std::string a = (folder / "a.K36").string();
    const std::string b = (folder / "b.K36").string();
    WriteNewDataFile(a);
    WriteNewDataFile(b);
    const std::string gone = (folder / "gone.K36").string();
    WriteFileBytes(folder / "RK36.ini", "FILE1=" + a + "\nFILE2=" + gone + "\nFILE3=" + b + "\n");
    TfrmMain frm({});
    Settle(frm);
    ASSERT_EQ(frm.State().RecentFiles.size(), 3u);

    frm.Action("miFile2")->trigger();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"File Not Found"});
    EXPECT_EQ(messages->Shown[0].Type, TMsgType::Warning);
    EXPECT_EQ(frm.State().RecentFiles, (std::vector<std::string>{a, b}));
    EXPECT_FALSE(frm.Action("miFile3")->isVisible());
    EXPECT_EQ(frm.State().CurrentFileName, "Untitled");

    frm.Action("miFile2")->trigger();
    EXPECT_EQ(frm.State().CurrentFileName, b);
    EXPECT_EQ(frm.State().RecentFiles, (std::vector<std::string>{b, a}));
    EXPECT_TRUE(frm.State().SaveEnabled);
    EXPECT_EQ(messages.Texts().size(), 1u);
}

// ---- Closing ------------------------------------------------------------------------

TEST_F(MainWindowTest, CloseRuleYesNoCancel) {
    const std::string file = (folder / "mine.K36").string();
    WriteNewDataFile(file);
    const std::string before = ReadFileBytes(file);
    {
        TfrmMain frm({file});
        frm.State().FileModified = true;
        messages->Answers = {TMsgResult::Cancel};
        EXPECT_FALSE(frm.close());
        ASSERT_EQ(messages->Shown.size(), 1u);
        EXPECT_EQ(messages->Shown[0].Text, "Do you want to save the file?\r\n" + file);
        EXPECT_EQ(messages->Shown[0].Buttons, TMsgButtons::YesNoCancel);
        EXPECT_EQ(messages->Shown[0].DefaultButton, 1);
        EXPECT_FALSE(fs::exists(folder / "RK36.ini")) << "nothing is written while the window stays";

        messages->Answers.push_back(TMsgResult::No);
        EXPECT_TRUE(frm.close());
        EXPECT_EQ(ReadFileBytes(file), before);
        EXPECT_TRUE(fs::exists(folder / "RK36.ini"));
    }
    {
        TfrmMain frm({file});
        frm.State().Model.SerialNumber = "111111111";
        frm.State().FileModified = true;
        messages->Shown.clear();
        messages->Answers = {TMsgResult::Yes};
        EXPECT_TRUE(frm.close());
        EXPECT_NE(ReadFileBytes(file), before);
    }
}

TEST_F(MainWindowTest, CloseStaysOpenWhenTheSaveFails) {
    TfrmMain frm({});
    frm.State().FileModified = true;
    messages->Answers = {TMsgResult::Yes}; // Untitled: the save dialog is cancelled
    EXPECT_FALSE(frm.close());
    EXPECT_EQ(dialogs->Saved.size(), 1u);
}

TEST_F(MainWindowTest, AChangedChannelTableCountsAsUnsavedAtClose) {
    TfrmMain frm({});
    frm.State().Model.Channels[3].Blank = 1 - frm.State().Model.Channels[3].Blank;
    messages->Answers = {TMsgResult::Cancel};
    EXPECT_FALSE(frm.close());
    EXPECT_TRUE(frm.State().FileModified);
}

TEST_F(MainWindowTest, AStartWithoutAFileExitsWithoutAQuestion) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, std::vector<std::string>{(folder / "gone.K36").string()}}) {
        TfrmMain frm(args);
        ASSERT_EQ(frm.State().CurrentFileName, "Untitled");
        frm.show();
        EXPECT_TRUE(frm.close()) << (args.empty() ? "no argument" : args[0]);
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{});
    }
}

TEST_F(MainWindowTest, DisablingAChannelIsAskedAboutAtExit) {
    TfrmMain frm({});
    frm.State().Model.GroupAreas.Set(0, 2);
    frm.State().Model.Channels[1].Blank = 0;
    frm.RefreshAll();
    Settle(frm);
    frm.Grid->CellDoubleClick(0, 1);
    ASSERT_EQ(frm.State().Model.Channels[1].Blank, 1);
    messages->Answers = {TMsgResult::Cancel};
    EXPECT_FALSE(frm.close());
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages->Shown[0].Text, "Do you want to save the file?\r\nUntitled");
}

TEST_F(MainWindowTest, UploadAsksAboutUnsavedChangesFirst) {
    TfrmMain frm({});
    Settle(frm);
    frm.State().Model.SerialNumber = "222222222";
    frm.State().FileModified = true;
    const TRKmem before = frm.State().Model;

    messages->Answers = {TMsgResult::Cancel};
    frm.RunCommand("miUpload");
    ASSERT_EQ(messages->Shown.size(), 1u) << "Cancel: no transfer is prepared";
    EXPECT_EQ(messages->Shown[0].Text, "Do you want to save the file?\r\nUntitled");
    EXPECT_EQ(messages->Shown[0].Buttons, TMsgButtons::YesNoCancel);
    EXPECT_EQ(messages->Shown[0].DefaultButton, 1);
    EXPECT_TRUE(frm.State().Model.Equals(before));
    EXPECT_TRUE(frm.State().FileModified);

    // Yes with a save that is cancelled stops as well; No goes on to the radio.
    messages->Answers.insert(messages->Answers.end(), {TMsgResult::Yes, TMsgResult::No, TMsgResult::Cancel});
    frm.RunCommand("miUpload");
    EXPECT_EQ(dialogs->Saved.size(), 1u);
    EXPECT_EQ(messages->Shown.size(), 2u);
    frm.RunCommand("miUpload");
    ASSERT_EQ(messages->Shown.size(), 4u);
    EXPECT_EQ(messages->Shown[3].Text.rfind("- Upload to PC -", 0), 0u);
    EXPECT_TRUE(frm.State().Model.Equals(before));
}

TEST_F(MainWindowTest, NewAsksAboutChangesBeforeTheModelDialog) {
    TfrmMain frm({});
    frm.State().FileModified = true;
    size_t shownBeforeDialog = 0;
    frm.SetModelDialog([&](TEditorState&) {
        shownBeforeDialog = messages->Shown.size();
        return false;
    });
    messages->Answers = {TMsgResult::No};
    frm.RunCommand("miNew");
    ASSERT_EQ(shownBeforeDialog, 1u);
    EXPECT_EQ(messages->Shown[0].Text, "Do you want to save the file?\r\nUntitled");
    EXPECT_EQ(frm.State().CurrentFileName, "Untitled");
}

TEST_F(MainWindowTest, NewTakesTheModelDialogResultAsAnUntitledFile) {
    const std::string file = (folder / "mine.K36").string();
    WriteNewDataFile(file);
    TfrmMain frm({file});
    Settle(frm);
    bool answer = false;
    frm.SetModelDialog([&](TEditorState& state) {
        TRKmem& model = state.Model;
        if (!answer) return false; // Cancel leaves the model alone
        model.SerialNumber = "555555555";
        model.Channels[0].Blank = 1 - model.Channels[0].Blank;
        return true;
    });
    frm.RunCommand("miNew"); // Cancel in the model dialog
    EXPECT_EQ(frm.State().CurrentFileName, file);

    answer = true;
    frm.State().HardwareChanged = true;
    frm.RunCommand("miNew");
    EXPECT_EQ(frm.State().CurrentFileName, "Untitled");
    EXPECT_FALSE(frm.State().FileModified);
    EXPECT_FALSE(frm.State().HardwareChanged);
    EXPECT_TRUE(frm.State().SavedChannels.Equals(frm.State().Model.Channels));
    EXPECT_EQ(frm.SystemPanel("pnlSerialNo")->text(), "555555555");
    EXPECT_EQ(Title(frm), "Untitled" + kTitleTail);
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(MainWindowTest, ConfigureIsOfferedOnceItsDialogIsThereAndTakesOverOnOk) {
    TfrmMain frm({});
    Settle(frm);
    EXPECT_TRUE(frm.Action("miConf")->isEnabled());
    frm.SetConfigDialog({});
    EXPECT_FALSE(frm.Action("miConf")->isEnabled());
    bool ok = false;
    frm.SetConfigDialog([&](int& port, int& language) {
        EXPECT_EQ(port, 1);
        port = 4;
        language = 1;
        return ok;
    });
    EXPECT_TRUE(frm.Action("miConf")->isEnabled());
    frm.Action("miConf")->trigger();
    EXPECT_EQ(frm.State().ComPortNo, 1);
    ok = true;
    frm.Action("miConf")->trigger();
    EXPECT_EQ(frm.State().ComPortNo, 4);
    EXPECT_EQ(frm.State().HelpLanguage, 1);
    EXPECT_EQ(frm.SystemPanel("pnlComPort")->text(), "COM4");
    EXPECT_EQ(HelpFolder(), folder / "help" / "es");
    EXPECT_EQ(HelpPagePath(500), folder / "help" / "es" / "index.html") << "no page of its own: the index";
    fs::create_directories(folder / "help" / "es");
    WriteFileBytes(folder / "help" / "es" / "500.html", "<p>x</p>");
    EXPECT_EQ(HelpPagePath(500), folder / "help" / "es" / "500.html");
    EXPECT_TRUE(frm.close());
    TIniData ini(folder / "RK36.ini");
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadInt("COM_PORT", 0), 4);
    EXPECT_EQ(ini.ReadInt("HLANG", 0), 1);
}

TEST_F(MainWindowTest, VisibleTakesTheDialogFlagsAndSetsTheItemChecks) {
    TfrmMain frm({});
    Settle(frm);
    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<TfrmVisible*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        QTest::mouseClick(dlg->chk[2], Qt::LeftButton); // "&W/N", group 3
        QTest::mouseClick(dlg->btnOK, Qt::LeftButton);
    });
    frm.Action("misVisible")->trigger();
    EXPECT_FALSE(frm.State().ItemVisible[3]);
    EXPECT_FALSE(frm.Action("misWn")->isChecked());
    EXPECT_TRUE(frm.State().ItemVisible[7]) << "group 7 has no box";
    EXPECT_TRUE(frm.Action("misPri")->isChecked());
}

TEST_F(MainWindowTest, AnUnknownHelpLanguageLeavesHelpUnset) {
    WriteFileBytes(folder / "RK36.ini", "HLANG=7\n");
    TfrmMain frm({});
    EXPECT_EQ(frm.State().HelpLanguage, 7);
    EXPECT_TRUE(HelpFolder().empty());
    EXPECT_TRUE(HelpPagePath(0).empty());
}

// ---- Format and option-dependent menus ------------------------------------------------

TEST_F(MainWindowTest, FormatChangeAsksOnceAndResetsTheOptionSettings) {
    TfrmMain frm({});
    TRKmem& m = frm.State().Model;
    SelectOptionBoard(m, "OB-21 (2-TONE)");
    m.Channels[5].Ani = 1;
    m.Channels[5].SignallingCode = 3;
    m.Tones[2].FirstTone = 4;
    m.AniOnOption = 1;

    frm.RunCommand("miOriginalformat"); // already checked
    EXPECT_TRUE(messages->Shown.empty());

    messages->Answers = {TMsgResult::No};
    frm.RunCommand("miFleetformat");
    ASSERT_EQ(messages->Shown.size(), 1u);
    EXPECT_EQ(messages->Shown[0].Text, "Are you sure you want to change the format of RK36?");
    EXPECT_EQ(messages->Shown[0].Type, TMsgType::Warning);
    EXPECT_EQ(messages->Shown[0].DefaultButton, 2);
    EXPECT_EQ(frm.State().FileFormat, 0);
    EXPECT_EQ(OptionBoardName(m), "OB-21 (2-TONE)");

    messages->Answers.push_back(TMsgResult::Yes);
    frm.RunCommand("miFleetformat");
    EXPECT_EQ(frm.State().FileFormat, 1);
    EXPECT_TRUE(frm.Action("miFleetformat")->isChecked());
    EXPECT_FALSE(frm.Action("miOriginalformat")->isChecked());
    EXPECT_EQ(OptionBoardName(m), "No");
    EXPECT_EQ(m.AniOnOption, 0);
    for (int i = 0; i < m.Channels.Count(); ++i) {
        EXPECT_EQ(m.Channels[i].Ani, 0);
        EXPECT_EQ(m.Channels[i].Encryption, 0);
        EXPECT_EQ(m.Channels[i].SignallingCode, 0);
    }
    EXPECT_EQ(m.Tones[2].FirstTone, 255);
    EXPECT_EQ(m.Pagings[0].Empty, 1);
    EXPECT_EQ(frm.Action("misPage")->text(), "Page/Sig/MDC1200");
    EXPECT_TRUE(frm.Action("miMdc1200")->isVisible());
    EXPECT_EQ(messages->Shown.size(), 2u);
}

TEST_F(MainWindowTest, SignalingItemsFollowTheOptionBoard) {
    TfrmMain frm({});
    for (const char* name : {"miSTone", "miAni", "miPCode", "mi2Tone", "mi2TTable", "miMdc1200"})
        frm.SetCommand(name, [] {});
    const struct {
        const char* Board;
        bool PCode, TwoTone;
    } cases[] = {
        {"No", false, false},
        {"OB-21 (2-TONE)", false, true},
        {"OB-51 (5-TONE)", false, false},
        {"OB-81 (TR-TRUNK)", false, false},
        {"OB-31 (ENC/DTMF/PAGE)", true, false},
        {"MDC1200(ANI)", false, false},
        {"OB-41 (Hi Level Encr)", false, false},
        {"OB-71(ANI)", false, false},
    };
    for (const auto& c : cases) {
        SelectOptionBoard(frm.State().Model, c.Board);
        ASSERT_EQ(OptionBoardName(frm.State().Model), c.Board);
        frm.RefreshMenus();
        EXPECT_TRUE(frm.Action("miSTone")->isEnabled()) << c.Board;
        EXPECT_TRUE(frm.Action("miAni")->isEnabled()) << c.Board;
        EXPECT_EQ(frm.Action("miPCode")->isEnabled(), c.PCode) << c.Board;
        EXPECT_EQ(frm.Action("mi2Tone")->isEnabled(), c.TwoTone) << c.Board;
        EXPECT_EQ(frm.Action("mi2TTable")->isEnabled(), c.TwoTone) << c.Board;
    }
    // MDC1200: Fleet format, MDC ANI on, ANI board not the OB-71.
    EXPECT_FALSE(frm.Action("miMdc1200")->isVisible());
    frm.State().FileFormat = 1;
    SelectOptionBoard(frm.State().Model, "MDC1200(ANI)");
    frm.State().Model.AniOnOption = 1;
    frm.RefreshMenus();
    EXPECT_TRUE(frm.Action("miMdc1200")->isVisible());
    EXPECT_TRUE(frm.Action("miMdc1200")->isEnabled());
    EXPECT_FALSE(frm.Action("misAni")->isEnabled());
    frm.State().Model.OptionBoardType = 3;
    frm.RefreshMenus();
    EXPECT_FALSE(frm.Action("miMdc1200")->isEnabled());
    EXPECT_TRUE(frm.Action("misAni")->isEnabled());
}

// ---- Window parts --------------------------------------------------------------------

TEST_F(MainWindowTest, StatusBarShowsHintsAndTheClock) {
    TfrmMain frm({});
    EXPECT_GE(frm.minimumSize().width(), 835);
    EXPECT_GE(frm.minimumSize().height(), 540);
    EXPECT_EQ(frm.StatusPanel(0)->text(), frm.DefaultHint());
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d$").match(frm.StatusPanel(4)->text()).hasMatch());

    frm.Action("miSave")->showStatusText(&frm);
    EXPECT_EQ(frm.StatusPanel(0)->text(), "Save the active document");
    EXPECT_EQ(frm.HintItem(), "miSave");
    frm.Action("miFile3")->showStatusText(&frm);
    EXPECT_EQ(frm.HintItem(), "miFile1") << "the recent-file items share one hint";
    QStatusTipEvent none{QString()};
    QApplication::sendEvent(&frm, &none);
    EXPECT_EQ(frm.StatusPanel(0)->text(), frm.DefaultHint());
    EXPECT_EQ(frm.HintItem(), "");
}

TEST_F(MainWindowTest, ItemsToggleTheirColumnGroupAndToolbarItsBar) {
    TfrmMain frm({});
    Settle(frm);
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    frm.Action("misFreq")->trigger();
    EXPECT_FALSE(frm.State().ItemVisible[5]);
    EXPECT_FALSE(frm.Action("misFreq")->isChecked());
    frm.Action("misFreq")->trigger();
    EXPECT_TRUE(frm.State().ItemVisible[5]);

    frm.Action("miToolbar")->trigger();
    EXPECT_FALSE(frm.barTool->isVisible());
    EXPECT_FALSE(frm.Action("miToolbar")->isChecked());
    frm.Action("miStatusBar")->trigger();
    EXPECT_FALSE(frm.statusBar()->isVisible());
    EXPECT_FALSE(frm.Action("miStatusBar")->isChecked());
    frm.Action("miToolbar")->trigger();
    EXPECT_TRUE(frm.barTool->isVisible());
    EXPECT_TRUE(frm.close());
}

TEST_F(MainWindowTest, TheKeyboardComesBackToTheGridAfterAMenuOrABox) {
    TfrmMain frm({});
    Settle(frm);
    frm.show();
    QApplication::setActiveWindow(&frm);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frm));
    frm.Grid->grdCh->setFocus();

    QTest::keyClick(&frm, Qt::Key_F10);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(frm.focusWidget(), frm.Grid->grdCh) << "not the menu bar, where it shows nowhere";

    QApplication::setActiveWindow(&frm);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frm));
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    TQtMessageSink().Show(TMessage{"Problem on COM port", TMsgType::Error, TMsgButtons::Ok, 0});
    EXPECT_TRUE(QTest::qWaitForWindowActive(&frm));
    EXPECT_EQ(QApplication::focusWidget(), frm.Grid->grdCh);
    EXPECT_TRUE(frm.close());
}

TEST_F(MainWindowTest, HelpFromAModalDialogIsUsableBesideIt) {
    fs::create_directories(folder / "help" / "en");
    WriteFileBytes(folder / "help" / "en" / "index.html", "<p>help</p>");
    SetHelpLanguage(0);
    QDialog dialog;
    bool ownedByDialog = false;
    QTimer::singleShot(0, [&] {
        ShowHelp(0);
        QWidget* help = HelpWindow();
        ASSERT_NE(help, nullptr);
        // Qt blocks every window but the modal dialog's own.
        ownedByDialog = help->parentWidget() == &dialog && help->isWindow() && help->isVisible();
        dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(ownedByDialog);
    QWidget* help = HelpWindow();
    ASSERT_NE(help, nullptr) << "the help outlives the dialog";
    EXPECT_EQ(help->parentWidget(), nullptr);
    EXPECT_TRUE(help->isVisible());
    help->close();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(HelpWindow(), nullptr);
}

TEST_F(MainWindowTest, ShortCutsReachTheirCommands) {
    TfrmMain frm({});
    Settle(frm);
    frm.show();
    QApplication::setActiveWindow(&frm);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frm));
    QTest::keyClick(&frm, Qt::Key_S, Qt::ControlModifier); // Save is not offered yet
    EXPECT_TRUE(dialogs->Saved.empty());
    QTest::keyClick(&frm, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs->Opened.size(), 1u);
    EXPECT_TRUE(frm.State().SaveEnabled) << "any File command offers Save";
    QTest::keyClick(&frm, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs->Saved.size(), 1u) << "Untitled: Save asks for a name";
    EXPECT_TRUE(frm.close());
}

} // namespace
