#include "app/dc_ChannelCsv.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>

#include "model/dc_Decimal.h"
#include "model/dc_Groups.h"
#include "model/dc_Rules.h"
#include "model/dc_Text.h"

namespace {

// ---- Columns -------------------------------------------------------------------

constexpr std::array<const char*, 21> kCommonColumns = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

// What the common dialect writes for a tone or code a channel does not use:
// the values other programmers expect there.
constexpr const char* kDefaultTone = "88.5";
constexpr const char* kDefaultDcs = "023";

constexpr const char* kGroupColumn = "Group";
constexpr const char* kDisabledColumn = "Disabled";

// The grid's header of a column, made unique by the caption panel standing
// above its group ("Decode Type", "Clock Shift TX").
std::string GridColumnName(int col) {
    const TChannelColumn& c = ChannelColumns[static_cast<size_t>(col)];
    std::string name = c.Caption1;
    if (*c.Caption2) name += name.empty() ? c.Caption2 : std::string(" ") + c.Caption2;
    switch (ColumnGroup(col)) {
    case cgDecode:
        return "Decode " + name;
    case cgEncode:
        return "Encode " + name;
    case cgClock:
        return "Clock Shift " + name;
    default:
        return name;
    }
}

std::vector<std::string> NativeColumns() {
    std::vector<std::string> names{kGroupColumn, kDisabledColumn};
    for (int col = 0; col < kGridColumnCount; ++col)
        names.push_back(GridColumnName(col));
    return names;
}

// ---- Reading and writing CSV ----------------------------------------------------------

struct TRecord {
    int32_t Line = 0;
    std::vector<std::string> Fields;
};

// RFC 4180 records; a blank line is no record. False with the line of an
// unclosed quote.
bool ReadRecords(std::string_view text, std::vector<TRecord>& records, int32_t& badLine) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    int32_t line = 1;
    size_t i = 0;
    while (i < text.size()) {
        TRecord record{line, {}};
        std::string field;
        bool quotedAny = false;
        for (;;) {
            if (i < text.size() && text[i] == '"') {
                quotedAny = true;
                const int32_t quoteLine = line;
                ++i;
                for (;;) {
                    if (i >= text.size()) {
                        badLine = quoteLine;
                        return false;
                    }
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == '\n') ++line;
                    field += text[i++];
                }
            }
            while (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r')
                field += text[i++];
            record.Fields.push_back(std::move(field));
            field.clear();
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            break;
        }
        if (i < text.size() && text[i] == '\r') ++i;
        if (i < text.size() && text[i] == '\n') ++i;
        ++line;
        if (record.Fields.size() == 1 && record.Fields[0].empty() && !quotedAny) continue;
        records.push_back(std::move(record));
    }
    return true;
}

std::string CsvField(const std::string& value) {
    const bool quote = value.find_first_of(",\"\r\n") != std::string::npos ||
                       (!value.empty() && (IsBlankChar(value.front()) || IsBlankChar(value.back())));
    if (!quote) return value;
    std::string out = "\"";
    for (char c : value) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

void AppendRecord(std::string& out, const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        out += CsvField(fields[i]);
    }
    out += "\r\n";
}

// ---- Values --------------------------------------------------------------------------

std::string MHzText(int64_t hz) {
    return FixedText(static_cast<double>(hz) / 1e6, 6);
}

int64_t ChannelHz(const TDecimal& f) {
    return std::llround(f.ToFloat() * 1e6);
}

// A frequency in MHz as whole Hz; with `bandRules`, also inside the band
// edges and on the raster a typed frequency is put on.
std::optional<int64_t> ReadFrequency(const TRKmem& m, const std::string& text, bool bandRules,
                                     std::string& reason) {
    double mhz = 0;
    if (!TextToFloat(TrimText(text), mhz) || !(mhz >= 0) || mhz > 2147.483647) {
        reason = "\"" + text + "\" is not a frequency in MHz";
        return std::nullopt;
    }
    const int64_t hz = std::llround(mhz * 1e6);
    if (std::fabs(mhz * 1e6 - static_cast<double>(hz)) > 1e-3) {
        reason = text + " MHz is not a whole number of Hz";
        return std::nullopt;
    }
    if (!bandRules) return hz;
    if (hz < m.BandLowerEdge || hz > m.BandUpperEdge) {
        reason = MHzText(hz) + " MHz is outside the band " + MHzText(m.BandLowerEdge) + " to " +
                 MHzText(m.BandUpperEdge) + " MHz";
        return std::nullopt;
    }
    if (SnapFrequencyHz(BandType(m), m.BandLowerEdge, m.BandUpperEdge, hz) != hz) {
        const int32_t step = BandConstants(BandType(m)).ChannelStepHz;
        reason =
            MHzText(hz) + " MHz is not on the " + FixedText(step / 1000.0, 1) + " kHz or 3.125 kHz raster";
        return std::nullopt;
    }
    return hz;
}

