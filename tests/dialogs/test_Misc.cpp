// The miscellaneous and SQC dialogs driven like a user, and their rules.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "dialogs/D_Misc.h"
#include "dialogs/D_SQC.h"
#include "dialogs/dc_ChannelPicker.h"
#include "dialogs/dc_MiscRules.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"
#include "support/GuiSupport.h"

namespace {

// Groups 0 (3 channels, the middle one blank), 1 "SAME" (2), 2 (2, both
// blank) and 3 "SAME" again (2); every other group empty.
void MakeGroups(TRKmem& m) {
    m.SetNewConfiguration();
    for (int32_t g = 0; g < kGroupCount; ++g)
        m.GroupAreas.Set(g, 0);
    const uint32_t sizes[] = {3, 2, 2, 2};
    const char* names[] = {"FIRST", "SAME", "BLANKS", "SAME"};
    for (int32_t g = 0; g < 4; ++g) {
        m.GroupAreas.Set(g, sizes[g]);
        m.GroupNames[g].Text = names[g];
    }
    for (int32_t i = 0; i < 9; ++i) {
        m.Channels[i].Blank = i == 1 || i == 5 || i == 6 ? 1 : 0;
        m.Channels[i].Tags.Clear();
        m.Channels[i].Tags[0].Text = std::string(1, static_cast<char>('A' + i));
    }
}

template <class D> class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureApp();
        s = std::make_unique<TDlgState>();
        MakeGroups(s->Model);
    }
    D& Open() {
        dlg = std::make_unique<D>(nullptr, s->Ctx);
        EXPECT_TRUE(ShowActive(*dlg));
        return *dlg;
    }
    void Ok() {
        dlg->btnOK->click();
        EXPECT_EQ(dlg->result(), QDialog::Accepted);
    }
    std::unique_ptr<TDlgState> s;
    std::unique_ptr<D> dlg;
};

using MiscTest = DialogTest<TfrmMisc>;
using SqcTest = DialogTest<TfrmSQC>;

