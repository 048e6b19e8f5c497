// The DSUB-25 dialog driven like a user, and its pin and port mappings.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "dialogs/D_DSub.h"
#include "dialogs/dc_ChannelPicker.h"
#include "dialogs/dc_DSubRules.h"
#include "support/GuiSupport.h"
#include "support/ModelBuilder.h"

namespace {

QStringList Items(const QComboBox* c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

// Groups 0 "ALPHA" (channels 0..3, channel 1 blank) and 1 "BETA" (4..5).
void MakeSwitchModel(TRKmem& m) {
    m = TModelBuilder()
            .Groups({{0, 4}, {1, 2}})
            .GroupName(0, "ALPHA")
            .GroupName(1, "BETA")
            .TaggedChannels(6, 'P', {1})
            .Build();
    for (int32_t n = 0; n < TCHCodeSWs::Count(); ++n)
        m.CodeSwitches[n] = {255, 255};
}

// ---- Rules ---------------------------------------------------------------------

TEST(DSubRules, PortsShowOnTheirPinsAndGoBack) {
    struct Row {
        const char* Name;
        TPortPins Stored;
        TPinPorts Shown;   // 19, 20, 21, 22, A-KEY
        TPortPins Written; // after OK with the boxes as shown
    } rows[] = {
        {"none", {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
        {"B on DSUB-21, HA on DSUB-20", {0, 4, 0, 0, 0, 6}, {0, 6, 2, 0, 0}, {0, 4, 0, 0, 0, 6}},
        {"every pin", {2, 3, 4, 5, 6, 0}, {1, 5, 3, 2, 4}, {2, 3, 4, 5, 6, 0}},
        {"code 1 is no pin", {1, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
        {"two ports on one pin: the later", {3, 3, 0, 0, 0, 0}, {0, 0, 0, 2, 0}, {0, 3, 0, 0, 0, 0}},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(PortsShownOnPins(r.Stored), r.Shown) << r.Name;
        EXPECT_EQ(AssignmentsFromPins(r.Shown), r.Written) << r.Name;
    }
}

TEST(DSubRules, InputCodesSkipSeven) {
    const std::pair<int32_t, int> rows[] = {{0, 0},   {6, 6},   {7, -1},  {8, 7},
                                            {14, 13}, {15, -1}, {-1, -1}, {255, -1}};
    for (const auto& [code, item] : rows) {
        EXPECT_EQ(DsubInFunctionItem(code), item) << code;
        if (item >= 0) {
            EXPECT_EQ(DsubInFunctionCode(item), code) << code;
        }
    }
    EXPECT_EQ(DsubInFunctionCodeOf("EMG"), 8);
    EXPECT_EQ(DsubInFunctionCodeOf("LOW"), 14);
    EXPECT_EQ(DsubInFunctionCodeOf("RPT INH"), 6);
    EXPECT_EQ(DsubInFunctionCodeOf("nothing"), 0);
    EXPECT_EQ(DsubInFunctionCode(14), 0);
}

TEST(DSubRules, ExclusiveListsLeaveOutWhatOthersShow) {
    const std::vector<std::string> names = {"None", "A", "B", "C"};
    const auto lists = ExclusiveItemLists(names, {"A", "None", "", "A"});
    EXPECT_EQ(lists[0], (std::vector<std::string>{"None", "A", "B", "C"})) << "a stored twin stays visible";
    EXPECT_EQ(lists[1], (std::vector<std::string>{"None", "B", "C"}));
    EXPECT_EQ(lists[2], (std::vector<std::string>{"None", "B", "C"}));
    EXPECT_EQ(lists[3], lists[0]);
}

TEST(DSubRules, PolarityTicks) {
    // Outputs and External PTT tick for 1, the other inputs for 0; the two
    // input numberings run opposite ways.
    for (const auto& p : kDsubOutPolarity)
        EXPECT_EQ(p.Ticked, 1) << p.Pin;
    const std::pair<const char*, int32_t TRKmem::*> inputs[] = {
        {"External PTT", &TRKmem::DsubInNormal1}, {"DSUB-06", &TRKmem::DsubInNormal2},
        {"DSUB-05", &TRKmem::DsubInNormal3},      {"DSUB-04", &TRKmem::DsubInNormal4},
        {"DSUB-03", &TRKmem::DsubInNormal5},      {"SELECT", &TRKmem::DsubInNormal6},
        {"DSUB-16", &TRKmem::DsubInNormal7}};
    for (const auto& [pin, flag] : inputs) {
        const auto it = std::find_if(kDsubInPolarity.begin(), kDsubInPolarity.end(),
                                     [&](const TDsubPolarity& p) { return std::string(p.Pin) == pin; });
        ASSERT_NE(it, kDsubInPolarity.end()) << pin;
        EXPECT_EQ(it->Flag, flag) << pin;
        EXPECT_EQ(it->Ticked, std::string(pin) == "External PTT" ? 1 : 0) << pin;
    }
    EXPECT_EQ(std::string(kDsubInPins[0].Box), "cmbNiISel");
    EXPECT_EQ(kDsubInPins[0].Function, &TRKmem::DsubInFunction1);
    EXPECT_EQ(kDsubInPins[4].Function, &TRKmem::DsubInFunction5);
}

// ---- The dialog ----------------------------------------------------------------

class DSubTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureApp();
        s = std::make_unique<TDlgState>();
        MakeSwitchModel(s->Model);
    }
    TfrmDSub& Open() {
        dlg = std::make_unique<TfrmDSub>(nullptr, s->Ctx);
        EXPECT_TRUE(ShowActive(*dlg));
        return *dlg;
    }
    void Page(int i) { dlg->findChild<QTabWidget*>()->setCurrentIndex(i); }
    void Ok() {
        dlg->btnOK->click();
        EXPECT_EQ(dlg->result(), QDialog::Accepted);
    }
    std::unique_ptr<TDlgState> s;
    std::unique_ptr<TfrmDSub> dlg;
};

TEST_F(DSubTest, AStoredOutputFunctionIsOfferedOnItsPinOnly) {
    s->Model.DsubOutFunction2 = 4; // B port on DSUB-21
    s->Model.DsubOutFunction6 = 0;
    Open();
    EXPECT_EQ(dlg->cmbNo21->currentText(), "B Port");
    for (QComboBox* b : {dlg->cmbNo19, dlg->cmbNo20, dlg->cmbNo22, dlg->cmbNoAkey}) {
        EXPECT_EQ(b->currentText(), "None");
        EXPECT_FALSE(Items(b).contains("B Port")) << b->objectName().toStdString();
    }
    Pick(dlg->cmbNo19, 1); // "A Port"
    EXPECT_FALSE(Items(dlg->cmbNo21).contains("A Port"));
    Pick(dlg->cmbNo21, 0); // "None"
    for (QComboBox* b : {dlg->cmbNo20, dlg->cmbNo22, dlg->cmbNoAkey})
        EXPECT_TRUE(Items(b).contains("B Port")) << b->objectName().toStdString();
    Ok();
    EXPECT_EQ(s->Model.DsubOutFunction1, 2);
    EXPECT_EQ(s->Model.DsubOutFunction2, 0);
    EXPECT_TRUE(s->FileModified);
}

TEST_F(DSubTest, InputNamesMapToTheirCodes) {
    TRKmem& m = s->Model;
    m.DsubInFunction1 = 14; // SELECT: "LOW"
    m.DsubInFunction5 = 7;  // DSUB-06: no name
    Open();
    Page(1);
    EXPECT_EQ(dlg->cmbNiISel->currentText(), "LOW");
    EXPECT_EQ(dlg->cmbNiI06->currentIndex(), -1);
    EXPECT_FALSE(Items(dlg->cmbNiI03).contains("LOW"));
    Pick(dlg->cmbNiI03, static_cast<int>(Items(dlg->cmbNiI03).indexOf("EMG")));
    EXPECT_FALSE(Items(dlg->cmbNiI04).contains("EMG"));
    Ok();
    EXPECT_EQ(m.DsubInFunction1, 14);
    EXPECT_EQ(m.DsubInFunction2, 8);
    EXPECT_EQ(m.DsubInFunction5, 7) << "shown nowhere, kept";
}

TEST_F(DSubTest, PolarityTicksFollowTheFlagsAndTheirTexts) {
    TRKmem& m = s->Model;
    m.DsubOutNormal3 = 1; // DSUB-22 inverted
    m.DsubInNormal1 = 1;  // External PTT inverted
    m.DsubInNormal6 = 0;  // SELECT inverted
    m.DsubInNormal2 = 1;  // DSUB-06 normal
    Open();
    auto check = [this](const char* name) { return dlg->findChild<QCheckBox*>(name); };
    EXPECT_TRUE(check("chbOut22")->isChecked());
    EXPECT_EQ(check("chbOut22")->text(), "Invert");
    EXPECT_FALSE(check("chbOut21")->isChecked());
    EXPECT_EQ(check("chbOut21")->text(), "Normal");
    EXPECT_TRUE(check("chbInPtt")->isChecked());
    EXPECT_TRUE(check("chbInSel")->isChecked());
    EXPECT_FALSE(check("chbIn06")->isChecked());
    Page(1);
    QTest::mouseClick(check("chbInSel"), Qt::LeftButton);
    EXPECT_EQ(check("chbInSel")->text(), "Normal");
    Ok();
    EXPECT_EQ(m.DsubInNormal6, 1);
}

TEST_F(DSubTest, ChannelSwitchRowsShareNoChannel) {
    TRKmem& m = s->Model;
    m.CodeSwitches[0] = {1, 1};
    m.CodeSwitches[3] = {0, 2};  // row 3: ALPHA, channel R
    m.CodeSwitches[15] = {7, 0}; // a group that holds no channels
    Open();
    Page(2);
    ASSERT_EQ(dlg->Switches.size(), 15u);
    auto grp = [this](int row) { return dlg->Switches[static_cast<size_t>(row - 1)]->GroupBox(); };
    auto chl = [this](int row) { return dlg->Switches[static_cast<size_t>(row - 1)]->ChannelBox(); };
    EXPECT_EQ(Items(grp(1)), (QStringList{"None", "ALPHA", "BETA"}));
    EXPECT_EQ(grp(3)->currentText(), "ALPHA");
    EXPECT_EQ(chl(3)->currentText(), "Ch003: R");
    EXPECT_EQ(grp(15)->currentText(), "None");
    Pick(grp(5), 1);
    EXPECT_EQ(Items(chl(5)), (QStringList{"None", "Ch001: P", "Ch004: S"})) << "no blank, not row 3's";
    Pick(chl(5), 2);
    Pick(grp(3), 1); // row 3 refilled without row 5's choice
    EXPECT_EQ(Items(chl(3)), (QStringList{"None", "Ch001: P", "Ch003: R"}));
    Ok();
    EXPECT_EQ(m.CodeSwitches[5].Group, 0);
    EXPECT_EQ(m.CodeSwitches[5].Position, 3);
    EXPECT_EQ(m.CodeSwitches[3].Group, 0);
    EXPECT_EQ(m.CodeSwitches[3].Position, 255) << "group chosen again: \"None\"";
    EXPECT_EQ(m.CodeSwitches[15].Group, 7) << "not offered, untouched";
    EXPECT_EQ(m.CodeSwitches[0].Group, 1) << "entry 0 is no row";
}

TEST_F(DSubTest, RowsAndCaptions) {
    Open();
    EXPECT_EQ(dlg->windowTitle(), "Dsub25 connector");
    auto* pages = dlg->findChild<QTabWidget*>();
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(2), "Channel switch Table");
    EXPECT_EQ(dlg->AcceleratorOf(dlg->Switches[0]->GroupBox()), QChar('1'));
    EXPECT_EQ(dlg->AcceleratorOf(dlg->Switches[14]->ChannelBox()), QChar('F'));
}

TEST_F(DSubTest, EveryRowChangedAloneMarksTheFileModified) {
    std::vector<TCompareRow> rows;
    static std::vector<std::string> names; // the rows keep pointers
    names.clear();
    for (const auto& p : kDsubOutPolarity)
        names.emplace_back(p.Name);
    for (const auto& p : kDsubInPolarity)
        names.emplace_back(p.Name);
    for (const auto& p : kDsubOutPins)
        names.emplace_back(p.Box);
    for (const auto& p : kDsubInPins)
        names.emplace_back(p.Box);
    names.emplace_back("cmbNiI16");
    for (int n = 1; n <= 15; ++n) {
        names.push_back("cmbGrp" + std::to_string(n));
        names.push_back("cmbChl" + std::to_string(n));
    }
    for (const auto& n : names)
        rows.push_back({n.c_str(), true});
    ExpectCompareOnOk(
        [](TDlgState& st) {
            MakeSwitchModel(st.Model);
            for (int32_t n = 1; n <= 15; ++n)
                st.Model.CodeSwitches[n] = {0, 0};
            auto* d = new TfrmDSub(nullptr, st.Ctx);
            EXPECT_TRUE(ShowActive(*d));
            return d;
        },
        rows);
}

} // namespace
