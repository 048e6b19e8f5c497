// Undo and redo in the main window as a user meets them: edits in the grid
// and a dialog taken back to the byte, the unsaved mark at the saved state,
// a hardware change with its band template, and a history that starts anew.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdio>

#include "app/Main.h"
#include "app/dc_ChannelGrid.h"
#include "app/dc_EditorState.h"
#include "dialogs/D_Hardware.h"
#include "dialogs/D_RadioStatus.h"
#include "dialogs/dc_HardwareRules.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"
#include "support/GuiSupport.h"

namespace fs = std::filesystem;

namespace {

// Runs `change` on the modal dialog the next command opens, then presses OK.
template <class TDialog, class Fn> void OnNextDialog(Fn change) {
    QTimer::singleShot(0, [change] {
        auto* dlg = qobject_cast<TDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        change(*dlg);
        dlg->btnOK->click();
    });
}

class UndoTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { folder = new TTemplateFolder; }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }

    TScopedMessages messages; // questions answered with their preselected button
    TScopedFileDialogs dialogs;
    std::string file;
    std::unique_ptr<TfrmMain> frm;

    // A TR-2300 VHF A file with two channels in the first group, opened and
    // saved once, so that the file holds the table as the grid leaves it.
    void SetUp() override {
        SetProgramFolder(folder->Path());
        file = (folder->Path() / "mine.K36").string();
        TRKmem m;
        TMap36 image;
        ASSERT_TRUE(LoadDataFile(TemplatePathFor(0, 2, 1), m, image));
        m.GroupAreas.Set(0, 2);
        m.Channels[1] = m.Channels[0];
        m.Channels[1].RxFreq.SetFromFloat(m.Channels[0].RxFreq.ToFloat() + 0.025);
        ASSERT_TRUE(SaveDataFile(file, m, image));
        frm = std::make_unique<TfrmMain>(std::vector<std::string>{file});
        ASSERT_GE(frm->Grid->RowCount(), 2);
        frm->RunCommand("miSave");
        ASSERT_FALSE(State().FileModified);
    }
    void TearDown() override {
        State().FileModified = false;
        frm.reset();
    }

    TEditorState& State() { return frm->State(); }
    QString UndoText() const { return frm->Action("miUndo")->text(); }

    // Types a receive frequency `stepsUp` 25 kHz above the band's lower edge into row `row`.
    void EditFrequency(int row, int stepsUp) {
        TChannelGrid& grid = *frm->Grid;
        grid.SetCurrentCell(gcRxFreq, row);
        grid.CellDoubleClick(gcRxFreq, row);
        ASSERT_TRUE(grid.Editing);
        char text[32];
        std::snprintf(text, sizeof text, "%.6f", (State().Model.BandLowerEdge + 25000.0 * stepsUp) / 1e6);
        grid.edtDmy->setText(QString::fromLatin1(text));
        grid.CommitEditor();
    }
    void PasteChannel(int from, int to) {
        TChannelGrid& grid = *frm->Grid;
        grid.SetCurrentCell(gcChn, from);
        grid.Copy();
        grid.SetCurrentCell(gcChn, to);
        messages->Answers = {TMsgResult::Yes};
        grid.Paste();
    }
    void SaveBytes(std::string& bytes) {
        frm->RunCommand("miSave");
        bytes = ReadFileBytes(file);
    }

    static TTemplateFolder* folder;
};
TTemplateFolder* UndoTest::folder = nullptr;

