// The channel grid driven with real keys and mouse clicks: typing into the
// in-place editor, cycling, selection lists, the transmit toggle, the DCS
// complement, the disable check, copy and paste, and a full page round trip.

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/D_SelectList.h"
#include "app/Main.h"
#include "app/dc_ChannelGrid.h"
#include "app/dc_EditorState.h"
#include "image/dc_DataFile.h"
#include "image/dc_Map36.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"
#include "support/GuiSupport.h"
#include "support/ModelBuilder.h"

namespace fs = std::filesystem;

namespace {

class GridTest : public ::testing::Test {
  protected:
    TScopedMessages messages;
    TEditorState state;
    TRKmem& m = state.Model;
    bool& modified = state.FileModified;
    TChannels saved;
    TGroupFlags& items = state.ItemVisible;
    std::vector<int> help;
    std::unique_ptr<TChannelGrid> grid;

    void SetUp() override {
        m = TModelBuilder().Band(2).Groups({{0, 3}, {1, 2}}).ToneFreeChannels(5, 150.0, 0.0).Build();
        m.DefaultSplit = 600000;
        for (int i = 0; i < 5; ++i) {
            TChannel& ch = m.Channels[i];
            ch.Arts = 0;
            ch.Compander = 0;
            ch.SignallingOn = 0;
            ch.SignallingCode = 0;
        }
        items.fill(true);
        saved.Assign(m.Channels);
        grid = std::make_unique<TChannelGrid>(state);
        grid->HelpRequested = [this](int context) { help.push_back(context); };
        grid->resize(1500, 400);
        grid->show();
        grid->ShowGroupPage(0);
        grid->ApplyColumnLayout();
        grid->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(grid.get()));
        grid->grdCh->setFocus();
    }
    void TearDown() override { QApplication::clipboard()->clear(); }

    QWidget* Focus() {
        QWidget* w = QApplication::focusWidget();
        return w ? w : grid->grdCh;
    }
    void Press(Qt::Key key) { QTest::keyClick(Focus(), key); }
    void Type(const char* text) {
        for (const char* p = text; *p; ++p)
            QTest::keyClick(Focus(), *p);
    }
    void Select(int col, int row) { grid->SetCurrentCell(col, row); }
    void DoubleClick(int col, int row) {
        const QModelIndex index = grid->grdCh->model()->index(row, col);
        grid->grdCh->scrollTo(index);
        QTest::mouseDClick(grid->grdCh->viewport(), Qt::LeftButton, {},
                           grid->grdCh->visualRect(index).center());
    }
    std::string Cell(int col, int row) const { return grid->CellText(col, row); }
    void Reshow() {
        grid->ShowGroupPage(grid->CurrentGroup);
        grid->ApplyColumnLayout();
    }
};

// Picks entry (row, col) of the selection list that is about to open and presses OK.
void AnswerSelectionList(int row, int col) {
    QTimer::singleShot(0, [row, col] {
        auto* dlg = qobject_cast<TfrmSelList*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->grdList->setCurrentCell(row, col);
        QTest::mouseClick(dlg->btnOK, Qt::LeftButton);
    });
}

TEST_F(GridTest, TypedReceiveFrequencyIsNormalisedAndTransmitFollowsWithTheSplit) {
    Select(5, 0);
    Type("145.5");
    EXPECT_TRUE(grid->Editing);
    EXPECT_EQ(grid->edtDmy->text(), "145.5");
    Press(Qt::Key_Return);
    EXPECT_FALSE(grid->Editing);
    EXPECT_EQ(Cell(5, 0), "145.500000");
    EXPECT_EQ(Cell(6, 0), "146.100000");
    grid->StoreGridPage();
    EXPECT_EQ(m.Channels[0].RxFreq.ToFloat(), 145.5);
    EXPECT_EQ(m.Channels[0].TxFreq.ToFloat(), 146.1);
}