// The CTCSS list entry (not "OFF") a tone in Hz stands for ("88.5", "88.50").
std::optional<std::string> CtcssText(const std::string& text) {
    double hz = 0;
    if (!TextToFloat(TrimText(text), hz)) return std::nullopt;
    for (int32_t i = 1; i < kCtcssListCount; ++i) {
        double listed = 0;
        TextToFloat(CtcssList()[static_cast<size_t>(i)], listed);
        if (std::fabs(listed - hz) < 0.001) return CtcssList()[static_cast<size_t>(i)];
    }
    return std::nullopt;
}

// The DCS list entry a code text stands for ("23", "023").
std::optional<std::string> DcsText(const std::string& text) {
    const std::string t = TrimText(text);
    if (t.empty() || t.size() > 3) return std::nullopt;
    const int32_t code = DcsTextToCode(t);
    if (code < 0) return std::nullopt;
    const std::string three = DcsThreeDigits(code);
    for (const char* item : DcsList())
        if (three == item) return three;
    return std::nullopt;
}

// Tag bytes from a file: Latin-1, ASCII letters upper-cased, and only the
// characters the grid lets a user type (control codes and 0x80..0x9F are no
// characters of a tag either).
bool ReadTag(const std::string& field, bool trim, std::string& tag, std::string& reason) {
    tag = Utf8OrLatin1ToBytes(field);
    if (trim) tag = TrimTrailingBlanks(tag);
    for (char& c : tag) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 0xA0) continue;
        if (code >= 0x80 || !TagCharAccepted(c)) {
            reason = "\"" + field + "\" holds a character a tag cannot have";
            return false;
        }
    }
    const auto length = static_cast<size_t>(ChannelColumns[gcTag].Param);
    if (tag.size() > length) {
        reason = "\"" + field + "\" is longer than " + std::to_string(length) + " characters";
        return false;
    }
    return true;
}

std::string TagForFile(const std::string& tag) {
    return BytesToUtf8(tag);
}

bool IsListText(int32_t list, const std::string& text) {
    return !text.empty() && ListText(list, ListIndex(list, text)) == text;
}

// ---- Rows -----------------------------------------------------------------------------

using TCells = std::array<std::optional<std::string>, kGridColumnCount>;

// One good row of the file: the grid cells it sets (the others keep what
// the channel holds) and where it goes.
struct TImportRow {
    int32_t Line = 0;
    int32_t Group = 0;
    TCells Cells;
    int32_t Blank = 0;
    bool ScanUnlessScanned = false; // common "Skip" empty: in scan, keeping a list it is in
};

class TRowReader {
  public:
    TRowReader(const TRecord& header, const TRecord& record, std::vector<TCsvProblem>& problems)
        : header_(header), record_(record), problems_(problems) {}

    bool Has(std::string_view name) const { return Index(name) >= 0; }
    std::string Get(std::string_view name) const {
        const int i = Index(name);
        return i < 0 ? std::string() : record_.Fields[static_cast<size_t>(i)];
    }
    void Bad(std::string_view column, std::string reason) {
        problems_.push_back({record_.Line, std::string(column), std::move(reason)});
        ok_ = false;
    }
    bool Ok() const { return ok_; }

  private:
    int Index(std::string_view name) const {
        for (size_t i = 0; i < header_.Fields.size(); ++i)
            if (TrimText(header_.Fields[i]) == name) return static_cast<int>(i);
        return -1;
    }
    const TRecord& header_;
    const TRecord& record_;
    std::vector<TCsvProblem>& problems_;
    bool ok_ = true;
};

