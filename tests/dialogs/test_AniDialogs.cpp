// The ANI, MDC1200 and emergency dialogs: their rows on their own, and
// headless through the main window with a save and a reload.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <deque>

#include "app/Main.h"
#include "dialogs/D_Ani.h"
#include "dialogs/D_Emerg.h"
#include "dialogs/D_MDC.h"
#include "image/dc_DataFile.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"
#include "support/GuiSupport.h"

namespace fs = std::filesystem;

namespace {

template <class D> D* ShowDialog(TDlgState& s) {
    auto* d = new D(nullptr, s.Ctx);
    EXPECT_TRUE(ShowActive(*d));
    return d;
}

// Types into an edit the way a user does, then leaves it.
void Type(TDlgBase& dlg, QLineEdit* edit, const QString& keys) {
    edit->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QTest::keyClicks(edit, keys);
    dlg.btnCancel->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

QStringList ItemsOf(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// ---- The dialogs on their own -------------------------------------------------------

class AniDialogTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureApp(); }
    static void NewFleetModel(TDlgState& s) {
        s.Model.SetNewConfiguration();
        s.Model.FirmwareVersion = "0408";
        s.Ctx.FileFormat = 1;
    }
};

TEST_F(AniDialogTest, EveryRowChangedAloneMarksTheFileModified) {
    ExpectCompareOnOk(
        [](TDlgState& s) {
            NewFleetModel(s);
            return ShowDialog<TfrmAni>(s);
        },
        {{"cmbType"}, {"cmbTrans"}, {"cmbDelay"}, {"cmbSpeed"}, {"edtCode"}, {"edtECode"}});
    std::vector<TCompareRow> mdcRows = {{"edtAniDelayTime"}, {"cmbAniLockout"}, {"cmbAniPress"},
                                        {"cmbAniRelease"},   {"cmbWaitTone"},   {"cmbCourtesy"},
                                        {"cmbAniSubAudible"}};
    std::deque<std::string> names; // the rows point into it
    for (const char* id : {"E", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}) {
        names.push_back(std::string("edtPtt") + id);
        mdcRows.push_back({names.back().c_str()});
        names.push_back(std::string("edtMsg") + id);
        mdcRows.push_back({names.back().c_str(), false}); // shown only
    }
    ExpectCompareOnOk(
        [](TDlgState& s) {
            NewFleetModel(s);
            return ShowDialog<TfrmMdc>(s);
        },
        mdcRows);
    ExpectCompareOnOk(
        [](TDlgState& s) {
            s.Model.SetNewConfiguration();
            return ShowDialog<TfrmEmerg>(s);
        },
        {{"cmbChanl"},
         {"cmbAMute"},
         {"cmbLcd"},
         {"cmbLed"},
         {"cmbTime"},
         {"cmbRTime"},
         {"cmbTTime"},
         {"cmbMic"}});
}

TEST_F(AniDialogTest, TimingAndCodesAreOpenOnlyToTheDtmfAni) {
    TDlgState s;
    NewFleetModel(s);
    std::unique_ptr<TfrmAni> dlg(ShowDialog<TfrmAni>(s));
    EXPECT_EQ(ItemsOf(dlg->cmbType), QStringList({"DTMF", "MDC1200", "Option ANI"}));
    const std::vector<QWidget*> dtmfOnly = {dlg->cmbTrans, dlg->cmbDelay, dlg->cmbSpeed, dlg->edtCode,
                                            dlg->edtECode};
    for (int type : {0, 1, 2, 0}) {
        Pick(dlg->cmbType, type);
        for (QWidget* w : dtmfOnly)
            EXPECT_EQ(w->isEnabled(), type == 0) << w->objectName().toStdString() << " " << type;
    }
}

TEST_F(AniDialogTest, MessageValuesAreFocusableButNeverEdited) {
    TDlgState s;
    NewFleetModel(s);
    std::unique_ptr<TfrmMdc> dlg(ShowDialog<TfrmMdc>(s));
    QLineEdit* message = dlg->edtMsg[3];
    Type(*dlg, message, "12");
    EXPECT_EQ(message->text(), "8001");
    message->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), message);
    EXPECT_EQ(dlg->pnlHint2->text(), "<ENTER>");
    for (const auto& [control, help] : {std::pair<QWidget*, uint32_t>{dlg->edtAniDelayTime, 20001},
                                        {dlg->cmbAniSubAudible, 20007},
                                        {dlg->edtPtt[0], 20008},
                                        {message, 20009}})
        EXPECT_EQ(dlg->HelpContextOf(control), help) << control->objectName().toStdString();
    TDlgState e;
    std::unique_ptr<TfrmEmerg> emerg(ShowDialog<TfrmEmerg>(e));
    EXPECT_EQ(emerg->HelpContextOf(emerg->cmbChanl), 0x80A208FCu);
    EXPECT_EQ(emerg->HelpContextOf(emerg->cmbTTime), 0x80A20902u);
    EXPECT_EQ(emerg->HelpContextOf(emerg->cmbMic), 0x80A20903u);
    emerg->cmbTTime->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(emerg->pnlHint1->text(), "Specify Emergency tranmits time(5secs-80secs)");
}