TEST_F(GridTest, ACommaInAFrequencyIsTheDecimalPoint) {
    Select(5, 1);
    Type("146,5");
    Press(Qt::Key_Return);
    EXPECT_EQ(Cell(5, 1), "146.500000") << "not the band's lower edge";
    EXPECT_EQ(Cell(6, 1), "147.100000");
}

TEST_F(GridTest, EditorOpenAndCommitByDoubleClickAndLeavingTheCell) {
    DoubleClick(5, 1);
    ASSERT_TRUE(grid->Editing);
    const QRect cell = grid->grdCh->visualRect(grid->grdCh->model()->index(1, 5));
    EXPECT_EQ(grid->edtDmy->geometry().left(), cell.left());
    EXPECT_EQ(grid->edtDmy->geometry().width(), cell.width() + 1);
    EXPECT_EQ(grid->edtDmy->selectedText(), "151.000000");
    Type("160");
    // A click elsewhere commits the entry and stores the page.
    QTest::mouseClick(grid->grdCh->viewport(), Qt::LeftButton, {},
                      grid->grdCh->visualRect(grid->grdCh->model()->index(2, 3)).center());
    EXPECT_FALSE(grid->Editing);
    EXPECT_EQ(Cell(5, 1), "160.000000");
    EXPECT_EQ(m.Channels[1].RxFreq.ToFloat(), 160.0);
}

TEST_F(GridTest, UnconvertibleFrequencyLeavesTheCellAndChannelAlone) {
    const TChannel before = m.Channels[0];
    Select(5, 0);
    Type("1.12345678");
    Press(Qt::Key_Return);
    EXPECT_FALSE(grid->Editing);
    EXPECT_EQ(Cell(5, 0), "150.000000");
    grid->StoreGridPage();
    EXPECT_EQ(m.Channels[0].RxFreq, before.RxFreq);
}

TEST_F(GridTest, EscapeDiscardsAndTagTypingFollowsTheTagRule) {
    Select(4, 0);
    Type("zz");
    Press(Qt::Key_Escape);
    EXPECT_FALSE(grid->Editing);
    EXPECT_EQ(Cell(4, 0), "");
    Type("ab!c;d");
    Press(Qt::Key_Return);
    EXPECT_EQ(Cell(4, 0), "ABCD");
    // The editor stops at the column's eight characters.
    Press(Qt::Key_Return);
    Type("12345678");
    EXPECT_EQ(grid->edtDmy->text().size(), 8);
}

TEST_F(GridTest, SpaceOnTransmitTogglesInhibitAndBack) {
    Select(6, 0);
    Press(Qt::Key_Space);
    EXPECT_EQ(Cell(6, 0), "---.-------");
    EXPECT_FALSE(grid->Editing);
    Press(Qt::Key_Space);
    EXPECT_EQ(Cell(6, 0), "150.000000");
    Press(Qt::Key_Space);
    // Digits typed into an inhibited transmit cell are dropped.
    Type("1");
    EXPECT_FALSE(grid->Editing);
    grid->StoreGridPage();
    EXPECT_EQ(m.Channels[0].TxInhibit, 1);
    EXPECT_EQ(m.Channels[0].TxFreq.ToFloat(), 150.0);

    // Off and on again after a receive edit: the transmit frequency the cell
    // showed comes back, not the one the channel held before.
    Press(Qt::Key_Space);
    Select(5, 0);
    Type("145.5");
    Press(Qt::Key_Return);
    ASSERT_EQ(Cell(6, 0), "146.100000");
    Select(6, 0);
    Press(Qt::Key_Space);
    Press(Qt::Key_Space);
    EXPECT_EQ(Cell(6, 0), "146.100000");
}

TEST_F(GridTest, CyclingDecodeTypeSetsTheToneColumnsAndDropsArts) {
    m.Channels[0].Arts = 1;
    Reshow();
    EXPECT_EQ(Cell(26, 0), "v");
    DoubleClick(7, 0);
    EXPECT_EQ(Cell(7, 0), "DCS");
    EXPECT_EQ(Cell(8, 0), "-----");
    EXPECT_EQ(Cell(9, 0), "DCS");
    EXPECT_EQ(Cell(10, 0), "-----");
    EXPECT_EQ(Cell(26, 0), "-");
    EXPECT_EQ(m.Channels[0].Arts, 0); // a double-click edit is written back at once
    DoubleClick(9, 0);
    EXPECT_EQ(Cell(9, 0), "CTCSS");
    EXPECT_EQ(Cell(10, 0), "-----");
}

