#include "image/dc_Map36.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/dc_Map36Const.h"
#include "model/dc_Errors.h"
#include "model/dc_RKmem.h"
#include "model/dc_Rules.h"
#include "model/dc_Text.h"

namespace {

// Character i of a text as a one-character text, empty past the end.
std::string_view CharAt(std::string_view s, size_t i) {
    return i < s.size() ? s.substr(i, 1) : std::string_view{};
}

// The packed-decimal digits of a date byte as a number; no digits give 0.
int32_t DigitsNumber(const std::string& digits) {
    int32_t v = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), v);
    return v;
}

// printf "%2.2d": at least two digits, a leading '-' for negatives.
std::string_view TwoDigits(int32_t v, char (&buf)[16]) {
    char* p = buf;
    int64_t x = v;
    if (x < 0) {
        *p++ = '-';
        x = -x;
    }
    if (x < 10) *p++ = '0';
    p = std::to_chars(p, buf + sizeof buf, x).ptr;
    return {buf, static_cast<size_t>(p - buf)};
}

int32_t ReadNumber(const TMap& map, TFieldDesc d, TFieldCoding coding) {
    switch (coding) {
    case fcSigned:
        return map.GetSignedValue(d);
    case fcDigits:
        return DigitsNumber(map.GetDigits(d));
    default:
        return static_cast<int32_t>(map.GetValue(d));
    }
}

void WriteNumber(TMap& map, TFieldDesc d, TFieldCoding coding, int32_t v) {
    switch (coding) {
    case fcDigits: {
        char buf[16];
        map.PutDigits(d, TwoDigits(v, buf));
        break;
    }
    case fcAtLeast5:
        map.PutValue(d, std::max(v, 5));
        break;
    case fcZero:
    case fcZeroOnEncode:
        map.PutValue(d, 0u);
        break;
    case fcKept:
    case fcTailElim:
    case fcTag:
        break;
    default:
        map.PutValue(d, v);
        break;
    }
}

// ---- Common settings ---------------------------------------------------------

void DecodeScalars(const TMap& map, TRKmem& m) {
    for (const TScalarField& f : ScalarFields())
        if (f.Direction != fdEncodeOnly) f.Set(m, ReadNumber(map, f.Desc, f.Coding));
    for (const TTextField& f : TextFields())
        if (f.Direction != fdEncodeOnly) m.*f.Member = map.GetTrimmedText(f.Desc);
}

void EncodeScalars(TMap& map, const TRKmem& m, TEncodeStage stage) {
    for (const TScalarField& f : ScalarFields())
        if (f.Direction != fdDecodeOnly && f.Stage == stage) WriteNumber(map, f.Desc, f.Coding, f.Get(m));
    for (const TTextField& f : TextFields())
        if (f.Direction != fdDecodeOnly && f.Stage == stage) map.PutText(f.Desc, m.*f.Member);
}

void DecodeProductType(const TMap& map, TRKmem& m) {
    m.ProductType = "TR-2300";
    m.ProductFamily = static_cast<int32_t>(map.GetValue(kProductFamily));
    if (m.ProductFamily == 0) {
        m.ProductType = map.GetValue(kProductSelector) != 0 ? "TR-2300" : "TR-2100";
    } else {
        m.ProductCode = static_cast<int32_t>(map.GetValue(kProductCode));
        if (m.ProductCode == 0) m.ProductType = "TR-2100";
        if (m.ProductCode == 2) m.ProductType = "TR-2200";
    }
}

void DecodeBandCode(const TMap& map, TRKmem& m) {
    const auto raw = static_cast<int32_t>(map.GetValue(kBandCodeRaw));
    const auto* it = std::find(kBandCodeRawValues.begin(), kBandCodeRawValues.end(), raw);
    if (it != kBandCodeRawValues.end()) m.BandCode = static_cast<int32_t>(it - kBandCodeRawValues.begin());
}

} // namespace

bool IsSpecialModel(const TRKmem& m) {
    return m.SpecialCode1 == kSpecialModelCodes[0] && m.SpecialCode2 == kSpecialModelCodes[1] &&
           m.SpecialCode3 == kSpecialModelCodes[2];
}

namespace {

void AppendHexPair(std::string& s, uint32_t v) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    s += kHex[(v >> 4) & 0xF];
    s += kHex[v & 0xF];
}

