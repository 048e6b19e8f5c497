// The settings-dialog pattern on a small dialog of its own: rows bound to
// model fields, driven with real key and mouse events.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "dialogs/dc_ChannelPicker.h"
#include "support/GuiSupport.h"
#include "support/ModelBuilder.h"

namespace {

const TIntEditRule kAfMin{52, 52, 127, "", 1, TIntEditRule::Nearest, 10, 0};

class TTestDialog : public TDlgBase {
  public:
    explicit TTestDialog(TEditorState& c) : TDlgBase(nullptr, c, "Test", 320, 220) {
        int r = AddRow("&Bell");
        cmbBell = AddCombo(r, 1, ComboDef("cmbBell", 101, "Enable the bell"), {"Disabled", "Enabled"});
        BindIndex(cmbBell, &TRKmem::Bell);
        r = AddRow("&Lock");
        cmbLock = AddCombo(r, 1, ComboDef("cmbLock", 102, "Lock"), {"Off", "On"});
        r = AddRow("A&F minimum");
        TEditDef af;
        af.Name = "edtAf";
        af.HelpContext = 103;
        af.Hint1 = "AF minimum";
        af.Hint2 = "52 .. 127";
        af.MaxLength = 3;
        af.Filter = TCharFilter::Digits;
        af.Converter = IntEditConverter(kAfMin);
        af.OnLeave = [this] { ++leaves; };
        edtAf = AddEdit(r, 1, af);
        BindInt(edtAf, kAfMin, &TRKmem::AfVrMinLevel);
        r = AddRow("&Tag");
        TEditDef tag;
        tag.Name = "edtTag";
        tag.MaxLength = 8;
        tag.Filter = TCharFilter::Tag;
        edtTag = AddEdit(r, 1, tag);
        BindText(edtTag, &TRKmem::PowerOnTag);
    }
    void UpdateEnabled() override { SetControlEnabled(cmbLock, 0); }

    QComboBox* cmbBell;
    QComboBox* cmbLock;
    QLineEdit* edtAf;
    QLineEdit* edtTag;
    int leaves = 0;
};

class DlgBaseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureApp();
        s = std::make_unique<TDlgState>();
        s->Model.SetNewConfiguration();
        s->Model.Bell = 0;
        s->Model.AfVrMinLevel = 60;
        s->Model.PowerOnTag = "HELLO";
        dlg = std::make_unique<TTestDialog>(s->Ctx);
        ASSERT_TRUE(ShowActive(*dlg));
    }
    std::unique_ptr<TDlgState> s;
    std::unique_ptr<TTestDialog> dlg;
};

TEST_F(DlgBaseTest, ShowFillsBoundControlsInDisplayForm) {
    EXPECT_EQ(dlg->cmbBell->currentIndex(), 0);
    EXPECT_EQ(dlg->edtAf->text(), "60");
    EXPECT_EQ(dlg->edtTag->text(), "HELLO");
    EXPECT_TRUE(dlg->edtAf->isReadOnly());
    EXPECT_FALSE(dlg->cmbLock->isEnabled());
    EXPECT_EQ(dlg->cmbLock->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Button));
}

TEST_F(DlgBaseTest, TheFrameOffersOnlyAClose) {
    const Qt::WindowFlags flags = dlg->windowFlags();
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint) << "else the window manager adds every button";
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

TEST_F(DlgBaseTest, EnteringAControlShowsItsHints) {
    Focus(dlg->cmbBell);
    EXPECT_EQ(dlg->pnlHint1->text(), "Enable the bell");
    EXPECT_EQ(dlg->pnlHint2->text(), "<SELECT>");
    Focus(dlg->edtAf);
    EXPECT_EQ(dlg->pnlHint1->text(), "AF minimum");
    EXPECT_EQ(dlg->pnlHint2->text(), "52 .. 127");
    Focus(dlg->edtTag);
    EXPECT_EQ(dlg->pnlHint1->text(), "");
    EXPECT_EQ(dlg->pnlHint2->text(), "<ENTER>");
    EXPECT_EQ(dlg->FocusedControl(), dlg->edtTag);
}

