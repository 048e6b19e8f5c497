#include "print/dc_PrtImg.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

#include "app/dc_GuiSeams.h"
#include "model/dc_MessageBox.h"

namespace {

constexpr const char* kPrintError = "Print error";
constexpr int kFontPoints = 9;
// The widest report line (99 characters at 9 pt) needs 535 of A4's 595 points.
constexpr double kPaperMarginMm = 8.0;
constexpr int kPdfDpi = 300;

QPageSize PageSizeOf(TPaperKind paper) {
    return QPageSize(paper == TPaperKind::Letter ? QPageSize::Letter : QPageSize::A4);
}

bool Fail() {
    ShowMessageBox(kPrintError, TMsgType::Error);
    return false;
}

} // namespace

QFont ReportFont() {
    QFont font(QStringLiteral("Courier New"), kFontPoints);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(kFontPoints);
    }
    return font;
}

int ReportLineHeight(int dpi) {
    return kFontPoints * dpi / 72;
}

void PaintReportPage(QPainter& painter, const TReportPage& page) {
    const QFont font(ReportFont(), painter.device());
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    const int h = ReportLineHeight(painter.device()->logicalDpiY());
    // Qt draws on the baseline; a line's top is its place on the page.
    const int ascent = QFontMetrics(font, painter.device()).ascent();
    for (const TReportLine& line : page.Lines)
        painter.drawText(QPoint(0, line.Line * h + ascent), ToQ(ReportLineText(line)));
}

TPrtImg::TPrtImg(TReport report, TPaperKind paper) : report_(std::move(report)), paper_(paper) {}

QSize TPrtImg::PageSize() const {
    return paper_ == TPaperKind::Letter ? QSize(850, 1100) : QSize(827, 1169);
}

QImage TPrtImg::PageImage(int index) const {
    if (index < 0 || index >= PageCount()) return {};
    QImage image(PageSize(), QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(kImageDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintReportPage(painter, report_[static_cast<size_t>(index)]);
    return image;
}

bool TPrtImg::Print(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device)) return Fail();
    for (int i = 0; i < PageCount(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return Fail();
        }
        PaintReportPage(painter, report_[static_cast<size_t>(i)]);
    }
    if (!painter.end()) return Fail();
    return true;
}

QPageLayout ReportPageLayout(TPaperKind paper) {
    return QPageLayout(PageSizeOf(paper), QPageLayout::Portrait,
                       QMarginsF(kPaperMarginMm, kPaperMarginMm, kPaperMarginMm, kPaperMarginMm),
                       QPageLayout::Millimeter);
}

std::unique_ptr<QPdfWriter> NewPdfWriter(const std::filesystem::path& fileName, TPaperKind paper) {
    auto writer = std::make_unique<QPdfWriter>(PathToQ(fileName));
    writer->setResolution(kPdfDpi);
    writer->setPageLayout(ReportPageLayout(paper));
    writer->setCreator(QStringLiteral("RK36"));
    return writer;
}

bool PrintReportToPdf(const std::filesystem::path& fileName, const TReport& report, TPaperKind paper) {
    return TPrtImg(report, paper).Print(*NewPdfWriter(fileName, paper));
}

std::optional<std::filesystem::path> AskPdfFileName(const std::filesystem::path& suggested) {
    TFileDialogRequest request;
    request.Title = QStringLiteral("Print to PDF");
    request.Folder = suggested;
    request.Filter = "PDF Files(*.pdf)|*.pdf";
    request.DefaultExt = "pdf";
    return FileDialogs().SaveFile(request);
}

void PrintReportToPdfWithDialog(const TReport& report, const std::filesystem::path& suggested) {
    const auto fileName = AskPdfFileName(suggested);
    if (fileName) PrintReportToPdf(*fileName, report);
}