void DecodeSerialNumber(const TMap& map, TRKmem& m) {
    if (IsSpecialModel(m)) {
        if (m.ProductType == "TR-2300" && m.LvhfBand == 1 && (m.BandCode == 1 || m.BandCode == 2))
            m.ProductType = "TQ2400";
        m.SerialNumber.clear();
        for (int32_t i = 0; i < kSerialTextLength; ++i)
            m.SerialNumber += map.GetTrimmedText(SerialTextChar(i));
        return;
    }
    const uint32_t digit = map.GetValue(kSerialDigit);
    const uint32_t letter = map.GetValue(kSerialLetter);
    std::array<uint32_t, 3> pairs{};
    for (size_t k = 0; k < pairs.size(); ++k)
        pairs[k] = map.GetValue(kSerialPairs[k]);
    const bool valid = digit <= 9 && letter < kSerialLetters.size() &&
                       std::all_of(pairs.begin(), pairs.end(), [](uint32_t v) { return v <= 0x99; });
    if (!valid) {
        m.SerialNumber = kInvalidSerial;
        return;
    }
    m.SerialNumber.clear();
    m.SerialNumber += static_cast<char>('0' + digit);
    m.SerialNumber += kSerialLetters[letter];
    for (uint32_t v : pairs)
        AppendHexPair(m.SerialNumber, v);
}

void DecodeBandEdges(const TMap& map, TRKmem& m) {
    const int32_t pair = m.BandPair & 0xF;
    // Edges at or above 2^31 land in the model's signed fields as they are.
    m.BandLowerEdge = static_cast<int32_t>(map.GetValue(BandLowerEdgeDesc(pair)));
    m.BandUpperEdge = static_cast<int32_t>(map.GetValue(BandUpperEdgeDesc(pair)));
}

[[noreturn]] void ThrowNotNumber(std::string_view text, const char* kind) {
    throw EConvertError("'" + std::string(text) + "' is not a valid " + kind + " value");
}

uint32_t ParseNumber(std::string_view text, int base, const char* kind) {
    uint32_t v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v, base);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size()) ThrowNotNumber(text, kind);
    return v;
}

// Manufacture mode only. Writes field by field so that a conversion error
// leaves exactly the fields before it written.
void EncodeSerialNumber(TMap& map, const TRKmem& m) {
    const std::string_view serial = m.SerialNumber;
    if (IsSpecialModel(m)) {
        for (int32_t i = 0; i < kSerialTextLength; ++i)
            map.PutText(SerialTextChar(i), CharAt(serial, i));
        return;
    }
    if (serial == kInvalidSerial) return;
    map.PutValue(kSerialDigit, ParseNumber(CharAt(serial, 0), 10, "integer"));
    // A serial number without a letter (index 0) has seven characters, a
    // decimal digit second: its hexadecimal pairs start right after the
    // first digit. Taking that digit for an unknown letter would store a
    // different serial number.
    const bool noLetter = serial.size() == 7 && serial[1] >= '0' && serial[1] <= '9';
    size_t pairStart = 1;
    uint32_t letter = 0;
    if (!noLetter) {
        const std::string_view c = CharAt(serial, 1);
        const auto* it =
            std::find_if(kSerialLetters.begin(), kSerialLetters.end(), [&](const char* l) { return c == l; });
        letter = it == kSerialLetters.end() ? 1u : static_cast<uint32_t>(it - kSerialLetters.begin());
        pairStart = 2;
    }
    map.PutValue(kSerialLetter, letter);
    auto pair = [&](size_t k) { return serial.substr(std::min(serial.size(), pairStart + 2 * k), 2); };
    map.PutValue(kSerialPairs[1], ParseNumber(pair(1), 16, "hexadecimal"));
    map.PutValue(kSerialPairs[0], ParseNumber(pair(0), 16, "hexadecimal"));
    map.PutValue(kSerialPairs[2], ParseNumber(pair(2), 16, "hexadecimal"));
}

void DecodeFlagLists(const TMap& map, TRKmem& m) {
    for (const TFlagListField& f : FlagListFields()) {
        auto& list = m.*f.List;
        map.GetFlags(f.First248, 248, std::span(list).first(248));
        map.GetFlags(f.Last2, 2, std::span(list).subspan(248));
    }
    std::array<int32_t, kChannelCount> blank{};
    map.GetFlags(kBlankFlags248, 248, std::span(blank).first(248));
    map.GetFlags(kBlankFlags2, 2, std::span(blank).subspan(248));
    for (int32_t i = 0; i < kChannelCount; ++i)
        m.Channels[i].Blank = blank[static_cast<size_t>(i)];
}