enum class TToneKind { None, Ctcss, Dcs };

struct TToneCells {
    std::string Type = kNoTone;
    std::string Code = kNoTone;
};

// A tone of the common dialect in grid form; false after naming the bad value.
bool ReadTone(TRowReader& r, TToneKind kind, const char* column, TToneCells& cells) {
    if (kind == TToneKind::None) return true;
    const std::string text = r.Get(column);
    if (kind == TToneKind::Ctcss) {
        const auto tone = CtcssText(text);
        if (!tone) {
            r.Bad(column, "\"" + text + "\" is not a CTCSS tone of this radio");
            return false;
        }
        cells = {"CTCSS", *tone};
        return true;
    }
    const auto code = DcsText(text);
    if (!code) {
        r.Bad(column, "\"" + text + "\" is not a DCS code of this radio");
        return false;
    }
    cells = {"DCS", *code};
    return true;
}

TToneKind CrossKind(std::string_view side, bool& ok) {
    if (side.empty()) return TToneKind::None;
    if (side == "Tone") return TToneKind::Ctcss;
    if (side == "DTCS") return TToneKind::Dcs;
    ok = false;
    return TToneKind::None;
}

void ReadCommonTones(TRowReader& r, TImportRow& row) {
    if (!r.Has("Tone")) return;
    const std::string tone = r.Get("Tone");
    TToneKind enc = TToneKind::None, dec = TToneKind::None;
    const char* encColumn = "rToneFreq";
    const char* decColumn = "cToneFreq";
    if (tone == "Tone") {
        enc = TToneKind::Ctcss;
    } else if (tone == "TSQL") {
        enc = dec = TToneKind::Ctcss;
        encColumn = "cToneFreq";
    } else if (tone == "DTCS") {
        enc = dec = TToneKind::Dcs;
        encColumn = decColumn = "DtcsCode";
    } else if (tone == "Cross") {
        const std::string mode = r.Get("CrossMode");
        const auto arrow = mode.find("->");
        bool ok = arrow != std::string::npos;
        if (ok) {
            enc = CrossKind(std::string_view(mode).substr(0, arrow), ok);
            dec = CrossKind(std::string_view(mode).substr(arrow + 2), ok);
        }
        if (!ok || (enc == TToneKind::None && dec == TToneKind::None)) {
            r.Bad("CrossMode", "\"" + mode + "\" is not a cross mode of this radio");
            return;
        }
        if (enc == TToneKind::Dcs) encColumn = "DtcsCode";
        if (dec == TToneKind::Dcs) decColumn = "RxDtcsCode";
    } else if (!tone.empty()) {
        r.Bad("Tone", "\"" + tone + "\" is not a tone mode of this radio");
        return;
    }
    if (enc == TToneKind::Dcs || dec == TToneKind::Dcs) {
        const std::string polarity = r.Get("DtcsPolarity");
        if (!polarity.empty() && polarity != "NN")
            r.Bad("DtcsPolarity", "\"" + polarity + "\": this radio has only normal DCS polarity");
    }
    TToneCells encCells, decCells;
    if (!ReadTone(r, enc, encColumn, encCells) || !ReadTone(r, dec, decColumn, decCells)) return;
    row.Cells[gcEncType] = encCells.Type;
    row.Cells[gcEncCode] = encCells.Code;
    row.Cells[gcDecType] = decCells.Type;
    row.Cells[gcDecCode] = decCells.Code;
}