QStringList Items(const QComboBox* c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

// ---- Rules ---------------------------------------------------------------------

TEST(MiscRules, EncryptionTypeFollowsTheBoardAndStoresOneBit) {
    EXPECT_EQ(EncryptionTypeItem("OB-31 (ENC/DTMF/PAGE)"), 1);
    EXPECT_EQ(EncryptionTypeItem("OB-41 (Hi Level Encr)"), 2);
    EXPECT_EQ(EncryptionTypeItem("MDC1200(ANI)"), 0);
    EXPECT_EQ(EncryptionTypeItem("No"), 0);
    EXPECT_EQ(HiLevelEncryptionOf(0), 0);
    EXPECT_EQ(HiLevelEncryptionOf(1), 0) << "OB-31 needs the flag clear for its paging codes";
    EXPECT_EQ(HiLevelEncryptionOf(2), 1);
}

TEST(MiscRules, CtcssTailBox) {
    struct Row {
        int32_t Elim, Elim180, Item;
    } rows[] = {{0, 0, 0}, {0, 1, 0}, {1, 0, 1}, {1, 1, 2}};
    for (const auto& r : rows) {
        TRKmem m;
        m.CtcssTailElim = r.Elim;
        m.CtcssTailElim180 = r.Elim180;
        EXPECT_EQ(CtcssTailItem(m), r.Item) << r.Elim << r.Elim180;
        TRKmem w;
        w.CtcssTailElim180 = 1 - r.Elim180;
        WriteCtcssTail(w, r.Item);
        EXPECT_EQ(CtcssTailItem(w), r.Item);
    }
}

TEST(MiscRules, PowerOnWarnings) {
    struct Row {
        const char* Name;
        int Condition;
        uint32_t Group0Size;
        int32_t HomeGroup;
        const char* Warning;
    } rows[] = {
        {"group 1 empty", kPowerOnGroup1, 0, 0, "'Group1' is not allocated."},
        {"group 1 allocated", kPowerOnGroup1, 3, 0, nullptr},
        {"no home channel", kPowerOnHome, 3, 255, "'Home Channel' is not allocated."},
        {"home group empty", kPowerOnHome, 3, 2, "'Home Channel' is not allocated."},
        {"home group allocated", kPowerOnHome, 3, 0, nullptr},
        {"other condition", kPowerOnSelect, 0, 255, nullptr},
    };
    for (const auto& r : rows) {
        TRKmem m;
        MakeGroups(m);
        m.GroupAreas.Set(0, r.Group0Size);
        m.GroupAreas.Set(2, 0);
        m.HomeGroup = r.HomeGroup;
        const char* w = PowerOnWarning(m, r.Condition);
        EXPECT_EQ(w ? std::string(w) : "", r.Warning ? std::string(r.Warning) : "") << r.Name;
    }
}

TEST(MiscRules, SqcBoxesAndWhatTheyStore) {
    struct Row {
        const char* Name;
        int32_t On, ChannelOff, AfVrOff, Level;
        int Channel, AfVr;
    } rows[] = {
        {"all off", 0, 0, 0, 3, 0, 0},
        {"channel on", 1, 0, 1, 3, 1, 0},
        {"af-vr level", 1, 1, 0, 4, 0, 5},
        {"level 10", 1, 0, 0, 10, 1, 11},
        {"level past the list", 1, 0, 0, 11, 1, -1},
    };
    for (const auto& r : rows) {
        TRKmem m;
        m.PositionLedOn = r.On;
        m.PositionLedChannelOff = r.ChannelOff;
        m.PositionLedAfVrOff = r.AfVrOff;
        m.PositionLedAfVrLevel = r.Level;
        EXPECT_EQ(SqcChannelItem(m), r.Channel) << r.Name;
        EXPECT_EQ(SqcAfVrItem(m), r.AfVr) << r.Name;
    }
    TRKmem m;
    WriteSqc(m, 0, 0);
    EXPECT_EQ(m.PositionLedOn, 0);
    EXPECT_EQ(m.PositionLedChannelOff, 1);
    EXPECT_EQ(m.PositionLedAfVrOff, 1);
    m.PositionLedAfVrLevel = 12;
    WriteSqc(m, 1, std::nullopt);
    EXPECT_EQ(m.PositionLedOn, 1);
    EXPECT_EQ(m.PositionLedAfVrOff, 1);
    EXPECT_EQ(m.PositionLedAfVrLevel, 12) << "no AF-Vr item: kept";
    WriteSqc(m, 0, 6);
    EXPECT_EQ(m.PositionLedAfVrOff, 0);
    EXPECT_EQ(m.PositionLedAfVrLevel, 5);
    EXPECT_EQ(m.PositionLedOn, 1);
}

// ---- Miscellaneous -------------------------------------------------------------

TEST_F(MiscTest, UntouchedValuesSurviveOk) {
    TRKmem& m = s->Model;
    m.DefaultSplit = 12500; // shown as 0.0 MHz
    SelectOptionBoard(m, "OB-41 (Hi Level Encr)");
    m.HornAlertTime = 7;
    m.PowerOnCondition = 7; // no item
    m.PowerOnGroup = 4;     // an empty group: not offered
    m.PowerOnChannel = 9;
    const TRKmem before = m;
    Open();
    EXPECT_EQ(dlg->edtDefSpl->text(), "0.0 MHz");
    EXPECT_EQ(dlg->cmbEType->currentText(), "Hi Level");
    EXPECT_EQ(dlg->cmbPOCon->currentIndex(), -1);
    EXPECT_EQ(dlg->cmbPOGrp->currentIndex(), -1);
    Ok();
    EXPECT_TRUE(s->Model == before);
    EXPECT_FALSE(s->FileModified);
    EXPECT_EQ(OptionBoardName(s->Model), "OB-41 (Hi Level Encr)");
}

TEST_F(MiscTest, EncryptionTypeChangedStoresTheFlag) {
    struct Row {
        const char* Board;
        int Pick;
        int32_t Flag;
    } rows[] = {{"No", 2, 1}, {"OB-41 (Hi Level Encr)", 1, 0}, {"OB-41 (Hi Level Encr)", 0, 0}};
    for (const auto& r : rows) {
        SetUp();
        SelectOptionBoard(s->Model, r.Board);
        Open();
        Pick(dlg->cmbEType, r.Pick);
        Ok();
        EXPECT_EQ(s->Model.HiLevelEncryption, r.Flag) << r.Board << " " << r.Pick;
        EXPECT_TRUE(s->FileModified);
    }
}

TEST_F(MiscTest, PowerOnPickerOffersNoBlankChannelAndKeepsGroupNumbers) {
    TRKmem& m = s->Model;
    m.PowerOnCondition = kPowerOnSelect;
    m.PowerOnGroup = 3;
    m.PowerOnChannel = 1;
    Open();
    EXPECT_TRUE(dlg->cmbPOGrp->isEnabled());
    EXPECT_EQ(Items(dlg->cmbPOGrp), (QStringList{"FIRST", "SAME", "BLANKS", "SAME"}));
    EXPECT_EQ(dlg->cmbPOGrp->currentIndex(), 3);
    EXPECT_EQ(Items(dlg->cmbPOChn), (QStringList{"H", "I"}));
    EXPECT_EQ(dlg->cmbPOChn->currentText(), "I");
    Ok();
    EXPECT_EQ(m.PowerOnGroup, 3);
    EXPECT_EQ(m.PowerOnChannel, 1);
    EXPECT_FALSE(s->FileModified);

    Open();
    Pick(dlg->cmbPOGrp, 0);
    EXPECT_EQ(Items(dlg->cmbPOChn), (QStringList{"A", "C"}));
    Pick(dlg->cmbPOChn, 1);
    Ok();
    EXPECT_EQ(m.PowerOnGroup, 0);
    EXPECT_EQ(m.PowerOnChannel, 2) << "the position in the group";

    // A group whose channels are all blank offers none: nothing is stored.
    Open();
    Pick(dlg->cmbPOGrp, 2);
    EXPECT_EQ(dlg->cmbPOChn->count(), 0);
    Ok();
    EXPECT_EQ(m.PowerOnGroup, 0);
    EXPECT_EQ(m.PowerOnChannel, 2);
}

TEST_F(MiscTest, SelectConditionEnablesThePickerWithTheFirstGroup) {
    s->Model.PowerOnCondition = 0;
    s->Model.PowerOnGroup = 255;
    Open();
    EXPECT_FALSE(dlg->cmbPOGrp->isEnabled());
    EXPECT_FALSE(dlg->cmbPOChn->isEnabled());
    Pick(dlg->cmbPOCon, kPowerOnSelect);
    EXPECT_TRUE(dlg->cmbPOGrp->isEnabled());
    EXPECT_EQ(dlg->cmbPOGrp->currentText(), "FIRST");
    EXPECT_EQ(dlg->cmbPOChn->currentText(), "A");
    Ok();
    EXPECT_EQ(s->Model.PowerOnCondition, kPowerOnSelect);
    EXPECT_EQ(s->Model.PowerOnGroup, 0);
    EXPECT_EQ(s->Model.PowerOnChannel, 0);
}

TEST_F(MiscTest, HintsAsTheRadioShowsThem) {
    Open();
    const std::tuple<QWidget*, const char*, const char*> rows[] = {
        {dlg->edtDefSpl, "Automatic offset above RX applied to TX frequency", "-99.9 .. +99.9MHz"},
        {dlg->cmbBell, "Eanble/Dsiable Bell", "<SELECT>"},
        {dlg->cmbEType, "Encryption Type OB-31/Hi Level", "<SELECT>"},
    };
    for (const auto& [w, hint1, hint2] : rows) {
        w->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(dlg->pnlHint1->text().toStdString(), hint1);
        EXPECT_EQ(dlg->pnlHint2->text().toStdString(), hint2);
    }
    s->Model.PowerOnCondition = kPowerOnSelect;
    Open();
    dlg->cmbPOGrp->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dlg->pnlHint2->text(), "< GRP SELECT>");
}

