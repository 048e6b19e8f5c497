// The channel allocation dialog driven like a user: on its own, and through
// the main window's Channel Allocation command, then saved and reloaded.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Main.h"
#include "dialogs/D_Group.h"
#include "dialogs/dc_DlgHelpers.h"
#include "dialogs/dc_GroupRules.h"
#include "image/dc_DataFile.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"
#include "model/dc_Text.h"
#include "support/GuiSupport.h"

namespace fs = std::filesystem;

namespace {

void Type(QLineEdit* edit, const char* text) {
    Focus(edit);
    QTest::keyClicks(edit, QString::fromLatin1(text));
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

void SetTag(TChannel& ch, const std::string& tag) {
    for (int32_t i = 0; i < ch.Tags.Count(); ++i)
        ch.Tags[i].Text = static_cast<size_t>(i) < tag.size() ? tag.substr(static_cast<size_t>(i), 1) : "";
}

// A configuration whose groups hold `counts` channels, each channel in use,
// in no scan list and tagged "K" and its index.
TRKmem Allocated(const std::vector<uint32_t>& counts) {
    TRKmem m;
    m.SetNewConfiguration();
    m.UserScanList.fill(1);
    m.DealerScanList.fill(1);
    int32_t index = 0;
    for (size_t g = 0; g < counts.size(); ++g) {
        m.GroupAreas.Set(static_cast<int32_t>(g), counts[g]);
        for (uint32_t k = 0; k < counts[g]; ++k, ++index) {
            m.Channels[index].Blank = 0;
            SetTag(m.Channels[index], "K" + std::to_string(index));
        }
    }
    return m;
}

TfrmGroup* OpenDialog(TDlgState& s) {
    auto* d = new TfrmGroup(nullptr, s.Ctx);
    EXPECT_TRUE(ShowActive(*d));
    return d;
}

// ---- The dialog on its own -------------------------------------------------------

TEST(GroupDialog, PagesWrapAndTheirRowsHaveTheirOwnAccelerators) {
    EnsureApp();
    TDlgState s;
    s.Model = Allocated({3});
    s.Model.SetUserScan(0, 0);
    std::unique_ptr<TfrmGroup> d(OpenDialog(s));
    EXPECT_EQ(d->pnlGrp[0]->accessibleName(), "Grp &1");
    EXPECT_EQ(d->pnlGrp[9]->accessibleName(), "Grp 10(&A)");
    EXPECT_EQ(d->pnlGrpCnt->text(), "  1/ 10 page");
    EXPECT_EQ(d->lblExp->font().pointSize(), 7);
    Focus(d->edtGTag[3]);
    EXPECT_EQ(d->pnlHint1->text(), "Edit Group alpha tag");
    EXPECT_EQ(d->pnlHint2->text(), "<ENTER>");
    Key(Qt::Key_PageUp);
    EXPECT_EQ(d->Page(), 2);
    EXPECT_EQ(d->pnlGrp[0]->accessibleName(), "Grp 2&6");
    EXPECT_EQ(d->edtGTag[0]->text(), "GROUP026");
    Key(Qt::Key_6, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), d->edtCh[0]);
    EXPECT_EQ(d->pnlHint1->text(), "Edit Channel Number(0-250)");
    Focus(d->edtGTag[0]);
    EXPECT_EQ(d->Scratch().GroupAreas.Get(25), 0u) << "passing through \"000\" commits nothing";
    Key(Qt::Key_PageDown);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(d->Page(), 10);
    EXPECT_EQ(d->pnlGrpCnt->text(), " 10/ 10 page");
    EXPECT_EQ(d->pnlGrp[24]->accessibleName(), "Grp 250(&P)");
    Key(Qt::Key_PageUp);
    EXPECT_EQ(d->Page(), 1);
    Focus(d->cmbScan[0]);
    EXPECT_EQ(d->pnlHint1->text(), "Disable/Enable  TTS and Group Scan");
    EXPECT_EQ(d->pnlHint2->text(), "<SELECT>");
}

TEST(GroupDialog, EscapeRestoresTheCountThenCancels) {
    EnsureApp();
    TDlgState s;
    s.Model = Allocated({3, 4});
    const TRKmem before = s.Model;
    std::unique_ptr<TfrmGroup> d(OpenDialog(s));
    Type(d->edtCh[1], "9");
    QTest::keyClick(d->edtCh[1], Qt::Key_Escape);
    EXPECT_EQ(d->edtCh[1]->text(), "004");
    EXPECT_TRUE(d->isVisible());
    Type(d->edtCh[1], "2");
    QTest::keyClick(d->edtCh[1], Qt::Key_Return);
    EXPECT_EQ(d->Scratch().GroupAreas.Get(1), 2u);
    QTest::keyClick(d->edtCh[1], Qt::Key_Escape);
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_TRUE(s.Model == before);
    EXPECT_FALSE(s.FileModified);
}

TEST(GroupDialog, EveryControlChangedAloneMarksTheFileModified) {
    EnsureApp();
    std::vector<TCompareRow> rows;
    static std::vector<std::string> names;
    if (names.empty())
        for (const char* base : {"edtCh", "edtGTag"})
            for (int r = 1; r <= kGroupsPerPage; ++r)
                names.push_back(base + std::to_string(r));
    for (const std::string& n : names)
        rows.push_back({n.c_str()});
    rows.push_back({"cmbScan1"}); // the one scanned group; the others' boxes are disabled
    ExpectCompareOnOk(
        [](TDlgState& st) -> TDlgBase* {
            st.Model = Allocated({10});
            st.Model.SetUserScan(2, 0);
            return OpenDialog(st);
        },
        rows);
}

// ---- Through the main window -------------------------------------------------------

class GroupCommandTest : public ::testing::Test {
  protected:
    TScopedProgramFolder folder;
    TScopedMessages messages;
    TScopedFileDialogs dialogs;

