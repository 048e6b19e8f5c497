#include "app/dc_GridRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "model/dc_Decimal.h"
#include "model/dc_Errors.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"
#include "model/dc_Text.h"

namespace {

// The channel field behind each plain value-list column.
int32_t TChannel::*ListField(int col) {
    switch (col) {
    case gcWidth:
        return &TChannel::Narrow;
    case gcTxPower:
        return &TChannel::TxPowerLow;
    case gcTot:
        return &TChannel::Tot;
    case gcComp:
        return &TChannel::Compander;
    case gcEncr:
        return &TChannel::Encryption;
    case gcLockout:
        return &TChannel::Lockout;
    case gcTxShift:
        return &TChannel::TxFlag;
    case gcRxShift:
        return &TChannel::RxFlag;
    case gcOptShift:
        return &TChannel::OptFlag;
    case gcArts:
        return &TChannel::Arts;
    case gcSelTone:
        return &TChannel::SelToneTable;
    default:
        return nullptr;
    }
}

constexpr int kListColumns[] = {3, 11, 13, 16, 17, 18, 23, 24, 25, 26, 27};

int32_t ColumnParam(int col) {
    return ChannelColumns[static_cast<size_t>(col)].Param;
}
TCellKind ColumnKind(int col) {
    return ChannelColumns[static_cast<size_t>(col)].Kind;
}

double TextToMHz(const std::string& text) {
    double v = 0;
    return TextToFloat(text, v) ? v : 0.0;
}

template <size_t N> int IndexIn(const std::array<const char*, N>& list, std::string_view text) {
    for (size_t i = 0; i < N; ++i)
        if (text == list[i]) return static_cast<int>(i);
    return -1;
}

// The code text of a tone column: decode (with its complement) or encode.
std::string ToneCodeText(const std::string& type, int32_t code, int32_t partner, bool withPartner) {
    if (type == "DCS") {
        std::string text = DcsThreeDigits(code);
        if (withPartner && partner != code) text += "/" + DcsThreeDigits(partner);
        return text;
    }
    if (type == "CTCSS") {
        const int32_t i = code + 1;
        return i >= 0 && i < kCtcssListCount ? CtcssList()[static_cast<size_t>(i)] : "";
    }
    return kNoTone;
}

std::string ToneTypeText(int32_t on, int32_t isCtcss) {
    if (!on) return kNoTone;
    return isCtcss ? "CTCSS" : "DCS";
}

// Columns 7/8 into the decode fields, or 9/10 into the encode fields.
// `partner` is null for the encode side, which has no complement.
void StoreTone(const std::string& type, const std::string& text, int32_t& on, int32_t& isCtcss, int32_t& code,
               int32_t* partner) {
    if (type == "CTCSS") {
        on = 1;
        isCtcss = 1;
        if (text == "OFF" || text == kNoTone) {
            on = 0;
            isCtcss = 0;
            code = 0;
            return;
        }
        const int i = IndexIn(CtcssList(), text);
        code = i > 0 ? i - 1 : 0;
        return;
    }
    if (type == "DCS") {
        on = 1;
        isCtcss = 0;
        if (text == "OFF" || text == kNoTone) {
            on = 0;
            code = 0;
            if (partner) *partner = 0;
            return;
        }
        const auto slash = text.find('/');
        const int32_t c = DcsTextToCode(text.substr(0, slash == std::string::npos ? text.size() : 3));
        const int32_t p = slash == std::string::npos
                              ? c
                              : DcsTextToCode(slash + 1 < text.size() ? text.substr(slash + 1, 3) : "");
        // A text that is no octal code leaves the stored code as it was
        // rather than writing -1 into a 9-bit field.
        if (c >= 0) code = c;
        if (partner && p >= 0) *partner = p;
        return;
    }
    on = 0;
    isCtcss = 0;
    code = 511;
    if (partner) *partner = 511;
}

// The signalling code as the cells show it: 9 is "0", others one up.
std::string SignallingText(int32_t code) {
    return code == 9 ? "0" : std::to_string(code + 1);
}
int32_t SignallingFromText(const std::string& text) {
    const int32_t n = ParseInt(text).value_or(0);
    return n == 0 ? 9 : n - 1;
}

bool IsListItem(int32_t list, const std::string& text) {
    for (int32_t v = 0; v < 5; ++v) {
        const std::string item = ListText(list, v);
        if (item.empty()) break;
        if (item == text) return true;
    }
    return false;
}

constexpr int32_t TRKmem::*kDirectKeys[6][2] = {
    {&TRKmem::DirectKey1Group, &TRKmem::DirectKey1Channel},
    {&TRKmem::DirectKey2Group, &TRKmem::DirectKey2Channel},
    {&TRKmem::DirectKey3Group, &TRKmem::DirectKey3Channel},
    {&TRKmem::DirectKey4Group, &TRKmem::DirectKey4Channel},
    {&TRKmem::DirectKey5Group, &TRKmem::DirectKey5Channel},
    {&TRKmem::DirectKey6Group, &TRKmem::DirectKey6Channel},
};

} // namespace

