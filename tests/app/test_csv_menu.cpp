// File > Export and Import Channels (CSV) in the editor: the file dialogs,
// the dialect question, the grid showing what came in, the unsaved mark.

#include <QAction>
#include <gtest/gtest.h>

#include "app/Main.h"
#include "app/dc_ChannelGrid.h"
#include "app/dc_EditorState.h"
#include "model/dc_MessageBox.h"
#include "support/GuiSupport.h"

namespace fs = std::filesystem;

namespace {

TEST(CsvMenu, ExportAndImportRunFromTheFileMenu) {
    TScopedProgramFolder folder;
    TScopedMessages messages;
    TScopedFileDialogs dialogs;
    // The templates and default file the build lays out: a VHF band with its edges.
    fs::copy(RK36_BINARY_DIR "/src/NewFile", folder / "NewFile", fs::copy_options::recursive);
    fs::copy(RK36_BINARY_DIR "/src/default.K36", folder / "default.K36");
    TfrmMain frm({});
    ASSERT_NE(frm.Action("miImportCsv"), nullptr);
    ASSERT_NE(frm.Action("miExportCsv"), nullptr);

    // Export: "No" to the native question writes the common dialect.
    messages->Answers = {TMsgResult::No};
    dialogs->SaveAnswers = {folder / "out.csv"};
    frm.RunCommand("miExportCsv");
    EXPECT_EQ(ReadFileBytes(folder / "out.csv").rfind("Location,Name,Frequency,", 0), 0u);

    // Import into the group shown: its channels become the file's rows.
    const TRKmem original = frm.State().Model;
    const int32_t lower = frm.State().Model.BandLowerEdge;
    const std::string rx = std::to_string(lower / 1000000) + ".012500";
    WriteFileBytes(folder / "in.csv", "Location,Name,Frequency\r\n1,one," + rx + "\r\n2,two," + rx + "\r\n");
    dialogs->OpenAnswers = {folder / "in.csv"};
    frm.State().FileModified = false;
    frm.RunCommand("miImportCsv");
    EXPECT_EQ(messages.Texts().size(), 1u) << testing::PrintToString(messages.Texts());
    EXPECT_TRUE(frm.State().FileModified);
    ASSERT_EQ(frm.Grid->Page().Rows.size(), 2u);
    EXPECT_EQ(frm.Grid->Page().Rows[1][gcTag], "TWO");
    EXPECT_EQ(frm.Grid->Page().Rows[1][gcRxFreq], rx);
    // The import is one step: undo brings the group back as it was, redo the file's rows.
    EXPECT_EQ(frm.Action("miUndo")->text(), QStringLiteral("&Undo Import Channels"));
    const TRKmem imported = frm.State().Model;
    frm.RunCommand("miUndo");
    EXPECT_TRUE(frm.State().Model.Equals(original));
    frm.RunCommand("miRedo");
    EXPECT_TRUE(frm.State().Model.Equals(imported));
    EXPECT_EQ(frm.Grid->Page().Rows.size(), 2u);

    // A bad value refuses the file; "No" to skipping leaves the model as it was.
    const TRKmem before = frm.State().Model;
    WriteFileBytes(folder / "bad.csv", "Location,Name,Frequency\r\n1,one,999.000000\r\n");
    dialogs->OpenAnswers.push_back(folder / "bad.csv");
    messages->Answers.push_back(TMsgResult::No);
    frm.RunCommand("miImportCsv");
    EXPECT_NE(messages.Texts().back().find("line 2, column Frequency:"), std::string::npos);
    EXPECT_TRUE(frm.State().Model.Equals(before));
}

} // namespace