void ReadCommonRow(const TRKmem& m, TRowReader& r, TImportRow& row) {
    const std::string location = TrimText(r.Get("Location"));
    if (!location.empty() && ParseInt(location).value_or(-1) < 0)
        r.Bad("Location", "\"" + location + "\" is not a channel number");

    if (r.Has("Name")) {
        std::string tag, reason;
        if (ReadTag(r.Get("Name"), true, tag, reason))
            row.Cells[gcTag] = tag;
        else
            r.Bad("Name", reason);
    }

    std::string reason;
    const auto rx = ReadFrequency(m, r.Get("Frequency"), true, reason);
    if (!rx) r.Bad("Frequency", reason);
    const std::string duplex = r.Get("Duplex");
    // A flag and a value, not an optional: optimised builds warn falsely
    // that an optional's value may be used uninitialised here.
    bool txKnown = rx.has_value();
    int64_t tx = rx.value_or(0);
    if (duplex == "off") {
        row.Cells[gcTxFreq] = kTxInhibited;
    } else if (duplex == "+" || duplex == "-" || duplex == "split") {
        const auto offset = ReadFrequency(m, r.Get("Offset"), duplex == "split", reason);
        if (!offset) {
            r.Bad("Offset", reason);
            txKnown = false;
        } else if (rx) {
            tx = duplex == "split" ? *offset : duplex == "+" ? *rx + *offset : *rx - *offset;
            // The transmit frequency must keep the band's rules as much as the receive one.
            if (duplex != "split" && !ReadFrequency(m, MHzText(tx), true, reason))
                r.Bad("Offset", "transmit " + reason);
        }
    } else if (!duplex.empty()) {
        r.Bad("Duplex", "\"" + duplex + "\" is not a duplex of this radio");
    }
    if (rx) row.Cells[gcRxFreq] = MHzText(*rx);
    if (txKnown && duplex != "off") row.Cells[gcTxFreq] = MHzText(tx);

    ReadCommonTones(r, row);

    if (r.Has("Mode")) {
        const std::string mode = r.Get("Mode");
        if (mode == "FM" || mode == "NFM")
            row.Cells[gcWidth] = mode == "FM" ? "W" : "N";
        else
            r.Bad("Mode", "\"" + mode + "\" is not a mode of this radio (FM or NFM)");
    }
    if (r.Has("Power")) {
        const std::string power = LowerCase(TrimText(r.Get("Power")));
        if (power == "high" || power == "low")
            row.Cells[gcTxPower] = power == "high" ? "H" : "L";
        else
            r.Bad("Power", "\"" + r.Get("Power") + "\" is not a power of this radio (High or Low)");
    }
    if (r.Has("Skip")) {
        const std::string skip = r.Get("Skip");
        if (skip == "S")
            row.Cells[gcScan] = "-";
        else if (skip.empty())
            row.ScanUnlessScanned = true;
        else
            r.Bad("Skip", "\"" + skip + "\" is not a scan setting of this radio (S or empty)");
    }
    row.Blank = 0;
}

// Whether `text` may be the native cell text of column `col`. A disabled
// channel is never used on the air, so only the form of its frequencies and
// codes is checked: it comes back as the radio held it.
bool NativeCellGood(const TRKmem& m, int col, const std::string& text, const TCells& cells, bool disabled,
                    const TGridOptions& opt, std::string& reason) {
    auto bad = [&](const std::string& why) {
        reason = "\"" + text + "\" " + why;
        return false;
    };
    switch (col) {
    case gcChn:
    case gcRpt:
        return true;
    case gcPri:
        return text == "P" || text == "-" ? true : bad("is not P or -");
    case gcTag: {
        std::string tag;
        return ReadTag(text, false, tag, reason);
    }
    case gcTxFreq:
        if (text == kTxInhibited) return true;
        [[fallthrough]];
    case gcRxFreq:
        return ReadFrequency(m, text, !disabled, reason).has_value();
    case gcDecCode:
    case gcEncCode: {
        const std::string& type = cells[static_cast<size_t>(col - 1)].value_or("");
        if (text == kNoTone) return true;
        if (type == "CTCSS")
            return std::find_if(CtcssList().begin(), CtcssList().end(),
                                [&](const char* t) { return text == t; }) != CtcssList().end()
                       ? true
                       : bad("is not a CTCSS tone of this radio");
        if (type != "DCS") return bad("is a code without a tone type");
        const auto slash = text.find('/');
        const std::string code = text.substr(0, slash);
        const bool partnerGood =
            slash == std::string::npos ||
            (col == gcDecCode && text.size() == 7 && slash == 3 && DcsTextToCode(text.substr(4)) >= 0);
        const bool codeGood =
            code.size() == 3 && (disabled ? DcsTextToCode(code) >= 0 : DcsText(code).has_value());
        return codeGood && partnerGood ? true : bad("is not a DCS code of this radio");
    }
    case gcScan:
        return text == "B" || text == "U" || text == "D" || text == "-" || text == "H"
                   ? true
                   : bad("is not a scan setting (B, U, D, H or -)");
    case gcSql: {
        const auto sql = ParseInt(text);
        return sql && *sql >= -7 && *sql <= 7 ? true : bad("is not a squelch level from -7 to +7");
    }
    case gcPage:
    case gcTwoTone:
    case gcSig:
    case gcMdc: {
        const auto code = ParseInt(text);
        return text == "-" || (code && *code >= 0 && *code <= 16) ? true
                                                                  : bad("is not a code from 0 to 16 or -");
    }
    case gcAni:
        if (opt.Board == kBoardAni) {
            const auto type = ParseInt(text);
            return text == "-" || (type && *type >= 0 && *type <= 15) ? true
                                                                      : bad("is not an option type or -");
        }
        [[fallthrough]];
    default: {
        const int32_t list =
            col == gcDecType || col == gcEncType ? 3 : ChannelColumns[static_cast<size_t>(col)].Param;
        return IsListText(list, text) ? true : bad("is not a value of this column");
    }
    }
}