// ---- Through the main window ------------------------------------------------------------

class AniMainWindowTest : public ::testing::Test {
  protected:
    TScopedProgramFolder folder;
    TScopedMessages messages;
    TScopedFileDialogs dialogs;
    std::unique_ptr<TfrmMain> frm;
    fs::path file = folder / "ani.K36";

    // A Fleet (1) or original (0) file of a new configuration changed by `edit`, opened.
    void Start(int fileFormat, const std::function<void(TRKmem&)>& edit) {
        TRKmem m;
        m.SetNewConfiguration();
        edit(m);
        TMap36 image;
        // The firmware version comes from the radio: the image has it, the model does not write it.
        const std::string firmware = m.FirmwareVersion.size() == 4 ? m.FirmwareVersion : "0000";
        image.Buf[0x3200] = static_cast<uint8_t>(std::stoi(firmware.substr(0, 2), nullptr, 16));
        image.Buf[0x3201] = static_cast<uint8_t>(std::stoi(firmware.substr(2), nullptr, 16));
        ASSERT_TRUE(SaveDataFile(file, m, image));
        EnsureBandTemplateFor(file);
        frm = std::make_unique<TfrmMain>(std::vector<std::string>{file.string()});
        frm->State().FileFormat = fileFormat;
        frm->RefreshMenus();
    }

    // Runs `command`; `act` works the dialog, which is then closed with OK
    // unless `act` closed it.
    template <class D> void Run(const char* command, const std::function<void(D&)>& act) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<D*>(QApplication::activeModalWidget());
            if (!dlg) return;
            seen = true;
            act(*dlg);
            if (dlg->isVisible()) dlg->btnOK->click();
        });
        frm->RunCommand(command);
        EXPECT_TRUE(seen) << command;
    }

    TRKmem SaveAndReload() {
        frm->RunCommand("miSave");
        EXPECT_FALSE(frm->State().FileModified);
        TRKmem m;
        TMap36 image;
        EXPECT_TRUE(LoadDataFile(file, m, image));
        return m;
    }
};

