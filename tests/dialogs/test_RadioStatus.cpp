// The radio status, option, scanning and marketing dialogs driven like a
// user over a new configuration.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "dialogs/D_Market.h"
#include "dialogs/D_Option.h"
#include "dialogs/D_RadioStatus.h"
#include "dialogs/D_Scaning.h"
#include "dialogs/dc_ChannelPicker.h"
#include "model/dc_Rules.h"
#include "support/GuiSupport.h"

namespace {

template <class D> D* Show(TDlgState& s) {
    auto* d = new D(nullptr, s.Ctx);
    EXPECT_TRUE(ShowActive(*d));
    return d;
}

// A new configuration with two groups of channels, so that each home
// channel box has another item to choose.
void TwoGroups(TRKmem& m) {
    m.SetNewConfiguration();
    m.GroupAreas.Set(0, 3);
    m.GroupAreas.Set(1, 2);
    for (int i = 0; i < 5; ++i)
        m.Channels[i].Blank = 0;
}

template <class D> std::function<TDlgBase*(TDlgState&)> Opener(int startupMode = 0) {
    return [startupMode](TDlgState& s) -> TDlgBase* {
        EnsureApp();
        TwoGroups(s.Model);
        s.Model.AfVrMinLevel = 90; // a typed one- or two-digit number reads as another value
        s.Ctx.StartupMode = startupMode;
        return Show<D>(s);
    };
}

TEST(RadioStatusDialogs, EveryRowChangedAloneMarksTheFileModified) {
    EnsureApp();
    ExpectCompareOnOk(Opener<TfrmRadioStatus>(), {{"edtPoTag"},
                                                  {"cmbTTimer"},
                                                  {"cmbPTimer"},
                                                  {"cmbRTime"},
                                                  {"edtAMLvl"},
                                                  {"cmbDhtime"},
                                                  {"cmbSrtime"},
                                                  {"cmbTaope"},
                                                  {"cmbNBlank"}});
    ExpectCompareOnOk(Opener<TfrmOption>(), {{"cmbLight"}, {"cmbBeep"}, {"cmbSList"}, {"cmbOUnit"}});
    ExpectCompareOnOk(Opener<TfrmScaning>(), {{"cmbDWTimer"},
                                              {"cmbSRT1"},
                                              {"cmbSRT2"},
                                              {"cmbHCScan"},
                                              {"cmbPOGrp"},
                                              {"cmbPOChn"},
                                              {"cmbTBack"},
                                              {"cmbRChan"},
                                              {"cmbSEdit"},
                                              {"cmbSBeep"},
                                              {"cmbPBeep"}});
    ExpectCompareOnOk(Opener<TfrmMarket>(2), {{"edtSerial"}});
}

// Values no list offers, and pairs a list shows only in part, survive an
// untouched OK in every dialog.
TEST(RadioStatusDialogs, StoredValuesNoListOffersAreKept) {
    EnsureApp();
    TDlgState s;
    TRKmem& m = s.Model;
    m.SetNewConfiguration();
    m.SqlRevertUnlimited = 0;
    m.SqlRevertTime = 12;
    m.TxTimeoutTimer = 20;
    m.AfVrMinLevel = 30;
    m.NoiseBlanker = 1;
    m.LightingOff = 0;
    m.DualWatchTimer = 14;
    m.RevertChannel = 6;
    m.HomeGroup = 7;
    m.HomeChannel = 255;
    m.SerialNumber = "5123456"; // no letter: seven characters
    TRKmem before;
    before.Assign(m);
    s.Ctx.StartupMode = 2;
    const std::vector<std::function<TDlgBase*()>> dialogs = {
        [&] { return Show<TfrmRadioStatus>(s); }, [&] { return Show<TfrmOption>(s); },
        [&] { return Show<TfrmScaning>(s); }, [&] { return Show<TfrmMarket>(s); }};
    for (const auto& open : dialogs) {
        std::unique_ptr<TDlgBase> dlg(open());
        for (QWidget* w : dlg->Controls()) // visiting every control changes nothing
            w->setFocus();
        dlg->btnOK->setFocus();
        dlg->btnOK->click();
        EXPECT_TRUE(m.Equals(before)) << dlg->windowTitle().toStdString();
        EXPECT_FALSE(s.FileModified) << dlg->windowTitle().toStdString();
    }
}

// Squelch revert: "Unlimited" stores the flag and 0, "10 secs" the value 9.
// Above low VHF the noise blanker is shown off, disabled and stored off.
TEST(RadioStatusDialogs, SquelchRevertAndNoiseBlanker) {
    EnsureApp();
    for (int item : {0, 10}) {
        TDlgState s;
        s.Model.SetNewConfiguration();
        s.Model.SqlRevertUnlimited = 0;
        s.Model.SqlRevertTime = 3;
        SetBandType(s.Model, item == 0 ? 1 : 4);
        s.Model.NoiseBlanker = 1;
        std::unique_ptr<TfrmRadioStatus> dlg(Show<TfrmRadioStatus>(s));
        EXPECT_EQ(dlg->cmbNBlank->isEnabled(), item == 0);
        EXPECT_EQ(dlg->cmbNBlank->currentText(), item == 0 ? "Enabled" : "Disabled");
        Pick(dlg->cmbSrtime, item);
        dlg->btnOK->click();
        EXPECT_EQ(s.Model.SqlRevertUnlimited, item == 0 ? 1 : 0);
        EXPECT_EQ(s.Model.SqlRevertTime, item == 0 ? 0 : 9);
        EXPECT_EQ(s.Model.NoiseBlanker, item == 0 ? 1 : 0);
    }
}

TEST(RadioStatusDialogs, DtmfReceiverFollowsTheOptionUnitAndIsNeverEdited) {
    EnsureApp();
    TDlgState s;
    s.Model.SetNewConfiguration();
    std::unique_ptr<TfrmOption> dlg(Show<TfrmOption>(s));
    EXPECT_FALSE(dlg->cmbDRec->isEnabled());
    EXPECT_EQ(dlg->cmbDRec->currentText(), "No");
    Pick(dlg->cmbOUnit, dlg->cmbOUnit->findText(kBoardEncDtmf));
    EXPECT_EQ(dlg->cmbDRec->currentText(), "Yes");
    Pick(dlg->cmbOUnit, dlg->cmbOUnit->findText(kBoard2Tone));
    EXPECT_EQ(dlg->cmbDRec->currentText(), "No");
}

TEST(RadioStatusDialogs, HomeChannelScanOnSelectsTheFirstGroup) {
    EnsureApp();
    TDlgState s;
    s.Model.SetNewConfiguration();
    s.Model.HomeGroup = 255;
    s.Model.HomeChannel = 255;
    std::unique_ptr<TfrmScaning> dlg(Show<TfrmScaning>(s));
    EXPECT_EQ(dlg->cmbPOGrp->currentIndex(), -1);
    Pick(dlg->cmbHCScan, 1);
    EXPECT_EQ(dlg->cmbPOGrp->currentIndex(), 0);
    EXPECT_EQ(dlg->cmbPOChn->currentIndex(), 0);
    EXPECT_TRUE(dlg->cmbPOGrp->isEnabled());
    Pick(dlg->cmbHCScan, 0);
    EXPECT_TRUE(dlg->cmbPOChn->isEnabled()) << "whatever the home channel scan";
}

TEST(RadioStatusDialogs, SerialIsEditedInManufactureModeOnly) {
    EnsureApp();
    for (int mode : {0, 1, 2}) {
        TDlgState s;
        s.Model.SetNewConfiguration();
        s.Ctx.StartupMode = mode;
        std::unique_ptr<TfrmMarket> dlg(Show<TfrmMarket>(s));
        EXPECT_EQ(dlg->edtSerial->isEnabled(), mode == 2) << mode;
        EXPECT_FALSE(dlg->edtSSerial->isEnabled());
    }
}

// A special model's serial is free text, longer than the field lets anyone
// type; passing through the field keeps every character.
TEST(RadioStatusDialogs, SpecialModelSerialKeepsAllItsCharacters) {
    EnsureApp();
    TDlgState s;
    s.Model.SetNewConfiguration();
    s.Model.SpecialCode1 = 172;
    s.Model.SpecialCode2 = 7;
    s.Model.SpecialCode3 = 112;
    s.Model.SerialNumber = "AB-12/cd3456";
    s.Ctx.StartupMode = 2;
    std::unique_ptr<TfrmMarket> dlg(Show<TfrmMarket>(s));
    dlg->edtSerial->setFocus();
    QApplication::processEvents();
    dlg->btnCancel->setFocus();
    QApplication::processEvents();
    dlg->btnOK->click();
    EXPECT_EQ(s.Model.SerialNumber, "AB-12/cd3456");
    EXPECT_FALSE(s.FileModified);

    std::unique_ptr<TfrmMarket> typed(Show<TfrmMarket>(s));
    typed->edtSerial->setFocus();
    QTest::keyClicks(typed->edtSerial, "xB-1234567890");
    typed->btnOK->click();
    EXPECT_EQ(s.Model.SerialNumber, "xB-1234567") << "typing stops at ten characters";
}

} // namespace
