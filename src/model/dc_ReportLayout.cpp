#include "model/dc_ReportLayout.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>
#include <span>
#include <string_view>
#include <variant>

#include "model/dc_AniRules.h"
#include "model/dc_KeyFunc.h"
#include "model/dc_Rules.h"
#include "model/dc_Text.h"

namespace {

// ---- Formatting ------------------------------------------------------------------

using TArg = std::variant<int64_t, double, std::string>;

std::string Padded(std::string text, int width, bool left) {
    if (static_cast<int>(text.size()) >= width) return text;
    const std::string fill(static_cast<size_t>(width) - text.size(), ' ');
    return left ? text + fill : fill + text;
}

std::string IntText(int64_t v, int minDigits = 1) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v < 0 ? -v : v);
    std::string digits(buf, r.ptr);
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
    return v < 0 ? "-" + digits : digits;
}

// The printf conversions the report's formats use (%s, %d, %f with flag "-",
// width and precision), without the C locale: a comma never becomes the
// decimal point whatever locale the editor runs in.
std::string Format(std::string_view format, std::initializer_list<TArg> args) {
    std::string out;
    auto next = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        ++i;
        if (i < format.size() && format[i] == '%') {
            out += '%';
            continue;
        }
        bool left = false;
        if (i < format.size() && format[i] == '-') {
            left = true;
            ++i;
        }
        int width = 0;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9')
            width = width * 10 + (format[i++] - '0');
        int precision = -1;
        if (i < format.size() && format[i] == '.') {
            precision = 0;
            ++i;
            while (i < format.size() && format[i] >= '0' && format[i] <= '9')
                precision = precision * 10 + (format[i++] - '0');
        }
        if (i >= format.size() || next == args.end()) break;
        const TArg& arg = *next++;
        std::string text;
        if (const auto* s = std::get_if<std::string>(&arg))
            text = *s;
        else if (const auto* n = std::get_if<int64_t>(&arg))
            text = format[i] == 'f' ? FixedText(static_cast<double>(*n), precision < 0 ? 6 : precision)
                                    : IntText(*n, precision < 0 ? 1 : precision);
        else
            text = FixedText(std::get<double>(arg), precision < 0 ? 6 : precision);
        out += Padded(std::move(text), width, left);
    }
    return out;
}

// The text of `value` in `texts`; a value the table does not have prints as
// its number, so a damaged or newer file still reports completely.
std::string TableText(std::span<const char* const> texts, int64_t value) {
    if (value >= 0 && value < static_cast<int64_t>(texts.size())) return texts[static_cast<size_t>(value)];
    return IntText(value);
}

// A value-text list entry of the channel columns, or the number.
std::string ColumnText(int32_t list, int32_t value) {
    std::string text = ListText(list, value);
    return text.empty() ? IntText(value) : text;
}

// ---- Texts only the report uses ------------------------------------------------------

constexpr const char* kTxTimeout[] = {"Unlimited", "0.5 min", "1.0 min", "1.5 min", "2.0 min", "2.5 min",
                                      "3.0 min",   "3.5 min", "4.0 min", "4.5 min", "5.0 min", "5.5 min",
                                      "6.0 min",   "6.5 min", "7.0 min", "7.5 min"};
constexpr const char* kTotPenalty[] = {"0 sec", "6 secs", "20 secs", "60 secs"};
constexpr const char* kPttRelease[] = {"0 sec", "2 secs", "3 secs", "5 secs"};
constexpr const char* kEnabled[] = {"Disabled", "Enabled"};
constexpr const char* kDualWatch[] = {"500 msec",  "750 msec",  "1000 msec", "1250 msec",
                                      "1500 msec", "1750 msec", "2000 msec", "2250 msec",
                                      "2500 msec", "2750 msec", "3000 msec"};
constexpr const char* kResume1[] = {"0.250 secs", "0.500 secs", "1 secs",  "2 secs", "3 secs", "4 secs",
                                    "5 secs",     "6 secs",     "7 secs",  "8 secs", "9 secs", "10 secs",
                                    "11 secs",    "12 secs",    "13 secs", "14 secs"};
