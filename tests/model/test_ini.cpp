#include <gtest/gtest.h>

#include "model/dc_Ini.h"
#include "support/FileBytes.h"
#include "support/ScratchFolder.h"

namespace {

class IniTest : public ::testing::Test {
  protected:
    TScratchFolder folder;
    std::filesystem::path File() const { return folder / "RK36.ini"; }
};

TEST_F(IniTest, ReadsEntriesInOneCaseFreeKeySpace) {
    WriteFileBytes(File(), "[Window]\r\n"
                           "frmx = 120\r\n"
                           "; a comment line\r\n"
                           "\r\n"
                           "CurFold=/data/radios/ ; where files are\r\n"
                           "A=b=c\r\n"
                           "EMPTY=\r\n"
                           "BAD=12x\r\n"
                           "PLUS=+7\r\n"
                           "  =orphan\r\n"
                           "no equals sign here\r\n");
    TIniData ini(File());
    EXPECT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadInt("FRMX", -1), 120);
    EXPECT_EQ(ini.ReadStr("curfold", "x"), "/data/radios/");
    EXPECT_EQ(ini.ReadStr("A", ""), "b") << "the value ends at the second '='";
    EXPECT_EQ(ini.ReadStr("EMPTY", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadInt("EMPTY", 4), 4);
    EXPECT_EQ(ini.ReadInt("BAD", 4), 4);
    EXPECT_EQ(ini.ReadInt("PLUS", 0), 7);
    EXPECT_EQ(ini.ReadInt("MISSING", -1), -1);
    EXPECT_EQ(ini.ReadStr("no equals sign here", "none"), "none");
}

TEST_F(IniTest, LoadReportsWhetherAnyEntryWasFound) {
    TIniData missing(File());
    EXPECT_FALSE(missing.Load());
    WriteFileBytes(File(), "; only comments\n[Header]\n\n");
    TIniData comments(File());
    EXPECT_FALSE(comments.Load());
}

TEST_F(IniTest, SaveRewritesEntryLinesInPlaceAndKeepsEverythingElse) {
    WriteFileBytes(File(), "[RK36]\n"
                           "; window\n"
                           "ITEM3 = 0 ; keep\n"
                           "\n"
                           "item4=1;first;second\n"
                           "other=x\n");
    TIniData ini(File());
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadInt("ITEM3", 1), 0);
    ini.WriteInt("ITEM3", 0);
    ini.WriteStr("Item4", "");
    ini.WriteStr("NewKey", "v");
    ini.WriteStr("newkey", "w"); // the same key, whatever the case
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadFileBytes(File()), "[RK36]\n"
                                     "; window\n"
                                     "ITEM3=0;keep\n"
                                     "\n"
                                     "ITEM4= ;first\n"
                                     "other=x;\n"
                                     "NEWKEY=w\n");
    // An empty value stays an entry and reads as absent.
    TIniData again(File());
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.ReadStr("ITEM4", "d"), "d");
    EXPECT_EQ(again.ReadStr("NEWKEY", ""), "w");
}

TEST_F(IniTest, AMissingFileIsCreatedWithOneLinePerEntry) {
    TIniData ini(File());
    EXPECT_FALSE(ini.Load());
    ini.WriteInt("COM_PORT", 2);
    ini.WriteStr("file1", "");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadFileBytes(File()), "COM_PORT=2\nFILE1= \n");
}

TEST_F(IniTest, SaveIntoAMissingFolderFails) {
    TIniData ini(folder / "no-such-folder" / "RK36.ini");
    ini.WriteInt("PAGE", 1);
    EXPECT_FALSE(ini.Save());
}

} // namespace