TEST_F(DlgBaseTest, AltAcceleratorFocusesEnabledControlsOnly) {
    Focus(dlg->cmbBell);
    QTest::keyClick(dlg->cmbBell, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), dlg->edtAf);
    QTest::keyClick(dlg->edtAf, Qt::Key_L, Qt::AltModifier); // the lock row is disabled
    EXPECT_EQ(QApplication::focusWidget(), dlg->edtAf);
    QTest::keyClick(dlg->edtAf, Qt::Key_Z, Qt::AltModifier); // no such row
    EXPECT_EQ(QApplication::focusWidget(), dlg->edtAf);
    EXPECT_EQ(dlg->edtAf->text(), "60");
}

TEST_F(DlgBaseTest, F1ShowsHelpForTheFocusedControl) {
    std::vector<std::pair<int, uint32_t>> calls;
    auto previous =
        SetHelpHandler([&](int command, uint32_t context) { calls.emplace_back(command, context); });
    Focus(dlg->edtAf);
    QTest::keyClick(dlg->edtAf, Qt::Key_F1);
    SetHelpHandler(previous);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], std::make_pair(1, 103u));
}

TEST_F(DlgBaseTest, TypingReplacesTheValueAndLeavingShowsTheDisplayText) {
    Focus(dlg->edtAf);
    QTest::keyClicks(dlg->edtAf, "2x0");
    EXPECT_FALSE(dlg->edtAf->isReadOnly());
    EXPECT_TRUE(dlg->EditState());
    EXPECT_EQ(dlg->edtAf->text(), "20");                         // "x" refused
    QTest::keyClick(dlg->edtAf, Qt::Key_5, Qt::ControlModifier); // discarded
    EXPECT_EQ(dlg->edtAf->text(), "20");
    Focus(dlg->cmbBell);
    EXPECT_EQ(dlg->edtAf->text(), "52");
    EXPECT_TRUE(dlg->edtAf->isReadOnly());
    EXPECT_FALSE(dlg->EditState());
    EXPECT_EQ(dlg->leaves, 1);
}

TEST_F(DlgBaseTest, UpperCasingFilterEntersTheConvertedCharacter) {
    Focus(dlg->edtTag);
    QTest::keyClicks(dlg->edtTag, "ab;c");
    EXPECT_EQ(dlg->edtTag->text(), "ABC");
}

TEST_F(DlgBaseTest, EnterAndDoubleClickToggleTheForms) {
    Focus(dlg->edtAf);
    QTest::keyClick(dlg->edtAf, Qt::Key_Return);
    EXPECT_FALSE(dlg->edtAf->isReadOnly());
    EXPECT_EQ(dlg->edtAf->selectedText(), "60");
    QTest::keyClicks(dlg->edtAf, "300");
    QTest::keyClick(dlg->edtAf, Qt::Key_Return);
    EXPECT_TRUE(dlg->edtAf->isReadOnly());
    EXPECT_EQ(dlg->edtAf->text(), "127");
    QTest::mouseDClick(dlg->edtAf, Qt::LeftButton);
    EXPECT_FALSE(dlg->edtAf->isReadOnly());
    QTest::mouseDClick(dlg->edtAf, Qt::LeftButton);
    EXPECT_TRUE(dlg->edtAf->isReadOnly());
    // Enter stored "127" as the entry text: Esc after more typing goes back to it.
    QTest::keyClicks(dlg->edtAf, "9");
    QTest::keyClick(dlg->edtAf, Qt::Key_Escape);
    EXPECT_EQ(dlg->edtAf->text(), "127");
}

TEST_F(DlgBaseTest, EscRestoresTheEditThenCancels) {
    Focus(dlg->edtAf);
    QTest::keyClicks(dlg->edtAf, "99");
    QTest::keyClick(dlg->edtAf, Qt::Key_Escape);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->edtAf->text(), "60");
    EXPECT_TRUE(dlg->edtAf->isReadOnly());
    QTest::keyClick(dlg->edtAf, Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_EQ(s->Model.AfVrMinLevel, 60);
    EXPECT_FALSE(s->FileModified);
}

TEST_F(DlgBaseTest, OkWithoutChangesLeavesFileModifiedClear) {
    dlg->btnOK->click();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(s->FileModified);
}