    // The window started on a data file of `model` (its band template too).
    std::unique_ptr<TfrmMain> Start(const TRKmem& model) {
        const fs::path file = folder / "default.K36";
        TMap36 image;
        EXPECT_TRUE(SaveDataFile(file, model, image));
        EnsureBandTemplateFor(file);
        return std::make_unique<TfrmMain>(std::vector<std::string>{});
    }

    // Runs the command with `steps` done in the dialog; the dialog is
    // cancelled when the steps leave it open.
    void RunDialog(TfrmMain& frm, const std::function<void(TfrmGroup&)>& steps) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<TfrmGroup*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            d->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(d));
            steps(*d);
            ran = true;
            if (d->isVisible()) d->reject();
        });
        frm.RunCommand("miChannel");
        QApplication::processEvents();
        EXPECT_TRUE(ran);
    }

    // Save As a new file, read back.
    TRKmem SaveAndReload(TfrmMain& frm, const std::string& name) {
        const fs::path file = folder / name;
        dialogs->SaveAnswers.resize(dialogs->Saved.size());
        dialogs->SaveAnswers.push_back(file);
        frm.RunCommand("miSaveAs");
        TRKmem back;
        TMap36 image;
        EXPECT_TRUE(LoadDataFile(file, back, image));
        return back;
    }
};

