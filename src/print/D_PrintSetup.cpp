#include "print/D_PrintSetup.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dc_GuiSeams.h"
#include "print/dc_PrtImg.h"

namespace {

// Items of cmbSize, with the paper code each stands for.
constexpr struct {
    const char* Text;
    int32_t Code;
} kPaperSizes[] = {{"Letter", kPaperCodeLetter}, {"A4", kPaperCodeA4}};

int SizeIndexOf(int32_t code) {
    for (int i = 0; i < static_cast<int>(std::size(kPaperSizes)); ++i)
        if (kPaperSizes[i].Code == code) return i;
    return 0;
}

} // namespace

TfrmPrintSetup::TfrmPrintSetup(TPrintSettings& settings, const char* caption, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(ToQ(caption));
    cmbPrinter = new QComboBox(this);
    cmbPrinter->setObjectName(QStringLiteral("cmbPrinter"));
    cmbPrinter->setMinimumWidth(260);
    cmbSize = new QComboBox(this);
    cmbSize->setObjectName(QStringLiteral("cmbSize"));
    for (const auto& size : kPaperSizes)
        cmbSize->addItem(ToQ(size.Text));
    const TOkCancel buttons = MakeOkCancel(this, "btnOK", "btnCancel");
    btnOK = buttons.Ok;
    btnCancel = buttons.Cancel;
    connect(btnOK, &QPushButton::clicked, this, &TfrmPrintSetup::btnOKClick);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Printer:"), cmbPrinter);
    form->addRow(QStringLiteral("Paper &Size:"), cmbSize);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons.Row);

    const QStringList names = Printers().Names();
    cmbPrinter->addItems(names);
    cmbPrinter->setCurrentIndex(static_cast<int>(names.indexOf(settings_.CurrentPrinter())));
    // Unreadable settings leave A4; any other paper than A4 shows as Letter.
    const std::optional<int32_t> code = settings_.CurrentPaperCode();
    cmbSize->setCurrentIndex(SizeIndexOf(!code || *code == kPaperCodeA4 ? kPaperCodeA4 : kPaperCodeLetter));
    btnOK->setEnabled(!names.isEmpty());
}

void TfrmPrintSetup::btnOKClick() {
    if (cmbPrinter->currentIndex() < 0) return;
    settings_.PrinterName = cmbPrinter->currentText();
    settings_.PaperCode = kPaperSizes[cmbSize->currentIndex()].Code;
    accept();
}

bool TfrmPrintSetup::Execute(QWidget* parent, TPrintSettings& settings, const char* caption) {
    TfrmPrintSetup dialog(settings, caption, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool PrintWithSetup(QWidget* parent, TPrintSettings& settings, const TReport& report,
                    const std::filesystem::path& document) {
    if (!TfrmPrintSetup::Execute(parent, settings, kPrintCaption)) return false;
    const TPaperKind paper = settings.Paper();
    const auto target = Printers().CreateTarget(settings.CurrentPrinter(), paper, document);
    if (target) TPrtImg(report, paper).Print(*target);
    return true;
}