constexpr const char* kResume2[] = {"2 secs",  "3 secs",  "4 secs",  "5 secs",  "6 secs",  "7 secs",
                                    "8 secs",  "9 secs",  "10 secs", "15 secs", "20 secs", "25 secs",
                                    "30 secs", "40 secs", "50 secs", "60 secs"};
constexpr const char* kRevert[] = {"Start Channnel", "Home Channnel", "PRI Channel", "Last Busy Channnel"};
constexpr const char* kPresent[] = {"Yes", "No"};
constexpr const char* kLocalOffset[] = {"Lower", "Upper"};
constexpr const char* kToneUse[] = {"No", "Yes"};
constexpr const char* kToneKind[] = {"DCS", "CTCSS"};

constexpr const char* kBanner = "***** Tolvar  TR-2100/2200/2300 Series  Mobile Transceiver *****";
constexpr const char* kDcsType = "DCS";
constexpr const char* kCtcssType = "CTCSS";
constexpr const char* kNoTone = "-----";

// The channel table header: each line's literal, then its suffix for an
// OB-21, an OB-51, MDC ANI, and any other radio.
struct THeaderLine {
    const char* Text;
    std::array<const char*, 4> Suffix;
};
// clang-format off
constexpr std::array<THeaderLine, 4> kChannelHeader{{
    {"                                                                                   C E L  ", {"2", "", "", "P"}},
    {"    P R W                                                                   T    A O n oO ", {"T", "S", "M", "a"}},
    {"    r P /                FREQUENCY            Decode        Encode     Tx S O    N M c cu ", {"o S", "I S", "D S", "g S"}},
    {"Chn i T N   TAG      Receive    Transmit    Type   Code   Type   Code  Po C T SQ I P r kt ", {"n T", "G T", "C T", "e T"}},
}};
// clang-format on

constexpr const char* kKeyCaptions[kKeyCount][2] = {
    {"[PF1]short Key:       %s", "[PF1]long  Key:       %s"},
    {"[PF2]short Key:       %s", "[PF2]long  Key:       %s"},
    {"[PF3]short Key:       %s", "[PF3]long  Key:       %s"},
    {"[PF4]short Key:       %s", "[PF4]long  Key:       %s"},
    {"[PF5]short Key:       %s", "[PF5]long  Key:       %s"},
    {"[PF6]short Key:       %s", "[PF6]long  Key:       %s"},
};

// ---- Building ------------------------------------------------------------------------

class TReportBuilder {
  public:
    TReportBuilder(const TRKmem& m, int32_t fileFormat)
        : m_(m), mdc_(IsMdcAni(m, fileFormat == 1)), board_(OptionBoardName(m)), fileFormat_(fileFormat) {}

    TReport Build(const std::filesystem::path& fileName) {
        SettingsPage(fileName);
        ChannelPages();
        SignallingPage();
        return std::move(report_);
    }

  private:
    void NewPage() { report_.emplace_back(); }
    void Put(int32_t column, int32_t line, std::string text) {
        report_.back().Lines.push_back(TReportLine{line, column, std::move(text)});
    }

    std::string KeyText(int32_t code, TKeyPress press, int32_t shortCode) const {
        const int32_t row = KeyRowForCode(code, press, shortCode);
        if (row < 0 || !KeyRowListed(row, m_, TKeyListing::Report)) return KeyFunctions()[kKeyRowNone].Name;
        return KeyFunctions()[static_cast<size_t>(row)].Name;
    }

