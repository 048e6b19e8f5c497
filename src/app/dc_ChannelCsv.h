#pragma once
// Channels as CSV, for spreadsheets and other radio programmers, in two
// dialects:
// - common: the column set most other programmers read and write
//   (Location, Name, Frequency, Duplex, Offset, Tone, ...). Only what this
//   radio has is written; columns it does not have are written empty and
//   ignored when read.
// - native: a Group column, a Disabled column and every grid column as the
//   grid shows it, so that a configuration's channels come back exactly.
// Import puts each row through the grid's own rules (band edges, raster,
// tone and code lists, tag characters) and changes nothing unless every
// row is good, or, when asked to skip invalid rows, takes the good ones.
//
// Files are written as UTF-8 with CRLF line ends. Reading accepts a UTF-8
// byte-order mark, CRLF or LF, and RFC 4180 quoting (commas, doubled quotes
// and line breaks inside quotes). Tag texts are Latin-1 bytes in the model:
// a byte above 0x7F is written as its UTF-8 form; when read, a two-byte
// UTF-8 form of U+0080..U+00FF becomes that byte and any other byte is taken
// as Latin-1 as it is.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/dc_GridRules.h"
#include "dialogs/dc_GroupRules.h"
#include "model/U_RKmem.h"
#include "model/dc_RKmem.h"

enum class TCsvDialect { Common, Native };

// "common" / "native"; false for any other name.
bool CsvDialectFromName(std::string_view name, TCsvDialect& dialect);

// Every channel of every group that holds channels, in table order.
std::string ExportChannelsCsv(const TRKmem& m, TCsvDialect dialect, const TGridOptions& opt);

// One refused value (or row, when Column is empty). Line 1 is the header.
struct TCsvProblem {
    int32_t Line = 0;
    std::string Column;
    std::string Reason;
};
// "line L, column NAME: reason" ("line L: reason" without a column).
std::string CsvProblemText(const TCsvProblem& problem);

struct TCsvImportOptions {
    // The group (0-based) every row goes into; -1: the Group column of the
    // native dialect, CommonGroup for the common dialect.
    int32_t Group = -1;
    // Where the common dialect goes when Group is -1.
    int32_t CommonGroup = 0;
    bool SkipInvalid = false;
    TGridOptions Grid;
    // What channels added to a group start from (the grid's template channel).
    TChannel TemplateChannel;
    // Asked when smaller groups leave a reference outside (as the channel
    // allocation asks); false cancels the import. Empty: answered Yes.
    TAskReference Ask;
};

struct TCsvImportResult {
    bool Applied = false; // the model holds the imported channels
    TCsvDialect Dialect = TCsvDialect::Common;
    int32_t Imported = 0;              // rows taken
    int32_t FirstGroup = 0;            // the first group that took rows
    std::vector<TCsvProblem> Problems; // every bad value (refused or skipped rows)
    std::string Refusal;               // why nothing was imported, when not Applied
};

// Each group named by the file (or the one chosen) gets exactly the file's
// rows as its channels, in file order: the group is resized through the
// channel allocation's rules, so channels added to it start from the
// template channel and the other groups keep theirs. A file that needs more
// than the 250 channels is refused. On refusal `m` is untouched.
TCsvImportResult ImportChannelsCsv(TRKmem& m, std::string_view csv, const TCsvImportOptions& options);