void EncodeFlagLists(TMap& map, const TRKmem& m) {
    for (const TFlagListField& f : FlagListFields()) {
        const auto& list = m.*f.List;
        map.PutFlags(f.First248, 248, std::span(list).first(248));
        map.PutFlags(f.Last2, 2, std::span(list).subspan(248));
    }
    std::array<int32_t, kChannelCount> blank{};
    for (int32_t i = 0; i < kChannelCount; ++i)
        blank[static_cast<size_t>(i)] = m.Channels[i].Blank;
    map.PutFlags(kBlankFlags248, 248, std::span(blank).first(248));
    map.PutFlags(kBlankFlags2, 2, std::span(blank).subspan(248));
}

// ---- Tables ------------------------------------------------------------------

template <class Rec, size_t N>
void DecodeRecord(const TMap& map, int32_t start, const std::array<TRecordField<Rec>, N>& fields, Rec& rec) {
    for (const auto& f : fields)
        if (f.Coding == fcValue || f.Coding == fcSigned)
            f.Set(rec, ReadNumber(map, At(f.Desc, start), f.Coding));
}

template <class Rec, size_t N>
void EncodeRecord(TMap& map, int32_t start, const std::array<TRecordField<Rec>, N>& fields, const Rec& rec) {
    for (const auto& f : fields)
        WriteNumber(map, At(f.Desc, start), f.Coding, f.Get(rec));
}

void DecodeChannels(const TMap& map, TRKmem& m, int32_t tailElim180) {
    for (int32_t i = 0; i < kChannelArea.DecodeCount; ++i) {
        const int32_t start = kChannelArea.RecordStart(i);
        TChannel& ch = m.Channels[i];
        for (const auto& f : ChannelFields()) {
            if (f.Coding == fcValue || f.Coding == fcSigned) {
                f.Set(ch, ReadNumber(map, At(f.Desc, start), f.Coding));
            } else if (f.Coding == fcTag) {
                for (int32_t c = 0; c < kChannelTagLength; ++c)
                    ch.Tags[c].Text = map.GetText(ByteAt(start + f.Desc.FirstByte + c));
            }
        }
        ch.CommonFlag = tailElim180;
        ch.RxFreq.SetFromFloat(DecodePll(ch.RxSynthConfig, ch.RxPll, pdReceive, m));
        ch.TxFreq.SetFromFloat(DecodePll(ch.TxSynthConfig, ch.TxPll, pdTransmit, m));
    }
}

void EncodeTag(TMap& map, int32_t tagStart, const TChlTags& tags) {
    // A tag whose first character is blank is stored with 0xFF fill, the
    // radio's mark of an untagged channel; its blank characters become 0xFF
    // too (an untagged channel read from the radio stays untagged), while
    // any other character it holds is kept rather than dropped.
    const bool tagged = !TrimText(tags[0].Text).empty();
    for (int32_t c = 0; c < kChannelTagLength; ++c) {
        const TFieldDesc d = ByteAt(tagStart + c);
        const std::string& text = tags[c].Text;
        if (tagged)
            map.PutText(d, text);
        else
            map.PutFilledText(d, TrimText(text).empty() ? std::string_view{} : std::string_view(text), 0xFF);
    }
}

// A channel's words and selectors as the file gives them back: each number
// cut to its bits and read as the decoder reads it. Recalculated words can
// have parts no field holds.
class TStoredChannel {
  public:
    const TChannel& Of(const TChannel& ch) {
        back_ = ch;
        for (const auto* f : SynthFields()) {
            WriteNumber(scratch_, f->Desc, f->Coding, f->Get(ch));
            f->Set(back_, ReadNumber(scratch_, f->Desc, f->Coding));
        }
        return back_;
    }

  private:
    // The channel fields that hold the words and selectors, found once by
    // what they read.
    static const std::vector<const TRecordField<TChannel>*>& SynthFields() {
        static const std::vector<const TRecordField<TChannel>*> fields = [] {
            TChannel a, b;
            a.RxPll = a.TxPll = TPllWord{1, 1, 1, 1};
            a.RxSynthConfig = a.TxSynthConfig = 1;
            b.RxPll = b.TxPll = TPllWord{2, 2, 2, 2};
            b.RxSynthConfig = b.TxSynthConfig = 2;
            std::vector<const TRecordField<TChannel>*> found;
            for (const auto& f : ChannelFields())
                if ((f.Coding == fcValue || f.Coding == fcSigned) && f.Get(a) != f.Get(b))
                    found.push_back(&f);
            return found;
        }();
        return fields;
    }

    TMap scratch_;
    TChannel back_;
};