    void SettingsPage(const std::filesystem::path& fileName) {
        NewPage();
        const std::string stars(64, '*');
        Put(10, 0, stars);
        Put(10, 1, kBanner);
        Put(10, 2, stars);
        Put(2, 4, Format("File Name:  %s", {fileName.filename().string()}));

        const int32_t a = 4;
        const int32_t bandType = BandType(m_);
        const TBandConstants& band = BandConstants(bandType);
        Put(2, a + 2, "Hardware Environment");
        Put(4, a + 4, Format("Serial Number:        %s", {m_.SerialNumber}));
        // The report's band list has one "UHF F" for band codes 5 and 6 of every product.
        Put(4, a + 5, Format("Band:                 %s", {BandName(bandType, "")}));
        Put(4, a + 6, Format("Product Type:         %s", {m_.ProductType}));
        Put(4, a + 7, Format("Ref Xtal:             %s", {std::string(band.CrystalText)}));
        Put(4, a + 8, Format("First IF:             %s", {std::string(band.IfText)}));
        Put(4, a + 9, Format("Local Offset:         %s", {TableText(kLocalOffset, m_.InjectionSide[0])}));
        Put(4, a + 10, Format("Channel Spacing:      %s", {std::string(band.SpacingText)}));
        Put(4, a + 12, Format("Encryption Device:    %s", {TableText(kPresent, m_.OptionSelC)}));
        Put(4, a + 13, Format("DTMF Device:          %s", {TableText(kPresent, m_.OptionSelB)}));
        Put(4, a + 14, Format("Sub CPU:              %s", {TableText(kPresent, m_.OptionSelA)}));

        Put(2, a + 16, "Radio status Parameters");
        Put(4, a + 17, Format("Tx Timeout Timer:     %s", {TableText(kTxTimeout, m_.TxTimeoutTimer)}));
        Put(4, a + 18, Format("TOT Penalty Timer:    %s", {TableText(kTotPenalty, m_.TotPenaltyTimer)}));
        Put(4, a + 19, Format("PTT release Timer:    %s", {TableText(kPttRelease, m_.PttReleaseTimer)}));
        Put(4, a + 20, Format("Noise blanker:        %s", {TableText(kEnabled, m_.NoiseBlanker)}));

        Put(2, a + 22, "Scan Parameters");
        Put(4, a + 23, Format("Dual Watch Time:      %s", {TableText(kDualWatch, m_.DualWatchTimer)}));
        Put(4, a + 24, Format("Scan Resume Time 1:   %s", {TableText(kResume1, m_.ScanResumeTime1)}));
        Put(4, a + 25, Format("Scan Resume time 2:   %s", {TableText(kResume2, m_.ScanResumeTime2)}));
        Put(4, a + 26, Format("Talk Back:            %s", {TableText(kEnabled, m_.TalkBack)}));
        Put(4, a + 27, Format("Revert Channel:       %s", {TableText(kRevert, m_.RevertChannel)}));

        Put(2, a + 29, "Key Definition");
        for (int32_t key = 0; key < kKeyCount; ++key) {
            const TKeyFields& f = KeyFields()[static_cast<size_t>(key)];
            const int32_t shortCode = m_.*f.Short;
            Put(4, a + 30 + 2 * key, Format(kKeyCaptions[key][0], {KeyText(shortCode, TKeyPress::Short, 0)}));
            Put(4, a + 31 + 2 * key,
                Format(kKeyCaptions[key][1], {KeyText(m_.*f.Long, TKeyPress::Long, shortCode)}));
        }
        Put(4, a + 42,
            Format(" Up/Down   Key:       %s", {kUpDownFunctions[UpDownIndexForCode(m_.KeyUpDown)].Name}));
    }

    size_t HeaderVariant() const {
        if (board_ == kBoard2Tone) return 0;
        if (board_ == kBoard5Tone) return 1;
        return mdc_ ? 2 : 3;
    }

    void GroupHeader(int32_t group) {
        NewPage();
        Put(1, 0, Format("Group name : %s", {m_.GroupNames.Get(group).Text}));
        const size_t variant = HeaderVariant();
        for (size_t i = 0; i < kChannelHeader.size(); ++i)
            Put(1, 3 + static_cast<int32_t>(i),
                std::string(kChannelHeader[i].Text) + kChannelHeader[i].Suffix[variant]);
        Put(1, 7, std::string(93, '='));
    }

    static std::string ToneType(int32_t on, int32_t isCtcss) {
        if (!on) return kNoTone;
        return isCtcss ? kCtcssType : kDcsType;
    }

    static std::string CtcssText(int32_t code) {
        const auto& tones = CtcssList();
        // Entry 0 of the list is "OFF"; the report's tones start at code 0.
        if (code >= 0 && code + 1 < static_cast<int32_t>(tones.size()))
            return tones[static_cast<size_t>(code) + 1];
        return IntText(code);
    }

