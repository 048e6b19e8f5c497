// The key function, Direct CH key and front panel dialogs, driven like a
// user on the program's own default file (a TR-2300 "VHF A", normal head),
// and through the main window down to the saved file.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/Main.h"
#include "dialogs/D_DKEdit.h"
#include "dialogs/D_FPanel.h"
#include "dialogs/D_KFunc.h"
#include "dialogs/dc_KeyRules.h"
#include "image/dc_DataFile.h"
#include "model/dc_KeyFunc.h"
#include "model/dc_MessageBox.h"
#include "support/GuiSupport.h"

namespace fs = std::filesystem;

namespace {

const fs::path kDefaultFile = RK36_BINARY_DIR "/src/default.K36";

void LoadDefault(TDlgState& s) {
    ASSERT_TRUE(LoadDataFile(kDefaultFile, s.Model, s.Image));
}

// Groups 0 (table 0..1) and 2 (table 2..4, entry 2 blank); group 1 is empty.
void MakeGroups(TRKmem& m) {
    for (int32_t g = 0; g < kGroupCount; ++g)
        m.GroupAreas.Set(g, 0);
    m.GroupAreas.Set(0, 2);
    m.GroupAreas.Set(2, 3);
    for (int32_t i = 0; i < 5; ++i) {
        m.Channels[i].Blank = i == 2 ? 1 : 0;
        const std::string tag = std::string("TAG") + static_cast<char>('A' + i);
        m.Channels[i].Tags.Clear();
        for (size_t j = 0; j < tag.size(); ++j)
            m.Channels[i].Tags[static_cast<int32_t>(j)].Text = std::string(1, tag[j]);
    }
    m.GroupNames[0].Text = "FIRST";
    m.GroupNames[2].Text = "THIRD";
}

template <class D> D* Open(TDlgState& s) {
    auto* d = new D(nullptr, s.Ctx);
    EXPECT_TRUE(ShowActive(*d));
    return d;
}

QComboBox* Box(TDlgBase& d, const char* name) {
    auto* c = d.findChild<QComboBox*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

// Hint, help context and accelerator of each named control.
struct TRowCase {
    const char* Control;
    const char* Hint;
    uint32_t Help;
    char Accelerator;
};

void ExpectRows(TDlgBase& d, const std::vector<TRowCase>& rows) {
    d.activateWindow(); // a list that was open took the activation
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    for (const auto& r : rows) {
        QComboBox* c = Box(d, r.Control);
        ASSERT_NE(c, nullptr);
        Focus(c);
        EXPECT_EQ(d.pnlHint1->text().toStdString(), r.Hint) << r.Control;
        EXPECT_EQ(d.pnlHint2->text(), "<SELECT>") << r.Control;
        EXPECT_EQ(d.HelpContextOf(c), r.Help) << r.Control;
        EXPECT_EQ(d.AcceleratorOf(c), QChar(r.Accelerator)) << r.Control;
    }
}

class KeyDialogTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureApp(); }
    void SetUp() override { LoadDefault(s); }
    TDlgState s;
};

// ---- Key Function -----------------------------------------------------------------

TEST_F(KeyDialogTest, KeyListsFollowTheHead) {
    // VHF A leaves out "Noise Branker"; the normal head "EMG PTT" too.
    for (const int head : {0, 1}) {
        TDlgState st;
        LoadDefault(st);
        st.Model.ControlHeadType = head;
        std::unique_ptr<TfrmKFunc> d(Open<TfrmKFunc>(st));
        for (int k = 0; k < kKeyCount; ++k) {
            EXPECT_EQ(d->cmbSP[k]->count(), 29 + head) << k;
            EXPECT_EQ(d->cmbLP[k]->count(), 31 + head) << k;
            EXPECT_EQ(d->cmbLP[k]->findText("Noise Branker"), -1);
            EXPECT_EQ(d->cmbLP[k]->findText("EMG PTT") >= 0, head == 1);
        }
        EXPECT_EQ(d->cmbSP[5]->isEnabled(), head == 1);
        EXPECT_EQ(d->cmbLP[5]->isEnabled(), head == 1);
        EXPECT_EQ(d->cmbLP[0]->itemText(30 + head), "Group SCAN Select");
    }
}

