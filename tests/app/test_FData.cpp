#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "app/D_FData.h"
#include "app/dc_EditorState.h"
#include "image/dc_Map36.h"
#include "model/dc_MessageBox.h"
#include "model/dc_RKmem.h"
#include "support/GuiSupport.h"

namespace {

// TxTimeoutTimer lives in the upper four bits of byte 0x0082.
constexpr int kTotByte = 0x0082;
constexpr int kTotRow = kTotByte / 16 + 1;
constexpr int kTotCol = kTotByte % 16 + 1;

class FDataTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureApp();
        model.SetNewConfiguration();
        model.TxTimeoutTimer = 6;
    }

    QModelIndex Cell(TfrmFData& d, int row, int col) { return d.grdData->model()->index(row - 1, col - 1); }

    // Puts the cursor on a byte cell and types there.
    void TypeInto(TfrmFData& d, int row, int col, const char* keys) {
        d.grdData->setCurrentIndex(Cell(d, row, col));
        for (const char* k = keys; *k; ++k) {
            QWidget* target = d.OpenEditor() ? static_cast<QWidget*>(d.OpenEditor()) : d.grdData;
            QTest::keyClick(target, *k);
        }
    }
    // Leaves the cell by selecting another one.
    void Leave(TfrmFData& d) { d.grdData->setCurrentIndex(Cell(d, 100, 1)); }

    TEditorState state;
    TRKmem& model = state.Model;
    TMap36& image = state.Image;
};

TEST_F(FDataTest, ShowsTheEncodedImageWithItsAddresses) {
    image.Buf[0x7FFF] = 0xAB; // bits no field owns survive the encode
    state.StartupMode = 0;
    TfrmFData d(state);
    EXPECT_EQ(d.windowTitle().toStdString(), "File Data");
    EXPECT_EQ(d.CellText(0, 1).toStdString(), "00");
    EXPECT_EQ(d.CellText(0, 16).toStdString(), "0f");
    EXPECT_EQ(d.CellText(1, 0).toStdString(), "00000h");
    EXPECT_EQ(d.CellText(2, 0).toStdString(), "00010h");
    EXPECT_EQ(d.CellText(2048, 0).toStdString(), "07ff0h");
    EXPECT_EQ(d.CellText(2048, 16).toStdString(), "ab");
    EXPECT_EQ(d.grdData->model()->rowCount(), TfrmFData::kRowCount - 1);
    EXPECT_EQ(d.grdData->model()->columnCount(), TfrmFData::kColCount - 1);
    EXPECT_EQ(d.grdData->columnWidth(0), 26);
    EXPECT_EQ(d.grdData->rowHeight(0), 16);

    // On show the dialog's image holds the live model.
    TMap36 expected;
    expected.Buf[0x7FFF] = 0xAB;
    expected.Encode(model, false);
    EXPECT_TRUE(d.Image().Equals(expected));
    EXPECT_EQ(d.Image().Buf[kTotByte] >> 4, 6);
    char text[3];
    for (int i : {0, 1, kTotByte, 0x1234, 0x7FFF}) {
        std::snprintf(text, sizeof text, "%02x", expected.Buf[static_cast<size_t>(i)]);
        EXPECT_EQ(d.CellText(i / 16 + 1, i % 16 + 1).toStdString(), text) << "byte " << i;
    }
}

TEST_F(FDataTest, FailedEncodeOnShowLeavesTheImageAsItWas) {
    TScopedMessages messages;
    model.SerialNumber = "Z123456"; // manufacture mode writes the serial number, and cannot
    image.Buf.fill(0x5A);
    const TMap36 before = image;
    state.StartupMode = 2;
    TfrmFData d(state);
    EXPECT_EQ(messages.Texts().size(), 1u);
    ASSERT_FALSE(messages->Shown.empty());
    EXPECT_EQ(messages->Shown[0].Type, TMsgType::Error);
    EXPECT_TRUE(d.Image().Equals(before)) << "no half-encoded image";
    EXPECT_EQ(d.CellText(kTotRow, kTotCol).toStdString(), "5a");
}

