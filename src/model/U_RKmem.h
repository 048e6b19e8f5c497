#pragma once
// The tabular parts of a radio configuration: channels, groups, tone tables,
// paging and 2-tone lists, DTMF codes, code switches, standby/repeater words
// and offset tables; plus the value-text lists and the channel columns that
// the grid and the report share.
//
// Every class is a value type: Assign is a deep copy and Equals compares
// every field, so a dialog's working copy can never alias the live model.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/dc_Decimal.h"

// A fixed-size collection with the unchecked Count/Get of the original design.
template <class T, int32_t N> class TFixedList {
  public:
    static constexpr int32_t kCount = N;
    std::array<T, N> Items{};

    static constexpr int32_t Count() { return N; }
    T& Get(int32_t i) { return Items[static_cast<size_t>(i)]; }
    const T& Get(int32_t i) const { return Items[static_cast<size_t>(i)]; }
    T& operator[](int32_t i) { return Get(i); }
    const T& operator[](int32_t i) const { return Get(i); }
    void Assign(const TFixedList& other) { Items = other.Items; }
    bool Equals(const TFixedList& other) const { return Items == other.Items; }
    friend bool operator==(const TFixedList&, const TFixedList&) = default;
};

// A fixed-size table of plain numbers with Get/Set.
template <class V, int32_t N> class TValueTable {
  public:
    std::array<V, N> Values{};

    static constexpr int32_t Count() { return N; }
    V Get(int32_t i) const { return Values[static_cast<size_t>(i)]; }
    void Set(int32_t i, V v) { Values[static_cast<size_t>(i)] = v; }
    void Assign(const TValueTable& other) { Values = other.Values; }
    bool Equals(const TValueTable& other) const { return Values == other.Values; }
    friend bool operator==(const TValueTable&, const TValueTable&) = default;
};

constexpr int32_t kChannelCount = 250;
constexpr int32_t kGroupCount = 250;

// One text: a group name, or one character of a channel tag.
class TGrpLcdText {
  public:
    std::string Text;
    void Assign(const TGrpLcdText& o) { *this = o; }
    bool Equals(const TGrpLcdText& o) const { return *this == o; }
    friend bool operator==(const TGrpLcdText&, const TGrpLcdText&) = default;
};

class TGrpLcdTexts : public TFixedList<TGrpLcdText, kGroupCount> {};

// The eight characters of a channel tag, one text each.
class TChlTags : public TFixedList<TGrpLcdText, 8> {
  public:
    std::string Joined() const;
    void Clear();
};

// A synthesizer word: the fraction numerator and three counters.
struct TPllWord {
    int32_t SynthFraction = 0;
    int32_t SynthCount64 = 0;
    int32_t SynthCount72 = 0;
    int32_t SynthCount65 = 0;
    friend bool operator==(const TPllWord&, const TPllWord&) = default;
};

class TChannel {
  public:
    int32_t Blank = 1;
    int32_t Narrow = 1;
    int32_t Compander = 2;
    int32_t SqlNegative = 0;
    int32_t SqlLevel = 0;
    int32_t TxInhibit = 1;
    int32_t Encryption = 1;
    int32_t Ani = 1;
    int32_t SignallingOn = 1;
    int32_t SignallingCode = 12;
    TDecimal RxFreq{1, 33, 35, 2};
    int32_t DecIsCtcss = 0;
    int32_t DecToneOn = 1;
    int32_t DecCode = 511;
    int32_t DecPartnerCode = 511;
    int32_t DecPartnerFlag = 0;
    int32_t RxSynthConfig = 0;
    int32_t RxOffsetNegative = 1;
    int32_t RxOffset = 1;
    TDecimal TxFreq{1, 33, 35, 2};
    int32_t EncIsCtcss = 0;
    int32_t EncToneOn = 1;
    int32_t EncCode = 511;
    int32_t EncFlag = 0;
    int32_t TxPowerLow = 1;
    int32_t TxSynthConfig = 0;
    int32_t CommonFlag = 1;
    int32_t Tot = 1;
    int32_t Lockout = 0;
    int32_t SelToneTable = 1;
    int32_t OptFlag = 1;
    int32_t TxFlag = 1;
    int32_t RxFlag = 1;
    int32_t Arts = 1;
    int32_t TxOffsetNegative = 0;
    int32_t TxOffset = 0;
    std::array<int32_t, 4> TxAdjNegative{};
    std::array<int32_t, 4> TxAdj{};
    TPllWord RxPll{0, 20, 6, 2};
    int32_t RxDivisionRatio = 10210;
    TPllWord TxPll{0, 6, 5, 6};
    TChlTags Tags;

