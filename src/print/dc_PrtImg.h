#pragma once
// The report on paper, in a PDF and as page images: renders the pages the
// core lays out (dc_ReportLayout) in a fixed-pitch font, one text line per
// report line, top-aligned so that line 0 is never cut off.

#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QSize>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "model/dc_ReportLayout.h"

class QPagedPaintDevice;
class QPainter;
class QPdfWriter;

enum class TPaperKind { A4, Letter };

// "Courier New" 9 pt; a fixed-pitch face of the system where that is absent,
// since the report's columns are made of blanks.
QFont ReportFont();
// The height of one report line on a device of `dpi` dots per inch.
int ReportLineHeight(int dpi);
// Paints one page from the painter's origin.
void PaintReportPage(QPainter& painter, const TReportPage& page);

class TPrtImg {
  public:
    // The resolution of the page images: A4 is 827 x 1169 pixels.
    static constexpr int kImageDpi = 100;

    explicit TPrtImg(TReport report, TPaperKind paper = TPaperKind::A4);

    int PageCount() const { return static_cast<int>(report_.size()); }
    TPaperKind Paper() const { return paper_; }
    const TReport& Report() const { return report_; }
    QSize PageSize() const;
    // A white page with the report page drawn on it; a null image for an
    // index outside the pages.
    QImage PageImage(int index) const;
    // Draws every page onto `device`, starting a new page for each after the
    // first. A device that refuses to start or to turn a page ends the job
    // with "Print error"; returns false then.
    bool Print(QPagedPaintDevice& device) const;

  private:
    TReport report_;
    TPaperKind paper_;
};

// Portrait on the paper, with margins that hold the widest report line.
QPageLayout ReportPageLayout(TPaperKind paper);
// A PDF file laid out for the report.
std::unique_ptr<QPdfWriter> NewPdfWriter(const std::filesystem::path& fileName, TPaperKind paper);
// The report as a PDF file: false after "Print error".
bool PrintReportToPdf(const std::filesystem::path& fileName, const TReport& report,
                      TPaperKind paper = TPaperKind::A4);
// Asks for a PDF file name through the file dialogs seam, starting from
// `suggested`; nothing when cancelled.
std::optional<std::filesystem::path> AskPdfFileName(const std::filesystem::path& suggested);
// File > Print to PDF...: asks for a file name, then writes the PDF.
void PrintReportToPdfWithDialog(const TReport& report, const std::filesystem::path& suggested);