TEST_F(MiscTest, EveryRowChangedAloneMarksTheFileModified) {
    ExpectCompareOnOk(
        [](TDlgState& st) {
            MakeGroups(st.Model);
            st.Model.PowerOnCondition = kPowerOnSelect;
            st.Model.PowerOnGroup = 0;
            st.Model.PowerOnChannel = 0;
            SelectOptionBoard(st.Model, "OB-41 (Hi Level Encr)");
            auto* d = new TfrmMisc(nullptr, st.Ctx);
            EXPECT_TRUE(ShowActive(*d));
            return d;
        },
        {{"edtDefSpl"},
         {"cmbPOCon"},
         {"cmbPOGrp"},
         {"cmbPOChn"},
         {"cmbPDealy"},
         {"cmbBell"},
         {"cmbMMode"},
         {"cmbCTail"},
         {"cmbRClone"},
         {"cmbABeep"},
         {"cmbATime"},
         {"cmbEType"},
         {"cmbHTime"},
         {"cmbXPtt"}});
}

// ---- SQC -----------------------------------------------------------------------

TEST_F(SqcTest, ALevelPastTheListShowsNothingAndIsKept) {
    TRKmem& m = s->Model;
    m.PositionLedOn = 1;
    m.PositionLedChannelOff = 1;
    m.PositionLedAfVrOff = 0;
    m.PositionLedAfVrLevel = 11;
    const TRKmem before = m;
    Open();
    EXPECT_EQ(dlg->cmbPLA->currentIndex(), -1);
    EXPECT_EQ(dlg->cmbPLC->currentText(), "Disable");
    EXPECT_FALSE(dlg->cmbPOGrp->isEnabled());
    Ok();
    EXPECT_TRUE(m == before);
    EXPECT_FALSE(s->FileModified);
}