TEST_F(AniMainWindowTest, DtmfToMdc1200OnAFleet2ToneFile) {
    for (const char* firstMessageId : {"8123", "8000"}) {
        SCOPED_TRACE(firstMessageId);
        Start(1, [&](TRKmem& m) {
            SelectOptionBoard(m, "OB-21 (2-TONE)");
            for (int32_t i = 0; i < 20; ++i) {
                m.Channels[i].Blank = 0;
                m.Channels[i].Ani = 1;
                m.Channels[i].SignallingOn = 1;
                m.Channels[i].SignallingCode = 3;
            }
            m.GroupAreas.Set(0, 20);
            m.Tones[2] = {4, 5};
            m.MdcAniLockout = 3;
            m.MdcPttIds[4] = "ABCD";
            m.MdcMessageIds[0] = firstMessageId;
        });
        const bool defaults = std::string(firstMessageId) != "8000";
        EXPECT_FALSE(frm->Action("miMdc1200")->isEnabled());
        Run<TfrmAni>("miAni", [](TfrmAni& d) { Pick(d.cmbType, 1); });
        EXPECT_TRUE(frm->State().FileModified);
        EXPECT_TRUE(frm->Action("miMdc1200")->isEnabled());
        const TRKmem r = SaveAndReload();
        EXPECT_EQ(OptionBoardName(r), "No");
        EXPECT_EQ(r.AniOnOption, 1);
        EXPECT_EQ(AniDeviceName(r, true), "MDC1200");
        for (int32_t i = 0; i < r.Channels.Count(); ++i) {
            ASSERT_EQ(r.Channels[i].Ani, 0) << i;
            ASSERT_EQ(r.Channels[i].SignallingOn, 0) << i;
            ASSERT_EQ(r.Channels[i].SignallingCode, 0) << i;
        }
        EXPECT_EQ(r.Tones[2].FirstTone, 255);
        EXPECT_EQ(r.MdcAniLockout, defaults ? 0 : 3);
        EXPECT_EQ(r.MdcPttIds[4], defaults ? "1234" : "ABCD");
    }
}

TEST_F(AniMainWindowTest, OptionAniNeedsFirmware408InTheFleetFormat) {
    const struct {
        int Format;
        const char* Firmware;
        const char* Board; // nullptr: not offered
    } rows[] = {{1, "0408", "OB-71(ANI)"}, {1, "0407", nullptr}, {0, "0407", "MDC1200(ANI)"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r.Format) + " " + r.Firmware);
        Start(r.Format, [&](TRKmem& m) { m.FirmwareVersion = r.Firmware; });
        Run<TfrmAni>("miAni", [&](TfrmAni& d) {
            const int option = d.cmbType->findText(QStringLiteral("Option ANI"));
            EXPECT_EQ(option >= 0, r.Board != nullptr);
            if (option >= 0) Pick(d.cmbType, option);
        });
        if (!r.Board) continue;
        const TRKmem saved = SaveAndReload();
        EXPECT_EQ(OptionBoardName(saved), r.Board);
        EXPECT_EQ(AniDeviceName(saved, r.Format == 1), "Option ANI");
    }
}

// A Fleet file whose type ("Option ANI" on firmware 0407) is not offered,
// with settings the dialogs cannot show exactly, survives OK in all three.
TEST_F(AniMainWindowTest, OkWithoutEditsChangesNoByte) {
    Start(1, [](TRKmem& m) {
        m.FirmwareVersion = "0407";
        SelectOptionBoard(m, "OB-71(ANI)");
        for (int32_t i = 0; i < 10; ++i) {
            m.Channels[i].Blank = 0;
            m.Channels[i].SignallingOn = 1;
            m.Channels[i].SignallingCode = 2;
        }
        m.GroupAreas.Set(0, 10);
        m.Tones[1] = {3, 6};
        m.Pagings[0] = {1, 0, 1, "1", "2", "3", "123"};
        m.MdcAniDelayTime = 60; // 1200 msec
        m.MdcPttIds[5] = "0000";
        m.MdcPttIds[6] = "FFFF";
        m.EmergencyTime = 15;
    });
    // The first save settles what loading leaves for the program to fill in.
    SaveAndReload();
    const std::string before = ReadFileBytes(file);
    Run<TfrmAni>("miAni", [](TfrmAni& d) { EXPECT_EQ(d.cmbType->currentText(), "DTMF"); });
    Run<TfrmMdc>("miMdc1200", [](TfrmMdc& d) { EXPECT_EQ(d.edtAniDelayTime->text(), "1000 msec"); });
    Run<TfrmEmerg>("miEmergency", [](TfrmEmerg&) {});
    EXPECT_FALSE(frm->State().FileModified);
    EXPECT_EQ(OptionBoardName(frm->State().Model), "OB-71(ANI)");
    SaveAndReload();
    EXPECT_TRUE(ReadFileBytes(file) == before);
}