TEST_F(GroupCommandTest, ResizedGroupsKeepTheirChannelsAndGetNewBlankOnes) {
    TRKmem m = Allocated({2, 3, 4});
    m.SetUserScan(3, 0);   // group 2, second channel: dropped
    m.SetDealerScan(5, 0); // group 3, first channel
    m.SetUserScan(8, 0);   // group 3, last channel
    auto frm = Start(m);
    RunDialog(*frm, [](TfrmGroup& d) {
        Type(d.edtCh[1], "1");
        Type(d.edtCh[2], "6");
        d.btnOK->click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    EXPECT_TRUE(frm->State().FileModified);
    EXPECT_TRUE(messages->Shown.empty());
    const TRKmem back = SaveAndReload(*frm, "resized.K36");
    EXPECT_EQ(back.GroupAreas.Get(1), 1u);
    EXPECT_EQ(back.GroupAreas.Get(2), 6u);
    const char* tags[] = {"K0", "K1", "K2", "K5", "K6", "K7", "K8", "CHAN-005", "CHAN-006"};
    for (int32_t i = 0; i < 9; ++i) {
        EXPECT_EQ(TrimText(back.Channels[i].Tags.Joined()), tags[i]) << i; // stored blank-padded
        EXPECT_EQ(back.Channels[i].Blank, i < 7 ? 0 : 1) << i;
    }
    EXPECT_TRUE(back.Channels[7].RxFreq == frm->State().TemplateChannel.RxFreq);
    for (int32_t i = 0; i < 10; ++i) {
        EXPECT_EQ(back.GetDealerScan(i), i == 3 ? 0 : 1) << i;
        EXPECT_EQ(back.GetUserScan(i), i == 6 ? 0 : 1) << i;
    }
}

TEST_F(GroupCommandTest, WithAllChannelsAllocatedTabbingAndPagingAddNothing) {
    auto frm = Start(Allocated({250}));
    RunDialog(*frm, [](TfrmGroup& d) {
        for (int page = 1; page <= kGroupPages; ++page) {
            Focus(d.edtCh[0]); // "000" on every page but the first
            Focus(d.edtGTag[0]);
            Key(Qt::Key_PageUp);
        }
        ASSERT_EQ(d.Page(), 1);
        // A count in its edit form when the page changes stays with its group.
        Focus(d.edtCh[0]);
        Key(Qt::Key_Return);
        Key(Qt::Key_PageUp);
        EXPECT_EQ(d.edtCh[0]->text(), "000");
        Focus(d.edtGTag[0]);
        Type(d.edtCh[0], "0");
        Key(Qt::Key_Escape);
        EXPECT_EQ(d.edtCh[0]->text(), "000") << "Escape restores the group shown now";
        EXPECT_TRUE(d.isVisible());
        Type(d.edtCh[0], "5");
        Key(Qt::Key_PageDown);
        EXPECT_EQ(d.edtCh[0]->text(), "250");
        Type(d.edtCh[1], "7");
        Focus(d.edtCh[2]);
        EXPECT_EQ(AllocatedChannels(d.Scratch()), 250);
        EXPECT_EQ(d.Scratch().GroupAreas.Get(0), 250u);
        d.btnOK->click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    EXPECT_EQ(AllocatedChannels(frm->State().Model), 250);
    EXPECT_FALSE(frm->State().FileModified);
}

TEST_F(GroupCommandTest, HomeChannelOutsideIsAskedCancelChangesNothingYesClearsIt) {
    TRKmem m = Allocated({2, 4});
    m.HomeGroup = 1;
    m.HomeChannel = 3;
    auto frm = Start(m);
    RunDialog(*frm, [&](TfrmGroup& d) {
        const TRKmem before = frm->State().Model;
        Type(d.edtGTag[0], "X");
        Type(d.edtCh[1], "2");
        messages->Answers = {TMsgResult::Cancel};
        d.btnOK->click();
        ASSERT_EQ(messages->Shown.size(), 1u);
        EXPECT_EQ(messages->Shown[0].Text, "'Home Channel' will be cleard.");
        EXPECT_EQ(messages->Shown[0].Type, TMsgType::Information);
        EXPECT_EQ(messages->Shown[0].Buttons, TMsgButtons::YesCancel);
        EXPECT_EQ(messages->Shown[0].DefaultButton, 1);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(frm->State().Model == before);
        EXPECT_FALSE(frm->State().FileModified);
        d.btnOK->click(); // answered with the preselected Yes
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    EXPECT_EQ(messages->Shown.size(), 2u);
    const TRKmem back = SaveAndReload(*frm, "home.K36");
    EXPECT_EQ(back.HomeGroup, 255);
    EXPECT_EQ(back.HomeChannel, 255);
    EXPECT_EQ(back.GroupNames[0].Text, "X");
    EXPECT_EQ(back.GroupAreas.Get(1), 2u);
}

TEST_F(GroupCommandTest, DirectKeysAndChannelSwitchEntriesOutsideAreCleared) {
    TRKmem m = Allocated({2, 4});
    m.DirectKey1Group = 1, m.DirectKey1Channel = 1;
    m.DirectKey2Group = 1, m.DirectKey2Channel = 2;
    m.DirectKey5Group = 1, m.DirectKey5Channel = 3;
    m.CodeSwitches[0] = {1, 3};
    m.CodeSwitches[3] = {1, 2};
    m.CodeSwitches[4] = {1, 0};
    auto frm = Start(m);
    RunDialog(*frm, [](TfrmGroup& d) {
        Type(d.edtCh[1], "2");
        d.btnOK->click();
    });
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"[CH5] function key will be cleard.",
                                                          "'Channel switch Table' will be cleard."}));
    const TRKmem back = SaveAndReload(*frm, "keys.K36");
    EXPECT_EQ(back.DirectKey1Channel, 1);
    EXPECT_EQ(back.DirectKey2Group, 255);
    EXPECT_EQ(back.DirectKey2Channel, 255);
    EXPECT_EQ(back.DirectKey5Group, 255);
    EXPECT_EQ(back.DirectKey5Channel, 255);
    EXPECT_EQ(back.CodeSwitches[0].Position, 3) << "entry 0 is carried along";
    EXPECT_EQ(back.CodeSwitches[3].Group, 255);
    EXPECT_EQ(back.CodeSwitches[3].Position, 255);
    EXPECT_EQ(back.CodeSwitches[4].Group, 1);
}

TEST_F(GroupCommandTest, ScanBoxesByBoardAndAnUntouchedOkChangesNoByte) {
    struct Case {
        const char* Board;
        QStringList Unscanned;
        bool Enabled;
    };
    const Case cases[] = {{"No", {"Disable"}, false}, {"OB-81 (TR-TRUNK)", {"Disable", "T-TR"}, true}};
    for (const Case& c : cases) {
        TRKmem m = Allocated({2, 3});
        SelectOptionBoard(m, c.Board);
        m.SetUserScan(0, 0);
        auto frm = Start(m);
        ASSERT_EQ(OptionBoardName(frm->State().Model), c.Board);
        const TRKmem first = SaveAndReload(*frm, "first.K36");
        RunDialog(*frm, [&](TfrmGroup& d) {
            QStringList items;
            for (int i = 0; i < d.cmbScan[1]->count(); ++i)
                items << d.cmbScan[1]->itemText(i);
            EXPECT_EQ(items, c.Unscanned) << c.Board;
            EXPECT_EQ(d.cmbScan[1]->currentText(), "Disable");
            EXPECT_EQ(d.cmbScan[1]->isEnabled(), c.Enabled) << c.Board;
            EXPECT_TRUE(d.cmbScan[0]->isEnabled());
            EXPECT_FALSE(d.cmbScan[2]->isEnabled()) << "no channels";
            d.btnOK->click();
        });
        EXPECT_FALSE(frm->State().FileModified) << c.Board;
        SaveAndReload(*frm, "second.K36");
        EXPECT_EQ(ReadFileBytes(folder / "second.K36"), ReadFileBytes(folder / "first.K36")) << c.Board;
    }
}

} // namespace