TGridOptions GridOptions(const TRKmem& m, int fileFormat) {
    return TGridOptions{OptionBoardName(m), IsMdcAni(m, fileFormat == 1), m.ProductType, BandType(m)};
}

// ---- Groups ----------------------------------------------------------------------

int32_t ChooseGroup(const TRKmem& m, int32_t g) {
    if (g < 0 || g >= kGroupCount) g = 0;
    for (int32_t i = g; i < kGroupCount; ++i)
        if (GroupSize(m, i) > 0) return i;
    for (int32_t i = 0; i < kGroupCount; ++i)
        if (GroupSize(m, i) > 0) return i;
    return 0;
}

std::string GroupCaption(const TRKmem& m, int32_t group) {
    char head[96];
    std::snprintf(head, sizeof head, " %s%3d TAG [%-8s]", "Group", group + 1,
                  m.GroupNames[group].Text.c_str());
    char text[128];
    std::snprintf(text, sizeof text, "%s (%3d Channels)", head, GroupSize(m, group));
    return text;
}

std::string ChannelsLeftCaption(const TRKmem& m) {
    int64_t used = 0;
    for (int32_t g = 0; g < kGroupCount; ++g)
        used += m.GroupAreas.Get(g);
    char text[48];
    std::snprintf(text, sizeof text, "%4lld Channels Left ", static_cast<long long>(kChannelCount - used));
    return text;
}

// ---- Cell texts and write-back -----------------------------------------------------

std::string FrequencyText(double mhz) {
    return FixedText(mhz, 6);
}

std::string DcsThreeDigits(int32_t code) {
    const std::string text = "0" + DcsCodeToText(code);
    return text.substr(text.size() >= 3 ? text.size() - 3 : 0);
}

void ChannelRow(const TRKmem& m, const TChannel& ch, int32_t chIdx, int32_t group, int32_t position,
                const TGridOptions& opt, TGridRow& row) {
    char num[16];
    std::snprintf(num, sizeof num, "%2d", chIdx + 1);
    row[gcChn] = num;
    row[gcPri] = static_cast<int64_t>(m.GroupChannels.Get(group)) == position ? "P" : "-";
    row[gcRpt] = "-";
    for (int col : kListColumns)
        row[static_cast<size_t>(col)] = ListText(ColumnParam(col), ch.*ListField(col));
    row[gcTag] = ch.Tags.Joined();
    row[gcRxFreq] = FrequencyText(ch.RxFreq.ToFloat());
    row[gcTxFreq] = ch.TxInhibit ? kTxInhibited : FrequencyText(ch.TxFreq.ToFloat());
    row[gcDecType] = ToneTypeText(ch.DecToneOn, ch.DecIsCtcss);
    row[gcDecCode] = ToneCodeText(row[gcDecType], ch.DecCode, ch.DecPartnerCode, true);
    row[gcEncType] = ToneTypeText(ch.EncToneOn, ch.EncIsCtcss);
    row[gcEncCode] = ToneCodeText(row[gcEncType], ch.EncCode, 0, false);

    const bool user = m.GetUserScan(chIdx) == 0;
    const bool dealer = m.GetDealerScan(chIdx) == 0;
    if (user && dealer)
        row[gcScan] = "B";
    else if (user)
        row[gcScan] = "U";
    else if (dealer)
        row[gcScan] = "D";
    else
        row[gcScan] = m.HomeChannelScan && m.HomeGroup == group && m.HomeChannel == position ? "H" : "-";

    const int32_t sql = ch.SqlNegative ? -ch.SqlLevel : ch.SqlLevel;
    row[gcSql] = sql > 0 ? "+" + std::to_string(sql) : std::to_string(sql);

    for (int col : {15, 19, 20, 21, 22})
        row[static_cast<size_t>(col)] = "-";
    if (opt.Board != kBoardAni) {
        row[gcAni] = ListText(23, ch.Ani);
        if (ch.SignallingOn) {
            const std::string code = SignallingText(ch.SignallingCode);
            for (int col : {20, 21, 19, 22})
                row[static_cast<size_t>(col)] = code;
        }
    } else if (ch.SignallingOn) {
        row[gcAni] = std::to_string(ch.SignallingCode);
    }
}