TEST_F(GridTest, PriorityMovesToTheCycledRowAndTheCursorStays) {
    EXPECT_EQ(Cell(1, 0), "P");
    DoubleClick(1, 2);
    EXPECT_EQ(Cell(1, 2), "P");
    EXPECT_EQ(Cell(1, 0), "-");
    EXPECT_EQ(m.GroupChannels.Get(0), 2u);
    EXPECT_EQ(grid->CurrentRow(), 2);
    EXPECT_EQ(grid->CurrentCol(), 1);
}

TEST_F(GridTest, ScanCellFromTheSelectionList) {
    AnswerSelectionList(1, 0); // "DEALER"
    DoubleClick(12, 0);
    EXPECT_EQ(Cell(12, 0), "D");
    EXPECT_EQ(m.GetDealerScan(0), 0);
    EXPECT_EQ(m.GetUserScan(0), 1);
}

TEST_F(GridTest, ComplementShownAndTakenFromTheCodeOnStore) {
    TChannel& ch = m.Channels[0];
    ch.DecToneOn = 1;
    ch.DecIsCtcss = 0;
    ch.DecCode = 19;        // 023
    ch.DecPartnerCode = 39; // 047
    Reshow();
    EXPECT_EQ(Cell(8, 0), "023/047");
    Select(8, 0);
    Press(Qt::Key_F3);
    EXPECT_EQ(Cell(8, 0), "023");
    grid->StoreGridPage();
    EXPECT_EQ(ch.DecCode, 19);
    EXPECT_EQ(ch.DecPartnerCode, 19);
    Press(Qt::Key_F3);
    EXPECT_EQ(Cell(8, 0), "023/047");
}

TEST_F(GridTest, ChannelOneCannotBeDisabled) {
    DoubleClick(0, 0);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], "This channel is allocated as 'special channel'.\r\nThis channel is "
                                   "unable to make 'Disable channel'.");
    EXPECT_EQ(m.Channels[0].Blank, 0);
}

TEST_F(GridTest, DisablingChangesTheTableAndADisabledRowTakesNoEdits) {
    DoubleClick(0, 2);
    EXPECT_EQ(m.Channels[2].Blank, 1);
    EXPECT_TRUE(grid->RowDisabled(2));
    EXPECT_FALSE(saved.Equals(m.Channels)) << "the main window's unsaved-changes check must see it";
    // A disabled row takes no edits, typing or paste.
    Select(4, 2);
    Type("X");
    EXPECT_FALSE(grid->Editing);
    DoubleClick(3, 2);
    EXPECT_EQ(Cell(3, 2), "N");
    DoubleClick(0, 2);
    EXPECT_EQ(m.Channels[2].Blank, 0);
    EXPECT_TRUE(saved.Equals(m.Channels)) << "enabled again: nothing changed";
}

TEST_F(GridTest, DisableQuestionsClearSwitchAndDirectKeyEntries) {
    m.CodeSwitches[4] = {0, 2};
    m.DirectKey1Group = 0;
    m.DirectKey1Channel = 2;
    messages->Answers = {TMsgResult::Ok, TMsgResult::Ok};
    DoubleClick(0, 2);
    ASSERT_EQ(messages.Texts().size(), 2u);
    EXPECT_EQ(messages->Shown[0].Buttons, TMsgButtons::OkCancel);
    EXPECT_EQ(m.Channels[2].Blank, 1);
    EXPECT_EQ(m.CodeSwitches[4].Group, 255);
    EXPECT_EQ(m.DirectKey1Group, 255);
    EXPECT_TRUE(modified);
}

