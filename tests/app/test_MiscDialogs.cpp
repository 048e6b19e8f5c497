// The miscellaneous, SQC and DSUB-25 commands of the main window, each
// followed by Save and a reload of the file.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

#include "app/Main.h"
#include "dialogs/D_DSub.h"
#include "dialogs/D_Misc.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"
#include "support/GuiSupport.h"
#include "support/ModelBuilder.h"

namespace fs = std::filesystem;

namespace {

// Runs a dialog command: `act` is what the user does in the dialog before OK.
template <class D> void RunDialog(TfrmMain& frm, const char* command, std::function<void(D&)> act = {}) {
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!d) return;
        shown = true;
        if (act) act(*d);
        d->btnOK->click();
    });
    frm.RunCommand(command);
    EXPECT_TRUE(shown) << command;
}

class MiscDialogsTest : public ::testing::Test {
  protected:
    TScopedProgramFolder folder;
    TScopedMessages messages;
    TScopedFileDialogs dialogs;
    std::string file = (folder / "radio.K36").string();

    // A configuration with two groups of the same tag, written to `file`.
    void WriteFile(const std::string& board, const std::function<void(TRKmem&)>& tweak = {}) {
        TRKmem m = TModelBuilder()
                       .Groups({{0, 3}, {1, 2}, {2, 2}})
                       .GroupName(1, "SAME")
                       .GroupName(2, "SAME")
                       .Build();
        m.PowerOnCondition = 5;
        m.PowerOnGroup = 2;
        m.PowerOnChannel = 1;
        m.PositionLedGroup = 2;
        m.PositionLedChannelNo = 0;
        m.DefaultSplit = 12500;
        SelectOptionBoard(m, board);
        if (tweak) tweak(m);
        WriteModelFile(file, m);
    }
    // Saves, and the file as it loads again.
    TRKmem SaveAndReload(TfrmMain& frm) {
        frm.RunCommand("miSave");
        TRKmem m;
        TMap36 image;
        EXPECT_TRUE(LoadDataFile(file, m, image));
        return m;
    }
};

TEST_F(MiscDialogsTest, OpenAndOkWithoutEditsKeepsTheFileByteForByte) {
    const char* const commands[] = {"miMIs", "miSQC", "miDSUB25"};
    for (const char* board : {"OB-41 (Hi Level Encr)", "OB-31 (ENC/DTMF/PAGE)"}) {
        WriteFile(board, [](TRKmem& m) {
            m.Pagings[0].Empty = 0;
            m.Pagings[0].Code = "123";
        });
        TfrmMain frm({file});
        frm.RunCommand("miSave");
        const std::string saved = ReadFileBytes(file);
        for (const char* command : commands) {
            RunDialog<TDlgBase>(frm, command);
            const TRKmem m = SaveAndReload(frm);
            EXPECT_EQ(ReadFileBytes(file), saved) << board << " " << command;
            EXPECT_EQ(OptionBoardName(m), board) << command;
            EXPECT_EQ(m.DefaultSplit, 12500);
            EXPECT_EQ(m.PowerOnGroup, 2) << "the second of two groups named alike";
        }
        if (std::string(board).rfind("OB-31", 0) == 0) {
            TRKmem m;
            TMap36 image;
            ASSERT_TRUE(LoadDataFile(file, m, image));
            EXPECT_EQ(m.Pagings[0].Code, "123");
        }
    }
}

TEST_F(MiscDialogsTest, TypedSplitIsSavedRounded) {
    WriteFile("No");
    TfrmMain frm({file});
    const std::pair<const char*, int32_t> rows[] = {
        {"16.3", 16300000}, {"33.3", 33300000}, {"150", 99900000}, {"-3", -3000000}, {"1,5", 1500000}};
    for (const auto& [typed, hz] : rows) {
        QString shown;
        RunDialog<TfrmMisc>(frm, "miMIs", [&, typed = typed](TfrmMisc& d) {
            d.edtDefSpl->setFocus();
            QApplication::processEvents();
            QTest::keyClicks(d.edtDefSpl, typed);
            d.cmbPOCon->setFocus();
            QApplication::processEvents();
            shown = d.edtDefSpl->text();
        });
        EXPECT_EQ(SaveAndReload(frm).DefaultSplit, hz) << typed;
        if (hz == -3000000) {
            EXPECT_EQ(shown, "-3.0 MHz");
        }
        if (hz == 99900000) {
            EXPECT_EQ(shown, "99.9 MHz");
        }
    }
}

TEST_F(MiscDialogsTest, HomeConditionWarnsExactlyWithoutHomeChannels) {
    for (int32_t home : {255, 3, 0}) {
        WriteFile("No", [home](TRKmem& m) { m.HomeGroup = home; });
        TfrmMain frm({file});
        messages->Shown.clear();
        RunDialog<TfrmMisc>(frm, "miMIs", [](TfrmMisc& d) { Pick(d.cmbPOCon, 4); });
        const auto texts = messages.Texts();
        const bool warned =
            std::find(texts.begin(), texts.end(), "'Home Channel' is not allocated.") != texts.end();
        EXPECT_EQ(warned, home != 0) << home;
        EXPECT_EQ(SaveAndReload(frm).PowerOnCondition, 4) << home;
    }
}

TEST_F(MiscDialogsTest, DsubFunctionIsSavedOnItsPin) {
    WriteFile("No", [](TRKmem& m) { m.DsubOutFunction6 = 0; });
    TfrmMain frm({file});
    RunDialog<TfrmDSub>(frm, "miDSUB25", [](TfrmDSub& d) {
        Pick(d.cmbNo21, 1);  // "A Port"
        Pick(d.cmbNiI05, 7); // "EMG"
    });
    const TRKmem m = SaveAndReload(frm);
    EXPECT_EQ(m.DsubOutFunction1, 4);
    EXPECT_EQ(m.DsubInFunction4, 8);
}

} // namespace