void ReadNativeRow(const TRKmem& m, TRowReader& r, const TGridOptions& opt, TImportRow& row) {
    const std::string group = TrimText(r.Get(kGroupColumn));
    const auto g = ParseInt(group);
    if (g && *g >= 1 && *g <= kGroupCount)
        row.Group = *g - 1;
    else
        r.Bad(kGroupColumn, "\"" + group + "\" is not a group from 1 to " + std::to_string(kGroupCount));
    const std::string disabled = r.Get(kDisabledColumn);
    if (disabled != "v" && disabled != "-") r.Bad(kDisabledColumn, "\"" + disabled + "\" is not v or -");
    row.Blank = disabled == "v" ? 1 : 0;

    for (int col = 0; col < kGridColumnCount; ++col)
        if (col != gcChn && col != gcRpt) row.Cells[static_cast<size_t>(col)] = r.Get(GridColumnName(col));
    for (int col = 0; col < kGridColumnCount; ++col) {
        const auto& cell = row.Cells[static_cast<size_t>(col)];
        std::string reason;
        if (cell && !NativeCellGood(m, col, *cell, row.Cells, row.Blank == 1, opt, reason))
            r.Bad(GridColumnName(col), reason);
    }
    if (!r.Ok()) return;
    // The grid's forms of what was read: tag bytes, "%3.6f" frequencies.
    std::string tag, reason;
    ReadTag(*row.Cells[gcTag], false, tag, reason);
    row.Cells[gcTag] = tag;
    for (int col : {gcRxFreq, gcTxFreq})
        if (auto& cell = row.Cells[static_cast<size_t>(col)]; *cell != kTxInhibited)
            cell = MHzText(*ReadFrequency(m, *cell, false, reason));
}

// ---- Export rows ---------------------------------------------------------------------------

template <class Fn> void ForEachChannel(const TRKmem& m, Fn&& fn) {
    for (int32_t g : GroupsWithChannels(m))
        for (int32_t k = 0; k < GroupSize(m, g); ++k) {
            const int32_t idx = ChannelIndexOf(m, g, k);
            if (idx < 0) break;
            fn(g, k, idx);
        }
}

