// The settings-dialog pattern on a small dialog of its own: rows bound to
// model fields, driven with real key and mouse events.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "DlgTestSupport.h"

namespace {

const TIntEditRule kAfMin{52, 52, 127, "", 1, TIntEditRule::Nearest, 10, 0};

class TTestDialog : public TDlgBase {
  public:
    explicit TTestDialog(TDialogContext& c) : TDlgBase(nullptr, c, "Test", 320, 220) {
        int r = AddRow("&Bell");
        cmbBell = AddCombo(r, 1, {{"cmbBell", 101, "Enable the bell", {}}}, {"Disabled", "Enabled"});
        BindIndex(cmbBell, &TRKmem::Bell);
        r = AddRow("&Lock");
        cmbLock = AddCombo(r, 1, {{"cmbLock", 102, "Lock", {}}}, {"Off", "On"});
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
        dlg->show();
        dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    }
    void Focus(QWidget* w) {
        w->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
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

} // namespace