void StoreRow(TRKmem& m, TChannel& ch, int32_t chIdx, const TGridRow& row, const TGridOptions& opt) {
    for (int col : kListColumns)
        ch.*ListField(col) = ListIndex(ColumnParam(col), row[static_cast<size_t>(col)]);

    const std::string& tag = row[gcTag];
    for (int32_t i = 0; i < ch.Tags.Count(); ++i)
        ch.Tags[i].Text =
            static_cast<size_t>(i) < tag.size() ? std::string(1, tag[static_cast<size_t>(i)]) : "";

    ch.RxFreq.SetFromFloat(TextToMHz(row[gcRxFreq]));
    if (row[gcTxFreq] == kTxInhibited) {
        ch.TxInhibit = 1;
    } else {
        ch.TxInhibit = 0;
        ch.TxFreq.SetFromFloat(TextToMHz(row[gcTxFreq]));
    }

    StoreTone(row[gcDecType], row[gcDecCode], ch.DecToneOn, ch.DecIsCtcss, ch.DecCode, &ch.DecPartnerCode);
    StoreTone(row[gcEncType], row[gcEncCode], ch.EncToneOn, ch.EncIsCtcss, ch.EncCode, nullptr);

    m.SetUserScan(chIdx, 1);
    m.SetDealerScan(chIdx, 1);
    if (row[gcScan] == "B") {
        m.SetUserScan(chIdx, 0);
        m.SetDealerScan(chIdx, 0);
    } else if (row[gcScan] == "U") {
        m.SetUserScan(chIdx, 0);
    } else if (row[gcScan] == "D") {
        m.SetDealerScan(chIdx, 0);
    }

    const int32_t sql = ParseInt(row[gcSql]).value_or(0);
    ch.SqlNegative = sql < 0 ? 1 : 0;
    ch.SqlLevel = sql < 0 ? -sql : sql;

    if (opt.Board != kBoardAni) {
        ch.Ani = ListIndex(23, row[gcAni]);
        int col = -1;
        if (opt.Board == kBoard2Tone)
            col = gcTwoTone;
        else if (opt.Board == kBoard5Tone)
            col = gcSig;
        else if (opt.Board == kBoardEncDtmf)
            col = gcPage;
        // A board without a signalling column of its own has nothing to say
        // about the code: it stays as loaded, so that showing and storing a
        // page never changes a channel nobody edited.
        if (col >= 0) {
            ch.SignallingOn = 0;
            ch.SignallingCode = 0;
            if (row[static_cast<size_t>(col)] != "-") {
                ch.SignallingOn = 1;
                ch.SignallingCode = SignallingFromText(row[static_cast<size_t>(col)]);
            }
        }
    } else {
        ch.Ani = 0;
        // "-" is the list's "OFF": it must switch the option type off, or
        // the choice would come back with the next page.
        ch.SignallingOn = 0;
        ch.SignallingCode = 0;
        if (row[gcAni] != "-") {
            ch.SignallingOn = 1;
            ch.SignallingCode = ParseInt(row[gcAni]).value_or(0);
        }
    }
    if (opt.Mdc) {
        if (row[gcMdc] != "-") {
            ch.Ani = 1;
            ch.SignallingOn = 1;
            ch.SignallingCode = SignallingFromText(row[gcMdc]);
        } else {
            ch.Ani = 0;
        }
    }
}

void FillPage(const TRKmem& m, int32_t g, const TGridOptions& opt, TGridPage& page) {
    const int32_t group = ChooseGroup(m, g);
    const int32_t start = GroupStart(m, group);
    const int32_t count = std::min(GroupSize(m, group), kChannelCount - start);
    page.Group = group;
    page.Rows.resize(static_cast<size_t>(count));
    page.ChIdx.resize(static_cast<size_t>(count));
    for (int32_t k = 0; k < count; ++k) {
        page.ChIdx[static_cast<size_t>(k)] = start + k;
        ChannelRow(m, m.Channels[start + k], start + k, group, k, opt, page.Rows[static_cast<size_t>(k)]);
    }
}