TEST_F(DlgBaseTest, OkWritesBoundFieldsAndMarksTheChange) {
    Focus(dlg->cmbBell);
    QTest::keyClick(dlg->cmbBell, Qt::Key_Down);
    Focus(dlg->edtAf);
    QTest::keyClicks(dlg->edtAf, "100"); // still in edit form when OK is pressed
    dlg->btnOK->click();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(s->Model.Bell, 1);
    EXPECT_EQ(s->Model.AfVrMinLevel, 100);
    EXPECT_EQ(s->Model.PowerOnTag, "HELLO");
    EXPECT_TRUE(s->FileModified);
}

TEST(DlgRoutines, HintSecondLineAndEnterHelpers) {
    EnsureApp();
    QLineEdit edit;
    QComboBox combo;
    QPushButton button;
    EXPECT_EQ(HintSecondLine(&edit), "<ENTER>");
    EXPECT_EQ(HintSecondLine(&combo), "<SELECT>");
    EXPECT_EQ(HintSecondLine(&button), "");
    EXPECT_TRUE(SwallowEnter(Qt::Key_Return));
    EXPECT_FALSE(SwallowEnter(Qt::Key_A));
    EXPECT_FALSE(ComboEnterToggles(&combo, Qt::Key_Space));
    SetEditForm(&edit, 1);
    EXPECT_FALSE(edit.isReadOnly());
    SetEditForm(&edit, 2); // anything but 1 is the display form
    EXPECT_TRUE(edit.isReadOnly());
}

// The pieces the later dialogs build on, on a dialog with two pages.
class TToolkitDialog : public TDlgBase {
  public:
    explicit TToolkitDialog(TEditorState& c) : TDlgBase(nullptr, c, "Toolkit", 420, 320) {
        int r = AddRow("&Bell");
        cmbBell = AddCombo(r, 1, ComboDef("cmbBell", 1), {"Disabled", "Enabled"});
        BindIndex(cmbBell, Field(&TRKmem::Bell));
        TComboDef light = ComboDef("cmbLight", 2);
        light.OnLeave = [this] { ++lightLeaves; };
        r = AddRow("&Lighting");
        cmbLight = AddCombo(r, 1, light, {"Disabled", "Enabled"});
        BindInvertedFlag(cmbLight, Field(&TRKmem::LightingOff));
        AddPage("Table1");
        r = AddRow("&1");
        cmbTone1 = AddCombo(r, 1, ComboDef("cmbTone1", 3), {"OFF", "A", "B"});
        BindIndex(cmbTone1, Member(&TRKmem::Tones, 0, &TTonePair::FirstTone));
        TEditDef delay;
        delay.Name = "edtDelay";
        delay.Filter = TCharFilter::Digits;
        delay.MaxLength = 4;
        delay.Converter = IntEditConverter(kDelay);
        r = AddRow("&Delay");
        edtDelay = AddEdit(r, 1, delay);
        BindInt(edtDelay, kDelay, Field(&TRKmem::MdcAniDelayTime), 20);
        AddPage("Table2");
        rowTone2 = AddRow("&1");
        cmbTone2 = AddCombo(rowTone2, 1, ComboDef("cmbTone2", 4), {"OFF", "A", "B"});
        BindIndex(cmbTone2, Member(&TRKmem::Tones, 1, &TTonePair::FirstTone));
        TEditDef id;
        id.Name = "edtMsg";
        id.ReadOnly = true;
        r = AddRow("&Message");
        edtMsg = AddEdit(r, 1, id);
        BindText(edtMsg, Element(&TRKmem::MdcMessageIds, 1));
        r = AddRow("&Group");
        auto* grp = AddCombo(r, 1, ComboDef("cmbGrp", 5), {});
        auto* chn = AddCombo(r, 2, ComboDef("cmbChn", 6), {});
        picker = new TGroupChannelPicker(grp, chn);
        BindPicker(picker, Field(&TRKmem::HomeGroup), Field(&TRKmem::HomeChannel));
    }
    using TDlgBase::Pages;
    using TDlgBase::SetRowCaption;
    bool ExtraKeyDown(QKeyEvent* key, QLineEdit* edit) override {
        if (key->key() != Qt::Key_PageUp) return false;
        keyText = edit ? edit->text() : QStringLiteral("<none>");
        return true;
    }

