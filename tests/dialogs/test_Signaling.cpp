// The selectable-tone, 2-tone, 2-tone table and paging dialogs: their text
// rules, and each dialog driven like a user through the main window, then
// saved and read back.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>

#include "app/Main.h"
#include "dialogs/D_2Tone.h"
#include "dialogs/D_PCode.h"
#include "dialogs/D_SelTone.h"
#include "dialogs/D_ToneTbl.h"
#include "dialogs/dc_SignalRules.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"
#include "model/dc_TwoTone.h"
#include "support/GuiSupport.h"

namespace fs = std::filesystem;

namespace {

TEST(SignalRules, SelectableToneBoxesAndTags) {
    ASSERT_EQ(SelToneCtcssItems().size(), 47u);
    EXPECT_EQ(SelToneCtcssItems().front(), "67.0");
    ASSERT_EQ(SelToneDcsItems().size(), 85u);
    EXPECT_EQ(SelToneDcsItems().front(), "017");
    EXPECT_EQ(SelToneDcsItems().back(), "506");
    const std::vector<std::tuple<const char*, bool, int32_t, int32_t>> rows = {
        {"CTCSS first", true, 0, 0},          {"CTCSS last", true, 46, 46},
        {"CTCSS past the box", true, 60, -1}, {"DCS 023", false, 19, 1},
        {"DCS 506", false, 326, 84},          {"DCS 754 not offered", false, 492, -1},
        {"DCS not a code", false, 20, -1},
    };
    for (const auto& [name, ctcss, code, item] : rows) {
        EXPECT_EQ(SelToneItemOf(ctcss, code), item) << name;
        if (item >= 0) {
            EXPECT_EQ(SelToneCodeOf(ctcss, item), code) << name;
        }
    }
    EXPECT_EQ(SelToneTag("ab"), "AB  ");
    EXPECT_EQ(SelToneTag("abcde"), "ABCD");
    EXPECT_EQ(TwoToneGroupItems(1), (std::vector<std::string>{"OFF", "USER"}));
    EXPECT_EQ(TwoToneGroupItems(0).size(), 19u);
}

TEST(SignalRules, PagingEntriesKeepDigitsWithTheCode) {
    TPaging p;
    WritePagingEntry(p, " 5 ", 1);
    EXPECT_EQ(p, (TPaging{0, 0, 1, "5", "0", "0", "500"}));
    WritePagingEntry(p, "", 1);
    EXPECT_EQ(p, (TPaging{3, 1, 0, "", "", "", ""}));
}

// ---- Through the main window ------------------------------------------------------

class SignalingTest : public ::testing::Test {
  protected:
    TScopedProgramFolder folder;
    TScopedMessages messages;
    TScopedFileDialogs dialogs;
    fs::path file = folder / "radio.K36";

    SignalingTest() { EnsureApp(); }

    // A data file of a new configuration with `board` and the test's settings.
    void Write(const char* board, const std::function<void(TRKmem&)>& setUp) {
        TRKmem m;
        m.SetNewConfiguration();
        SelectOptionBoard(m, board);
        ResetOptionDependents(m, board);
        setUp(m);
        WriteModelFile(file, m);
    }
    TRKmem Reload() {
        TRKmem m;
        TMap36 image;
        EXPECT_TRUE(LoadDataFile(file, m, image));
        return m;
    }
    // Runs a menu command whose dialog `act` drives before OK.
    template <class D>
    static void Run(TfrmMain& frm, const char* command, const std::function<void(D&)>& act) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
            if (!d) {
                if (QWidget* w = QApplication::activeModalWidget()) w->close();
                return;
            }
            seen = true;
            d->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(d));
            act(*d);
            d->btnOK->click();
        });
        frm.RunCommand(command);
        EXPECT_TRUE(seen) << command << " showed no dialog";
    }
    // Open + OK without edits changes no byte of the saved file.
    template <class D> void ExpectUntouchedOkKeepsTheFile(const char* command) {
        TfrmMain frm({file.string()});
        frm.CommitBeforeCommand();
        frm.RunCommand("miSave");
        const std::string before = ReadFileBytes(file);
        Run<D>(frm, command, [](D&) {});
        EXPECT_FALSE(frm.State().FileModified) << command;
        frm.RunCommand("miSave");
        EXPECT_EQ(ReadFileBytes(file), before) << command;
    }
};

