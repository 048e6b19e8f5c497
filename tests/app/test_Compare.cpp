// File > Compare with File on the main window: the scripted file dialog
// picks the file, the list shows what differs.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/D_Compare.h"
#include "app/Main.h"
#include "app/dc_EditorState.h"
#include "app/dc_MainMenu.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"
#include "support/GuiSupport.h"

namespace fs = std::filesystem;

namespace {

// What the compare dialog showed, read just before Close is pressed.
struct TShown {
    bool Opened = false;
    bool EqualShown = false;
    std::vector<std::string> Rows; // "key | label | a | b"
};

void CloseCompareWhenShown(TShown& shown) {
    QTimer::singleShot(0, [&shown] {
        auto* dlg = qobject_cast<TfrmCompare*>(QApplication::activeModalWidget());
        if (!dlg) return;
        shown.Opened = true;
        shown.EqualShown = dlg->lblEqual->isVisibleTo(dlg) && !dlg->grdDiff->isVisibleTo(dlg);
        for (int r = 0; r < dlg->grdDiff->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < dlg->grdDiff->columnCount(); ++c)
                row << dlg->grdDiff->item(r, c)->text();
            shown.Rows.push_back(row.join(QStringLiteral(" | ")).toStdString());
        }
        QTest::mouseClick(dlg->btnClose, Qt::LeftButton);
    });
}

class CompareWithFileTest : public ::testing::Test {
  protected:
    TScopedProgramFolder folder;
    TScopedMessages messages;
    TScopedFileDialogs dialogs;

    CompareWithFileTest() { WriteNewConfigurationTemplate(); }
};

} // namespace

TEST_F(CompareWithFileTest, ListsTheDifferencesOfTheChosenFile) {
    WriteNewDataFile(folder / "start.K36");
    TfrmMain frm({(folder / "start.K36").string()});
    frm.CommitBeforeCommand(); // the table as the grid leaves it
    TEditorState& state = frm.State();
    TMap36 image = state.Image;
    ASSERT_TRUE(SaveDataFile(folder / "same.K36", state.Model, image));
    TRKmem changed = state.Model;
    changed.PowerOnTag = "FLEET 7";
    changed.Channels[4].Lockout = 1 - changed.Channels[4].Lockout;
    ASSERT_TRUE(SaveDataFile(folder / "changed.K36", changed, image));
    WriteFileBytes(folder / "broken.K36", "not a data file");

    const std::string lockout[] = {std::to_string(state.Model.Channels[4].Lockout),
                                   std::to_string(changed.Channels[4].Lockout)};
    const struct {
        const char* Name;
        std::optional<fs::path> Answer;
        bool Opened;
        bool Equal;
        std::vector<std::string> Rows;
        size_t Messages;
    } rows[] = {
        {"cancelled", std::nullopt, false, false, {}, 0},
        {"equal file", folder / "same.K36", true, true, {}, 0},
        {"changed file",
         folder / "changed.K36",
         true,
         false,
         {"PowerOnTag |  | \"" + state.Model.PowerOnTag + "\" | \"FLEET 7\"",
          "Channels[4].Lockout | Channel 5 Lock out | " + lockout[0] + " | " + lockout[1]},
         0},
        {"not a data file", folder / "broken.K36", false, false, {}, 1},
    };
    EXPECT_EQ(FindMenuEntry("miCompare")->Commit, TCommit::Full);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        dialogs->Opened.clear();
        dialogs->OpenAnswers = {row.Answer};
        messages->Shown.clear();
        TShown shown;
        CloseCompareWhenShown(shown);
        frm.RunCommand("miCompare");
        ASSERT_EQ(dialogs->Opened.size(), 1u);
        EXPECT_EQ(dialogs->Opened[0].Filter, "K36 Files(*.K36, *.cps)|*.K36;*.cps");
        EXPECT_EQ(shown.Opened, row.Opened);
        EXPECT_EQ(shown.EqualShown, row.Equal);
        EXPECT_EQ(shown.Rows, row.Rows);
        EXPECT_EQ(messages->Shown.size(), row.Messages);
    }
}