TEST_F(KeyDialogTest, StoredCodesShowTheirRowsAndUntouchedOkKeepsThem) {
    TRKmem& m = s.Model;
    m.KeyPf1Short = 0x07; // no row
    m.KeyPf1Long = 0x2C;  // past the table
    m.KeyPf2Short = m.KeyPf2Long = 0x03;
    m.KeyPf3Short = 0x02; // under "DIMMER" a long 3 is "SCAN Select"
    m.KeyPf3Long = 0x03;
    m.KeyPf4Short = 0x11; // PF2's Direct CH code on PF4
    m.KeyPf4Long = 0x18;  // "Noise Branker", not on VHF
    m.KeyUpDown = 0x20;
    const TRKmem before = m;
    std::unique_ptr<TfrmKFunc> d(Open<TfrmKFunc>(s));
    EXPECT_EQ(d->cmbSP[0]->currentIndex(), -1);
    EXPECT_EQ(d->cmbLP[0]->currentIndex(), -1);
    EXPECT_EQ(d->cmbLP[1]->currentText(), "SCAN");
    EXPECT_FALSE(d->cmbLP[1]->isEnabled());
    EXPECT_EQ(d->cmbLP[2]->currentText(), "SCAN Select");
    EXPECT_EQ(d->cmbSP[3]->currentText(), "Direct CH");
    EXPECT_EQ(d->cmbLP[3]->currentText(), "Direct CH") << "locked by the short press";
    EXPECT_EQ(d->cmbUpDn->currentText(), "Group Up / Down");
    d->btnOK->click();
    EXPECT_TRUE(m == before);
    EXPECT_FALSE(s.FileModified);
}

TEST_F(KeyDialogTest, ShortAndLongPressRuleOnAMotorcycleHead) {
    s.Model.ControlHeadType = 1;
    std::unique_ptr<TfrmKFunc> d(Open<TfrmKFunc>(s));
    Pick(d->cmbSP[5], d->cmbSP[5]->findText("Direct CH"));
    Pick(d->cmbSP[0], d->cmbSP[0]->findText("DIMMER")); // reopens the long press at "None"
    EXPECT_EQ(d->cmbLP[0]->currentText(), "None");
    EXPECT_TRUE(d->cmbLP[0]->isEnabled());
    Pick(d->cmbLP[3], d->cmbLP[3]->findText("SCAN")); // a following long press sets the short one
    EXPECT_EQ(d->cmbSP[3]->currentText(), "SCAN");
    EXPECT_TRUE(d->cmbLP[3]->isEnabled());
    Focus(d->cmbUpDn); // leaving locks it
    EXPECT_FALSE(d->cmbLP[3]->isEnabled());
    Pick(d->cmbUpDn, 0); // the shown entry, chosen: 6/0/0/0 becomes whole
    d->btnOK->click();
    const TRKmem& m = s.Model;
    EXPECT_EQ(
        (std::array{m.KeyPf1Short, m.KeyPf1Long, m.KeyPf4Short, m.KeyPf4Long, m.KeyPf6Short, m.KeyPf6Long}),
        (std::array{0x02, 0x00, 0x03, 0x03, 0x2B, 0x2B}));
    EXPECT_EQ((std::array{m.KeyUpDown, m.KeyLong6, m.KeyShort7, m.KeyLong7}), (std::array{6, 6, 7, 7}));
}

TEST_F(KeyDialogTest, KeyRowsAndCompareOnOk) {
    s.Model.ControlHeadType = 1;
    std::unique_ptr<TfrmKFunc> d(Open<TfrmKFunc>(s));
    ExpectRows(*d, {{"cmbSP1", "[PF1] Button function", 0x80A108CA, '1'},
                    {"cmbLP4", "[PF4] Button function(Long Press)", 0x80A108D3, '8'},
                    {"cmbLP5", "[PF5] Button function(Long Press)", 0x80A108D4, '0'},
                    {"cmbSP6", "[PF6] Button function", 0x80A108CF, 'A'},
                    {"cmbLP6", "[PF6] Button function(Long Press)", 0x80A108D5, 'B'},
                    {"cmbUpDn", "Up / Down] Button function", 0x80A108D6, 'U'}});
    d.reset();
    ExpectCompareOnOk(
        [](TDlgState& st) {
            LoadDefault(st);
            return Open<TfrmKFunc>(st);
        },
        {{"cmbSP1"}, {"cmbSP2"}, {"cmbSP3"}, {"cmbSP4"}, {"cmbLP4"}, {"cmbSP5"}, {"cmbLP5"}, {"cmbUpDn"}});
}

