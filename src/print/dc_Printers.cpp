#include "print/dc_Printers.h"

#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include "app/dc_GuiSeams.h"

namespace {

std::shared_ptr<IPrinters>& CurrentPrinters() {
    static std::shared_ptr<IPrinters> printers = std::make_shared<TQtPrinters>();
    return printers;
}

} // namespace

QStringList TQtPrinters::Names() const {
    QStringList names = QPrinterInfo::availablePrinterNames();
    names.append(ToQ(kPdfName));
    return names;
}

QString TQtPrinters::DefaultName() const {
    return QPrinterInfo::defaultPrinterName();
}

std::optional<int32_t> TQtPrinters::PaperCode(const QString& name) const {
    if (name == QLatin1String(kPdfName)) return kPaperCodeA4;
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) return std::nullopt;
    switch (info.defaultPageSize().id()) {
    case QPageSize::Letter:
        return kPaperCodeLetter;
    case QPageSize::A4:
        return kPaperCodeA4;
    default:
        return 0; // readable, but neither of the report's papers
    }
}

std::unique_ptr<QPagedPaintDevice> TQtPrinters::CreateTarget(const QString& name, TPaperKind paper,
                                                             const std::filesystem::path& document) {
    if (name == QLatin1String(kPdfName)) {
        std::filesystem::path suggested = document;
        suggested.replace_extension("pdf");
        const auto fileName = AskPdfFileName(suggested);
        if (!fileName) return nullptr;
        return NewPdfWriter(*fileName, paper);
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // Only this job's printer: the system's default stays as it is.
    printer->setPrinterName(name);
    printer->setDocName(PathToQ(document.filename()));
    printer->setPageLayout(ReportPageLayout(paper));
    return printer;
}

std::shared_ptr<IPrinters> SetPrinters(std::shared_ptr<IPrinters> printers) {
    auto previous = CurrentPrinters();
    CurrentPrinters() = printers ? std::move(printers) : std::make_shared<TQtPrinters>();
    return previous;
}

IPrinters& Printers() {
    return *CurrentPrinters();
}

QString TPrintSettings::CurrentPrinter() const {
    const QStringList names = Printers().Names();
    if (!PrinterName.isEmpty() && names.contains(PrinterName)) return PrinterName;
    const QString systemDefault = Printers().DefaultName();
    if (!systemDefault.isEmpty() && names.contains(systemDefault)) return systemDefault;
    return names.isEmpty() ? QString() : names.front();
}

std::optional<int32_t> TPrintSettings::CurrentPaperCode() const {
    const QString current = CurrentPrinter();
    if (current.isEmpty()) return std::nullopt;
    if (current == PrinterName && PaperCode) return PaperCode;
    return Printers().PaperCode(current);
}

TPaperKind TPrintSettings::Paper() const {
    return CurrentPaperCode() == kPaperCodeLetter ? TPaperKind::Letter : TPaperKind::A4;
}
