#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "Map36TestSupport.h"
#include "image/dc_Map36Const.h"
#include "model/dc_RKmem.h"

using namespace map36test;

namespace {

bool Valid(TFieldDesc d) {
    if (d.FirstByte < 0 || d.LastByte >= TMap::Size || d.LastByte < d.FirstByte) return false;
    if (d.FirstBit < 0 || d.FirstBit > 7 || d.LastBit < 0 || d.LastBit > 7) return false;
    return d.ByteCount() > 1 || d.FirstBit >= d.LastBit;
}

// How many descriptors claim each bit of the image.
struct TCoverage {
    std::array<std::array<uint8_t, 8>, TMap::Size> Count{};
    void Add(TFieldDesc d) {
        ASSERT_TRUE(Valid(d)) << d.FirstByte << "." << d.FirstBit << "-" << d.LastByte << "." << d.LastBit;
        for (int32_t a = d.FirstByte; a <= d.LastByte; ++a) {
            const int hi = a == d.FirstByte ? d.FirstBit : 7;
            const int lo = a == d.LastByte ? d.LastBit : 0;
            for (int b = hi; b >= lo; --b)
                ++Count[static_cast<size_t>(a)][static_cast<size_t>(b)];
        }
    }
    template <class Rec, size_t N>
    void AddRecords(const TAreaLayout& area, const std::array<TRecordField<Rec>, N>& fields) {
        for (int32_t i = 0; i < area.DecodeCount; ++i)
            for (const auto& f : fields)
                Add(At(f.Desc, area.RecordStart(i)));
    }
    void AddBytes(int32_t first, int32_t count) { Add({first, 7, first + count - 1, 0}); }
};

} // namespace

// A typo in an address or bit number shows up as two settings sharing a bit
// (or a descriptor outside the image): the layout assigns every bit once,
// except the paging list, which deliberately reuses the 2-tone bytes.
TEST(Map36Layout, EveryBitBelongsToAtMostOneField) {
    TCoverage cov;
    for (const auto& f : ScalarFields())
        cov.Add(f.Desc);
    for (const auto& f : TextFields())
        cov.Add(f.Desc);
    for (const auto& f : FlagListFields()) {
        cov.Add(f.First248);
        cov.Add(f.Last2);
    }
    for (auto d : {kBlankFlags248, kBlankFlags2, kBandCodeRaw, kProductCode, kProductFamily, kProductSelector,
                   kFirmwareHigh, kFirmwareLow, kSerialDigit, kSerialLetter})
        cov.Add(d);
    for (auto d : kSerialPairs)
        cov.Add(d);
    for (int32_t i = 0; i < kSerialTextLength; ++i)
        cov.Add(SerialTextChar(i));
    for (int32_t p = 0; p < kBandLimitPairs; ++p) {
        cov.Add(BandLowerEdgeDesc(p));
        cov.Add(BandUpperEdgeDesc(p));
    }
    cov.AddRecords(kChannelArea, ChannelFields());
    cov.AddRecords(kCodeSwitchArea, CodeSwitchFields());
    cov.AddRecords(kStandbyArea, StandbyFields());
    cov.AddRecords(kTwoToneArea, TwoToneFields());
    cov.AddBytes(kAniCodeArea.Anchor.FirstByte, 8);
    cov.AddBytes(kEmergencyCodeArea.Anchor.FirstByte, 8);
    cov.AddBytes(kGroupSizeArea.Anchor.FirstByte, 250);
    cov.AddBytes(kGroupNameArea.Anchor.FirstByte, 250 * 8);
    cov.AddBytes(kGroupPriorityArea.Anchor.FirstByte, 250);
    for (const auto& t : kOffsetTableAreas)
        cov.AddBytes(t.Anchor.FirstByte, 20);
    for (const auto& t : kToneTableAreas) {
        cov.Add(t.UseBits);
        cov.AddRecords(t.Records, ToneTableFields());
        cov.AddBytes(t.Tags.Anchor.FirstByte, 32);
    }
    cov.AddBytes(kMdcIdArea.Anchor.FirstByte, 44);
    if (HasFatalFailure()) return;
    for (int32_t a = 0; a < TMap::Size; ++a)
        for (int b = 0; b < 8; ++b)
            ASSERT_LE(cov.Count[static_cast<size_t>(a)][static_cast<size_t>(b)], 1)
                << "address 0x" << std::hex << a << " bit " << b;
}

// The channel field table accounts for every bit of the 34-byte record but
// the three unused bits at the top of its last byte.
TEST(Map36Layout, ChannelFieldsTileTheRecord) {
    TCoverage cov;
    for (const auto& f : ChannelFields())
        cov.Add(f.Desc);
    for (int32_t a = 0; a < kChannelArea.RecordSize; ++a)
        for (int b = 0; b < 8; ++b) {
            const int expected = (a == 33 && b >= 5) ? 0 : 1;
            EXPECT_EQ(cov.Count[static_cast<size_t>(a)][static_cast<size_t>(b)], expected)
                << "byte " << a << " bit " << b;
        }
    EXPECT_EQ(ChannelFields()[kChannelTagField].Coding, fcTag);
    EXPECT_EQ(kChannelArea.RecordStart(249) + kChannelArea.RecordSize - 1, 0x2D33);
}

// Every numeric setting of the model is either in the table or has a rule
// of its own in the codec; a setting missing from both would silently never
// reach the image.
TEST(Map36Layout, ScalarTableNamesTheModelFieldsItReaches) {
    TRKmem m;
    std::map<std::string, int32_t*> modelInts;
    std::set<std::string> modelTexts;
    m.VisitScalars([&](std::string_view name, auto& v) {
        if constexpr (std::is_same_v<std::decay_t<decltype(v)>, int32_t>)
            modelInts[std::string(name)] = &v;
        else
            modelTexts.insert(std::string(name));
    });

    std::set<std::string> covered;
    int32_t probe = 1000;
    for (const auto& f : ScalarFields()) {
        ASSERT_TRUE(modelInts.count(f.Name)) << f.Name;
        EXPECT_TRUE(covered.insert(f.Name).second) << "twice: " << f.Name;
        f.Set(m, ++probe);
        EXPECT_EQ(*modelInts[f.Name], probe) << f.Name;
        EXPECT_EQ(f.Get(m), probe) << f.Name;
    }
    const std::set<std::string> ownRules{"ProductFamily", "ProductCode",   "BandCode",
                                         "BandLowerEdge", "BandUpperEdge", "TxTimeoutTimerCopy"};
    for (const auto& [name, _] : modelInts)
        EXPECT_TRUE(covered.count(name) || ownRules.count(name)) << name << " is in no layout row";

    std::set<std::string> texts;
    for (const auto& f : TextFields())
        texts.insert(f.Name);
    for (const auto& name : modelTexts)
        EXPECT_TRUE(texts.count(name) || name == "ProductType" || name == "SerialNumber" ||
                    name == "FirmwareVersion")
            << name;
}