bool DecodesTo(const TChannel& stored, TPllDirection direction, const TRKmem& m, const TDecimal& freq) {
    const bool rx = direction == pdReceive;
    TDecimal decoded;
    decoded.SetFromFloat(DecodePll(rx ? stored.RxSynthConfig : stored.TxSynthConfig,
                                   rx ? stored.RxPll : stored.TxPll, direction, m));
    return decoded == freq;
}

// File form: whether a channel keeps its stored word (and selector) instead
// of the recalculated one. The recalculation stands whenever it settles: the
// file gives it back as the channel's frequency and the next save computes
// the same word again. Otherwise (nonsense reference dividers, band edges or
// offset tables) a stored word that still gives exactly the channel's
// frequency, one not changed since the image was decoded, is kept; so saving
// a saved file gives the same bytes and never refuses what it wrote itself.
bool KeepsStoredWord(const TPllEncoding& fresh, TChannel& ch, TPllDirection direction, int32_t toneKind,
                     const TRKmem& m, std::unique_ptr<TStoredChannel>& probe) {
    const bool rx = direction == pdReceive;
    int32_t& selector = rx ? ch.RxSynthConfig : ch.TxSynthConfig;
    TPllWord& word = rx ? ch.RxPll : ch.TxPll;
    const TDecimal& freq = rx ? ch.RxFreq : ch.TxFreq;
    if (fresh.Selector == selector && fresh.Word == word) return false;
    const int32_t storedSelector = selector;
    const TPllWord storedWord = word;
    selector = fresh.Selector;
    word = fresh.Word;
    if (!probe) probe = std::make_unique<TStoredChannel>();
    const bool freshSettles = DecodesTo(probe->Of(ch), direction, m, freq);
    selector = storedSelector;
    word = storedWord;
    if (freshSettles) {
        // The next save encodes from the new selector, whose divider may differ.
        if ((fresh.Selector == 0) == (storedSelector == 0)) return false;
        const TPllEncoding again = EncodePll(fresh.Selector, direction, toneKind, m, freq.ToFloat());
        if (again.Word == fresh.Word && again.RxDivisionRatio == fresh.RxDivisionRatio) return false;
    }
    return DecodesTo(ch, direction, m, freq);
}

// One direction of a channel. Returns nullopt when the file form keeps the
// channel's stored values because its frequency cannot be converted (not a
// whole number of Hz) while its stored word gives exactly that frequency.
std::optional<TPllEncoding> EncodeDirection(TChannel& ch, TPllDirection direction, bool forRadio,
                                            const TRKmem& m, std::unique_ptr<TStoredChannel>& probe,
                                            bool& keepWord) {
    const bool rx = direction == pdReceive;
    const TDecimal& freq = rx ? ch.RxFreq : ch.TxFreq;
    const int32_t toneKind = rx ? 0 : ch.EncIsCtcss;
    keepWord = false;
    try {
        TPllEncoding e =
            EncodePll(rx ? ch.RxSynthConfig : ch.TxSynthConfig, direction, toneKind, m, freq.ToFloat());
        keepWord = !forRadio && KeepsStoredWord(e, ch, direction, toneKind, m, probe);
        return e;
    } catch (const EConvertError&) {
        if (forRadio || !DecodesTo(ch, direction, m, freq)) throw;
        keepWord = true;
        return std::nullopt;
    }
}

void EncodeChannels(TMap& map, const TRKmem& m, bool forRadio, bool recalculate) {
    const int32_t tailElim = (m.CtcssTailElim == 1 && m.CtcssTailElim180 == 0) ? 9 : 0;
    // One scratch channel for the recalculated words: assignment reuses its
    // text buffers, so the loop does not allocate.
    TChannel ch;
    std::unique_ptr<TStoredChannel> probe;
    for (int32_t i = 0; i < kChannelArea.EncodeCount; ++i) {
        ch = m.Channels[i];
        bool keepWord = false;
        if (const auto rx = EncodeDirection(ch, pdReceive, forRadio, m, probe, keepWord)) {
            if (!keepWord) {
                ch.RxSynthConfig = rx->Selector;
                ch.RxPll = rx->Word;
            }
            ch.RxDivisionRatio = rx->RxDivisionRatio;
            if (recalculate) StoreSigned(rx->RxOffset, ch.RxOffsetNegative, ch.RxOffset);
        }

        if (const auto tx = EncodeDirection(ch, pdTransmit, forRadio, m, probe, keepWord)) {
            if (!keepWord) {
                ch.TxSynthConfig = tx->Selector;
                ch.TxPll = tx->Word;
            }
            StoreSigned(tx->TxOffset, ch.TxOffsetNegative, ch.TxOffset);
            if (recalculate)
                for (size_t k = 0; k < tx->TxAdj.size(); ++k)
                    StoreSigned(tx->TxAdj[k], ch.TxAdjNegative[k], ch.TxAdj[k]);
        }

        const int32_t start = kChannelArea.RecordStart(i);
        for (const auto& f : ChannelFields()) {
            if (f.Coding == fcTailElim)
                map.PutValue(At(f.Desc, start), tailElim);
            else if (f.Coding == fcTag)
                EncodeTag(map, start + f.Desc.FirstByte, ch.Tags);
            else
                WriteNumber(map, At(f.Desc, start), f.Coding, f.Get(ch));
        }
    }
}

