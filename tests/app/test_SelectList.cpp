#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>

#include "app/D_SelectList.h"
#include "model/dc_RKmem.h"
#include "model/dc_Rules.h"
#include "support/GuiSupport.h"

namespace {

class SelListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureApp();
        model.SetNewConfiguration();
    }

    static std::string Selected(const TfrmSelList& d) {
        const QTableWidgetItem* item = d.grdList->currentItem();
        return item ? item->text().toStdString() : std::string("<none>");
    }
    static std::string CellAt(const TfrmSelList& d, int row, int col) {
        const QTableWidgetItem* item = d.grdList->item(row, col);
        return item ? item->text().toStdString() : std::string();
    }
    static void DoubleClickCell(TfrmSelList& d, int row, int col) {
        const QRect r = d.grdList->visualItemRect(d.grdList->item(row, col));
        QTest::mouseClick(d.grdList->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(d.grdList->viewport(), Qt::LeftButton, {}, r.center());
    }
    // Entries of a list in the order they are laid out (column by column).
    static std::vector<std::string> Entries(const TfrmSelList& d) {
        std::vector<std::string> out;
        for (int c = 0; c < d.grdList->columnCount(); ++c)
            for (int r = 0; r < d.grdList->rowCount(); ++r)
                if (!CellAt(d, r, c).empty()) out.push_back(CellAt(d, r, c));
        return out;
    }

    TRKmem model;
};

struct TMatchCase {
    int ListNo;
    const char* Current;
    const char* Selected;
};

TEST_F(SelListTest, CurrentValueSelectsItsCell) {
    const TMatchCase cases[] = {
        {5, "+3", "+3"},
        {5, "-7", "-7"},
        {1, "023/047", "023"}, // a code with its partner is looked up by its first three characters
        {1, "754", "754"},
        {0, "67.0", "67.0"},
        {0, "254.1", "254.1"},
        {4, "-", "OFF"}, // nothing begins with "-": the first cell stays
        {4, "D", "DEALER"},
        {4, "B", "BOTH"},
        {26, "2", "2:MDC-1200"}, // by first character
        {26, "-", "OFF"},
        {25, "0", "0"},
        {27, "9", "9"},
        {0, "67", "OFF"}, // whole text only: "67" is no tone
        {5, "", "0"},
    };
    for (const auto& c : cases) {
        TfrmSelList d(c.ListNo, c.Current, model);
        EXPECT_EQ(Selected(d), c.Selected) << "list " << c.ListNo << " current '" << c.Current << "'";
    }
}

TEST_F(SelListTest, EntriesAreLaidOutColumnByColumn) {
    TfrmSelList ctcss(0, "OFF", model);
    EXPECT_EQ(ctcss.windowTitle().toStdString(), "CTCSS frequency");
    EXPECT_EQ(ctcss.grdList->rowCount(), 19);
    EXPECT_EQ(ctcss.grdList->columnCount(), 3);
    EXPECT_EQ(ctcss.grdList->columnWidth(0), 75);
    EXPECT_EQ(ctcss.width(), 300);
    EXPECT_GE(ctcss.height(), 390) << "the given height is the least";
    EXPECT_EQ(CellAt(ctcss, 0, 0), "OFF");
    EXPECT_EQ(CellAt(ctcss, 0, 1), CtcssList()[19]);
    EXPECT_EQ(CellAt(ctcss, 9, 2), CtcssList()[47]);
    EXPECT_EQ(CellAt(ctcss, 10, 2), "");
    EXPECT_EQ(Entries(ctcss).size(), 48u);

    TfrmSelList dcs(1, "OFF", model);
    EXPECT_EQ(dcs.windowTitle().toStdString(), "DCS Frequency");
    EXPECT_EQ(dcs.grdList->columnCount(), 6);
    EXPECT_EQ(Entries(dcs).size(), 109u);
    EXPECT_EQ(CellAt(dcs, 13, 5), DcsList()[108]);

    // 11 entries in 10 rows: two columns, the second holding "0" alone.
    TfrmSelList sub(25, "OFF", model);
    EXPECT_EQ(sub.windowTitle().toStdString(), "SUB Signal");
    EXPECT_EQ(sub.grdList->columnCount(), 2);
    EXPECT_EQ(CellAt(sub, 9, 0), "9");
    EXPECT_EQ(CellAt(sub, 0, 1), "0");
    EXPECT_EQ(CellAt(sub, 1, 1), "");

    TfrmSelList squelch(5, "0", model);
    EXPECT_EQ(Entries(squelch), (std::vector<std::string>{"0", "+1", "+2", "+3", "+4", "+5", "+6", "+7", "-1",
                                                          "-2", "-3", "-4", "-5", "-6", "-7"}));
}