TEST_F(SignalingTest, SelectableToneShowsOctalCodesAndStoresPickedValues) {
    Write("No", [](TRKmem& m) {
        TSTTable& t = m.ToneTable1[0];
        t.Use = 1;
        t.EncIsCtcss = 0;
        t.EncCode = 19;
        t.DecIsCtcss = 0;
        t.DecCode = 19;
    });
    TfrmMain frm({file.string()});
    Run<TfrmSelTone>(frm, "miSTone", [](TfrmSelTone& d) {
        const auto& r = d.Rows[0];
        EXPECT_EQ(r.EncType->currentText(), "DCS");
        EXPECT_EQ(r.Enc->currentText(), "023");
        EXPECT_EQ(r.Enc->count(), 85);
        Pick(r.Enc, r.Enc->findText("506"));
        Pick(r.DecType, 0); // "CTCSS": 47 tones, no "OFF"
        EXPECT_EQ(r.Dec->count(), 47);
        EXPECT_EQ(r.Dec->currentText(), "67.0");
        Pick(r.Dec, r.Dec->findText("254.1"));
    });
    EXPECT_TRUE(frm.State().FileModified);
    frm.RunCommand("miSave");
    const TSTTable t = Reload().ToneTable1[0];
    EXPECT_EQ(t.EncIsCtcss, 0);
    EXPECT_EQ(t.EncCode, 326);
    EXPECT_EQ(t.DecIsCtcss, 1);
    EXPECT_EQ(t.DecCode, 46);
}

TEST_F(SignalingTest, CodesTheBoxesCannotShowSurviveOk) {
    Write("No", [](TRKmem& m) { m.ToneTable2[3] = TSTTable{1, 0, 492, 0, 1, 60, 0, 0, 0, 0, "ab"}; });
    ExpectUntouchedOkKeepsTheFile<TfrmSelTone>("miSTone");
    const TSTTable t = Reload().ToneTable2[3];
    EXPECT_EQ(t.EncCode, 492);
    EXPECT_EQ(t.DecCode, 60);
}

TEST_F(SignalingTest, TagsAreUpperCasedPaddedAndFiltered) {
    Write("No", [](TRKmem&) {});
    TfrmMain frm({file.string()});
    Run<TfrmSelTone>(frm, "miSTone", [](TfrmSelTone& d) {
        QLineEdit* tag = d.Rows[1].Tag;
        tag->setFocus();
        QTest::keyClicks(tag, "a!$[^\"b");
        EXPECT_EQ(tag->text(), "AB");
        d.Rows[2].Tag->setFocus();
        QTest::keyClicks(d.Rows[2].Tag, "12345");
        EXPECT_EQ(d.Rows[2].Tag->text(), "1234");
        // Alt+3 reaches the third row of the page shown.
        d.findChild<QTabWidget*>(QStringLiteral("pgcPages"))->setCurrentIndex(1);
        d.Rows[8].Use->setFocus();
        QTest::keyClick(d.Rows[8].Use, Qt::Key_3, Qt::AltModifier);
        EXPECT_EQ(d.FocusedControl(), d.Rows[10].Use);
    });
    frm.RunCommand("miSave");
    const TRKmem m = Reload();
    EXPECT_EQ(m.ToneTable1[1].Tag, "AB  ");
    EXPECT_EQ(m.ToneTable1[2].Tag, "1234");
}

TEST_F(SignalingTest, FormatChangeClearsTheTonesCallTimesDoNot) {
    const auto tones = [](TRKmem& m) {
        for (int32_t i = 0; i < 10; ++i)
            m.Tones[i] = {i, 10 + i};
    };
    Write("OB-21 (2-TONE)", tones);
    {
        TfrmMain frm({file.string()});
        Run<Tfrm2Tone>(frm, "mi2Tone", [](Tfrm2Tone& d) { Pick(d.cmbCall, 3); });
        EXPECT_TRUE(frm.State().FileModified);
        frm.RunCommand("miSave");
    }
    TRKmem m = Reload();
    EXPECT_EQ(m.TwoToneCallTimes, 3);
    EXPECT_EQ(m.Tones[9], (TTonePair{9, 19}));
    {
        TfrmMain frm({file.string()});
        Run<Tfrm2Tone>(frm, "mi2Tone", [](Tfrm2Tone& d) { Pick(d.cmbTone, 1); });
        EXPECT_TRUE(frm.State().FileModified);
        frm.RunCommand("miSave");
    }
    m = Reload();
    EXPECT_EQ(m.TwoToneFormat, 1);
    for (int32_t i = 0; i < 10; ++i)
        EXPECT_EQ(m.Tones[i], (TTonePair{255, 255})) << i;
}