void DecodeCodeSwitches(const TMap& map, TRKmem& m) {
    for (int32_t i = 0; i < kCodeSwitchArea.DecodeCount; ++i)
        DecodeRecord(map, kCodeSwitchArea.RecordStart(i), CodeSwitchFields(), m.CodeSwitches[i]);
}
void EncodeCodeSwitches(TMap& map, const TRKmem& m) {
    for (int32_t i = 0; i < kCodeSwitchArea.EncodeCount; ++i)
        EncodeRecord(map, kCodeSwitchArea.RecordStart(i), CodeSwitchFields(), m.CodeSwitches[i]);
}

void DecodeStandby(const TMap& map, TRKmem& m) {
    for (int32_t i = 0; i < kStandbyArea.DecodeCount; ++i)
        DecodeRecord(map, kStandbyArea.RecordStart(i), StandbyFields(), m.StandbyRepeaterData[i]);
}
void EncodeStandby(TMap& map, const TRKmem& m) {
    for (int32_t i = 0; i < kStandbyArea.EncodeCount; ++i)
        EncodeRecord(map, kStandbyArea.RecordStart(i), StandbyFields(), m.StandbyRepeaterData[i]);
}

void DecodeTwoTones(const TMap& map, TRKmem& m) {
    for (int32_t i = 0; i < kTwoToneArea.DecodeCount; ++i)
        DecodeRecord(map, kTwoToneArea.RecordStart(i), TwoToneFields(), m.Tones[i]);
}
void EncodeTwoTones(TMap& map, const TRKmem& m) {
    for (int32_t i = 0; i < kTwoToneArea.EncodeCount; ++i)
        EncodeRecord(map, kTwoToneArea.RecordStart(i), TwoToneFields(), m.Tones[i]);
}

const char* PagingDigitText(uint32_t nibble, int32_t empty) {
    static constexpr const char* kTexts[16] = {"0", "1", "2", "3", "4", "5", "6", "7",
                                               "8", "9", "A", "B", "C", "D", "*", "#"};
    if (nibble == 0xF && empty == 1) return "";
    return kTexts[nibble & 0xF];
}

uint32_t PagingDigitValue(std::string_view c) {
    if (c == "*") return 14;
    if (c == "#") return 15;
    uint32_t v = 0;
    const auto r = std::from_chars(c.data(), c.data() + c.size(), v, 16);
    return (c.empty() || r.ec != std::errc()) ? 0 : v;
}

void DecodePagings(const TMap& map, TRKmem& m) {
    for (int32_t i = 0; i < kTwoToneArea.DecodeCount; ++i) {
        const int32_t start = kTwoToneArea.RecordStart(i);
        TPaging& p = m.Pagings[i];
        p.Mode = static_cast<int32_t>(map.GetValue(At(kPagingMode, start)));
        p.Empty = static_cast<int32_t>(map.GetValue(At(kPagingEmpty, start)));
        p.EncDec = static_cast<int32_t>(map.GetValue(At(kPagingEncDec, start)));
        std::string* digits[3] = {&p.Digit1, &p.Digit2, &p.Digit3};
        p.Code.clear();
        for (size_t k = 0; k < kPagingDigits.size(); ++k) {
            *digits[k] = PagingDigitText(map.GetValue(At(kPagingDigits[k], start)), p.Empty);
            p.Code += *digits[k];
        }
    }
}

// The paging list shares its bytes with the 2-tone list; only the
// encryption/DTMF/paging board uses them for paging.
bool HasPagingBoard(const TRKmem& m) {
    return m.OptionInstalled == 1 && m.OptionSelA == 1 && m.OptionSelB == 0 && m.OptionSelC == 0 &&
           m.HiLevelEncryption == 0;
}

