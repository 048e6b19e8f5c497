#pragma once
// The channel grid's texts and rules without a widget: what each cell shows
// for a channel, how a page of cell texts goes back into the model, the
// consequences of a changed cell, the character and paste rules, the column
// layout and the checks before a channel is disabled. The grid widget only
// moves texts between these functions and the screen, so every rule here is
// testable without a window.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/U_RKmem.h"
#include "model/dc_Groups.h"
#include "model/dc_RKmem.h"
#include "model/dc_Rules.h"

constexpr int kGridColumnCount = kChannelColumnCount;
constexpr int kColumnGroupCount = 19;

// The grid's channel columns, in screen order (ChannelColumns holds their
// captions, widths and kinds).
enum TGridCol : int {
    gcChn,
    gcPri,
    gcRpt,
    gcWidth,
    gcTag,
    gcRxFreq,
    gcTxFreq,
    gcDecType,
    gcDecCode,
    gcEncType,
    gcEncCode,
    gcTxPower,
    gcScan,
    gcTot,
    gcSql,
    gcAni,
    gcComp,
    gcEncr,
    gcLockout,
    gcPage,
    gcTwoTone,
    gcSig,
    gcMdc,
    gcTxShift,
    gcRxShift,
    gcOptShift,
    gcArts,
    gcSelTone,
};

// The column groups 1..19 the Items menu shows and hides (0: always shown);
// the encode columns have no menu item and follow decode.
enum TColumnGroup : int {
    cgNone,
    cgPri,
    cgRepeater,
    cgWidth,
    cgTag,
    cgFreq,
    cgDecode,
    cgEncode,
    cgTxPower,
    cgScan,
    cgTot,
    cgSql,
    cgAni,
    cgComp,
    cgEncr,
    cgLockout,
    cgPageSig,
    cgClock,
    cgArts,
    cgSelTone,
};

// The texts of one channel row, by TGridCol. Texts are model bytes (Latin-1).
using TGridRow = std::array<std::string, kGridColumnCount>;
// Visibility by TColumnGroup (entry 0 unused), as the editor state keeps it.
using TGroupFlags = std::array<bool, kColumnGroupCount + 1>;

// Texts the grid shows that are not in any value list.
inline constexpr const char* kNoTone = "-----";
inline constexpr const char* kTxInhibited = "---.-------";
// The captions over the decode and encode columns.
inline constexpr const char* kDecodeCaption = "Decode";
inline constexpr const char* kEncodeCaption = "Encode";

// What the cell rules need to know about the model besides its channels.
struct TGridOptions {
    std::string Board; // OptionBoardName
    bool Mdc = false;  // the MDC1200 condition of the main window
    std::string ProductType;
    int32_t BandType = 0;
};
TGridOptions GridOptions(const TRKmem& m, int fileFormat);

// One group page: the group shown, each row's texts and channel table index.
struct TGridPage {
    int32_t Group = 0;
    std::vector<TGridRow> Rows;
    std::vector<int32_t> ChIdx;
};

// ---- Groups --------------------------------------------------------------------

// g when it holds channels, else the next group that does, else the first
// that does from group 0, else 0. Any g outside 0..249 starts the search at 0.
int32_t ChooseGroup(const TRKmem& m, int32_t g);
// pnlGroup and pnlCntChan texts.
std::string GroupCaption(const TRKmem& m, int32_t group);
std::string ChannelsLeftCaption(const TRKmem& m);

// ---- Cell texts and write-back ----------------------------------------------------

// "%3.6f", independent of the locale.
std::string FrequencyText(double mhz);
// Three octal digits: 19 -> "023".
std::string DcsThreeDigits(int32_t code);

// The texts of channel `ch` shown at `position` of `group`; the scan entries
// are those of table index `chIdx`.
void ChannelRow(const TRKmem& m, const TChannel& ch, int32_t chIdx, int32_t group, int32_t position,
                const TGridOptions& opt, TGridRow& row);
// Takes a row's texts into `ch` and the scan entries of `chIdx` (everything
// but the priority mark, which belongs to the group).
void StoreRow(TRKmem& m, TChannel& ch, int32_t chIdx, const TGridRow& row, const TGridOptions& opt);

// The page of group ChooseGroup(m, g).
void FillPage(const TRKmem& m, int32_t g, const TGridOptions& opt, TGridPage& page);
// Writes every row back into the live table, and the priority mark into the group.
void StorePage(TRKmem& m, const TGridPage& page, const TGridOptions& opt);

// ---- Editing rules -----------------------------------------------------------------

// The consequences of a changed cell (column, data row).
void ApplyCellRules(TGridPage& page, int col, int row, const TRKmem& m);

// Whether a value-list (kind 2) cell of this row may change by cycling or paste.
bool ValueCellEditable(int col, const TGridRow& row, const TGridOptions& opt);
// The item after `text` in the list, wrapping; a text not in the list gives the first item.
std::string NextListText(int32_t list, const std::string& text);
// The selection list a kind-3 cell opens, or -1 when the cell is locked.
int SelectListFor(int col, const TGridRow& row);
// The list of the ANI board's option types.
inline constexpr int kOptionTypeList = 26;
// The selection list a kind-2 cell opens instead of cycling, or -1 when it
// cycles: under the ANI board the ANI column holds the option type.
int ValueCellSelectList(int col, const TGridOptions& opt);
// The selection-list result as the cell shows it.
std::string SelectResultText(int col, int listNo, const std::string& result);

// The in-place editor's character rules; the tag rule upper-cases `c`.
bool TagCharAccepted(char& c);
bool FreqCharAccepted(char c);
bool CharAccepted(int col, char& c);

// The text an entry leaves in the cell after normalisation (columns 5 and 6
// become "%3.6f" of the normalised frequency). Nothing when the frequency
// cannot be converted: the cell then keeps its text.
std::optional<std::string> NormalizeEntry(const TRKmem& m, int col, const std::string& text);

// F3 in the decode code column: code <-> code with its complement.
std::string DcsComplementToggle(const std::string& text);

// A type cell changed by cycling or paste: the code chosen for the old type
// no longer applies.
void ClearCodeOfChangedType(int col, TGridRow& row);

// Whether a pasted text may become the text of a kind-2 or kind-3 cell.
bool PasteAccepted(int col, const std::string& text, const TGridRow& row, const TRKmem& m,
                   const TGridOptions& opt);

// A copied channel pasted over `target`: the shown columns that belong to the
// channel (not the number, priority and repeater mark of its place). Returns
// whether any text changed.
bool TakeChannelColumns(const TGridRow& source, const std::array<bool, kGridColumnCount>& shown,
                        TGridRow& target);

// ---- Layout ----------------------------------------------------------------------------

// The column group 1..19 of a column; 0 for column 0.
int ColumnGroup(int col);
// Column widths, -1 for a hidden column.
std::array<int, kGridColumnCount> ColumnWidths(const TGroupFlags& itemVisible, const TGridOptions& opt);
int ColumnHelpContext(int col);

// ---- Disabling a channel -------------------------------------------------------------------

// The questions before channel `channelNo` at `position` of `group` is
// disabled; clears the channel switch and direct key entries naming it when
// the user agrees. Returns whether the channel may be disabled.
bool DisableCheck(TRKmem& m, int32_t group, int32_t position, int32_t channelNo, bool& fileModified);