TEST_F(SelListTest, EveryEntryShowsWholeTheLastRowIncluded) {
    for (int listNo : {0, 1, 4, 5, 26}) {
        TfrmSelList d(listNo, "OFF", model);
        ShowAndWait(d);
        const QRect view = d.grdList->viewport()->rect();
        const QFontMetrics metrics(d.grdList->font());
        for (int c = 0; c < d.grdList->columnCount(); ++c)
            for (int r = 0; r < d.grdList->rowCount(); ++r) {
                const QTableWidgetItem* item = d.grdList->item(r, c);
                if (!item || item->text().isEmpty()) continue;
                const QRect cell = d.grdList->visualItemRect(item);
                EXPECT_TRUE(view.contains(cell)) << "list " << listNo << " row " << r << " col " << c;
                EXPECT_GT(cell.width(), metrics.horizontalAdvance(item->text()))
                    << "list " << listNo << ": " << item->text().toStdString();
            }
    }
}

TEST_F(SelListTest, PageCodesFollowThePagingEntriesInUse) {
    SelectOptionBoard(model, "OB-31 (ENC/DTMF/PAGE)");
    for (auto& p : model.Pagings.Items)
        p.Empty = 1;
    {
        TfrmSelList d(6, "-", model);
        EXPECT_EQ(d.windowTitle().toStdString(), "Page Code");
        EXPECT_EQ(Entries(d), std::vector<std::string>{"OFF"});
    }
    model.Pagings.Get(0).Empty = 0;
    model.Pagings.Get(9).Empty = 0; // the tenth entry is labelled "0"
    {
        TfrmSelList d(6, "0", model);
        EXPECT_EQ(Entries(d), (std::vector<std::string>{"OFF", "1", "0"}));
        EXPECT_EQ(d.grdList->columnCount(), 1);
        EXPECT_EQ(d.grdList->rowCount(), 3);
        EXPECT_EQ(Selected(d), "0");
    }
    // Without the paging board there is nothing to page with.
    SelectOptionBoard(model, "No");
    TfrmSelList d(6, "1", model);
    EXPECT_EQ(d.windowTitle().toStdString(), "");
    EXPECT_EQ(Entries(d), std::vector<std::string>{"OFF"});
}

TEST_F(SelListTest, TwoToneCodesFollowTheEntriesWithAFirstTone) {
    for (int i = 0; i < 10; ++i)
        model.Tones.SetFirst(i, 255);
    model.Tones.SetFirst(2, 7);
    model.Tones.SetFirst(9, 0);
    TfrmSelList d(24, "3", model);
    EXPECT_EQ(d.windowTitle().toStdString(), "2Tone Code");
    EXPECT_EQ(Entries(d), (std::vector<std::string>{"OFF", "3", "0"}));
    EXPECT_EQ(Selected(d), "3");
}

TEST_F(SelListTest, DoubleClickReturnsTheTextBeforeTheColon) {
    TfrmSelList d(26, "-", model);
    ShowAndWait(d);
    DoubleClickCell(d, 2, 0);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.Value(), "2");
}

TEST_F(SelListTest, EmptyCellsCannotBeChosen) {
    TfrmSelList d(26, "3", model); // two columns, the second one empty
    ShowAndWait(d);
    ASSERT_EQ(Selected(d), "3:DTMF");
    const QRect empty = d.grdList->visualRect(d.grdList->model()->index(0, 1));
    QTest::mouseClick(d.grdList->viewport(), Qt::LeftButton, {}, empty.center());
    QTest::mouseClick(d.grdList->viewport(), Qt::LeftButton, {}, empty.center());
    QTest::mouseDClick(d.grdList->viewport(), Qt::LeftButton, {}, empty.center());
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(Selected(d), "3:DTMF");
    QTest::keyClick(d.grdList, Qt::Key_Right);
    EXPECT_EQ(Selected(d), "3:DTMF");
}

TEST_F(SelListTest, PagingKeysJumpToFirstAndLastEntry) {
    TfrmSelList d(5, "+3", model);
    ShowAndWait(d);
    QTest::keyClick(d.grdList, Qt::Key_End);
    EXPECT_EQ(Selected(d), "-7");
    QTest::keyClick(d.grdList, Qt::Key_Home);
    EXPECT_EQ(Selected(d), "0");
    QTest::keyClick(d.grdList, Qt::Key_PageDown);
    EXPECT_EQ(Selected(d), "-7");
    QTest::keyClick(d.grdList, Qt::Key_PageUp);
    EXPECT_EQ(Selected(d), "0");
    QTest::keyClick(d.grdList, Qt::Key_Down);
    QTest::keyClick(d.grdList, Qt::Key_Return);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.Value(), "+1");
}

TEST_F(SelListTest, EscapeCancels) {
    TfrmSelList d(4, "U", model);
    ShowAndWait(d);
    QTest::keyClick(d.grdList, Qt::Key_Escape);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.isVisible());
}

} // namespace
