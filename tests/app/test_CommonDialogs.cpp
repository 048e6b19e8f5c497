// The radio status, option, scanning and marketing commands through the main
// window: each dialog worked like a user, then Save and a reload of the file.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

#include "app/Main.h"
#include "app/dc_ChannelGrid.h"
#include "dialogs/D_Market.h"
#include "dialogs/D_Option.h"
#include "dialogs/D_RadioStatus.h"
#include "dialogs/D_Scaning.h"
#include "image/dc_DataFile.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"
#include "support/GuiSupport.h"

namespace fs = std::filesystem;

namespace {

class CommonDialogsTest : public ::testing::Test {
  protected:
    TScopedProgramFolder folder;
    TScopedMessages messages;
    TScopedFileDialogs dialogs;
    fs::path file = folder / "radio.K36";

    // A data file of a new configuration changed by `edit`; `patch` then
    // changes its bytes.
    void WriteRadio(const std::function<void(TRKmem&)>& edit,
                    const std::function<void(std::string&)>& patch = {}) {
        TRKmem m;
        m.SetNewConfiguration();
        if (edit) edit(m);
        TMap36 image;
        ASSERT_TRUE(SaveDataFile(file, m, image));
        if (patch) {
            std::string bytes = ReadFileBytes(file);
            patch(bytes);
            WriteFileBytes(file, bytes);
        }
        EnsureBandTemplateFor(file);
    }
    // Saves, and returns the file's bytes and the model it reloads into.
    std::string Save(TfrmMain& frm, TRKmem* reloaded = nullptr) {
        frm.RunCommand("miSave");
        EXPECT_FALSE(frm.State().FileModified);
        if (reloaded) {
            TMap36 image;
            EXPECT_TRUE(LoadDataFile(file, *reloaded, image));
        }
        return ReadFileBytes(file);
    }
};

// Runs the command; `work` acts on the dialog it opens, then OK is pressed.
template <class D> void RunDialog(TfrmMain& frm, const char* command, const std::function<void(D&)>& work) {
    bool opened = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dlg = qobject_cast<D*>(modal);
        if (!dlg) {
            if (modal) modal->close();
            return;
        }
        opened = true;
        if (work) work(*dlg);
        dlg->btnOK->click();
    });
    frm.RunCommand(command);
    EXPECT_TRUE(opened) << command;
}

void TypeInto(QLineEdit* edit, const char* text) {
    edit->setFocus();
    QApplication::processEvents();
    QTest::keyClick(edit, Qt::Key_Backspace); // replaces the shown value
    QTest::keyClicks(edit, QString::fromLatin1(text));
}

void PickText(QComboBox* combo, const char* text) {
    const int i = combo->findText(QString::fromLatin1(text));
    ASSERT_GE(i, 0) << text;
    Pick(combo, i);
}

TEST_F(CommonDialogsTest, AfMinimumIsClampedToItsRange) {
    const struct {
        const char* Typed;
        int32_t Stored;
    } cases[] = {{"200", 127}, {"10", 52}, {"", 52}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "typed \"" << c.Typed << "\"");
        WriteRadio([](TRKmem& m) { m.AfVrMinLevel = 90; });
        TfrmMain frm({file.string()});
        RunDialog<TfrmRadioStatus>(frm, "miRadioStatus",
                                   [&](TfrmRadioStatus& d) { TypeInto(d.edtAMLvl, c.Typed); });
        EXPECT_TRUE(frm.State().FileModified) << c.Typed;
        TRKmem reloaded;
        Save(frm, &reloaded);
        EXPECT_EQ(reloaded.AfVrMinLevel, c.Stored) << "'" << c.Typed << "'";
    }
}

TEST_F(CommonDialogsTest, UntouchedOptionKeepsTheBoardAndItsSignalling) {
    WriteRadio([](TRKmem& m) {
        SelectOptionBoard(m, kBoard2Tone);
        m.Channels[0].SignallingOn = 1;
        m.Channels[0].SignallingCode = 5;
        m.Tones[0].FirstTone = 3;
        m.Tones[0].SecondTone = 7;
    });
    TfrmMain frm({file.string()});
    const std::string before = Save(frm);
    RunDialog<TfrmOption>(frm, "miOption",
                          [](TfrmOption& d) { EXPECT_EQ(d.cmbOUnit->currentText(), kBoard2Tone); });
    EXPECT_FALSE(frm.State().FileModified);
    TRKmem reloaded;
    EXPECT_EQ(Save(frm, &reloaded), before);
    EXPECT_EQ(reloaded.Channels[0].SignallingCode, 5);
    EXPECT_EQ(reloaded.Tones[0].SecondTone, 7);
}

