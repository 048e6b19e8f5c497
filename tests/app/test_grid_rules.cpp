// The grid's cell texts and rules without a window: what a channel shows,
// what a row stores, the consequences of a changed cell, the character and
// paste rules, the column layout and the questions before a channel is
// disabled.

#include <gtest/gtest.h>

#include "app/dc_GridRules.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"
#include "support/ModelBuilder.h"

namespace {

class GridRulesTest : public ::testing::Test {
  protected:
    TRKmem m;
    void SetUp() override {
        m = TModelBuilder().Band(2).Groups({{0, 3}, {1, 2}}).ToneFreeChannels(5, 150.0, 0.5).Build();
    }
    TGridRow Row(int idx, int group = 0, int position = 0) {
        TGridRow row;
        ChannelRow(m, m.Channels[idx], idx, group, position, GridOptions(m, 0), row);
        return row;
    }
};

TEST_F(GridRulesTest, CellTextsOfAChannel) {
    TChannel& ch = m.Channels[1];
    ch.Tags[0].Text = "A";
    ch.Tags[1].Text = "B";
    ch.DecToneOn = 1;
    ch.DecIsCtcss = 0;
    ch.DecCode = 19;
    ch.DecPartnerCode = 39;
    ch.EncToneOn = 1;
    ch.EncIsCtcss = 1;
    ch.EncCode = 0;
    ch.TxInhibit = 1;
    const TGridRow row = Row(1, 0, 1);
    EXPECT_EQ(row[0], " 2");
    EXPECT_EQ(row[1], "-");
    EXPECT_EQ(row[4], "AB");
    EXPECT_EQ(row[5], "151.000000");
    EXPECT_EQ(row[6], "---.-------");
    EXPECT_EQ(row[7], "DCS");
    EXPECT_EQ(row[8], "023/047");
    EXPECT_EQ(row[9], "CTCSS");
    EXPECT_EQ(row[10], "67.0");
    EXPECT_EQ(Row(0)[1], "P"); // priority position 0 of a new configuration
}

TEST_F(GridRulesTest, SquelchScanAndSignallingTexts) {
    struct Case {
        int neg, level;
        const char* text;
    } squelch[] = {{0, 3, "+3"}, {0, 0, "0"}, {1, 2, "-2"}};
    for (const auto& c : squelch) {
        m.Channels[0].SqlNegative = c.neg;
        m.Channels[0].SqlLevel = c.level;
        EXPECT_EQ(Row(0)[14], c.text);
    }
    struct Scan {
        int user, dealer, homeScan;
        const char* text;
    } scans[] = {{0, 0, 0, "B"}, {0, 1, 0, "U"}, {1, 0, 0, "D"}, {1, 1, 0, "-"}, {1, 1, 1, "H"}};
    m.HomeGroup = 0;
    m.HomeChannel = 0;
    for (const auto& s : scans) {
        m.SetUserScan(0, s.user);
        m.SetDealerScan(0, s.dealer);
        m.HomeChannelScan = s.homeScan;
        EXPECT_EQ(Row(0)[12], s.text);
    }
    m.Channels[0].SignallingOn = 1;
    m.Channels[0].SignallingCode = 9;
    const TGridRow row = Row(0);
    for (int col : {19, 20, 21, 22})
        EXPECT_EQ(row[static_cast<size_t>(col)], "0");
    SelectOptionBoard(m, "OB-71(ANI)");
    m.Channels[0].SignallingCode = 2;
    EXPECT_EQ(Row(0)[15], "2");
    EXPECT_EQ(Row(0)[19], "-");
}

TEST_F(GridRulesTest, StoringARowTakesItsTextsBack) {
    TGridRow row = Row(0);
    row[4] = "TAG";
    row[7] = "DCS";
    row[8] = "023";
    row[9] = "CTCSS";
    row[10] = "100.0";
    row[12] = "U";
    row[14] = "-5";
    TChannel& ch = m.Channels[0];
    StoreRow(m, ch, 0, row, GridOptions(m, 0));
    EXPECT_EQ(ch.Tags.Joined(), "TAG");
    EXPECT_EQ(ch.Tags[3].Text, "");
    EXPECT_EQ(ch.DecCode, 19);
    EXPECT_EQ(ch.DecPartnerCode, 19); // no "/": the complement is the code itself
    EXPECT_EQ(ch.EncIsCtcss, 1);
    EXPECT_EQ(ch.EncCode, 12);
    EXPECT_EQ(m.GetUserScan(0), 0);
    EXPECT_EQ(m.GetDealerScan(0), 1);
    EXPECT_EQ(ch.SqlNegative, 1);
    EXPECT_EQ(ch.SqlLevel, 5);

    row[6] = "---.-------";
    StoreRow(m, ch, 0, row, GridOptions(m, 0));
    EXPECT_EQ(ch.TxInhibit, 1);
    EXPECT_EQ(ch.TxFreq.ToFloat(), 150.5); // kept for the next toggle

    row[7] = "-----";
    StoreRow(m, ch, 0, row, GridOptions(m, 0));
    EXPECT_EQ(ch.DecToneOn, 0);
    EXPECT_EQ(ch.DecCode, 511);
    EXPECT_EQ(ch.DecPartnerCode, 511);
}

TEST_F(GridRulesTest, SignallingIsReadFromTheBoardsOwnColumn) {
    TChannel& ch = m.Channels[0];
    ch.SignallingOn = 1;
    ch.SignallingCode = 12;
    TGridRow row = Row(0);
    StoreRow(m, ch, 0, row, GridOptions(m, 0)); // no board: nothing to read, nothing changes
    EXPECT_EQ(ch.SignallingOn, 1);
    EXPECT_EQ(ch.SignallingCode, 12);

    SelectOptionBoard(m, "OB-21 (2-TONE)");
    row[20] = "0";
    StoreRow(m, ch, 0, row, GridOptions(m, 0));
    EXPECT_EQ(ch.SignallingCode, 9);
    row[20] = "-";
    StoreRow(m, ch, 0, row, GridOptions(m, 0));
    EXPECT_EQ(ch.SignallingOn, 0);
}

TEST_F(GridRulesTest, OptionTypeOffSwitchesSignallingOff) {
    SelectOptionBoard(m, "OB-71(ANI)");
    TChannel& ch = m.Channels[0];
    TGridRow row = Row(0);
    row[15] = "3";
    StoreRow(m, ch, 0, row, GridOptions(m, 0));
    EXPECT_EQ(ch.SignallingOn, 1);
    EXPECT_EQ(ch.SignallingCode, 3);
    row[15] = "-";
    StoreRow(m, ch, 0, row, GridOptions(m, 0));
    EXPECT_EQ(ch.SignallingOn, 0);
    EXPECT_EQ(Row(0)[15], "-");
}

TEST_F(GridRulesTest, CellRules) {
    TGridPage page;
    FillPage(m, 0, GridOptions(m, 0), page);
    ASSERT_EQ(page.Rows.size(), 3u);

    page.Rows[2][1] = "P";
    ApplyCellRules(page, 1, 2, m);
    EXPECT_EQ(page.Rows[0][1], "-");

    page.Rows[0][3] = "W";
    page.Rows[0][16] = "v";
    ApplyCellRules(page, 3, 0, m);
    EXPECT_EQ(page.Rows[0][16], "-");

    m.DefaultSplit = 600000;
    page.Rows[0][5] = "145.500000";
    page.Rows[0][6] = "---.-------";
    ApplyCellRules(page, 5, 0, m);
    EXPECT_EQ(page.Rows[0][6], "146.100000");
    m.DefaultSplit = 100000000; // beyond the band: the upper edge
    ApplyCellRules(page, 5, 0, m);
    EXPECT_EQ(page.Rows[0][6], "174.000000");

    TGridRow& r = page.Rows[1];
    r[7] = "DCS";
    r[26] = "v";
    ApplyCellRules(page, 7, 1, m);
    EXPECT_EQ(r[8], "-----");
    EXPECT_EQ(r[9], "DCS");
    EXPECT_EQ(r[10], "-----");
    EXPECT_EQ(r[26], "-");

    r[8] = "023/047";
    ApplyCellRules(page, 8, 1, m);
    EXPECT_EQ(r[10], "023");
    r[26] = "v";
    ApplyCellRules(page, 26, 1, m);
    EXPECT_EQ(r[26], "v"); // both sides DCS with codes: ARTS stays
    r[10] = "OFF";
    ApplyCellRules(page, 10, 1, m);
    EXPECT_EQ(r[10], "-----");
    EXPECT_EQ(r[26], "-");
}

TEST_F(GridRulesTest, CyclingAndSelectionResults) {
    EXPECT_EQ(NextListText(3, "-----"), "DCS");
    EXPECT_EQ(NextListText(3, "CTCSS"), "-----");
    EXPECT_EQ(NextListText(4, "BT"), "--");
    EXPECT_EQ(NextListText(23, "x"), "-");
    EXPECT_EQ(SelectResultText(12, 4, "DEALER"), "D");
    EXPECT_EQ(SelectResultText(12, 4, "OFF"), "-");
    EXPECT_EQ(SelectResultText(19, 6, "OFF"), "-");
    EXPECT_EQ(SelectResultText(8, 0, "OFF"), "OFF"); // the cell rule turns it into "-----"

    TGridRow row = Row(0);
    row[7] = "-----";
    EXPECT_EQ(SelectListFor(8, row), -1);
    row[7] = "CTCSS";
    EXPECT_EQ(SelectListFor(8, row), 0);
    row[7] = "DCS";
    EXPECT_EQ(SelectListFor(8, row), 1);
    row[12] = "H";
    EXPECT_EQ(SelectListFor(12, row), -1);

    const TGridOptions opt = GridOptions(m, 0);
    EXPECT_FALSE(ValueCellEditable(2, row, opt));
    EXPECT_FALSE(ValueCellEditable(17, row, opt));
    EXPECT_FALSE(ValueCellEditable(25, row, opt));
    row[3] = "W";
    EXPECT_FALSE(ValueCellEditable(16, row, opt)); // wide on VHF
    row[3] = "N";
    EXPECT_TRUE(ValueCellEditable(16, row, opt));
    TGridOptions tr2100 = opt;
    tr2100.ProductType = "TR-2100";
    EXPECT_FALSE(ValueCellEditable(16, row, tr2100));
}

TEST_F(GridRulesTest, EditorCharacterRules) {
    const char* refused = "!\"$',;=?[]^~|{}`";
    for (const char* p = refused; *p; ++p) {
        char c = *p;
        EXPECT_FALSE(TagCharAccepted(c)) << c;
    }
    char c = 'q';
    EXPECT_TRUE(TagCharAccepted(c));
    EXPECT_EQ(c, 'Q');
    c = '\x1f';
    EXPECT_FALSE(TagCharAccepted(c));
    c = '\xe9';
    EXPECT_FALSE(TagCharAccepted(c));
    for (char f : std::string("0123456789., "))
        EXPECT_TRUE(FreqCharAccepted(f));
    for (char f : std::string("a-+e"))
        EXPECT_FALSE(FreqCharAccepted(f));
    c = '5';
    EXPECT_FALSE(CharAccepted(7, c)); // a value-list column takes no typing
}

TEST_F(GridRulesTest, EntryNormalisation) {
    EXPECT_EQ(NormalizeEntry(m, 5, "145.5"), "145.500000");
    EXPECT_EQ(NormalizeEntry(m, 5, "1234567890123"), "174.000000");
    EXPECT_EQ(NormalizeEntry(m, 5, "abc"), "136.000000");
    EXPECT_EQ(NormalizeEntry(m, 6, "---.-------"), "---.-------");
    EXPECT_EQ(NormalizeEntry(m, 5, "   "), "   ");
    EXPECT_EQ(NormalizeEntry(m, 4, "abc"), "abc");
    // A fraction of a hertz left after the one-digit cut cannot be converted.
    EXPECT_EQ(NormalizeEntry(m, 5, "1.12345678"), std::nullopt);
}

TEST_F(GridRulesTest, DcsComplementToggle) {
    EXPECT_EQ(DcsComplementToggle("023"), "023/047");
    EXPECT_EQ(DcsComplementToggle("023/047"), "023");
    EXPECT_EQ(DcsComplementToggle("999"), "999");
    EXPECT_EQ(DcsComplementToggle("-----"), "-----");
}

TEST_F(GridRulesTest, PasteAcceptance) {
    const TGridOptions opt = GridOptions(m, 0);
    TGridRow row = Row(0);
    EXPECT_FALSE(PasteAccepted(17, "v", row, m, opt)); // "Encr" needs the OB-31 board
    EXPECT_TRUE(PasteAccepted(11, "H", row, m, opt));
    EXPECT_FALSE(PasteAccepted(11, "h", row, m, opt));
    EXPECT_FALSE(PasteAccepted(2, "-", row, m, opt));
    row[7] = "-----";
    EXPECT_FALSE(PasteAccepted(8, "023", row, m, opt));
    row[7] = "DCS";
    EXPECT_TRUE(PasteAccepted(8, "023", row, m, opt));
    EXPECT_TRUE(PasteAccepted(8, "-----", row, m, opt));
    EXPECT_FALSE(PasteAccepted(8, "67.0", row, m, opt));
    row[7] = "CTCSS";
    EXPECT_TRUE(PasteAccepted(8, "67.0", row, m, opt));
    EXPECT_TRUE(PasteAccepted(12, "O", row, m, opt));
    EXPECT_FALSE(PasteAccepted(12, "H", row, m, opt));
    EXPECT_FALSE(PasteAccepted(19, "1", row, m, opt));
    EXPECT_FALSE(PasteAccepted(14, "+1", row, m, opt));

    SelectOptionBoard(m, "OB-31 (ENC/DTMF/PAGE)");
    const TGridOptions page = GridOptions(m, 0);
    EXPECT_TRUE(PasteAccepted(17, "v", row, m, page));
    m.Pagings[0].Empty = 0;
    m.Pagings[1].Empty = 1;
    EXPECT_TRUE(PasteAccepted(19, "1", row, m, page));
    EXPECT_FALSE(PasteAccepted(19, "2", row, m, page));
    EXPECT_TRUE(PasteAccepted(19, "-", row, m, page));
}

TEST_F(GridRulesTest, ColumnLayoutByGroupBoardAndMdc) {
    TGroupFlags items{};
    items.fill(true);
    auto widths = ColumnWidths(items, GridOptions(m, 0));
    EXPECT_EQ(widths[19], 40);
    EXPECT_EQ(widths[20], -1);
    EXPECT_EQ(widths[22], -1);
    EXPECT_EQ(widths[4], 120);

    items[6] = false;
    items[7] = true;
    widths = ColumnWidths(items, GridOptions(m, 0));
    for (int col : {7, 8, 9, 10})
        EXPECT_EQ(widths[static_cast<size_t>(col)], -1) << col;

    items.fill(true);
    SelectOptionBoard(m, "OB-21 (2-TONE)");
    widths = ColumnWidths(items, GridOptions(m, 0));
    EXPECT_EQ(widths[19], -1);
    EXPECT_EQ(widths[20], 40);
    items[16] = false;
    EXPECT_EQ(ColumnWidths(items, GridOptions(m, 0))[20], -1);

    items.fill(true);
    TGridOptions mdc = GridOptions(m, 1);
    mdc.Mdc = true;
    widths = ColumnWidths(items, mdc);
    EXPECT_EQ(widths[15], -1);
    EXPECT_EQ(widths[22], 40);
    EXPECT_EQ(widths[20], -1);

    EXPECT_EQ(ColumnHelpContext(0), 300);
    EXPECT_EQ(ColumnHelpContext(18), 318);
    EXPECT_EQ(ColumnHelpContext(21), 319);
    EXPECT_EQ(ColumnHelpContext(22), 20010);
    EXPECT_EQ(ColumnHelpContext(27), 324);
}

TEST_F(GridRulesTest, GroupChoiceAndCaptions) {
    EXPECT_EQ(ChooseGroup(m, 1), 1);
    EXPECT_EQ(ChooseGroup(m, 2), 0); // wraps to the first group with channels
    m.GroupAreas.Set(0, 0);
    EXPECT_EQ(ChooseGroup(m, 0), 1);
    m.GroupAreas.Set(1, 0);
    EXPECT_EQ(ChooseGroup(m, 5), 0); // nothing anywhere
    m.GroupAreas.Set(0, 3);
    m.GroupNames[0].Text = "ALPHA";
    EXPECT_EQ(GroupCaption(m, 0), " Group  1 TAG [ALPHA   ] (  3 Channels)");
    EXPECT_EQ(ChannelsLeftCaption(m), " 247 Channels Left ");
    m.GroupAreas.Set(1, 247);
    EXPECT_EQ(ChannelsLeftCaption(m), "   0 Channels Left ");
}

TEST_F(GridRulesTest, DisableCheckQuestionsAndWhatTheyClear) {
    TScopedMessages messages;
    bool modified = false;
    EXPECT_FALSE(DisableCheck(m, 0, 0, 1, modified));
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0],
              "This channel is allocated as 'special channel'.\r\nThis channel is unable to make "
              "'Disable channel'.");

    struct Case {
        int32_t TRKmem::*Group;
        int32_t TRKmem::*Channel;
        const char* Start;
    } refusals[] = {
        {&TRKmem::HomeGroup, &TRKmem::HomeChannel, "This channel is allocated as 'home channel'."},
        {&TRKmem::PowerOnGroup, &TRKmem::PowerOnChannel,
         "This channel is allocated as 'Power On Grp / Chn'."},
        {&TRKmem::PositionLedGroup, &TRKmem::PositionLedChannelNo,
         "This channel is allocated as 'Position LED Channel'."},
    };
    for (const auto& c : refusals) {
        TRKmem copy = m;
        copy.*c.Group = 1;
        copy.*c.Channel = 1;
        messages->Shown.clear();
        EXPECT_FALSE(DisableCheck(copy, 1, 1, 5, modified));
        ASSERT_EQ(messages.Texts().size(), 1u);
        EXPECT_EQ(messages.Texts()[0].rfind(c.Start, 0), 0u) << messages.Texts()[0];
    }

    // Channel switch entries: one question each; Cancel keeps everything.
    m.CodeSwitches[3] = {1, 1};
    m.CodeSwitches[7] = {1, 1};
    m.DirectKey2Group = 1;
    m.DirectKey2Channel = 1;
    messages->Shown.clear();
    messages->Answers = {TMsgResult::Ok, TMsgResult::Cancel};
    EXPECT_FALSE(DisableCheck(m, 1, 1, 5, modified));
    EXPECT_EQ(messages.Texts().size(), 2u);
    EXPECT_EQ(m.CodeSwitches[3].Group, 1);
    EXPECT_FALSE(modified);

    // OK to the switches, Cancel to the direct key: the switches stay cleared.
    messages->Shown.clear();
    messages->Answers = {TMsgResult::Ok, TMsgResult::Ok, TMsgResult::Cancel};
    EXPECT_FALSE(DisableCheck(m, 1, 1, 5, modified));
    EXPECT_EQ(messages.Texts().size(), 3u);
    EXPECT_EQ(messages.Texts()[2],
              "This channel is allocated as Direct Key.\r\nAre you sure you want to delete this "
              "channel?");
    EXPECT_EQ(m.CodeSwitches[3].Group, 255);
    EXPECT_EQ(m.CodeSwitches[7].Position, 255);
    EXPECT_EQ(m.DirectKey2Group, 1);
    EXPECT_TRUE(modified);

    modified = false;
    messages->Shown.clear();
    messages->Answers = {TMsgResult::Ok};
    EXPECT_TRUE(DisableCheck(m, 1, 1, 5, modified));
    EXPECT_EQ(m.DirectKey2Group, 255);
    EXPECT_EQ(m.DirectKey2Channel, 255);
    EXPECT_TRUE(modified);
}

} // namespace