    static inline const TIntEditRule kDelay{0, 0, 1000, "msec", 20, TIntEditRule::Down, 10, 0};
    QComboBox *cmbBell, *cmbLight, *cmbTone1, *cmbTone2;
    QLineEdit *edtDelay, *edtMsg;
    TGroupChannelPicker* picker;
    int rowTone2 = -1;
    int lightLeaves = 0;
    QString keyText;
};

class ToolkitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureApp();
        s = std::make_unique<TDlgState>();
        TRKmem& m = s->Model;
        m = TModelBuilder()
                .Groups({{0, 2}, {3, 3}})
                .GroupName(0, "FIRST")
                .GroupName(3, "FOURTH")
                .TaggedChannels(5, 'A', {2}) // channel 2: group 3, position 0
                .Build();
        m.HomeGroup = 3;
        m.HomeChannel = 2;
        m.Bell = 7;             // no item shows it
        m.MdcAniDelayTime = 51; // 1020 ms: more than the edit shows
        m.LightingOff = 1;
        m.MdcMessageIds[1] = "8001";
    }
    void Show() {
        dlg = std::make_unique<TToolkitDialog>(s->Ctx);
        ASSERT_TRUE(ShowActive(*dlg));
    }
    std::unique_ptr<TDlgState> s;
    std::unique_ptr<TToolkitDialog> dlg;
};

TEST_F(ToolkitTest, AltActsOnTheVisiblePageOnly) {
    Show();
    Focus(dlg->cmbBell);
    dlg->Pages()->setCurrentIndex(1);
    QTest::keyClick(dlg->cmbBell, Qt::Key_D, Qt::AltModifier); // "&Delay" is on the hidden page
    EXPECT_EQ(QApplication::focusWidget(), dlg->cmbBell);
    QTest::keyClick(dlg->cmbBell, Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), dlg->cmbTone2);
    dlg->Pages()->setCurrentIndex(0);
    QTest::keyClick(dlg->cmbTone1, Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), dlg->cmbTone1);
    QTest::keyClick(dlg->cmbTone1, Qt::Key_L, Qt::AltModifier); // outside the pages: always
    EXPECT_EQ(QApplication::focusWidget(), dlg->cmbLight);
}

TEST_F(ToolkitTest, ARowCaptionAndItsAcceleratorChangeWithThePage) {
    Show();
    dlg->Pages()->setCurrentIndex(1);
    Focus(dlg->cmbBell);
    dlg->SetRowCaption(dlg->rowTone2, "Grp 10(&A)");
    EXPECT_EQ(dlg->AcceleratorOf(dlg->cmbTone2), QChar('A'));
    QTest::keyClick(dlg->cmbBell, Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), dlg->cmbBell);
    QTest::keyClick(dlg->cmbBell, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), dlg->cmbTone2);
}

TEST_F(ToolkitTest, UntouchedControlsWriteNothingAndOkChangesNoField) {
    Show();
    EXPECT_EQ(dlg->cmbBell->currentIndex(), -1);
    EXPECT_EQ(dlg->edtDelay->text(), "1000 msec");
    EXPECT_EQ(dlg->cmbLight->currentText(), "Disabled");
    const TRKmem before = s->Model;
    Focus(dlg->edtDelay); // entered and left, not typed in
    Focus(dlg->cmbBell);
    dlg->btnOK->click();
    EXPECT_EQ(s->Model.Bell, 7);
    EXPECT_EQ(s->Model.MdcAniDelayTime, 51);
    EXPECT_TRUE(s->Model == before);
    EXPECT_FALSE(s->FileModified);
}

TEST_F(ToolkitTest, ChangedControlsWriteThroughTheirBindings) {
    Show();
    Focus(dlg->edtDelay);
    QTest::keyClicks(dlg->edtDelay, "139");
    Focus(dlg->cmbBell);
    EXPECT_EQ(dlg->edtDelay->text(), "120 msec");
    Pick(dlg->cmbBell, 1);
    Pick(dlg->cmbLight, 1);
    Pick(dlg->cmbTone1, 2);
    dlg->btnOK->click();
    EXPECT_EQ(s->Model.Bell, 1);
    EXPECT_EQ(s->Model.LightingOff, 0);
    EXPECT_EQ(s->Model.Tones[0].FirstTone, 2);
    EXPECT_EQ(s->Model.MdcAniDelayTime, 6);
    EXPECT_TRUE(s->FileModified);
}