TEST_F(SignalingTest, ToneTableShowsGroupsAndFrequencies) {
    Write("OB-21 (2-TONE)", [](TRKmem& m) {
        m.Tones[0] = {0, 9};
        m.Tones[1] = {255, 255};
        m.Tones[2] = {30, 31};
        m.Tones[3] = {84, 1};
    });
    TfrmMain frm({file.string()});
    Run<TfrmToneTbl>(frm, "mi2TTable", [](TfrmToneTbl& d) {
        const auto& r = d.Rows;
        EXPECT_EQ(r[0].Group->count(), 19);
        EXPECT_EQ(r[0].Group->currentText(), "Motorola 1");
        EXPECT_EQ(r[0].First->currentText(), "330.5");
        EXPECT_EQ(r[0].Second->currentText(), "539.0");
        EXPECT_EQ(r[1].Group->currentText(), "OFF");
        EXPECT_EQ(r[1].First->count(), 0);
        EXPECT_FALSE(r[1].First->isEnabled());
        EXPECT_FALSE(r[1].Second->isEnabled());
        EXPECT_EQ(r[2].Group->currentText(), "Motorola 3"); // 30 lies between groups
        EXPECT_EQ(r[2].First->currentIndex(), -1);
        EXPECT_EQ(r[3].Group->currentText(), "GE Type 99 GRP A"); // nothing published
        EXPECT_EQ(r[3].First->currentIndex(), -1);
        EXPECT_EQ(r[3].Second->currentIndex(), -1);
        Pick(r[4].Group, r[4].Group->findText("PLECTRON"));
        EXPECT_EQ(r[4].First->currentText(), "282.2");
        Pick(r[4].Second, r[4].Second->findText("1598.0"));
        Pick(r[0].Group, 0);
        EXPECT_FALSE(r[0].First->isEnabled());
    });
    frm.RunCommand("miSave");
    const TRKmem m = Reload();
    EXPECT_EQ(m.Tones[0], (TTonePair{255, 255}));
    EXPECT_EQ(m.Tones[2], (TTonePair{30, 31}));
    EXPECT_EQ(m.Tones[3], (TTonePair{84, 1}));
    EXPECT_EQ(m.Tones[4], (TTonePair{131, 67})); // the first entry with that frequency
}

TEST_F(SignalingTest, StoredTonesTheListCannotShowSurviveOk) {
    Write("OB-21 (2-TONE)", [](TRKmem& m) {
        m.Tones[0] = {30, 250};
        m.Tones[1] = {250, 0};
        m.Tones[2] = {0, 45}; // second tone in another group
        m.Tones[3] = {254, 240};
    });
    ExpectUntouchedOkKeepsTheFile<TfrmToneTbl>("mi2TTable");
    const TRKmem m = Reload();
    EXPECT_EQ(m.Tones[0], (TTonePair{30, 250}));
    EXPECT_EQ(m.Tones[1], (TTonePair{250, 0}));
    EXPECT_EQ(m.Tones[2], (TTonePair{0, 45}));
    EXPECT_EQ(m.Tones[3], (TTonePair{254, 240}));
}

TEST_F(SignalingTest, UserFormatOffersTheUserListAndStoresStandardIndexes) {
    Write("OB-21 (2-TONE)", [](TRKmem& m) {
        m.TwoToneFormat = 1;
        m.Tones[0] = {171, 20};
    });
    TfrmMain frm({file.string()});
    Run<TfrmToneTbl>(frm, "mi2TTable", [](TfrmToneTbl& d) {
        const auto& r = d.Rows[0];
        EXPECT_EQ(r.Group->count(), 2);
        EXPECT_EQ(r.Group->currentText(), "USER");
        EXPECT_EQ(r.First->count(), static_cast<int>(TwoToneList().User.size()));
        EXPECT_EQ(r.First->currentText(), "1598.0");
        EXPECT_EQ(r.Second->currentText(), "288.5");
        Pick(r.Second, r.Second->findText("3487.0"));
    });
    frm.RunCommand("miSave");
    EXPECT_EQ(Reload().Tones[0], (TTonePair{171, 189})); // the untouched first tone keeps 171
}