TEST_F(FDataTest, ReadOnlyInNormalMode) {
    state.StartupMode = 0;
    TfrmFData d(state);
    ShowAndWait(d);
    EXPECT_FALSE(d.Editable());
    const QString before = d.CellText(kTotRow, kTotCol);
    TypeInto(d, kTotRow, kTotCol, "9");
    EXPECT_EQ(d.OpenEditor(), nullptr);
    QTest::keyClicks(d.grdData, "abcdef0123456789");
    EXPECT_EQ(d.grdData->currentIndex(), Cell(d, kTotRow, kTotCol)) << "typing searches no cell";
    const QPoint cell = d.grdData->visualRect(Cell(d, 3, 3)).center();
    QTest::mouseClick(d.grdData->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(d.grdData->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(d.OpenEditor(), nullptr);
    EXPECT_EQ(d.CellText(kTotRow, kTotCol), before);
    EXPECT_FALSE(d.Changed());
}

TEST_F(FDataTest, TypingRules) {
    for (int mode : {1, 2}) {
        state.StartupMode = mode;
        TfrmFData d(state);
        ShowAndWait(d);
        ASSERT_TRUE(d.Editable());

        TypeInto(d, 5, 5, "g");
        ASSERT_NE(d.OpenEditor(), nullptr);
        d.OpenEditor()->clear();
        QTest::keyClicks(d.OpenEditor(), "gGz!");
        EXPECT_EQ(d.OpenEditor()->text().toStdString(), "");
        EXPECT_FALSE(d.Changed()) << "a refused character changes nothing";

        QTest::keyClick(d.OpenEditor(), 'A');
        EXPECT_EQ(d.OpenEditor()->text().toStdString(), "a");
        EXPECT_TRUE(d.Changed());
        Leave(d);
        EXPECT_EQ(d.CellText(5, 5).toStdString(), "0a");

        // Two digits per byte: a third is refused unless something is selected.
        TypeInto(d, 6, 6, "1F3");
        ASSERT_NE(d.OpenEditor(), nullptr);
        EXPECT_EQ(d.OpenEditor()->text().toStdString(), "1f");
        QTest::keyClick(d.OpenEditor(), Qt::Key_Backspace);
        QTest::keyClick(d.OpenEditor(), 'c');
        QTest::keyClick(d.OpenEditor(), Qt::Key_Return);
        EXPECT_EQ(d.OpenEditor(), nullptr);
        EXPECT_EQ(d.CellText(6, 6).toStdString(), "1c");
        EXPECT_TRUE(d.isVisible()) << "Enter commits the cell, it does not close the dialog";

        // An emptied cell reads as 0.
        TypeInto(d, 7, 7, "5");
        QTest::keyClick(d.OpenEditor(), Qt::Key_Backspace);
        Leave(d);
        EXPECT_EQ(d.CellText(7, 7).toStdString(), "00");
    }
}

TEST_F(FDataTest, ArrowKeysCommitTheCellAndMoveOn) {
    state.StartupMode = 1;
    TfrmFData d(state);
    ShowAndWait(d);
    const struct {
        Qt::Key Key;
        int Row, Col;         // where the byte is typed
        int NextRow, NextCol; // where the arrow leads
    } cases[] = {
        {Qt::Key_Right, 3, 4, 3, 5}, {Qt::Key_Right, 3, 16, 4, 1}, // on to the next address, as Tab
        {Qt::Key_Left, 4, 1, 3, 16}, {Qt::Key_Down, 5, 2, 6, 2},   {Qt::Key_Up, 5, 2, 4, 2},
        {Qt::Key_Up, 1, 2, 1, 2}, // nowhere to go: the cell is committed all the same
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "key " << c.Key << " at " << c.Row << "," << c.Col);
        TypeInto(d, c.Row, c.Col, "7");
        ASSERT_NE(d.OpenEditor(), nullptr);
        QTest::keyClick(d.OpenEditor(), c.Key);
        EXPECT_EQ(d.OpenEditor(), nullptr) << c.Row << "/" << c.Col;
        EXPECT_EQ(d.CellText(c.Row, c.Col).toStdString(), "07") << c.Row << "/" << c.Col;
        EXPECT_EQ(d.grdData->currentIndex(), Cell(d, c.NextRow, c.NextCol)) << c.Row << "/" << c.Col;
    }
}

TEST_F(FDataTest, ChangedByteReachesTheModelOnlyAfterOk) {
    state.StartupMode = 1;
    TfrmFData d(state);
    ShowAndWait(d);
    const std::string low = d.CellText(kTotRow, kTotCol).toStdString().substr(1);
    TypeInto(d, kTotRow, kTotCol, ("9" + low).c_str());
    Leave(d);
    EXPECT_EQ(d.Model().TxTimeoutTimer, 6);
    EXPECT_EQ(d.Image().Buf[kTotByte] >> 4, 6);

    // What OK must produce: the edited image decoded over the model as it was.
    TMap36 edited = d.Image();
    edited.Buf[kTotByte] = static_cast<uint8_t>((edited.Buf[kTotByte] & 0x0F) | 0x90);
    TRKmem expected = model;
    ASSERT_TRUE(edited.Decode(expected, TCodecContext{1}));

    QTest::mouseClick(d.btnOK, Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    ASSERT_TRUE(d.TookOver());
    EXPECT_TRUE(d.Image().Equals(edited));
    EXPECT_EQ(d.Model().TxTimeoutTimer, 9);
    EXPECT_TRUE(d.Model().Equals(expected));
    EXPECT_EQ(model.TxTimeoutTimer, 6) << "the window takes the result over, not the dialog";
}

TEST_F(FDataTest, OkWithoutTypingOrCancelTakesNothing) {
    {
        state.StartupMode = 2;
        TfrmFData d(state);
        ShowAndWait(d);
        QTest::mouseClick(d.btnOK, Qt::LeftButton);
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_FALSE(d.TookOver());
    }
    state.StartupMode = 1;
    TfrmFData d(state);
    ShowAndWait(d);
    const TMap36 shown = d.Image();
    TypeInto(d, kTotRow, kTotCol, "00");
    QTest::keyClick(d.OpenEditor(), Qt::Key_Escape); // Escape cancels the dialog from the cell editor too
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(d.Image().Equals(shown));
    EXPECT_EQ(d.Model().TxTimeoutTimer, 6);
    EXPECT_FALSE(d.TookOver());
}

TEST_F(FDataTest, RejectedImageLeavesModelAndImageAndKeepsTheEdits) {
    TScopedMessages messages;
    state.StartupMode = 1;
    TfrmFData d(state);
    d.SetDecoder([](const TMap36&, TRKmem& scratch) {
        scratch.TxTimeoutTimer = 99; // a half-done decode must not leak out
        return false;
    });
    ShowAndWait(d);
    const TMap36 shown = d.Image();
    const TRKmem before = d.Model();
    TypeInto(d, kTotRow, kTotCol, "ff");
    QTest::mouseClick(d.btnOK, Qt::LeftButton);
    EXPECT_EQ(messages.Texts().size(), 1u);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.CellText(kTotRow, kTotCol).toStdString(), "ff");
    EXPECT_TRUE(d.Image().Equals(shown));
    EXPECT_TRUE(d.Model().Equals(before));
    EXPECT_FALSE(d.TookOver());
}

} // namespace