TEST_F(GridTest, CounterShowsNoChannelsLeftWhenAllAreAllocated) {
    m.GroupAreas.Set(2, 245);
    Reshow();
    EXPECT_EQ(grid->pnlCntChan->text(), "   0 Channels Left ");
    EXPECT_EQ(grid->pnlGroup->text(), " Group  1 TAG [GROUP001] (  3 Channels)");
}

TEST_F(GridTest, PasteRulesForEncryptionAndALongFrequency) {
    QApplication::clipboard()->setText(QStringLiteral("v"));
    Select(17, 0);
    const std::string before = Cell(17, 0);
    grid->Paste();
    EXPECT_EQ(Cell(17, 0), before);
    EXPECT_FALSE(modified);

    QApplication::clipboard()->setText(QStringLiteral("1234567890123"));
    Select(5, 0);
    grid->Paste();
    EXPECT_EQ(Cell(5, 0), "174.000000");
    EXPECT_EQ(Cell(6, 0), "174.000000"); // receive plus split, held at the upper edge
    EXPECT_TRUE(modified);

    // With the editor open only the characters the column takes arrive.
    Select(4, 1);
    Type("A");
    QApplication::clipboard()->setText(QStringLiteral("b;c=defghijk"));
    grid->Paste();
    EXPECT_EQ(grid->edtDmy->text(), "ABCDEFGH");
}

TEST_F(GridTest, WholeChannelCopiedBetweenGroupsTakesOnlyVisibleColumns) {
    TChannel& source = m.Channels[3]; // group 2, first channel
    source.RxFreq.SetFromFloat(160.0);
    source.TxFreq.SetFromFloat(160.6);
    source.DecToneOn = 1;
    source.DecCode = 19;
    source.DecPartnerCode = 19;
    source.Tags[0].Text = "S";
    items[4] = false; // tags hidden
    Reshow();

    Press(Qt::Key_F2);
    ASSERT_EQ(grid->CurrentGroup, 1);
    EXPECT_EQ(grid->CurrentCol(), 0);
    grid->Copy();
    EXPECT_EQ(QApplication::clipboard()->text(), " 4");
    ASSERT_TRUE(state.CopiedChannel);
    EXPECT_EQ(state.CopiedChannel->ChannelNo, 4);
    EXPECT_EQ(state.CopiedChannel->ChannelIndex, 3);

    Press(Qt::Key_F2);
    ASSERT_EQ(grid->CurrentGroup, 0);
    Select(0, 1);
    messages->Answers = {TMsgResult::No};
    grid->Paste();
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], "Do you copy Ch  4 data to Ch  2 ?\r\n(Only visible columns)");
    EXPECT_EQ(m.Channels[1].RxFreq.ToFloat(), 151.0);

    messages->Answers = {TMsgResult::Yes};
    grid->Paste();
    const TChannel& target = m.Channels[1];
    EXPECT_EQ(target.RxFreq.ToFloat(), 160.0);
    EXPECT_EQ(target.TxFreq.ToFloat(), 160.6);
    EXPECT_EQ(target.DecToneOn, 1);
    EXPECT_EQ(target.DecCode, 19);
    EXPECT_EQ(target.Tags.Joined(), "");
    EXPECT_EQ(Cell(5, 1), "160.000000");
    EXPECT_EQ(Cell(0, 1), " 2");
    EXPECT_TRUE(modified);
}

TEST_F(GridTest, ArrowKeysSkipHiddenColumnsAndStopAtTheEnd) {
    items[3] = false;
    grid->ApplyColumnLayout();
    Select(2, 0);
    Press(Qt::Key_Right);
    EXPECT_EQ(grid->CurrentCol(), 4);
    Press(Qt::Key_Left);
    EXPECT_EQ(grid->CurrentCol(), 2);
    Select(27, 0);
    Press(Qt::Key_Right);
    EXPECT_EQ(grid->CurrentCol(), 27);
    Select(10, 1);
    Press(Qt::Key_F1);
    EXPECT_EQ(help, std::vector<int>{310});
}