TEST_F(CommonDialogsTest, OptionAniBoardNeedsFirmwareAfter407) {
    for (const char* firmware : {"0408", "0407"}) {
        WriteRadio([](TRKmem& m) { m.Channels[0].SignallingCode = 5; });
        TfrmMain frm({file.string()});
        frm.State().FileFormat = 1;
        frm.State().Model.FirmwareVersion = firmware;
        const bool offered = FirmwareHasOptionAni(frm.State().Model);
        RunDialog<TfrmOption>(frm, "miOption", [&](TfrmOption& d) {
            EXPECT_EQ(d.cmbOUnit->findText(kBoardAni) >= 0, offered) << firmware;
            EXPECT_EQ(d.cmbOUnit->findText(kBoardMdc), -1) << "Fleet format";
            if (offered) PickText(d.cmbOUnit, kBoardAni);
        });
        if (!offered) continue;
        EXPECT_TRUE(frm.State().FileModified);
        EXPECT_FALSE(frm.Action("mi2Tone")->isEnabled()) << "menus follow the board";
        TRKmem reloaded;
        Save(frm, &reloaded);
        EXPECT_EQ(OptionBoardName(reloaded), kBoardAni);
        EXPECT_EQ(reloaded.OptionBoardType, 3);
        EXPECT_EQ(reloaded.AniOnOption, 1);
        EXPECT_EQ(reloaded.Channels[0].SignallingCode, 0);
    }
}

TEST_F(CommonDialogsTest, TrunkBoardUnderMdcAniKeepsSignallingAndClearsEncryption) {
    WriteRadio([](TRKmem& m) {
        m.AniOnOption = 1;
        m.Channels[0].SignallingOn = 1;
        m.Channels[0].SignallingCode = 5;
        m.Channels[0].Encryption = 1;
        m.Tones[0].FirstTone = 3;
    });
    TfrmMain frm({file.string()});
    frm.State().FileFormat = 1;
    RunDialog<TfrmOption>(frm, "miOption", [](TfrmOption& d) {
        EXPECT_EQ(d.cmbOUnit->currentText(), kBoardNone);
        PickText(d.cmbOUnit, kBoardTrunk);
    });
    TRKmem reloaded;
    Save(frm, &reloaded);
    EXPECT_EQ(OptionBoardName(reloaded), kBoardTrunk);
    EXPECT_EQ(reloaded.AniOnOption, 1);
    EXPECT_EQ(reloaded.Channels[0].SignallingCode, 5);
    EXPECT_EQ(reloaded.Tones[0].FirstTone, 3);
    for (int i = 0; i < reloaded.Channels.Count(); ++i)
        ASSERT_EQ(reloaded.Channels[i].Encryption, 0) << i;
}

TEST_F(CommonDialogsTest, HomeChannelIsStoredAsThePositionInItsGroup) {
    WriteRadio([](TRKmem& m) {
        m.GroupAreas.Set(0, 2);
        m.GroupAreas.Set(1, 4);
        for (int i = 0; i < 6; ++i)
            m.Channels[i].Blank = i == 3 ? 1 : 0; // position 1 of group 1 is blank
        for (int i = 0; i < 6; ++i) {
            m.SetUserScan(i, 1);
            m.SetDealerScan(i, 1);
        }
        m.HomeChannelScan = 0;
    });
    TfrmMain frm({file.string()});
    frm.Grid->ShowGroupPage(1);
    RunDialog<TfrmScaning>(frm, "miScanning", [](TfrmScaning& d) {
        Pick(d.cmbHCScan, 1);
        Pick(d.cmbPOGrp, 1);
        Pick(d.cmbPOChn, 1); // the second channel offered: position 2
    });
    EXPECT_EQ(frm.State().Model.HomeGroup, 1);
    EXPECT_EQ(frm.State().Model.HomeChannel, 2);
    EXPECT_EQ(frm.Grid->CellText(12, 2), "H");
    TRKmem reloaded;
    Save(frm, &reloaded);
    EXPECT_EQ(reloaded.HomeGroup, 1);
    EXPECT_EQ(reloaded.HomeChannel, 2);
    EXPECT_EQ(reloaded.HomeChannelScan, 1);
}

TEST_F(CommonDialogsTest, ManufactureModeSerialIsCompletedAndAPlaceholderIsKept) {
    const struct {
        const char* Name;
        const char* Typed; // nullptr: the field is left alone
        bool Unreadable;   // the file's serial cannot be read: "--------"
        const char* Stored;
    } cases[] = {
        {"cleared", "", false, "0C000000"},
        {"one digit", "5", false, "5C000000"},
        {"untouched unreadable", nullptr, true, "--------"},
    };
    for (const auto& c : cases) {
        WriteRadio({}, [&](std::string& bytes) {
            if (c.Unreadable) bytes[0x30F9] = static_cast<char>(0xFA);
        });
        TfrmMain frm({file.string()});
        frm.State().StartupMode = 2;
        RunDialog<TfrmMarket>(frm, "miMarketing", [&](TfrmMarket& d) {
            if (c.Typed) TypeInto(d.edtSerial, c.Typed);
        });
        EXPECT_EQ(frm.State().Model.SerialNumber, c.Stored) << c.Name;
        EXPECT_EQ(frm.SystemPanel("pnlSerialNo")->text().toStdString(), c.Stored) << c.Name;
        messages->Shown.clear();
        TRKmem reloaded;
        Save(frm, &reloaded);
        EXPECT_TRUE(messages->Shown.empty()) << c.Name << ": the save succeeds";
        EXPECT_EQ(reloaded.SerialNumber, c.Stored) << c.Name;
    }
}

} // namespace