// ---- Direct CH ---------------------------------------------------------------------

TEST_F(KeyDialogTest, DirectChOffersNonBlankChannelsAndStoresThePositionInTheGroup) {
    MakeGroups(s.Model);
    TRKmem& m = s.Model;
    m.DirectKey2Group = 0;
    m.DirectKey2Channel = 1;
    m.KeyPf2Short = m.KeyPf2Long = 0x11;
    std::unique_ptr<TfrmDKEdit> d(Open<TfrmDKEdit>(s));
    ASSERT_EQ(d->cmbGPF[0]->count(), 3) << "None and the groups with channels";
    EXPECT_EQ(d->cmbGPF[1]->currentText(), "FIRST");
    EXPECT_EQ(d->cmbCPF[1]->currentText().left(4), "TAGB");
    Pick(d->cmbGPF[1], 2); // the same position of another group
    ASSERT_EQ(d->cmbCPF[1]->count(), 3) << "None and the two channels that are not blank";
    EXPECT_EQ(d->cmbCPF[1]->itemText(1).left(4), "TAGD");
    Pick(d->cmbCPF[1], 1);
    d->btnOK->click();
    EXPECT_EQ(m.DirectKey2Group, 2);
    EXPECT_EQ(m.DirectKey2Channel, 1);
    EXPECT_TRUE(s.FileModified);
}

TEST_F(KeyDialogTest, DirectChEntriesTheListsDoNotOfferShowNoneAndSurviveOk) {
    MakeGroups(s.Model);
    TRKmem& m = s.Model;
    m.DirectKey1Group = 1; // a group without channels
    m.DirectKey1Channel = 0;
    m.DirectKey2Group = 2; // a blank channel
    m.DirectKey2Channel = 0;
    m.DirectKey3Group = 200;
    m.DirectKey3Channel = 7;
    m.DirectKey6Group = m.DirectKey6Channel = 0; // PF6 on a normal head
    const TRKmem before = m;
    std::unique_ptr<TfrmDKEdit> d(Open<TfrmDKEdit>(s));
    EXPECT_EQ(d->cmbGPF[0]->currentText(), "None");
    EXPECT_EQ(d->cmbCPF[0]->currentText(), "None");
    EXPECT_EQ(d->cmbGPF[1]->currentText(), "THIRD");
    EXPECT_EQ(d->cmbCPF[1]->currentText(), "None");
    EXPECT_EQ(d->cmbGPF[2]->currentText(), "None");
    EXPECT_FALSE(d->cmbGPF[5]->isEnabled());
    EXPECT_FALSE(d->cmbCPF[5]->isEnabled());
    d->btnOK->click();
    EXPECT_TRUE(m == before);
    EXPECT_FALSE(s.FileModified);
}

TEST_F(KeyDialogTest, DirectChRowsAndCompareOnOk) {
    MakeGroups(s.Model);
    s.Model.ControlHeadType = 1;
    std::unique_ptr<TfrmDKEdit> d(Open<TfrmDKEdit>(s));
    EXPECT_EQ(d->windowTitle(), "Direct CH key Edit");
    ExpectRows(*d, {{"cmbGPF1", "[CH1]  function", 0xED646DCC, '1'},
                    {"cmbCPF1", "[CH1]  function", 0xED640DAE, '1'},
                    {"cmbGPF6", "[CH6]  function", 0xED646DCC, '6'},
                    {"cmbCPF6", "[CH6]  function", 0xED640DAE + 10, '6'}});
    QTest::keyClick(d->cmbCPF[5], Qt::Key_4, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), d->cmbGPF[3]);
    d.reset();
    ExpectCompareOnOk(
        [](TDlgState& st) {
            LoadDefault(st);
            MakeGroups(st.Model);
            st.Model.DirectKey2Group = 0; // choosing "None" instead marks the file
            st.Model.DirectKey2Channel = 1;
            return Open<TfrmDKEdit>(st);
        },
        {{"cmbGPF1"},
         {"cmbCPF1", false},
         {"cmbGPF2"},
         {"cmbCPF2"},
         {"cmbGPF3"},
         {"cmbCPF3", false},
         {"cmbGPF4"},
         {"cmbCPF4", false},
         {"cmbGPF5"},
         {"cmbCPF5", false}});
}