void StorePage(TRKmem& m, const TGridPage& page, const TGridOptions& opt) {
    if (page.Group < 0 || page.Group >= kGroupCount) return;
    m.GroupChannels.Set(page.Group, 255);
    for (size_t k = 0; k < page.Rows.size(); ++k) {
        const TGridRow& row = page.Rows[k];
        if (row[gcPri] == "P") m.GroupChannels.Set(page.Group, static_cast<uint32_t>(k));
        const int32_t idx = page.ChIdx[k];
        if (idx < 0 || idx >= kChannelCount) continue;
        StoreRow(m, m.Channels[idx], idx, row, opt);
    }
}

// ---- Editing rules -------------------------------------------------------------------

void ApplyCellRules(TGridPage& page, int col, int r, const TRKmem& m) {
    if (r < 0 || static_cast<size_t>(r) >= page.Rows.size()) return;
    TGridRow& row = page.Rows[static_cast<size_t>(r)];
    auto arts = [&row] {
        if (row[gcArts] == "-") return;
        if (!(row[gcDecType] == "DCS" && row[gcDecCode] != kNoTone && row[gcEncType] == "DCS" &&
              row[gcEncCode] != kNoTone))
            row[gcArts] = "-";
    };
    switch (col) {
    case gcPri:
        if (row[gcPri] == "P")
            for (size_t k = 0; k < page.Rows.size(); ++k)
                if (k != static_cast<size_t>(r) && page.Rows[k][gcPri] == "P") page.Rows[k][gcPri] = "-";
        break;
    case gcWidth:
        if (row[gcWidth] == "W") row[gcComp] = "-";
        break;
    case gcRxFreq: {
        double hz = TextToMHz(row[gcRxFreq]) * 1e6 + m.DefaultSplit;
        // Only the band edges matter beyond this range; keep llround defined.
        hz = std::clamp(hz, -4e18, 4e18);
        const int64_t snapped =
            SnapFrequencyHz(BandType(m), m.BandLowerEdge, m.BandUpperEdge, std::llround(hz));
        row[gcTxFreq] = FrequencyText(static_cast<double>(snapped) / 1e6);
        break;
    }
    case gcDecType:
        row[gcDecCode] = kNoTone;
        row[gcEncType] = row[gcDecType];
        row[gcEncCode] = kNoTone;
        arts();
        break;
    case gcDecCode:
        if (row[gcDecCode] == "OFF") row[gcDecCode] = kNoTone;
        if (row[gcDecType] == row[gcEncType]) {
            const auto slash = row[gcDecCode].find('/');
            row[gcEncCode] = slash == std::string::npos ? row[gcDecCode] : row[gcDecCode].substr(0, 3);
        }
        arts();
        break;
    case gcEncType:
    case gcArts:
        arts();
        break;
    case gcEncCode:
        if (row[gcEncCode] == "OFF") row[gcEncCode] = kNoTone;
        arts();
        break;
    default:
        break;
    }
}

bool ValueCellEditable(int col, const TGridRow& row, const TGridOptions& opt) {
    switch (col) {
    case gcRpt:
        return false;
    case gcComp:
        return opt.ProductType != "TR-2100" &&
               (row[gcWidth] == "N" || opt.BandType == 0 || opt.BandType == 1);
    case gcEncr:
        return opt.Board == kBoardEncDtmf;
    case gcOptShift:
        return opt.Board == kBoard5Tone;
    default:
        return true;
    }
}

std::string NextListText(int32_t list, const std::string& text) {
    int32_t count = 0;
    while (count < 5 && !ListText(list, count).empty())
        ++count;
    if (count == 0) return text;
    for (int32_t i = 0; i < count; ++i)
        if (ListText(list, i) == text) return ListText(list, (i + 1) % count);
    return ListText(list, 0);
}

int SelectListFor(int col, const TGridRow& row) {
    if (col == gcScan && row[gcScan] == "H") return -1;
    if (col == gcDecCode || col == gcEncCode) {
        const std::string& type = row[static_cast<size_t>(col - 1)];
        if (type == kNoTone) return -1;
        return type == "CTCSS" ? 0 : 1;
    }
    return ColumnParam(col);
}

int ValueCellSelectList(int col, const TGridOptions& opt) {
    return col == gcAni && opt.Board == kBoardAni ? kOptionTypeList : -1;
}