    static std::string ToneCode(const std::string& type, int32_t code) {
        if (type == kDcsType) return DcsCodeToText(code);
        if (type == kCtcssType) return CtcssText(code);
        return kNoTone;
    }

    std::string ScanLetter(int32_t chIdx) const {
        const bool user = m_.GetUserScan(chIdx) == 0;
        const bool dealer = m_.GetDealerScan(chIdx) == 0;
        if (user && dealer) return "B";
        if (user) return "U";
        return dealer ? "D" : "-";
    }

    std::string SignallingText(const TChannel& ch) const {
        const bool board = board_ == kBoard2Tone || board_ == kBoard5Tone || board_ == kBoardEncDtmf || mdc_;
        if (ch.SignallingOn != 1 || !board) return "-";
        return ch.SignallingCode == 9 ? "0" : IntText(ch.SignallingCode + 1);
    }

    std::string ChannelRow(const TChannel& ch, int32_t chIdx, int32_t number, bool priority) const {
        const std::string decType = ToneType(ch.DecToneOn, ch.DecIsCtcss);
        const std::string encType = ToneType(ch.EncToneOn, ch.EncIsCtcss);
        const int32_t sql = ch.SqlNegative ? -ch.SqlLevel : ch.SqlLevel;
        return Format(
            "%s%.3d %s %s %s %-8s   %3.6f %3.6f  %-5s  %-5s  %-5s  %-5s  %s %s %s %2s %s %s %s %s %s %s",
            {std::string(ch.Blank == 0 ? "*" : " "),
             int64_t{number},
             std::string(priority ? "P" : "-"),
             std::string("-"),
             ColumnText(1, ch.Narrow),
             ch.Tags.Joined(),
             ch.RxFreq.ToFloat(),
             ch.TxFreq.ToFloat(),
             decType,
             ToneCode(decType, ch.DecCode),
             encType,
             ToneCode(encType, ch.EncCode),
             ColumnText(5, ch.TxPowerLow),
             ScanLetter(chIdx),
             ColumnText(23, ch.Tot),
             sql > 0 ? "+" + IntText(sql) : IntText(sql),
             ColumnText(23, ch.Ani),
             ColumnText(23, ch.Compander),
             ColumnText(23, ch.Encryption),
             ColumnText(4, ch.Lockout),
             SignallingText(ch),
             ColumnText(2, ch.SelToneTable)});
    }

    void ChannelPages() {
        int64_t start = 0;
        int32_t number = 0;
        for (int32_t g = 0; g < kGroupCount; ++g) {
            const int64_t size = m_.GroupAreas.Get(g);
            if (size == 0) continue;
            // Sizes that add up past the channel table end with its last channel.
            const int64_t rows = std::min<int64_t>(size, kChannelCount - start);
            if (rows <= 0) break;
            const int64_t priority = m_.GroupChannels.Get(g);
            for (int32_t r = 0; r < rows; ++r) {
                if (r % kReportRowsPerPage == 0) GroupHeader(g);
                const int32_t chIdx = static_cast<int32_t>(start) + r;
                Put(0, 8 + r % kReportRowsPerPage,
                    ChannelRow(m_.Channels.Get(chIdx), chIdx, ++number, r == priority));
            }
            start += size;
        }
    }

    static std::string SelToneCode(int32_t isCtcss, int32_t code) {
        if (isCtcss) return CtcssText(code);
        std::string text = DcsCodeToText(code);
        return text.size() == 2 ? "0" + text : text;
    }

    void ToneTable(const TSTTables& table, int32_t title, const char* caption) {
        Put(2, title, caption);
        Put(4, title + 1, "           USE  TAG   Enc Type Dec Type Encode    Decode");
        for (int32_t i = 0; i < table.Count(); ++i) {
            const TSTTable& t = table.Get(i);
            Put(4, title + 2 + i,
                Format("Piar%2d :   %3s  %-4s   %-5s    %-5s     %-5s     %-5s",
                       {int64_t{i + 1}, TableText(kToneUse, t.Use), t.Tag, TableText(kToneKind, t.EncIsCtcss),
                        TableText(kToneKind, t.DecIsCtcss), SelToneCode(t.EncIsCtcss, t.EncCode),
                        SelToneCode(t.DecIsCtcss, t.DecCode)}));
        }
    }