    void Reset() { *this = TChannel(); }
    void Assign(const TChannel& o) { *this = o; }
    bool Equals(const TChannel& o) const { return *this == o; }
    friend bool operator==(const TChannel&, const TChannel&) = default;
};

class TChannels : public TFixedList<TChannel, kChannelCount> {};

// Group sizes: how many consecutive channels each group takes.
class TGAreaTbls : public TValueTable<uint32_t, kGroupCount> {};
// Each group's priority channel, as a 0-based position inside the group.
class TGPChnlTbls : public TValueTable<uint32_t, kGroupCount> {};

class TSTTable {
  public:
    int32_t Use = 0;
    int32_t EncIsCtcss = 0;
    int32_t EncCode = 0;
    int32_t EncFlag = 0;
    int32_t DecIsCtcss = 0;
    int32_t DecCode = 0;
    int32_t DecFlag = 0;
    int32_t ThirdIsCtcss = 0;
    int32_t ThirdCode = 0;
    int32_t ThirdFlag = 0;
    std::string Tag;

    void Assign(const TSTTable& o) { *this = o; }
    bool Equals(const TSTTable& o) const { return *this == o; }
    friend bool operator==(const TSTTable&, const TSTTable&) = default;
};

class TSTTables : public TFixedList<TSTTable, 8> {};

// The 2-tone list: two tone indexes per entry, 255 = none.
struct TTonePair {
    int32_t FirstTone = 0;
    int32_t SecondTone = 0;
    friend bool operator==(const TTonePair&, const TTonePair&) = default;
};

class TTones : public TFixedList<TTonePair, 10> {
  public:
    int32_t GetFirst(int32_t i) const { return Get(i).FirstTone; }
    int32_t GetSecond(int32_t i) const { return Get(i).SecondTone; }
    void SetFirst(int32_t i, int32_t v) { Get(i).FirstTone = v; }
    void SetSecond(int32_t i, int32_t v) { Get(i).SecondTone = v; }
};

struct TPaging {
    int32_t Mode = 0;
    int32_t Empty = 0;
    int32_t EncDec = 0;
    std::string Digit1;
    std::string Digit2;
    std::string Digit3;
    std::string Code;
    friend bool operator==(const TPaging&, const TPaging&) = default;
};

class TPagings : public TFixedList<TPaging, 10> {};

class TDTMFMemFormat {
  public:
    int32_t Length = 0;
    std::string Digits;

    void Assign(const TDTMFMemFormat& o) { *this = o; }
    bool Equals(const TDTMFMemFormat& o) const { return *this == o; }
    friend bool operator==(const TDTMFMemFormat&, const TDTMFMemFormat&) = default;
};

class TCHCodeSW {
  public:
    int32_t Group = 0;
    int32_t Position = 0;

    void Assign(const TCHCodeSW& o) { *this = o; }
    bool Equals(const TCHCodeSW& o) const { return *this == o; }
    friend bool operator==(const TCHCodeSW&, const TCHCodeSW&) = default;
};

class TCHCodeSWs : public TFixedList<TCHCodeSW, 16> {};

class TSTBYRPData {
  public:
    int32_t SynthConfig = 0;
    int32_t SynthFraction = 0;
    int32_t SynthCount64 = 0;
    int32_t SynthCount72 = 0;
    int32_t SynthCount65 = 0;

    void Assign(const TSTBYRPData& o) { *this = o; }
    bool Equals(const TSTBYRPData& o) const { return *this == o; }
    friend bool operator==(const TSTBYRPData&, const TSTBYRPData&) = default;
};

class TSTBYRPDatas : public TFixedList<TSTBYRPData, 16> {};

struct TPOffset {
    double Frequency = 0.0;
    int32_t Value = 0;
    friend bool operator==(const TPOffset&, const TPOffset&) = default;
};

class TPOffsetTbls : public TFixedList<TPOffset, 5> {};

// ---- Value-text lists -------------------------------------------------------

constexpr int32_t kValueListCount = 24;

// Text v of list `list`; empty for a value or list outside the table.
std::string ListText(int32_t list, int32_t value);
// Index of the first equal text among the list's entries, 0 when none is equal.
int32_t ListIndex(int32_t list, std::string_view text);

// ---- Channel columns --------------------------------------------------------

enum TCellKind : int32_t {
    ckFixed = 0,
    ckValueList = 2,
    ckSelectList = 3,
    ckTagEditor = 51,
    ckFreqEditor = 52,
};

struct TChannelColumn {
    const char* Caption1; // first header line
    const char* Caption2; // second header line, "" when the caption has one line
    int32_t Width;        // pixels
    TCellKind Kind;
    int32_t Param; // value list, selection-list mode, or maximum text length
};

constexpr int32_t kChannelColumnCount = 28;
extern const std::array<TChannelColumn, kChannelColumnCount> ChannelColumns;