// ---- Front Panel -------------------------------------------------------------------

TEST_F(KeyDialogTest, FrontPanelRowsAndCompareOnOk) {
    s.Model.AfAttLevel = 200;
    std::unique_ptr<TfrmFPanel> d(Open<TfrmFPanel>(s));
    EXPECT_EQ(d->cmbAALvl->currentText(), "9") << "above the highest preset";
    EXPECT_FALSE(d->cmbVKnob->isEnabled()) << "lock function disabled";
    Pick(d->cmbLFunc, 1);
    ExpectRows(
        *d, {{"cmbRSMode", "Select Rotary Switch mode (Channel/Group)", 0x80A00EE3, 'R'},
             {"cmbPLock", "OFF / ON PTT Button", 0x80A00EE4, 'P'},
             {"cmbDLock", "OFF / ON Dial function", 0x80A00EE5, 'D'},
             {"cmbVKnob", "Level of the volume at the time of dial lock", 0x80A00EE9, 'K'},
             {"cmbLFunc", "Amount of time required to press the key to have action taken", 0x80A00EE8, 'L'},
             {"cmbAALvl", "Level of the volume at the time of 'AF ATT' Key function", 0x80A00EEB, 'A'},
             {"cmbHook", "Disable / Left / Right Hook function", 0x80A00EE6, 'H'},
             {"cmbODecode", "Off hook tone decode", 0x80A00EEC, 'O'},
             {"cmbOHook", "Off hook monitor", 0x80A00EEA, 'M'},
             {"cmbVol", "Volume level is displayed in LCD.", 0x80A00EED, 'V'}});
    d.reset();
    ExpectCompareOnOk(
        [](TDlgState& st) {
            LoadDefault(st);
            st.Model.LockFunction = 1;
            return Open<TfrmFPanel>(st);
        },
        {{"cmbRSMode"},
         {"cmbPLock"},
         {"cmbDLock"},
         {"cmbLFunc"},
         {"cmbVKnob"},
         {"cmbAALvl"},
         {"cmbHook"},
         {"cmbODecode"},
         {"cmbVol"},
         {"cmbOHook"}});
}

// ---- OK rules without widgets ---------------------------------------------------------

TEST(KeyRules, ADirectChKeyKeepsItsChannelWhileItStaysDirectCh) {
    struct Case {
        const char* Name;
        TKeyBoxChoice Short;
        int32_t Code, Group;
    };
    // PF1 holds PF2's Direct CH code 0x11 and a channel.
    for (const Case& c :
         {Case{"untouched", {11, 11}, 0x11, 4}, Case{"Direct CH chosen again", {11, 11, true}, 0x10, 4},
          Case{"MON", {11, 1}, 0x01, 255}}) {
        TRKmem m;
        m.KeyPf1Short = 0x11;
        m.DirectKey1Group = 4;
        StoreKeyPress(m, 0, c.Short, {});
        EXPECT_EQ(m.KeyPf1Short, c.Code) << c.Name;
        EXPECT_EQ(m.DirectKey1Group, c.Group) << c.Name;
    }
}

// ---- Through the main window ------------------------------------------------------

class KeyMainWindowTest : public ::testing::Test {
  protected:
    TScopedProgramFolder folder;
    TScopedMessages messages;
    TScopedFileDialogs dialogs;
    fs::path file = folder / "keys.K36";

    // The default file with key codes no list shows, PF6 on a normal head
    // holding a Direct CH code, and a volume between two presets.
    void WriteFile() {
        TRKmem m;
        TMap36 image;
        ASSERT_TRUE(LoadDataFile(kDefaultFile, m, image));
        m.KeyPf1Short = 0x07;
        m.KeyPf4Long = 0x2C;
        m.KeyPf5Short = 0x12;
        m.KeyPf6Short = m.KeyPf6Long = 0x2B;
        m.KeyPf3Short = m.KeyPf3Long = 0x12;
        m.DirectKey3Group = m.DirectKey3Channel = 0;
        m.DirectKey5Group = 0;
        m.DirectKey5Channel = 3; // not a channel of group 0
        m.VolKnobPosition = 100;
        m.AfAttLevel = 130;
        ASSERT_TRUE(SaveDataFile(file, m, image));
        EnsureBandTemplateFor(file);
    }