    void SignallingPage() {
        NewPage();
        Put(2, 0, "ANI Parameters");
        const std::string device = AniDeviceName(m_, fileFormat_ == 1);
        Put(4, 2, Format("ANI Type:        %s", {device}));
        const bool dtmf = device == "DTMF";
        const auto value = [dtmf](std::string text) { return dtmf ? text : std::string("----"); };
        Put(4, 3, Format("ANI Transmit:    %s", {value(TableText(kAniTransmit, m_.AniTransmit))}));
        Put(4, 4, Format("ANI Delay:       %s", {value(TableText(kAniDelay, m_.AniDelay))}));
        Put(4, 5, Format("ANI Speed:       %s", {value(TableText(kAniSpeed, m_.AniSpeed))}));
        Put(4, 6, Format("ANI Code:        %s", {value(m_.AniCodeFormat.Digits)}));
        Put(4, 7, Format("Emergency Code:  %s", {value(m_.EmergencyCodeFormat.Digits)}));

        ToneTable(m_.ToneTable1, 10, "Selectable tone table 1");
        ToneTable(m_.ToneTable2, 21, "Selectable tone table 2");

        if (!mdc_) return;
        Put(2, 32, "MDC1200");
        Put(4, 34,
            Format("ANI Delay Time:       %s", {Format("%d msec", {int64_t{m_.MdcAniDelayTime} * 20})}));
        Put(4, 35, Format("ANI Lockout Period:   %s", {TableText(kMdcLockout, m_.MdcAniLockout)}));
        Put(4, 36, Format("ANI Press:            %s", {TableText(kMdcSwitch, m_.MdcAniPress)}));
        Put(4, 37, Format("ANI Release:          %s", {TableText(kMdcSwitch, m_.MdcAniRelease)}));
        Put(4, 38, Format("Wait Tone:            %s", {TableText(kMdcSwitch, m_.MdcWaitTone)}));
        Put(4, 39, Format("Courtesy Tone:        %s", {TableText(kMdcSwitch, m_.MdcCourtesyTone)}));
        Put(4, 40, Format("ANI with sub-Audible: %s", {TableText(kMdcSwitch, m_.MdcAniSubAudible)}));
        Put(4, 42, "               PTT ID    Message Value");
        for (int32_t id = 1; id <= 10; ++id)
            Put(4, 42 + id,
                Format("       %2d :     %-4s         %-4s",
                       {int64_t{id}, m_.GetMdcPttId(id), m_.GetMdcMessageId(id)}));
        Put(4, 53, Format("Emergency :     %-4s         %-4s", {m_.GetMdcPttId(0), m_.GetMdcMessageId(0)}));
    }

    const TRKmem& m_;
    const bool mdc_;
    const std::string board_;
    const int32_t fileFormat_;
    TReport report_;
};

} // namespace

TReport BuildReport(const TRKmem& m, const std::filesystem::path& fileName, int32_t fileFormat) {
    return TReportBuilder(m, fileFormat).Build(fileName);
}

std::string ReportLineText(const TReportLine& line) {
    return std::string(static_cast<size_t>(kReportMargin + std::max(line.Column, 0)), ' ') + line.Text;
}

std::string ReportText(const TReport& report) {
    std::string out;
    for (size_t p = 0; p < report.size(); ++p) {
        if (p > 0) out += '\f';
        std::vector<std::string> lines;
        for (const TReportLine& l : report[p].Lines) {
            if (l.Line < 0) continue;
            if (static_cast<size_t>(l.Line) >= lines.size()) lines.resize(static_cast<size_t>(l.Line) + 1);
            // Two texts on one line overlay as they would on paper.
            const std::string text = ReportLineText(l);
            std::string& target = lines[static_cast<size_t>(l.Line)];
            if (target.size() < text.size()) target.resize(text.size(), ' ');
            for (size_t i = 0; i < text.size(); ++i)
                if (text[i] != ' ') target[i] = text[i];
        }
        for (const std::string& l : lines)
            out += l + '\n';
    }
    return out;
}