void EncodePagings(TMap& map, const TRKmem& m) {
    for (int32_t i = 0; i < kTwoToneArea.EncodeCount; ++i) {
        const int32_t start = kTwoToneArea.RecordStart(i);
        const TPaging& p = m.Pagings[i];
        map.PutValue(At(kPagingMode, start), p.Mode);
        map.PutValue(At(kPagingEmpty, start), p.Empty);
        map.PutValue(At(kPagingEncDec, start), p.EncDec);
        for (size_t k = 0; k < kPagingDigits.size(); ++k)
            map.PutValue(At(kPagingDigits[k], start),
                         p.Empty == 1 ? 15u : PagingDigitValue(CharAt(p.Code, k)));
    }
}

void DecodeDtmfCode(const TMap& map, const TAreaLayout& area, TDTMFMemFormat& code) {
    const int32_t start = area.RecordStart(0);
    code.Length = static_cast<int32_t>(map.GetValue(At(NibbleDesc(0), start)));
    code.Digits.clear();
    for (int32_t k = 1; k <= kDtmfDigitCount; ++k)
        code.Digits += DtmfDigitToText(static_cast<int32_t>(map.GetValue(At(NibbleDesc(k), start))));
    if (code.Digits.size() > static_cast<size_t>(code.Length))
        code.Digits.resize(static_cast<size_t>(code.Length));
}

void EncodeDtmfCode(TMap& map, const TAreaLayout& area, const TDTMFMemFormat& code) {
    const int32_t start = area.RecordStart(0);
    map.PutValue(At(NibbleDesc(0), start), code.Length);
    for (int32_t k = 1; k <= kDtmfDigitCount; ++k) {
        const std::string_view c = CharAt(code.Digits, static_cast<size_t>(k - 1));
        map.PutValue(At(NibbleDesc(k), start), c.empty() ? 0 : DtmfTextToDigit(c));
    }
}

void DecodeGroupSizes(const TMap& map, TRKmem& m) {
    // Sizes past the 250 channels are cut, so no channel is in two groups.
    uint32_t budget = kChannelCount;
    for (int32_t g = 0; g < kGroupSizeArea.DecodeCount; ++g) {
        uint32_t v = map.GetValue(ByteAt(kGroupSizeArea.RecordStart(g)));
        if (v > 0) {
            v = std::min(v, budget);
            budget -= v;
        }
        m.GroupAreas.Set(g, v);
    }
}
void EncodeGroupSizes(TMap& map, const TRKmem& m) {
    for (int32_t g = 0; g < kGroupSizeArea.EncodeCount; ++g)
        map.PutValue(ByteAt(kGroupSizeArea.RecordStart(g)), m.GroupAreas.Get(g));
}

TFieldDesc GroupNameDesc(int32_t g) {
    const int32_t start = kGroupNameArea.RecordStart(g);
    return {start, 7, start + kGroupNameArea.RecordSize - 1, 0};
}

void DecodeGroupNames(const TMap& map, TRKmem& m) {
    for (int32_t g = 0; g < kGroupNameArea.DecodeCount; ++g) {
        std::string& name = m.GroupNames[g].Text;
        name = map.GetTrimmedFilteredText(GroupNameDesc(g));
        if (TrimText(name).empty()) {
            char buf[16] = "Group";
            const auto r = std::to_chars(buf + 5, buf + sizeof buf, g + 1);
            name.assign(buf, r.ptr);
        }
    }
}
void EncodeGroupNames(TMap& map, const TRKmem& m) {
    for (int32_t g = 0; g < kGroupNameArea.EncodeCount; ++g) {
        const std::string& name = m.GroupNames[g].Text;
        if (!TrimText(name).empty())
            map.PutText(GroupNameDesc(g), name);
        else
            map.PutFilledText(GroupNameDesc(g), {}, 0x7F);
    }
}

void DecodeGroupPriorities(const TMap& map, TRKmem& m) {
    for (int32_t g = 0; g < kGroupPriorityArea.DecodeCount; ++g)
        m.GroupChannels.Set(g, map.GetValue(ByteAt(kGroupPriorityArea.RecordStart(g))));
}
void EncodeGroupPriorities(TMap& map, const TRKmem& m) {
    for (int32_t g = 0; g < kGroupPriorityArea.EncodeCount; ++g)
        map.PutValue(ByteAt(kGroupPriorityArea.RecordStart(g)), m.GroupChannels.Get(g));
}