TEST_F(ToolkitTest, HooksSeeTheLeftListAndTheTextBeingEdited) {
    Show();
    Focus(dlg->cmbLight);
    Focus(dlg->cmbBell);
    EXPECT_EQ(dlg->lightLeaves, 1);
    dlg->Pages()->setCurrentIndex(0);
    Focus(dlg->edtDelay);
    QTest::keyClicks(dlg->edtDelay, "42");
    QTest::keyClick(dlg->edtDelay, Qt::Key_PageUp);
    EXPECT_EQ(dlg->keyText, "42");
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(ToolkitTest, AReadOnlyEditTakesTheFocusButNoTyping) {
    Show();
    dlg->Pages()->setCurrentIndex(1);
    Focus(dlg->edtMsg);
    EXPECT_EQ(dlg->FocusedControl(), dlg->edtMsg);
    QTest::keyClicks(dlg->edtMsg, "12");
    QTest::keyClick(dlg->edtMsg, Qt::Key_Return);
    QTest::keyClick(dlg->edtMsg, Qt::Key_Backspace);
    EXPECT_EQ(dlg->edtMsg->text(), "8001");
    EXPECT_TRUE(dlg->edtMsg->isReadOnly());
}

TEST_F(ToolkitTest, PickerListsNoBlankChannelAndReturnsThePositionInTheGroup) {
    Show();
    QComboBox* grp = dlg->picker->GroupBox();
    QComboBox* chn = dlg->picker->ChannelBox();
    ASSERT_EQ(grp->count(), 2);
    EXPECT_EQ(grp->itemText(1), "FOURTH");
    EXPECT_EQ(dlg->picker->GroupNumbers(), (std::vector<int32_t>{0, 3}));
    // Group 3 holds table entries 2..4; entry 2 is blank.
    ASSERT_EQ(chn->count(), 2);
    EXPECT_EQ(chn->itemText(0).left(1), "D");
    EXPECT_EQ(chn->currentText().left(1), "E");
    EXPECT_EQ(dlg->picker->Position(), 2);
    Pick(chn, 0);
    EXPECT_EQ(dlg->picker->Position(), 1);
    EXPECT_EQ(dlg->picker->ChannelIndex(), 3);
    Pick(grp, 0); // lists the group's channels and selects the first
    EXPECT_EQ(chn->count(), 2);
    EXPECT_EQ(dlg->picker->Position(), 0);
    Pick(chn, 1);
    dlg->btnOK->click();
    EXPECT_EQ(s->Model.HomeGroup, 0);
    EXPECT_EQ(s->Model.HomeChannel, 1);
    EXPECT_TRUE(s->FileModified);
}

TEST(ChannelPicker, ExclusivePickersNeverOfferAChannelTwice) {
    EnsureApp();
    TRKmem m;
    m.SetNewConfiguration();
    m.GroupAreas.Set(0, 3);
    for (int32_t i = 0; i < 3; ++i)
        m.Channels[i].Blank = 0;
    QComboBox g1, c1, g2, c2;
    auto* a = new TGroupChannelPicker(&g1, &c1, {true, true});
    auto* b = new TGroupChannelPicker(&g2, &c2, {true, true});
    a->Load(m);
    b->Load(m);
    a->Show(0, 1);
    b->Show(255, 255);
    EXPECT_EQ(c1.currentText().left(7), "Ch002: ");
    EXPECT_EQ(b->Group(), TGroupChannelPicker::kNone);
    EXPECT_EQ(b->Position(), TGroupChannelPicker::kNone);
    b->Show(0, 255);
    RefillExclusive({a, b});
    EXPECT_EQ(c2.count(), 3) << "None and the two channels row 1 does not hold";
    EXPECT_EQ(c2.findText("Ch002: ", Qt::MatchStartsWith), -1);
    EXPECT_EQ(c1.count(), 4);
    EXPECT_EQ(a->Position(), 1);
}

} // namespace