    // Runs a menu command whose dialog `act` drives, then OK.
    template <class D> void Run(TfrmMain& frm, const char* command, std::function<void(D&)> act) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr) << command;
            seen = true;
            act(*d);
            d->btnOK->click();
        });
        frm.RunCommand(command);
        EXPECT_TRUE(seen) << command;
    }
};

TEST_F(KeyMainWindowTest, UntouchedDialogsLeaveTheSavedFileByteIdentical) {
    WriteFile();
    const std::string bytes = ReadFileBytes(file);
    TfrmMain frm({file.string()});
    for (const char* item : {"miKeyFunction", "miDirectCH", "miFrontPanel"})
        EXPECT_TRUE(frm.Action(item)->isEnabled()) << item;
    Run<TfrmKFunc>(frm, "miKeyFunction", [](TfrmKFunc&) {});
    Run<TfrmDKEdit>(frm, "miDirectCH", [](TfrmDKEdit&) {});
    Run<TfrmFPanel>(frm, "miFrontPanel", [](TfrmFPanel&) {});
    EXPECT_FALSE(frm.State().FileModified);
    ASSERT_TRUE(frm.SaveCurrentFile());
    EXPECT_TRUE(ReadFileBytes(file) == bytes);
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(KeyMainWindowTest, EditsReachTheSavedFile) {
    WriteFile();
    TfrmMain frm({file.string()});
    Run<TfrmKFunc>(frm, "miKeyFunction", [](TfrmKFunc& d) {
        EXPECT_FALSE(d.cmbSP[5]->isEnabled());
        Pick(d.cmbSP[1], d.cmbSP[1]->findText("Direct CH"));
        EXPECT_FALSE(d.cmbLP[1]->isEnabled());
        Pick(d.cmbSP[2], d.cmbSP[2]->findText("MON"));
        Pick(d.cmbUpDn, 1);
    });
    Run<TfrmFPanel>(frm, "miFrontPanel", [](TfrmFPanel& d) {
        EXPECT_EQ(d.cmbVKnob->currentText(), "4");
        Pick(d.cmbLFunc, 1);
        Pick(d.cmbVKnob, 3);
        Pick(d.cmbHook, 1);
    });
    Run<TfrmDKEdit>(frm, "miDirectCH", [](TfrmDKEdit& d) {
        Pick(d.cmbGPF[3], 1);
        Pick(d.cmbCPF[3], 1);
    });
    EXPECT_TRUE(frm.State().FileModified);
    ASSERT_TRUE(frm.SaveCurrentFile());

    TRKmem m;
    TMap36 image;
    ASSERT_TRUE(LoadDataFile(file, m, image));
    // PF1 and PF5 untouched (0x07, another key's Direct CH code), PF2 Direct
    // CH, PF3 from Direct CH to MON, PF4 a channel, PF6 without its head.
    EXPECT_EQ((std::array{m.KeyPf1Short, m.KeyPf2Short, m.KeyPf2Long, m.KeyPf3Short, m.KeyPf3Long,
                          m.KeyPf4Short, m.KeyPf4Long, m.KeyPf5Short, m.KeyPf6Short}),
              (std::array{0x07, 0x11, 0x11, 0x01, 0x01, 0x13, 0x13, 0x12, 0x2B}));
    EXPECT_EQ((std::array{m.DirectKey3Group, m.DirectKey3Channel, m.DirectKey4Group, m.DirectKey4Channel,
                          m.DirectKey5Channel}),
              (std::array{255, 255, 0, 0, 3}));
    EXPECT_EQ((std::array{m.KeyUpDown, m.KeyLong6, m.KeyShort7, m.KeyLong7}), (std::array{8, 8, 9, 9}));
    EXPECT_EQ((std::array{m.LockFunction, m.VolKnobPosition, m.AfAttLevel, m.HookOff, m.RightHookOff}),
              (std::array{1, 105, 130, 0, 1}));
}

} // namespace
