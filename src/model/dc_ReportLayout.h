#pragma once
// The printed report as text at fixed places: which text goes at which
// column and line of which page. Paper, preview and the command-line text
// report all render these pages, so the layout exists once and is tested
// without a printer.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "model/dc_RKmem.h"

struct TReportLine {
    int32_t Line = 0;
    int32_t Column = 0;
    std::string Text; // model bytes (Latin-1)
};

struct TReportPage {
    std::vector<TReportLine> Lines;
};

using TReport = std::vector<TReportPage>;

// Every text is preceded by this many blanks and then `Column` more.
constexpr int32_t kReportMargin = 5;
// Channel rows a page holds below the group header.
constexpr int32_t kReportRowsPerPage = 54;

// The whole report of `m`: the settings page, the pages of every group with
// channels and the signalling page. `fileName` is shown without its folder;
// `fileFormat` 1 is the Fleet format, under which an MDC1200 board counts as
// MDC ANI. Pages are as many as the configuration needs (up to 252).
TReport BuildReport(const TRKmem& m, const std::filesystem::path& fileName, int32_t fileFormat);

// A line as it prints: the margin and column blanks, then the text.
std::string ReportLineText(const TReportLine& line);
// The report as plain text: each page's lines 0..last, each ending in "\n",
// and a form feed between pages.
std::string ReportText(const TReport& report);