std::string SelectResultText(int col, int listNo, const std::string& result) {
    if (col == gcScan || listNo == kOptionTypeList)
        return result == "OFF" || result.empty() ? "-" : result.substr(0, 1);
    if ((listNo == 6 || listNo == 24 || listNo == 25 || listNo == 27) && result == "OFF") return "-";
    return result;
}

bool TagCharAccepted(char& c) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32 || code > 127) return false;
    if (std::string_view("!\"$',;=?[]^~|{}`").find(c) != std::string_view::npos) return false;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return true;
}

bool FreqCharAccepted(char c) {
    return c == '.' || c == ',' || c == ' ' || (c >= '0' && c <= '9');
}

bool CharAccepted(int col, char& c) {
    if (col < 0 || col >= kGridColumnCount) return false;
    switch (ColumnKind(col)) {
    case ckTagEditor:
        return TagCharAccepted(c);
    case ckFreqEditor:
        return FreqCharAccepted(c);
    default:
        return false;
    }
}

std::optional<std::string> NormalizeEntry(const TRKmem& m, int col, const std::string& text) {
    if (col != gcRxFreq && col != gcTxFreq) return text;
    if (col == gcTxFreq && text == kTxInhibited) return text;
    if (TrimText(text).empty()) return text;
    try {
        return FrequencyText(NormalizeFrequencyText(m, text));
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

std::string DcsComplementToggle(const std::string& text) {
    if (text.find('/') != std::string::npos) {
        const int i = IndexIn(DcsPartnerList(), text);
        return i < 0 ? text : DcsList()[static_cast<size_t>(i)];
    }
    const int i = IndexIn(DcsList(), text);
    return i < 0 ? text : DcsPartnerList()[static_cast<size_t>(i)];
}

void ClearCodeOfChangedType(int col, TGridRow& row) {
    if (col == gcDecType) row[gcDecCode] = kNoTone;
    if (col == gcEncType) row[gcEncCode] = kNoTone;
}

bool PasteAccepted(int col, const std::string& text, const TGridRow& row, const TRKmem& m,
                   const TGridOptions& opt) {
    if (col < 0 || col >= kGridColumnCount) return false;
    if (ColumnKind(col) == ckValueList) {
        if (!ValueCellEditable(col, row, opt)) return false;
        // Under the ANI board the column holds the option type, not a flag.
        if (col == gcAni && opt.Board == kBoardAni)
            return text == "-" || text == "1" || text == "2" || text == "3";
        return IsListItem(ColumnParam(col), text);
    }
    if (ColumnKind(col) != ckSelectList) return false;
    if (col == gcDecCode || col == gcEncCode) {
        const std::string& type = row[static_cast<size_t>(col - 1)];
        if (type == kNoTone) return false;
        if (text == kNoTone) return true;
        return type == "CTCSS" ? IndexIn(CtcssList(), text) >= 0 : IndexIn(DcsList(), text) >= 0;
    }
    if (col == gcScan) return text == "O" || text == "D" || text == "U" || text == "B" || text == "-";
    if (col == gcPage && opt.Board == kBoardEncDtmf) {
        if (text == "-") return true;
        // The labels of the paging entries in use, as the selection list offers them.
        for (int32_t i = 0; i < m.Pagings.Count(); ++i)
            if (m.Pagings.Get(i).Empty != 1 && text == std::to_string((i + 1) % 10)) return true;
    }
    return false;
}

bool TakeChannelColumns(const TGridRow& source, const std::array<bool, kGridColumnCount>& shown,
                        TGridRow& target) {
    bool changed = false;
    for (size_t col = gcWidth; col < target.size(); ++col)
        if (shown[col] && target[col] != source[col]) {
            target[col] = source[col];
            changed = true;
        }
    return changed;
}

// ---- Layout -------------------------------------------------------------------------------

int ColumnGroup(int col) {
    static constexpr std::array<int, kGridColumnCount> groups{
        cgNone,    cgPri,     cgRepeater, cgWidth, cgTag,   cgFreq,  cgFreq, cgDecode, cgDecode,  cgEncode,
        cgEncode,  cgTxPower, cgScan,     cgTot,   cgSql,   cgAni,   cgComp, cgEncr,   cgLockout, cgPageSig,
        cgPageSig, cgPageSig, cgPageSig,  cgClock, cgClock, cgClock, cgArts, cgSelTone};
    return col >= 0 && col < kGridColumnCount ? groups[static_cast<size_t>(col)] : 0;
}

std::array<int, kGridColumnCount> ColumnWidths(const TGroupFlags& itemVisible, const TGridOptions& opt) {
    std::array<int, kGridColumnCount> widths{};
    auto width = [](int col) { return ChannelColumns[static_cast<size_t>(col)].Width; };
    for (int col = 0; col < kGridColumnCount; ++col) {
        const int g = ColumnGroup(col);
        // The encode columns have no menu item of their own: they follow decode.
        const bool visible = g == 0 || itemVisible[static_cast<size_t>(g == cgEncode ? cgDecode : g)];
        widths[static_cast<size_t>(col)] = visible ? width(col) : -1;
    }
    const bool signalling = itemVisible[cgPageSig];
    // One signalling column at a time, by option board.
    int shown = gcPage;
    if (opt.Board == kBoard2Tone)
        shown = gcTwoTone;
    else if (opt.Board == kBoard5Tone)
        shown = gcSig;
    if (opt.Mdc) {
        shown = gcMdc;
        widths[gcAni] = -1;
    }
    for (int col = gcPage; col <= gcMdc; ++col)
        widths[static_cast<size_t>(col)] = col == shown && signalling ? width(col) : -1;
    return widths;
}

int ColumnHelpContext(int col) {
    if (col <= gcLockout) return 300 + col;
    if (col <= gcSig) return 319;
    if (col == gcMdc) return 20010;
    return 320 + (col - gcTxShift);
}

// ---- Disabling a channel ----------------------------------------------------------------------

bool DisableCheck(TRKmem& m, int32_t group, int32_t position, int32_t channelNo, bool& fileModified) {
    if (channelNo == 1) {
        ShowMessageBox(
            "This channel is allocated as 'special channel'.\r\nThis channel is unable to make 'Disable "
            "channel'.",
            TMsgType::Warning);
        return false;
    }
    if (m.HomeGroup == group && m.HomeChannel == position) {
        ShowMessageBox(
            "This channel is allocated as 'home channel'.\r\nThis channel is unable to make 'Disable "
            "channel'.\r\nChange the status of '[Common]-[Scanning]-[Home Channel]', to do this channel.",
            TMsgType::Warning);
        return false;
    }
    if (m.PowerOnGroup == group && m.PowerOnChannel == position) {
        ShowMessageBox("This channel is allocated as 'Power On Grp / Chn'.\r\nThis channel is unable to make "
                       "'Disable channel'.\r\nChange the status of '[Common]-[Miscellaneous]-[Power On "
                       "Condition]', to do this channel.",
                       TMsgType::Warning);
        return false;
    }
    if (m.PositionLedGroup == group && m.PositionLedChannelNo == position) {
        ShowMessageBox(
            "This channel is allocated as 'Position LED Channel'.\r\nThis channel is unable to make "
            "'Disable channel'.\r\nChange the allocation of '[Common]-[SQC]-[Position LED Channel "
            "number]', \r\nto do this channel.",
            TMsgType::Warning);
        return false;
    }

    std::vector<int32_t> switches;
    for (int32_t i = 1; i < m.CodeSwitches.Count(); ++i)
        if (m.CodeSwitches[i].Group == group && m.CodeSwitches[i].Position == position) switches.push_back(i);
    for (size_t i = 0; i < switches.size(); ++i)
        if (ShowMessageBox(
                "This channel is listed in the \"Channel switch Table\" of DSUB-25.\r\nAre you sure you "
                "want to delete this channel?",
                TMsgType::Warning, TMsgButtons::OkCancel, 1) != TMsgResult::Ok)
            return false;
    for (int32_t i : switches) {
        m.CodeSwitches[i].Group = 255;
        m.CodeSwitches[i].Position = 255;
    }
    // The channel switch table is not part of the channel-table change check:
    // without the flag this change could be closed away unsaved.
    if (!switches.empty()) fileModified = true;

    const auto names = [&](const auto& key) { return m.*key[0] == group && m.*key[1] == position; };
    if (std::any_of(std::begin(kDirectKeys), std::end(kDirectKeys), names)) {
        if (ShowMessageBox(
                "This channel is allocated as Direct Key.\r\nAre you sure you want to delete this channel?",
                TMsgType::Warning, TMsgButtons::OkCancel, 1) != TMsgResult::Ok)
            return false;
        for (const auto& key : kDirectKeys)
            if (names(key)) {
                m.*key[0] = 255;
                m.*key[1] = 255;
            }
        fileModified = true;
    }
    return true;
}