TEST_F(SignalingTest, PagingCodesArePaddedAndClearedEntriesFreed) {
    Write("OB-31 (ENC/DTMF/PAGE)", [](TRKmem& m) { WritePagingEntry(m.Pagings[9], "12#", 0); });
    ExpectUntouchedOkKeepsTheFile<TfrmPCode>("miPCode");
    TfrmMain frm({file.string()});
    Run<TfrmPCode>(frm, "miPCode", [](TfrmPCode& d) {
        const auto& r = d.Rows;
        EXPECT_EQ(r[9].Code->objectName(), "edtPage0");
        EXPECT_EQ(r[9].Code->text(), "12#");
        EXPECT_FALSE(r[0].Mode->isEnabled());
        r[0].Code->setFocus();
        QTest::keyClicks(r[0].Code, "5xA9*");
        EXPECT_EQ(r[0].Code->text(), "5A9"); // three characters, DTMF only
        QTest::keyClick(r[0].Code, Qt::Key_Backspace);
        QTest::keyClick(r[0].Code, Qt::Key_Backspace);
        r[1].Code->setFocus(); // leaving the code enables its mode
        EXPECT_TRUE(r[0].Mode->isEnabled());
        Pick(r[0].Mode, 1);
        r[9].Code->setFocus();
        QTest::keyClick(r[9].Code, Qt::Key_Return);
        QTest::keyClick(r[9].Code, Qt::Key_Backspace);
        r[0].Code->setFocus();
        EXPECT_FALSE(r[9].Mode->isEnabled());
    });
    frm.RunCommand("miSave");
    const TRKmem m = Reload();
    EXPECT_EQ(m.Pagings[0].Code, "500");
    EXPECT_EQ(m.Pagings[0].EncDec, 1);
    EXPECT_EQ(m.Pagings[0].Mode, 0);
    EXPECT_EQ(m.Pagings[9].Mode, 3);
    EXPECT_EQ(m.Pagings[9].Empty, 1);
}

// ---- Compare on OK ------------------------------------------------------------------

// `pageAfter`: rows past this count sit on the second page, shown for them
// (ExpectCompareOnOk opens once untouched, then once per row in order).
template <class D>
std::function<TDlgBase*(TDlgState&)> Opener(const std::function<void(TRKmem&)>& setUp, int pageAfter = -1) {
    auto opened = std::make_shared<int>(0);
    return [setUp, pageAfter, opened](TDlgState& s) {
        s.Model.SetNewConfiguration();
        setUp(s.Model);
        auto* d = new D(nullptr, s.Ctx);
        if (pageAfter >= 0 && (*opened)++ > pageAfter)
            d->template findChild<QTabWidget*>(QStringLiteral("pgcPages"))->setCurrentIndex(1);
        d->show();
        QApplication::processEvents();
        return d;
    };
}

std::vector<TCompareRow> RowsNamed(const std::vector<std::string>& prefixes,
                                   const std::vector<std::string>& suffixes) {
    static std::vector<std::string> names; // TCompareRow keeps the pointer
    std::vector<TCompareRow> rows;
    names.clear();
    names.reserve(prefixes.size() * suffixes.size());
    for (const auto& s : suffixes)
        for (const auto& p : prefixes)
            names.push_back(p + s);
    for (const auto& n : names)
        rows.push_back({n.c_str()});
    return rows;
}

TEST(SignalingCompare, EveryRowChangedAloneMarksTheFileModified) {
    EnsureApp();
    std::vector<std::string> tableRows;
    for (int t = 1; t <= 2; ++t)
        for (int e = 1; e <= 8; ++e)
            tableRows.push_back(std::to_string(t) + std::to_string(e));
    ExpectCompareOnOk(Opener<TfrmSelTone>(
                          [](TRKmem& m) {
                              for (auto* table : {&m.ToneTable1, &m.ToneTable2})
                                  for (auto& e : table->Items)
                                      e.Use = 1;
                          },
                          48),
                      RowsNamed({"cbxT", "edtTag", "cmbET", "cmbEnc", "cmbDT", "cmbDec"}, tableRows));
    ExpectCompareOnOk(Opener<Tfrm2Tone>([](TRKmem&) {}), {{"cmbAuto"}, {"cmbGrp"}, {"cmbCall"}, {"cmbTone"}});
    std::vector<std::string> tens;
    for (int i = 1; i <= 10; ++i)
        tens.push_back(std::to_string(i));
    ExpectCompareOnOk(Opener<TfrmToneTbl>([](TRKmem& m) {
                          for (auto& t : m.Tones.Items)
                              t = {0, 1};
                      }),
                      RowsNamed({"cmbGrp", "cmbFirst", "cmbSecond"}, tens));
    ExpectCompareOnOk(Opener<TfrmPCode>([](TRKmem& m) {
                          for (auto& p : m.Pagings.Items)
                              WritePagingEntry(p, "123", 0);
                      }),
                      RowsNamed({"edtPage", "cmbPage"}, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"}));
}

} // namespace