TEST_F(GridTest, CaptionPanelsFollowTheirGroups) {
    EXPECT_TRUE(grid->pnlDeco->isVisible());
    EXPECT_TRUE(grid->pnlEnco->isVisible());
    const int x = grid->grdCh->frameWidth() + grid->grdCh->horizontalHeader()->sectionViewportPosition(7);
    EXPECT_EQ(grid->pnlDeco->x(), x);
    EXPECT_EQ(grid->pnlDeco->width(), 120);
    items[7] = false;
    grid->ApplyColumnLayout();
    EXPECT_TRUE(grid->pnlDeco->isVisible());
    EXPECT_FALSE(grid->pnlEnco->isVisible());
    EXPECT_FALSE(grid->grdCh->isColumnHidden(9)); // the encode columns follow decode
    items[6] = false;
    grid->ApplyColumnLayout();
    EXPECT_FALSE(grid->pnlDeco->isVisible());
    EXPECT_TRUE(grid->grdCh->isColumnHidden(9));
}

TEST_F(GridTest, ScrollingKeepsTheEditorOverItsRowOrHidesIt) {
    m.GroupAreas.Set(0, 200);
    for (int i = 0; i < 200; ++i)
        m.Channels[i].Blank = 0;
    Reshow();
    grid->resize(600, 300);
    Select(4, 0);
    Type("A");
    ASSERT_TRUE(grid->edtDmy->isVisible());
    grid->grdCh->verticalScrollBar()->setValue(100);
    EXPECT_FALSE(grid->edtDmy->isVisible());
    EXPECT_TRUE(grid->Editing);
    grid->grdCh->verticalScrollBar()->setValue(0);
    EXPECT_TRUE(grid->edtDmy->isVisible());
    EXPECT_EQ(grid->edtDmy->y(), grid->grdCh->visualRect(grid->grdCh->model()->index(0, 4)).top() - 1);

    // Caption panels move with the columns and hide when they no longer fit.
    EXPECT_TRUE(grid->pnlFTag->isVisible());
    grid->grdCh->horizontalScrollBar()->setValue(6);
    EXPECT_FALSE(grid->pnlFTag->isVisible());
    const int x = grid->grdCh->frameWidth() + grid->grdCh->horizontalHeader()->sectionViewportPosition(7);
    EXPECT_TRUE(grid->pnlDeco->isVisible());
    EXPECT_EQ(grid->pnlDeco->x(), x);
}

// Every page of every band template and of the default file, shown and
// stored again, leaves the decoded model as it was.
TEST_F(GridTest, TemplatePagesRoundTripUnchanged) {
    const fs::path folder = fs::path(RK36_BINARY_DIR) / "src";
    std::vector<fs::path> files{folder / "default.K36"};
    for (const auto& entry : fs::recursive_directory_iterator(folder / "NewFile"))
        if (entry.path().extension() == ".k36") files.push_back(entry.path());
    ASSERT_GT(files.size(), 10u);
    for (const fs::path& file : files) {
        TMap36 image;
        TRKmem decoded;
        ASSERT_TRUE(LoadDataFile(file, decoded, image)) << file;
        m = decoded;
        for (int g = 0; g < kGroupCount; ++g) {
            if (m.GroupAreas.Get(g) == 0) continue;
            grid->ShowGroupPage(g);
            grid->StoreGridPage();
        }
        EXPECT_TRUE(m.Equals(decoded)) << file;
    }
}