TEST_F(UndoTest, ThreeUndosGiveTheOriginalFileAndThreeRedosTheEditedOne) {
    const std::string original = ReadFileBytes(file);
    EditFrequency(0, 100);
    PasteChannel(0, 1);
    OnNextDialog<TfrmRadioStatus>([](TfrmRadioStatus& d) { ChangeLikeAUser(d, d.cmbTTimer); });
    frm->RunCommand("miRadioStatus");
    std::string edited;
    SaveBytes(edited);
    ASSERT_NE(edited, original);

    const struct {
        const char* Command;
        QString UndoCaption, RedoCaption;
    } steps[] = {
        {"miUndo", "&Undo Paste Channel 2", "&Redo Radio status"},
        {"miUndo", "&Undo Edit Channel 1", "&Redo Paste Channel 2"},
        {"miUndo", "&Undo", "&Redo Edit Channel 1"},
    };
    for (const auto& s : steps) {
        frm->RunCommand(s.Command);
        EXPECT_EQ(UndoText(), s.UndoCaption);
        EXPECT_EQ(frm->Action("miRedo")->text(), s.RedoCaption);
    }
    EXPECT_FALSE(frm->Action("miUndo")->isEnabled());
    EXPECT_TRUE(State().FileModified) << "the file holds the edited save";
    std::string bytes;
    SaveBytes(bytes);
    EXPECT_EQ(bytes, original);

    for (int i = 0; i < 3; ++i)
        frm->RunCommand("miRedo");
    EXPECT_FALSE(frm->Action("miRedo")->isEnabled());
    SaveBytes(bytes);
    EXPECT_EQ(bytes, edited);
}

TEST_F(UndoTest, UndoToTheSavedStateNeedsNoQuestionOnClose) {
    EditFrequency(0, 100);
    frm->RunCommand("miUndo");
    EXPECT_FALSE(State().FileModified);
    EditFrequency(0, 101);
    frm->CommitBeforeCommand(); // as any command does
    EXPECT_TRUE(State().FileModified) << "one more edit";
    EXPECT_EQ(UndoText(), "&Undo Edit Channel 1");
    frm->RunCommand("miUndo");
    EXPECT_TRUE(frm->close());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{});
}

TEST_F(UndoTest, UndoOfABandChangeRestoresBandTemplateAndTheDownloadGate) {
    const TUndoSnapshot before = State().Snapshot();
    ASSERT_FALSE(before.HardwareChanged);
    OnNextDialog<TfrmHardware>([](TfrmHardware& d) { Pick(d.cmbMFBand, 5); }); // "UHF D", Yes
    frm->RunCommand("miHardware");
    ASSERT_EQ(BandType(State().Model), 5);
    ASSERT_TRUE(State().HardwareChanged) << "a standard Download is refused";
    EXPECT_EQ(UndoText(), "&Undo Hardware");

    frm->RunCommand("miUndo");
    EXPECT_EQ(BandType(State().Model), 2);
    EXPECT_TRUE(State().Model == before.Model);
    EXPECT_TRUE(State().Image.Equals(before.Image)) << "the template ranges as they were";
    EXPECT_TRUE(State().TemplateChannel == before.TemplateChannel);
    EXPECT_FALSE(State().HardwareChanged) << "Download allowed again";
    EXPECT_FALSE(State().FileModified);
    EXPECT_EQ(frm->SystemPanel("pnlBand")->text().toStdString(), BandName(2, State().Model.ProductType));

    frm->RunCommand("miRedo");
    EXPECT_EQ(BandType(State().Model), 5);
    EXPECT_TRUE(State().HardwareChanged);
}

TEST_F(UndoTest, UndoIsOffOnAFreshFileAndAfterOpen) {
    const struct {
        const char* Name;
        std::vector<std::string> Args;
    } starts[] = {{"start without a file", {}}, {"start on a file", {file}}};
    for (const auto& s : starts) {
        SCOPED_TRACE(s.Name);
        TfrmMain fresh(s.Args);
        EXPECT_FALSE(fresh.Action("miUndo")->isEnabled());
        EXPECT_FALSE(fresh.Action("miRedo")->isEnabled());
    }
    EXPECT_EQ(frm->Action("miRedo")->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    EditFrequency(0, 100);
    frm->RunCommand("miSave");
    EditFrequency(0, 101);
    frm->RunCommand("miUndo");
    ASSERT_TRUE(frm->Action("miUndo")->isEnabled());
    ASSERT_TRUE(frm->Action("miRedo")->isEnabled());
    dialogs->OpenAnswers = {fs::path(file)};
    messages->Answers = {TMsgResult::No}; // the unsaved change is dropped
    frm->RunCommand("miOpen");
    EXPECT_FALSE(frm->Action("miUndo")->isEnabled());
    EXPECT_FALSE(frm->Action("miRedo")->isEnabled());
    EXPECT_EQ(UndoText(), "&Undo");
}

} // namespace
