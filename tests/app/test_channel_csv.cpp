// Channels as CSV: both dialects come back identical through an empty
// configuration, hand-written rows of the common dialect reach the right
// channel fields, and a bad value refuses the file without touching the model.

#include <gtest/gtest.h>

#include <functional>

#include "app/dc_ChannelCsv.h"
#include "image/dc_DataFile.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"

namespace {

const char* const kCommonHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                                  "DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,"
                                  "RPT1CALL,RPT2CALL,DVCODE\r\n";

// A VHF A band template as the program ships it.
TRKmem Template() {
    SetProgramFolder(RK36_BINARY_DIR "/src");
    TRKmem m;
    TMap36 image;
    TScopedMessages messages;
    EXPECT_TRUE(LoadDataFile(BandTemplatePath(0, 2, "TR-2300"), m, image));
    SetProgramFolder({});
    return m;
}

// The same configuration without channels: every group empty.
TRKmem Empty(const TRKmem& m) {
    TRKmem e = m;
    for (int32_t g = 0; g < kGroupCount; ++g)
        e.GroupAreas.Set(g, 0);
    return e;
}

void SetCells(TRKmem& m, int32_t group, int32_t pos,
              std::initializer_list<std::pair<int, const char*>> cells) {
    const int32_t idx = ChannelIndexOf(m, group, pos);
    TGridRow row;
    ChannelRow(m, m.Channels[idx], idx, group, pos, GridOptions(m, 0), row);
    for (const auto& [col, text] : cells)
        row[static_cast<size_t>(col)] = text;
    StoreRow(m, m.Channels[idx], idx, row, GridOptions(m, 0));
    m.Channels[idx].Blank = 0;
}

// The template grown to three groups with every kind of channel.
TRKmem Rich() {
    TRKmem m = Template(), work = m;
    work.GroupAreas.Set(0, 4);
    work.GroupAreas.Set(2, 2);
    ApplyGroupAllocation(m, work, m.Channels[0], [](auto, auto) { return true; });
    SetCells(m, 0, 1,
             {{gcTag, "\xC9"
                      "COLE"},
              {gcDecType, "CTCSS"},
              {gcDecCode, "88.5"},
              {gcEncType, "CTCSS"},
              {gcEncCode, "88.5"},
              {gcScan, "U"}});
    SetCells(m, 0, 2,
             {{gcDecType, "DCS"},
              {gcDecCode, "023/047"},
              {gcEncType, "DCS"},
              {gcEncCode, "023"},
              {gcTxFreq, kTxInhibited},
              {gcArts, "v"},
              {gcSql, "-3"}});
    SetCells(m, 2, 0,
             {{gcRxFreq, "150.003125"},
              {gcTxFreq, "155.500000"},
              {gcDecType, "DCS"},
              {gcDecCode, "754"},
              {gcEncType, "CTCSS"},
              {gcEncCode, "254.1"},
              {gcWidth, "W"},
              {gcTxPower, "H"},
              {gcTag, " A B"}});
    SetCells(m, 2, 1, {{gcRxFreq, "173.987500"}, {gcTxFreq, "170.000000"}, {gcPri, "P"}});
    m.GroupChannels.Set(2, 1);
    m.Channels[ChannelIndexOf(m, 0, 3)].Blank = 1;
    return m;
}

TCsvImportResult Import(TRKmem& m, const std::string& csv, int32_t group = -1, bool skip = false) {
    TCsvImportOptions o;
    o.Group = group;
    o.SkipInvalid = skip;
    o.Grid = GridOptions(m, 0);
    o.TemplateChannel = m.Channels[0];
    o.TemplateChannel.Blank = 1;
    return ImportChannelsCsv(m, csv, o);
}

std::vector<std::string> ProblemTexts(const TCsvImportResult& r) {
    std::vector<std::string> texts;
    for (const auto& p : r.Problems)
        texts.push_back(CsvProblemText(p));
    return texts;
}

TEST(ChannelCsv, ExportImportIntoEmptyExportAgainIsIdentical) {
    struct Row {
        const char* name;
        std::function<TRKmem()> source;
        TCsvDialect dialect;
    };
    const Row rows[] = {
        {"template common", Template, TCsvDialect::Common},
        {"template native", Template, TCsvDialect::Native},
        {"three groups common", Rich, TCsvDialect::Common},
        {"three groups native", Rich, TCsvDialect::Native},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TRKmem source = row.source();
        const std::string first = ExportChannelsCsv(source, row.dialect, GridOptions(source, 0));
        TRKmem target = Empty(source);
        const TCsvImportResult r = Import(target, first);
        ASSERT_TRUE(r.Applied) << r.Refusal << testing::PrintToString(ProblemTexts(r));
        EXPECT_EQ(r.Dialect, row.dialect);
        EXPECT_EQ(ExportChannelsCsv(target, row.dialect, GridOptions(target, 0)), first);
    }
}

TEST(ChannelCsv, NativeRoundTripLeavesEveryChannelEqual) {
    const TRKmem source = Rich();
    TRKmem target = source;
    const TCsvImportResult r =
        Import(target, ExportChannelsCsv(source, TCsvDialect::Native, GridOptions(source, 0)));
    ASSERT_TRUE(r.Applied) << r.Refusal << testing::PrintToString(ProblemTexts(r));
    EXPECT_EQ(r.Imported, 6);
    for (int32_t i = 0; i < kChannelCount; ++i)
        EXPECT_EQ(target.Channels[i], source.Channels[i]) << "channel " << i + 1;
    EXPECT_TRUE(target.Equals(source));

    // Through an empty configuration the channels the grid shows are equal too.
    TRKmem empty = Empty(source);
    ASSERT_TRUE(
        Import(empty, ExportChannelsCsv(source, TCsvDialect::Native, GridOptions(source, 0))).Applied);
    EXPECT_EQ(empty.GroupAreas, source.GroupAreas);
    EXPECT_EQ(empty.GroupChannels.Get(2), 1u);
    for (int32_t i = 0; i < 6; ++i) {
        TGridRow a, b;
        ChannelRow(source, source.Channels[i], i, 0, 0, GridOptions(source, 0), a);
        ChannelRow(empty, empty.Channels[i], i, 0, 0, GridOptions(empty, 0), b);
        EXPECT_EQ(a, b) << "channel " << i + 1;
        EXPECT_EQ(empty.Channels[i].Blank, source.Channels[i].Blank);
    }
}

TEST(ChannelCsv, HandWrittenCommonRowsReachTheRightFields) {
    struct Row {
        const char* name;
        const char* line;
        std::function<void(const TRKmem&, const TChannel&)> check;
    };
    const Row rows[] = {
        {"split", "1,Split,150.000000,split,155.500000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,",
         [](const TRKmem&, const TChannel& ch) {
             EXPECT_DOUBLE_EQ(ch.TxFreq.ToFloat(), 155.5);
             EXPECT_EQ(ch.TxInhibit, 0);
             EXPECT_EQ(ch.Narrow, 0);
             EXPECT_EQ(ch.TxPowerLow, 0);
             EXPECT_EQ(ch.Tags.Joined(), "SPLIT");
         }},
        {"minus", "1,,150.000000,-,0.600000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,,,Low,,,,,",
         [](const TRKmem&, const TChannel& ch) {
             EXPECT_DOUBLE_EQ(ch.TxFreq.ToFloat(), 149.4);
             EXPECT_EQ(ch.Narrow, 1);
             EXPECT_EQ(ch.TxPowerLow, 1);
         }},
        {"off", "1,RX ONLY,151.250000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,,S,Low,,,,,",
         [](const TRKmem& m, const TChannel& ch) {
             EXPECT_EQ(ch.TxInhibit, 1);
             EXPECT_DOUBLE_EQ(ch.RxFreq.ToFloat(), 151.25);
             EXPECT_EQ(m.GetUserScan(0), 1);
             EXPECT_EQ(m.GetDealerScan(0), 1);
         }},
        {"TSQL", "1,,150.000000,,0.000000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,FM,,,High,,,,,",
         [](const TRKmem& m, const TChannel& ch) {
             EXPECT_EQ(ch.DecToneOn, 1);
             EXPECT_EQ(ch.DecIsCtcss, 1);
             EXPECT_EQ(ch.DecCode, 12); // 100.0 Hz
             EXPECT_EQ(ch.EncToneOn, 1);
             EXPECT_EQ(ch.EncIsCtcss, 1);
             EXPECT_EQ(ch.EncCode, 12);
             EXPECT_EQ(m.GetUserScan(0), 0);
         }},
        {"Tone", "1,,150.000000,,0.000000,Tone,88.50,100.0,023,NN,023,Tone->Tone,FM,,,High,,,,,",
         [](const TRKmem&, const TChannel& ch) {
             EXPECT_EQ(ch.DecToneOn, 0);
             EXPECT_EQ(ch.EncIsCtcss, 1);
             EXPECT_EQ(ch.EncCode, 8); // 88.5 Hz
         }},
        {"DTCS", "1,,150.000000,,0.000000,DTCS,88.5,88.5,047,NN,023,Tone->Tone,FM,,,High,,,,,",
         [](const TRKmem&, const TChannel& ch) {
             EXPECT_EQ(ch.DecToneOn, 1);
             EXPECT_EQ(ch.DecIsCtcss, 0);
             EXPECT_EQ(ch.DecCode, 047);
             EXPECT_EQ(ch.DecPartnerCode, 047);
             EXPECT_EQ(ch.EncIsCtcss, 0);
             EXPECT_EQ(ch.EncCode, 047);
         }},
        {"Cross Tone->DTCS", "1,,150.000000,,0.000000,Cross,88.5,88.5,023,NN,754,Tone->DTCS,FM,,,High,,,,,",
         [](const TRKmem&, const TChannel& ch) {
             EXPECT_EQ(ch.EncIsCtcss, 1);
             EXPECT_EQ(ch.EncCode, 8);
             EXPECT_EQ(ch.DecIsCtcss, 0);
             EXPECT_EQ(ch.DecCode, 0754);
         }},
        {"Cross ->Tone", "1,,150.000000,,0.000000,Cross,88.5,254.1,023,NN,023,->Tone,FM,,,High,,,,,",
         [](const TRKmem&, const TChannel& ch) {
             EXPECT_EQ(ch.EncToneOn, 0);
             EXPECT_EQ(ch.DecIsCtcss, 1);
             EXPECT_EQ(ch.DecCode, 46);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TRKmem m = Template();
        const TCsvImportResult r = Import(m, std::string(kCommonHeader) + row.line + "\r\n");
        ASSERT_TRUE(r.Applied) << r.Refusal << testing::PrintToString(ProblemTexts(r));
        EXPECT_EQ(m.Channels[0].Blank, 0);
        row.check(m, m.Channels[0]);
    }
}

TEST(ChannelCsv, BadValuesRefuseTheWholeFileNamingLineAndColumn) {
    const std::string good = "1,,150.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,,,High,,,,,\r\n";
    struct Row {
        const char* name;
        const char* line;
        const char* problem;
    };
    const Row rows[] = {
        {"out of band", "2,,450.000000,,0.000000,,88.5,88.5,023,NN,023,,FM,,,High,,,,,",
         "line 3, column Frequency: 450.000000 MHz is outside the band 136.000000 to 174.000000 MHz"},
        {"off raster", "2,,150.001000,,0.000000,,88.5,88.5,023,NN,023,,FM,,,High,,,,,",
         "line 3, column Frequency: 150.001000 MHz is not on the 2.5 kHz or 3.125 kHz raster"},
        {"transmit out of band", "2,,170.000000,+,5.000000,,88.5,88.5,023,NN,023,,FM,,,High,,,,,",
         "line 3, column Offset: transmit 175.000000 MHz is outside the band 136.000000 to 174.000000 MHz"},
        {"tone not listed", "2,,150.000000,,0.000000,Tone,69.4,88.5,023,NN,023,,FM,,,High,,,,,",
         "line 3, column rToneFreq: \"69.4\" is not a CTCSS tone of this radio"},
        {"code not listed", "2,,150.000000,,0.000000,DTCS,88.5,88.5,024,NN,023,,FM,,,High,,,,,",
         "line 3, column DtcsCode: \"024\" is not a DCS code of this radio"},
        {"reversed polarity", "2,,150.000000,,0.000000,DTCS,88.5,88.5,023,RN,023,,FM,,,High,,,,,",
         "line 3, column DtcsPolarity: \"RN\": this radio has only normal DCS polarity"},
        {"long name", "2,TOOLONGNAME,150.000000,,0.000000,,88.5,88.5,023,NN,023,,FM,,,High,,,,,",
         "line 3, column Name: \"TOOLONGNAME\" is longer than 8 characters"},
        {"symbol in name", "2,A?B,150.000000,,0.000000,,88.5,88.5,023,NN,023,,FM,,,High,,,,,",
         "line 3, column Name: \"A?B\" holds a character a tag cannot have"},
        {"mode", "2,,150.000000,,0.000000,,88.5,88.5,023,NN,023,,AM,,,High,,,,,",
         "line 3, column Mode: \"AM\" is not a mode of this radio (FM or NFM)"},
        {"short row", "2,,150.000000", "line 3: 3 fields where the header has 21"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TRKmem m = Template();
        const TRKmem before = m;
        const TCsvImportResult r = Import(m, std::string(kCommonHeader) + good + row.line + "\r\n");
        EXPECT_FALSE(r.Applied);
        EXPECT_EQ(ProblemTexts(r), std::vector<std::string>{row.problem});
        EXPECT_TRUE(m.Equals(before));

        // Skipping invalid rows takes the good one and lists the other.
        const TCsvImportResult skipped =
            Import(m, std::string(kCommonHeader) + good + row.line + "\r\n", 1, true);
        EXPECT_TRUE(skipped.Applied);
        EXPECT_EQ(skipped.Imported, 1);
        EXPECT_EQ(ProblemTexts(skipped), std::vector<std::string>{row.problem});
        EXPECT_EQ(m.GroupAreas.Get(1), 1u);
    }
}

TEST(ChannelCsv, QuotingLineEndsAndTextEncodings) {
    struct Row {
        const char* name;
        std::string csv;
        const char* tag; // of channel 1
        int32_t channels;
    };
    const std::string header = kCommonHeader;
    const std::string tail = ",150.000000,,0.000000,,88.5,88.5,023,NN,023,,FM,,,High,";
    const Row rows[] = {
        {"CRLF", header + "1,ABC" + tail + ",,,,\r\n", "ABC", 1},
        {"LF only, no final line end", "Location,Name,Frequency\n1,abc,150.000000\n2,,150.012500", "ABC", 2},
        {"byte-order mark", "\xEF\xBB\xBF" + header + "1,ABC" + tail + ",,,,\r\n", "ABC", 1},
        {"quoted comma, quote and line break in the comment",
         header + "1,\"AB C\"" + tail + "\"say \"\"hi\"\",\r\nthere\",,,,\r\n2,X" + tail + ",,,,\r\n", "AB C",
         2},
        {"blank lines are no rows", header + "\r\n1,ABC" + tail + ",,,,\r\n\r\n", "ABC", 1},
        {"UTF-8 name", header + "1,\xC3\x89T\xC3\xA9" + tail + ",,,,\r\n", "\xC9T\xE9", 1},
        {"Latin-1 name", header + "1,\xC9T\xE9" + tail + ",,,,\r\n", "\xC9T\xE9", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TRKmem m = Template();
        const TCsvImportResult r = Import(m, row.csv);
        ASSERT_TRUE(r.Applied) << r.Refusal << testing::PrintToString(ProblemTexts(r));
        EXPECT_EQ(m.Channels[0].Tags.Joined(), row.tag);
        EXPECT_EQ(r.Imported, row.channels);
    }
}

TEST(ChannelCsv, FileLevelRefusals) {
    struct Row {
        const char* name;
        std::string csv;
        const char* refusal;
    };
    std::string full = kCommonHeader;
    for (int i = 0; i < 251; ++i)
        full += "1,,150.000000,,0.000000,,88.5,88.5,023,NN,023,,FM,,,High,,,,,\r\n";
    const Row rows[] = {
        {"unknown header", "Freq,Name\r\n150,A\r\n",
         "line 1: the header names neither the common columns (Location, Frequency, ...) nor the native ones "
         "(Group, ...)"},
        {"native column missing", "Group,Disabled,Chn\r\n1,-,1\r\n", "line 1: the column Pri is missing"},
        {"unclosed quote", std::string(kCommonHeader) + "1,\"AB,150.000000\r\n",
         "line 2: a quoted field is not closed"},
        {"no rows", kCommonHeader, "the file holds no channel to import"},
        {"no room", full, "Group 1 has no room for 251 channels: 250 channels are free"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TRKmem m = Template();
        const TRKmem before = m;
        const TCsvImportResult r = Import(m, row.csv);
        EXPECT_FALSE(r.Applied);
        EXPECT_EQ(r.Refusal, row.refusal);
        EXPECT_TRUE(m.Equals(before));
    }
}

} // namespace