// A decoded image with every kind of cell survives a page shown and stored again.
TEST_F(GridTest, FullPageRoundTripLeavesDecodedChannelsIdentical) {
    TRKmem source;
    source.SetNewConfiguration();
    SetBandType(source, 2);
    ApplyBandSettings(source, 2);
    SelectOptionBoard(source, "OB-31 (ENC/DTMF/PAGE)");
    source.GroupAreas.Set(0, 100);
    source.GroupAreas.Set(3, 150);
    source.GroupChannels.Set(3, 7);
    for (int i = 0; i < kChannelCount; ++i) {
        TChannel& ch = source.Channels[i];
        ch.Blank = i % 17 == 5 ? 1 : 0;
        ch.Narrow = i % 2;
        ch.RxFreq.SetFromFloat(136.0 + 0.0125 * i);
        ch.TxFreq.SetFromFloat(140.0 + 0.025 * i);
        ch.TxInhibit = i % 9 == 0 ? 1 : 0;
        ch.DecToneOn = i % 3 != 0;
        ch.DecIsCtcss = i % 2;
        ch.DecCode = ch.DecIsCtcss ? i % 47 : 19;
        ch.DecPartnerCode = ch.DecIsCtcss ? ch.DecCode : (i % 4 == 0 ? 39 : 19);
        ch.EncToneOn = i % 5 != 0;
        ch.EncIsCtcss = 1 - i % 2;
        ch.EncCode = ch.EncIsCtcss ? i % 40 : 83;
        // A tone that is off has no kind and no code, as the grid stores it.
        if (!ch.DecToneOn) {
            ch.DecIsCtcss = 0;
            ch.DecCode = ch.DecPartnerCode = 511;
        }
        if (!ch.EncToneOn) {
            ch.EncIsCtcss = 0;
            ch.EncCode = 511;
        }
        ch.SqlNegative = i % 7 > 3;
        ch.SqlLevel = i % 7 > 3 ? i % 4 + 1 : i % 4;
        ch.SignallingOn = i % 6 == 0;
        ch.SignallingCode = ch.SignallingOn ? i % 10 : 0;
        ch.Lockout = i % 3;
        ch.Tags.Clear();
        const std::string tag = "CH" + std::to_string(i);
        for (size_t k = 0; k < tag.size() && k < 8; ++k)
            ch.Tags[static_cast<int32_t>(k)].Text = tag.substr(k, 1);
        source.SetUserScan(i, i % 4 == 0 ? 0 : 1);
        source.SetDealerScan(i, i % 3 == 0 ? 0 : 1);
    }
    TMap36 image;
    image.Encode(source, false);
    TRKmem decoded;
    decoded.SetNewConfiguration();
    ASSERT_TRUE(image.Decode(decoded));
    m = decoded;
    for (int g : {0, 3}) {
        grid->ShowGroupPage(g);
        ASSERT_EQ(grid->CurrentGroup, g);
        grid->StoreGridPage();
    }
    for (int i = 0; i < kChannelCount; ++i)
        EXPECT_TRUE(m.Channels[i].Equals(decoded.Channels[i])) << "channel " << i;
    EXPECT_TRUE(m.Equals(decoded));
}

} // namespace

namespace {

// The grid inside the main window: the page it starts on, F2 through the
// window's own short-cut, and the commit of an open editor before a command.
TEST(GridInMainWindowTest, EditorTextReachesTheModelBeforeACommand) {
    TScopedProgramFolder folder;
    TScopedMessages messages;
    TfrmMain frm({});
    frm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
    TChannelGrid* grid = frm.Grid;
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->RowCount(), 1);
    EXPECT_EQ(grid->pnlGroup->text(), " Group  1 TAG [GROUP001] (  1 Channels)");
    EXPECT_EQ(grid->pnlCntChan->text(), " 249 Channels Left ");

    grid->SetCurrentCell(4, 0);
    grid->grdCh->setFocus();
    QTest::keyClick(grid->grdCh, 'x');
    ASSERT_TRUE(grid->Editing);
    frm.CommitBeforeCommand();
    EXPECT_FALSE(grid->Editing);
    EXPECT_EQ(frm.State().Model.Channels[0].Tags[0].Text, "X");
    EXPECT_TRUE(frm.State().FileModified);

    frm.State().Model.GroupAreas.Set(4, 2);
    frm.RefreshAll();
    QTest::keyClick(&frm, Qt::Key_F2);
    EXPECT_EQ(grid->CurrentGroup, 4);
    QTest::keyClick(&frm, Qt::Key_F2);
    EXPECT_EQ(grid->CurrentGroup, 0);
}

} // namespace