TEST(GridRulesMoved, AniColumnOpensTheOptionTypeListOnlyUnderTheAniBoard) {
    struct Row {
        const char* Name;
        int Col;
        const char* Board;
        const char* Chosen;
        int List;
        const char* Shown;
    } rows[] = {
        {"ani board, type chosen", gcAni, kBoardAni, "2", kOptionTypeList, "2"},
        {"ani board, off", gcAni, kBoardAni, "OFF", kOptionTypeList, "-"},
        {"ani board, nothing", gcAni, kBoardAni, "", kOptionTypeList, "-"},
        {"mdc board cycles", gcAni, kBoardMdc, "", -1, ""},
        {"other column cycles", gcComp, kBoardAni, "", -1, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        TGridOptions opt;
        opt.Board = r.Board;
        EXPECT_EQ(ValueCellSelectList(r.Col, opt), r.List);
        if (r.List >= 0) {
            EXPECT_EQ(SelectResultText(r.Col, r.List, r.Chosen), r.Shown);
        }
    }
}

TEST(GridRulesMoved, ChangedTypeClearsOnlyItsOwnCode) {
    struct Row {
        const char* Name;
        int Col;
        const char* DecCode;
        const char* EncCode;
    } rows[] = {
        {"decode type", gcDecType, kNoTone, "023"},
        {"encode type", gcEncType, "023", kNoTone},
        {"other column", gcTxPower, "023", "023"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        TGridRow row;
        row[gcDecCode] = row[gcEncCode] = "023";
        ClearCodeOfChangedType(r.Col, row);
        EXPECT_EQ(row[gcDecCode], r.DecCode);
        EXPECT_EQ(row[gcEncCode], r.EncCode);
    }
}

TEST(GridRulesMoved, ChannelCopyTakesTheShownColumnsOfTheChannelNotOfItsPlace) {
    TGridRow source, target;
    for (size_t col = 0; col < source.size(); ++col) {
        source[col] = "s" + std::to_string(col);
        target[col] = "t" + std::to_string(col);
    }
    std::array<bool, kGridColumnCount> shown;
    shown.fill(true);
    shown[gcTxPower] = false;
    EXPECT_TRUE(TakeChannelColumns(source, shown, target));
    for (size_t col = 0; col < target.size(); ++col) {
        SCOPED_TRACE(col);
        const bool taken = col >= gcWidth && col != gcTxPower;
        EXPECT_EQ(target[col], (taken ? "s" : "t") + std::to_string(col));
    }
    EXPECT_FALSE(TakeChannelColumns(source, shown, target)); // nothing left to change
}
