#pragma once
// Printer and paper for the report: opened as "Print Setup" from the menu
// and as "Print", the confirmation before a print job.

#include <QDialog>
#include <filesystem>

#include "model/dc_ReportLayout.h"
#include "print/dc_Printers.h"

class QComboBox;
class QPushButton;

constexpr const char* kPrintSetupCaption = "Print Setup";
constexpr const char* kPrintCaption = "Print";

class TfrmPrintSetup : public QDialog {
    Q_OBJECT
  public:
    TfrmPrintSetup(TPrintSettings& settings, const char* caption, QWidget* parent = nullptr);

    // Modal; true on OK, when `settings` holds the choice.
    static bool Execute(QWidget* parent, TPrintSettings& settings, const char* caption);

    QComboBox* cmbPrinter;
    QComboBox* cmbSize;
    QPushButton* btnOK;
    QPushButton* btnCancel;

  private:
    void btnOKClick();

    TPrintSettings& settings_;
};

// The "Print" confirmation, then the report on the chosen printer. True when
// the setup was confirmed, whether or not the job then went through.
bool PrintWithSetup(QWidget* parent, TPrintSettings& settings, const TReport& report,
                    const std::filesystem::path& document);
