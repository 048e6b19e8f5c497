#pragma once
// The printers the report can go to, behind one replaceable interface, and
// the program's own printer choice. Choosing a printer or a paper size here
// never touches the system's settings: the choice lives as long as the
// program and goes into every print job it starts.

#include <QPagedPaintDevice>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "print/dc_PrtImg.h"

// Paper codes as printers know them.
constexpr int32_t kPaperCodeLetter = 1;
constexpr int32_t kPaperCodeA4 = 9;

class IPrinters {
  public:
    virtual ~IPrinters() = default;
    virtual QStringList Names() const = 0;
    // The system's default printer, "" when it has none.
    virtual QString DefaultName() const = 0;
    // The printer's own paper code; nothing when its settings cannot be read.
    virtual std::optional<int32_t> PaperCode(const QString& name) const = 0;
    // A device for one print job on `name` in portrait on `paper`, or nullptr
    // when the user called the job off (the PDF file name was not given).
    // `document` names the job and suggests the PDF file.
    virtual std::unique_ptr<QPagedPaintDevice> CreateTarget(const QString& name, TPaperKind paper,
                                                            const std::filesystem::path& document) = 0;
};

// The system's printers through Qt Print Support, and always a PDF file.
class TQtPrinters : public IPrinters {
  public:
    static constexpr const char* kPdfName = "PDF file";

    QStringList Names() const override;
    QString DefaultName() const override;
    std::optional<int32_t> PaperCode(const QString& name) const override;
    std::unique_ptr<QPagedPaintDevice> CreateTarget(const QString& name, TPaperKind paper,
                                                    const std::filesystem::path& document) override;
};

// Replaces the current implementation and returns the previous one; nullptr
// restores the system's printers.
std::shared_ptr<IPrinters> SetPrinters(std::shared_ptr<IPrinters> printers);
IPrinters& Printers();

// The printer and paper the setup chose, kept for the program's lifetime.
struct TPrintSettings {
    QString PrinterName;              // "" until the setup's first OK
    std::optional<int32_t> PaperCode; // written onto PrinterName by the setup

    // The chosen printer while it still exists, else the system's default,
    // else the first printer; "" without printers.
    QString CurrentPrinter() const;
    // The current printer's paper code: the one written by the setup, else
    // the printer's own.
    std::optional<int32_t> CurrentPaperCode() const;
    // The report's paper: Letter for code 1, A4 for anything else.
    TPaperKind Paper() const;
};