std::vector<std::string> CommonFields(const TRKmem& m, int32_t idx, const TGridRow& row) {
    const TChannel& ch = m.Channels[idx];
    std::vector<std::string> f(kCommonColumns.size());
    auto set = [&](std::string_view column, std::string value) {
        for (size_t i = 0; i < kCommonColumns.size(); ++i)
            if (column == kCommonColumns[i]) f[i] = std::move(value);
    };
    set("Location", std::to_string(idx + 1));
    // Other programmers pad no names; a blank tag is an empty one to them.
    set("Name", TagForFile(TrimTrailingBlanks(ch.Tags.Joined())));
    const int64_t rx = ChannelHz(ch.RxFreq), tx = ChannelHz(ch.TxFreq);
    set("Frequency", MHzText(rx));
    std::string duplex;
    if (ch.TxInhibit)
        duplex = "off";
    else if (tx > rx)
        duplex = "+";
    else if (tx < rx)
        duplex = "-";
    set("Duplex", duplex);
    set("Offset", MHzText(duplex == "+" ? tx - rx : duplex == "-" ? rx - tx : 0));

    // Tones from the grid's texts, the decode complement left out.
    const std::string& encType = row[gcEncType];
    const std::string& decType = row[gcDecType];
    const std::string encCode = row[gcEncCode];
    const std::string decCode = row[gcDecCode].substr(0, decType == "DCS" ? 3 : std::string::npos);
    std::string rTone = kDefaultTone, cTone = kDefaultTone, dtcs = kDefaultDcs, rxDtcs = kDefaultDcs;
    std::string cross = "Tone->Tone", tone;
    if (encType == "CTCSS") rTone = encCode;
    if (decType == "CTCSS") cTone = decCode;
    if (encType == "DCS") dtcs = encCode;
    if (decType == "DCS") rxDtcs = decCode;
    auto side = [](const std::string& type) -> std::string {
        return type == "CTCSS" ? "Tone" : type == "DCS" ? "DTCS" : "";
    };
    if (encType == kNoTone && decType == kNoTone) {
        tone = "";
    } else if (encType == "CTCSS" && decType == kNoTone) {
        tone = "Tone";
    } else if (encType == "CTCSS" && decType == "CTCSS" && encCode == decCode) {
        tone = "TSQL";
    } else if (encType == "DCS" && decType == "DCS" && encCode == decCode) {
        tone = "DTCS";
    } else {
        tone = "Cross";
        cross = side(encType) + "->" + side(decType);
    }
    set("Tone", tone);
    set("rToneFreq", rTone);
    set("cToneFreq", cTone);
    set("DtcsCode", dtcs);
    set("DtcsPolarity", "NN");
    set("RxDtcsCode", rxDtcs);
    set("CrossMode", cross);
    set("Mode", ch.Narrow ? "NFM" : "FM");
    set("Skip", m.GetUserScan(idx) != 0 && m.GetDealerScan(idx) != 0 ? "S" : "");
    set("Power", ch.TxPowerLow ? "Low" : "High");
    return f;
}

} // namespace

bool CsvDialectFromName(std::string_view name, TCsvDialect& dialect) {
    if (name == "common") {
        dialect = TCsvDialect::Common;
        return true;
    }
    if (name == "native") {
        dialect = TCsvDialect::Native;
        return true;
    }
    return false;
}

std::string CsvProblemText(const TCsvProblem& p) {
    std::string text = "line " + std::to_string(p.Line);
    if (!p.Column.empty()) text += ", column " + p.Column;
    return text + ": " + p.Reason;
}

std::string ExportChannelsCsv(const TRKmem& m, TCsvDialect dialect, const TGridOptions& opt) {
    std::string out;
    if (dialect == TCsvDialect::Common)
        AppendRecord(out, std::vector<std::string>(kCommonColumns.begin(), kCommonColumns.end()));
    else
        AppendRecord(out, NativeColumns());
    ForEachChannel(m, [&](int32_t g, int32_t k, int32_t idx) {
        TGridRow row;
        ChannelRow(m, m.Channels[idx], idx, g, k, opt, row);
        if (dialect == TCsvDialect::Common) {
            AppendRecord(out, CommonFields(m, idx, row));
            return;
        }
        std::vector<std::string> fields{std::to_string(g + 1), m.Channels[idx].Blank ? "v" : "-"};
        for (int col = 0; col < kGridColumnCount; ++col)
            fields.push_back(col == gcTag ? TagForFile(row[gcTag]) : TrimText(row[static_cast<size_t>(col)]));
        AppendRecord(out, fields);
    });
    return out;
}