TEST_F(SqcTest, UntouchedOffStateIsNotRewritten) {
    // Off with both parts enabled: the boxes show "Disable", OK changes nothing.
    s->Model.PositionLedOn = 0;
    s->Model.PositionLedChannelOff = 0;
    s->Model.PositionLedAfVrOff = 0;
    const TRKmem before = s->Model;
    Open();
    EXPECT_EQ(dlg->cmbPLC->currentText(), "Disable");
    EXPECT_EQ(dlg->cmbPLA->currentText(), "Disable");
    Ok();
    EXPECT_TRUE(s->Model == before);
}

TEST_F(SqcTest, EnablingTheChannelPicksTheFirstGroup) {
    TRKmem& m = s->Model;
    m.PositionLedOn = 0;
    m.PositionLedChannelOff = 1;
    m.PositionLedAfVrOff = 1;
    m.PositionLedGroup = 255;
    m.PositionLedChannelNo = 255;
    Open();
    Pick(dlg->cmbPLC, 1);
    EXPECT_TRUE(dlg->cmbPOGrp->isEnabled());
    EXPECT_EQ(dlg->cmbPOGrp->currentText(), "FIRST");
    Pick(dlg->cmbPLA, 6);
    Ok();
    EXPECT_EQ(m.PositionLedOn, 1);
    EXPECT_EQ(m.PositionLedChannelOff, 0);
    EXPECT_EQ(m.PositionLedAfVrOff, 0);
    EXPECT_EQ(m.PositionLedAfVrLevel, 5);
    EXPECT_EQ(m.PositionLedGroup, 0);
    EXPECT_EQ(m.PositionLedChannelNo, 0);
}

TEST_F(SqcTest, EveryRowChangedAloneMarksTheFileModified) {
    ExpectCompareOnOk(
        [](TDlgState& st) {
            MakeGroups(st.Model);
            st.Model.PositionLedOn = 1;
            st.Model.PositionLedChannelOff = 0;
            auto* d = new TfrmSQC(nullptr, st.Ctx);
            EXPECT_TRUE(ShowActive(*d));
            return d;
        },
        {{"cmbPLC"}, {"cmbPOGrp"}, {"cmbPOChn"}, {"cmbPLA"}});
}

} // namespace