void DecodeOffsetTable(const TMap& map, const TAreaLayout& area, TPOffsetTbls& table) {
    for (int32_t p = 0; p < area.DecodeCount; ++p) {
        const int32_t start = area.RecordStart(p);
        double d[kOffsetDigitCount];
        for (int32_t k = 0; k < kOffsetDigitCount; ++k)
            d[k] = map.GetValue(At(NibbleDesc(k), start));
        table[p].Frequency = d[0] * 100 + d[1] * 10 + d[2] + d[3] / 10 + d[4] / 100 + d[5] / 1000;
        table[p].Value = map.GetSignedValue(At(kOffsetValue, start));
    }
}

void DecodeToneTable(const TMap& map, const TToneTableLayout& layout, TSTTables& table) {
    std::array<int32_t, 8> use{};
    map.GetFlags(layout.UseBits, 8, use);
    for (int32_t e = 0; e < layout.Records.DecodeCount; ++e) {
        TSTTable& entry = table[e];
        entry.Use = use[static_cast<size_t>(e)];
        DecodeRecord(map, layout.Records.RecordStart(e), ToneTableFields(), entry);
        const int32_t tagStart = layout.Tags.RecordStart(e);
        entry.Tag.clear();
        for (int32_t c = 0; c < layout.Tags.RecordSize; ++c)
            entry.Tag += map.GetFilteredText(ByteAt(tagStart + c));
    }
}

void EncodeToneTable(TMap& map, const TToneTableLayout& layout, const TSTTables& table) {
    std::array<int32_t, 8> use{};
    for (int32_t e = 0; e < layout.Records.EncodeCount; ++e)
        use[static_cast<size_t>(e)] = table[e].Use;
    map.PutFlags(layout.UseBits, 8, use);
    for (int32_t e = 0; e < layout.Records.EncodeCount; ++e) {
        const TSTTable& entry = table[e];
        EncodeRecord(map, layout.Records.RecordStart(e), ToneTableFields(), entry);
        const int32_t tagStart = layout.Tags.RecordStart(e);
        for (int32_t c = 0; c < layout.Tags.RecordSize; ++c)
            map.PutFilledText(ByteAt(tagStart + c), CharAt(entry.Tag, static_cast<size_t>(c)), 0x20);
    }
}

void DecodeMdcIds(const TMap& map, TRKmem& m) {
    for (int32_t i = 0; i < kMdcIdArea.DecodeCount; ++i) {
        const int32_t start = kMdcIdArea.RecordStart(i);
        m.MdcMessageIds[static_cast<size_t>(i)] = map.GetHexDigits(At(kMdcMessageId, start));
        m.MdcPttIds[static_cast<size_t>(i)] = map.GetHexDigits(At(kMdcPttId, start));
    }
}
void EncodeMdcIds(TMap& map, const TRKmem& m) {
    for (int32_t i = 0; i < kMdcIdArea.EncodeCount; ++i) {
        const int32_t start = kMdcIdArea.RecordStart(i);
        map.PutHexDigits(At(kMdcMessageId, start), m.MdcMessageIds[static_cast<size_t>(i)]);
        map.PutHexDigits(At(kMdcPttId, start), m.MdcPttIds[static_cast<size_t>(i)]);
    }
}

} // namespace

bool TMap36::Decode(TRKmem& model, const TCodecContext&) const {
    const TMap& map = *this;
    // Every field read independently of the others first; what depends on
    // other fields (product type, band code, serial number form, band edges)
    // follows, then the tables, which need the band and synthesizer settings.
    DecodeScalars(map, model);
    model.TxTimeoutTimerCopy = model.TxTimeoutTimer;
    model.Constant3860 = 2;
    DecodeProductType(map, model);
    DecodeBandCode(map, model);
    DecodeSerialNumber(map, model);
    {
        std::string fw;
        AppendHexPair(fw, map.GetValue(kFirmwareHigh));
        AppendHexPair(fw, map.GetValue(kFirmwareLow));
        model.FirmwareVersion = fw;
    }
    DecodeBandEdges(map, model);
    DecodeFlagLists(map, model);

    // None of the table codecs can reject an image: every bit pattern is a
    // value the model can hold.
    DecodeChannels(map, model, static_cast<int32_t>(map.GetValue(kCtcssTailElim180)));
    DecodeCodeSwitches(map, model);
    DecodeStandby(map, model);
    DecodeTwoTones(map, model);
    DecodePagings(map, model);
    DecodeDtmfCode(map, kAniCodeArea, model.AniCodeFormat);
    DecodeDtmfCode(map, kEmergencyCodeArea, model.EmergencyCodeFormat);
    DecodeGroupSizes(map, model);
    DecodeGroupNames(map, model);
    DecodeGroupPriorities(map, model);
    TPOffsetTbls* offsetTables[7] = {&model.OffsetTables1, &model.OffsetTables2, &model.OffsetTables3,
                                     &model.OffsetTables4, &model.OffsetTables5, &model.OffsetTables6,
                                     &model.OffsetTables7};
    for (size_t t = 0; t < kOffsetTableAreas.size(); ++t)
        DecodeOffsetTable(map, kOffsetTableAreas[t], *offsetTables[t]);
    DecodeToneTable(map, kToneTableAreas[0], model.ToneTable1);
    DecodeToneTable(map, kToneTableAreas[1], model.ToneTable2);
    DecodeMdcIds(map, model);
    return true;
}