TCsvImportResult ImportChannelsCsv(TRKmem& m, std::string_view csv, const TCsvImportOptions& options) {
    TCsvImportResult result;
    std::vector<TRecord> records;
    int32_t badLine = 0;
    auto refuse = [&](std::string why) {
        result.Refusal = std::move(why);
        return result;
    };
    if (!ReadRecords(csv, records, badLine))
        return refuse("line " + std::to_string(badLine) + ": a quoted field is not closed");
    if (records.empty()) return refuse("the file is empty");

    const TRecord& header = records.front();
    auto hasColumn = [&](std::string_view name) {
        return std::any_of(header.Fields.begin(), header.Fields.end(),
                           [&](const std::string& f) { return TrimText(f) == name; });
    };
    std::vector<std::string> required;
    if (hasColumn(kGroupColumn)) {
        result.Dialect = TCsvDialect::Native;
        required = NativeColumns();
    } else if (hasColumn("Location")) {
        result.Dialect = TCsvDialect::Common;
        required = {"Location", "Frequency"};
    } else {
        return refuse("line 1: the header names neither the common columns (Location, Frequency, ...) nor "
                      "the native ones (Group, ...)");
    }
    for (const std::string& name : required)
        if (!hasColumn(name)) return refuse("line 1: the column " + name + " is missing");

    std::vector<TImportRow> rows;
    for (size_t i = 1; i < records.size(); ++i) {
        const TRecord& record = records[i];
        TRowReader reader(header, record, result.Problems);
        if (record.Fields.size() != header.Fields.size()) {
            reader.Bad("", std::to_string(record.Fields.size()) + " fields where the header has " +
                               std::to_string(header.Fields.size()));
            continue;
        }
        TImportRow row;
        row.Line = record.Line;
        row.Group = options.Group >= 0 ? options.Group : options.CommonGroup;
        if (result.Dialect == TCsvDialect::Common) {
            ReadCommonRow(m, reader, row);
        } else {
            ReadNativeRow(m, reader, options.Grid, row);
            if (options.Group >= 0) row.Group = options.Group;
        }
        if (reader.Ok()) rows.push_back(std::move(row));
    }
    if (!result.Problems.empty() && !options.SkipInvalid)
        return refuse(std::to_string(result.Problems.size()) +
                      (result.Problems.size() == 1 ? " value is" : " values are") +
                      " not valid; nothing imported");
    if (rows.empty()) return refuse("the file holds no channel to import");

    // Each group the rows name gets exactly their number of channels.
    std::map<int32_t, int32_t> counts;
    for (const TImportRow& row : rows)
        ++counts[row.Group];
    TRKmem work;
    work.Assign(m);
    for (const auto& [g, n] : counts)
        work.GroupAreas.Set(g, static_cast<uint32_t>(n));
    const int64_t total = AllocatedChannels(work);
    if (total > kChannelCount) {
        const auto& [g, n] = *counts.begin();
        return refuse("Group " + std::to_string(g + 1) + " has no room for " + std::to_string(n) +
                      " channels: " + std::to_string(kChannelCount - (total - n)) + " channels are free");
    }
    TRKmem next;
    next.Assign(m);
    const TAskReference yes = [](std::string_view, std::string_view) { return true; };
    if (!ApplyGroupAllocation(next, work, options.TemplateChannel, options.Ask ? options.Ask : yes).Accepted)
        return refuse("cancelled; nothing imported");

    std::map<int32_t, int32_t> position;
    if (result.Dialect == TCsvDialect::Native)
        for (const auto& entry : counts)
            next.GroupChannels.Set(entry.first, 255);
    for (const TImportRow& row : rows) {
        const int32_t k = position[row.Group]++;
        const int32_t idx = ChannelIndexOf(next, row.Group, k);
        if (idx < 0) continue;
        TGridPage page{row.Group, {TGridRow{}}, {idx}};
        TGridRow& cells = page.Rows[0];
        ChannelRow(next, next.Channels[idx], idx, row.Group, k, options.Grid, cells);
        for (int col = 0; col < kGridColumnCount; ++col)
            if (row.Cells[static_cast<size_t>(col)])
                cells[static_cast<size_t>(col)] = *row.Cells[static_cast<size_t>(col)];
        if (result.Dialect == TCsvDialect::Common) {
            if (row.ScanUnlessScanned && (cells[gcScan] == "-" || cells[gcScan] == "H")) cells[gcScan] = "B";
            ApplyCellRules(page, gcArts, 0, next);
        } else if (cells[gcPri] == "P" && next.GroupChannels.Get(row.Group) == 255) {
            next.GroupChannels.Set(row.Group, static_cast<uint32_t>(k));
        }
        StoreRow(next, next.Channels[idx], idx, cells, options.Grid);
        next.Channels[idx].Blank = row.Blank;
        ++result.Imported;
    }
    m.Assign(next);
    result.FirstGroup = counts.begin()->first;
    result.Applied = true;
    return result;
}