TEST_F(AniMainWindowTest, CodesAreDtmfDigitsOfAtMost15) {
    Start(0, [](TRKmem&) {});
    Run<TfrmAni>("miAni", [](TfrmAni& d) {
        Type(d, d.edtCode, "12a*#b9");
        EXPECT_EQ(d.edtCode->text(), "12A*#B9");
        Type(d, d.edtECode, "1234567890abcd*#");
        EXPECT_EQ(d.edtECode->text(), "1234567890ABCD*");
    });
    TRKmem r = SaveAndReload();
    EXPECT_EQ(r.AniCodeFormat, (TDTMFMemFormat{7, "12A*#B9"}));
    EXPECT_EQ(r.EmergencyCodeFormat, (TDTMFMemFormat{15, "1234567890ABCD*"}));

    Run<TfrmAni>("miAni", [](TfrmAni& d) {
        Type(d, d.edtCode, "\b");
        EXPECT_EQ(d.edtCode->text(), "");
    });
    r = SaveAndReload();
    EXPECT_EQ(r.AniCodeFormat, (TDTMFMemFormat{0, ""}));
}

TEST_F(AniMainWindowTest, Mdc1200DelayAndPttIds) {
    Start(1, [](TRKmem& m) { m.AniOnOption = 1; });
    Run<TfrmMdc>("miMdc1200", [](TfrmMdc& d) {
        Type(d, d.edtAniDelayTime, "1015");
        EXPECT_EQ(d.edtAniDelayTime->text(), "1000 msec");
        Type(d, d.edtPtt[1], "ffff");
        EXPECT_EQ(d.edtPtt[1]->text(), "DEEE");
        Type(d, d.edtPtt[2], "abcd");
        Type(d, d.edtPtt[3], "12");
        Type(d, d.edtPtt[0], "0");
        EXPECT_EQ(d.edtPtt[0]->text(), "0001");
    });
    TRKmem r = SaveAndReload();
    EXPECT_EQ(r.MdcAniDelayTime, 50);
    EXPECT_EQ(r.MdcPttIds[1], "DEEE");
    EXPECT_EQ(r.MdcPttIds[2], "ABCD");
    EXPECT_EQ(r.MdcPttIds[3], "0012");
    EXPECT_EQ(r.MdcPttIds[0], "0001");
    EXPECT_EQ(r.MdcPttIds[4], "1234");

    Run<TfrmMdc>("miMdc1200", [](TfrmMdc& d) {
        Type(d, d.edtAniDelayTime, "39");
        EXPECT_EQ(d.edtAniDelayTime->text(), "20 msec");
    });
    EXPECT_EQ(SaveAndReload().MdcAniDelayTime, 1);
}

TEST_F(AniMainWindowTest, EmergencyItemOrders) {
    Start(0, [](TRKmem& m) {
        m.EmergencyAfMute = 0;
        m.EmergencyMic = 0;
    });
    Run<TfrmEmerg>("miEmergency", [](TfrmEmerg& d) {
        for (QComboBox* alert : {d.cmbAMute, d.cmbLcd, d.cmbLed})
            EXPECT_EQ(ItemsOf(alert), QStringList({"Enabled", "Disabled"}));
        EXPECT_EQ(ItemsOf(d.cmbMic), QStringList({"Disabled", "Enabled"}));
        EXPECT_EQ(ItemsOf(d.cmbChanl), QStringList({"PRI", "HOME"}));
        EXPECT_EQ(d.cmbAMute->currentText(), "Enabled");
        EXPECT_EQ(d.cmbMic->currentText(), "Disabled");
        Pick(d.cmbAMute, 1);
        Pick(d.cmbMic, 1);
        Pick(d.cmbTime, d.cmbTime->findText(QStringLiteral("160 Mins")));
    });
    EXPECT_TRUE(frm->State().FileModified);
    const TRKmem r = SaveAndReload();
    EXPECT_EQ(r.EmergencyAfMute, 1);
    EXPECT_EQ(r.EmergencyMic, 1);
    EXPECT_EQ(r.EmergencyTime, 15);
}

} // namespace