void TMap36::Encode(const TRKmem& model, bool ForRadio, const TCodecContext& context) {
    TMap& map = *this;
    if (context.StartupMode == 2) EncodeSerialNumber(map, model);
    EncodeScalars(map, model, esDate);
    EncodeScalars(map, model, esCommon);
    EncodeFlagLists(map, model);

    // Offsets are recalculated only for a radio and only by a normal user:
    // a file keeps the adjustments the radio was tuned with.
    EncodeChannels(map, model, ForRadio, ForRadio && context.StartupMode == 0);
    EncodeCodeSwitches(map, model);
    EncodeStandby(map, model);
    EncodeTwoTones(map, model);
    if (HasPagingBoard(model)) EncodePagings(map, model);
    EncodeScalars(map, model, esLate);
    EncodeDtmfCode(map, kAniCodeArea, model.AniCodeFormat);
    EncodeDtmfCode(map, kEmergencyCodeArea, model.EmergencyCodeFormat);
    EncodeGroupSizes(map, model);
    EncodeGroupNames(map, model);
    EncodeGroupPriorities(map, model);
    EncodeToneTable(map, kToneTableAreas[0], model.ToneTable1);
    EncodeToneTable(map, kToneTableAreas[1], model.ToneTable2);
    EncodeScalars(map, model, esMdc);
    EncodeMdcIds(map, model);
}

// ---- Identity copy ------------------------------------------------------------------

uint16_t IdentitySum(const TMap& image) {
    uint32_t sum = 0;
    for (int32_t i = kIdentitySumFirst; i <= kIdentitySumLast; ++i)
        sum += image.Buf[static_cast<size_t>(i)];
    return static_cast<uint16_t>(sum & 0xFFFF);
}

bool IdentitySumMatches(const TMap& image) {
    const auto stored =
        static_cast<uint16_t>((image.Buf[kIdentitySumAt] << 8) | image.Buf[kIdentitySumAt + 1]);
    return stored == IdentitySum(image);
}

void SealIdentityCopy(TMap& image) {
    // The order of a full write: the sums are taken first, the copies made,
    // and only then the sums stored, so a copy holds the byte a sum replaced.
    std::array<uint8_t, kAreaSums.size()> sums{};
    for (size_t k = 0; k < kAreaSums.size(); ++k) {
        uint32_t s = 0;
        for (int32_t i = kAreaSums[k].First; i <= kAreaSums[k].Last; ++i)
            s += image.Buf[static_cast<size_t>(i)];
        sums[k] = static_cast<uint8_t>(s & 0xFF);
    }
    const uint16_t idSum = IdentitySum(image);
    image.Buf[kIdentitySumAt] = static_cast<uint8_t>(idSum >> 8);
    image.Buf[kIdentitySumAt + 1] = static_cast<uint8_t>(idSum & 0xFF);
    for (const TIdentityCopy& c : kIdentityCopies)
        std::copy_n(image.Buf.begin() + c.From, c.Length, image.Buf.begin() + c.Copy);
    for (size_t k = 0; k < kAreaSums.size(); ++k)
        image.Buf[static_cast<size_t>(kAreaSums[k].At)] = sums[k];
}

bool IdentityCopyBlank(const TMap& image) {
    const uint8_t first = image.Buf[kIdentityCopies[0].Copy];
    if (first != 0x00 && first != 0xFF) return false;
    for (const TIdentityCopy& c : kIdentityCopies)
        if (!std::all_of(image.Buf.begin() + c.Copy, image.Buf.begin() + c.Copy + c.Length,
                         [first](uint8_t b) { return b == first; }))
            return false;
    return true;
}
