// The band templates and the default data file that the build lays out in the
// program folder: what every new configuration starts from.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "image/dc_DataFile.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"
#include "support/FileBytes.h"

namespace fs = std::filesystem;

namespace {

const fs::path kProgramFolder = RK36_BINARY_DIR "/src";

class ProgramFolderScope {
  public:
    ProgramFolderScope() { SetProgramFolder(kProgramFolder); }
    ~ProgramFolderScope() { SetProgramFolder({}); }
};

// Channel 1 must be a channel the radio accepts: inside the band edges and
// on the band's raster, so normalising its frequency leaves it unchanged.
void ExpectValidChannel(const TRKmem& m, const TChannel& ch) {
    EXPECT_EQ(ch.Blank, 0);
    // No tone rather than the blank memory's DCS "777", which is no code.
    EXPECT_EQ(ch.DecToneOn, 0);
    EXPECT_EQ(ch.EncToneOn, 0);
    for (const TDecimal* f : {&ch.RxFreq, &ch.TxFreq}) {
        const double mhz = f->ToFloat();
        EXPECT_GE(mhz * 1e6, m.BandLowerEdge) << f->ToText();
        EXPECT_LE(mhz * 1e6, m.BandUpperEdge) << f->ToText();
        EXPECT_DOUBLE_EQ(NormalizeFrequencyText(m, f->ToText()), mhz);
    }
}

} // namespace

TEST(Templates, EveryProductHeadAndBandHasATemplateOfThatKind) {
    ProgramFolderScope scope;
    int count = 0;
    for (const std::string product : {"TR-2100", "TR-2200", "TR-2300"}) {
        const auto bands = BandNames(product);
        ASSERT_EQ(bands.size(), product == "TR-2300" ? 8u : 7u);
        for (int head = 0; head < 2; ++head) {
            for (int bandType = 0; bandType < static_cast<int>(bands.size()); ++bandType) {
                const fs::path path = BandTemplatePath(head, bandType, product);
                SCOPED_TRACE(path.string());
                TRKmem m;
                TMap36 image;
                TScopedMessages messages;
                ASSERT_TRUE(LoadDataFile(path, m, image)) << testing::PrintToString(messages.Texts());
                ++count;
                EXPECT_EQ(m.ProductType, product);
                EXPECT_EQ(m.ControlHeadType, head);
                EXPECT_EQ(BandType(m), bandType);
                EXPECT_EQ(BandName(BandType(m), m.ProductType), bands[static_cast<size_t>(bandType)]);
                const TBandSettings& s = BandSettings(bandType, product);
                EXPECT_EQ(m.BandLowerEdge, s.BandLowerEdge);
                EXPECT_EQ(m.BandUpperEdge, s.BandUpperEdge);
                EXPECT_EQ(m.RefDivider, s.RefDivider);
                ExpectValidChannel(m, m.Channels[0]);
                EXPECT_EQ(m.GroupAreas.Get(0), 1u);
                EXPECT_EQ(m.SerialNumber, "--------");

                // It stands for a radio: it carries the identity copy and sum of a full write.
                EXPECT_FALSE(IdentityCopyBlank(image));
                EXPECT_TRUE(IdentitySumMatches(image));
                EXPECT_TRUE(std::equal(image.Buf.begin() + 0x3200, image.Buf.begin() + 0x321A,
                                       image.Buf.begin() + 0x3E00));
                EXPECT_TRUE(
                    std::equal(image.Buf.begin(), image.Buf.begin() + 0x3F, image.Buf.begin() + 0x3E40));

                // Saving a loaded template gives the template back.
                TMap36 saved = image;
                saved.Encode(m, false);
                EXPECT_TRUE(saved.Equals(image));

                int32_t lower = 0, upper = 0;
                TChannel channel;
                ASSERT_TRUE(LoadBandTemplate(head, bandType, product, true, lower, upper, &channel));
                EXPECT_EQ(lower, s.BandLowerEdge);
                EXPECT_EQ(upper, s.BandUpperEdge);
                EXPECT_EQ(channel.Blank, 1);
                EXPECT_EQ(channel.RxFreq, m.Channels[0].RxFreq);
            }
        }
    }
    EXPECT_EQ(count, 2 * (7 + 7 + 8));
}

TEST(Templates, DefaultFileIsANewVhfANormalHeadTr2300) {
    ProgramFolderScope scope;
    const fs::path path = kProgramFolder / "default.K36";
    TRKmem m;
    TMap36 image;
    TScopedMessages messages;
    ASSERT_TRUE(LoadDataFile(path, m, image));
    EXPECT_EQ(m.ProductType, "TR-2300");
    EXPECT_EQ(BandName(BandType(m), m.ProductType), "VHF A");
    EXPECT_EQ(m.ControlHeadType, 0);
    ExpectValidChannel(m, m.Channels[0]);
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(BandTemplatePath(0, 2, "TR-2300")));
}
