#include "dialogs/D_Model.h"

#include <QComboBox>
#include <QLabel>

#include "app/dc_GuiSeams.h"
#include "dialogs/dc_HardwareRules.h"
#include "image/dc_DataFile.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"

namespace {

QStringList ProductItems() {
    QStringList items;
    for (const char* p : kProductTypes)
        items << ToQ(p);
    return items;
}

QStringList BandItems(const QString& product) {
    QStringList items;
    for (const auto& name : BandNames(FromQ(product)))
        items << ToQ(name);
    return items;
}

void SetIndexQuietly(QComboBox* combo, int index) {
    const bool blocked = combo->blockSignals(true);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    combo->blockSignals(blocked);
}

} // namespace

// ---- Band and product lists ------------------------------------------------------

QString TBandProductChoice::ProductText() const {
    return Product->currentText();
}

void TBandProductChoice::Show(int bandPosition, int productPosition) {
    const bool blocked = Product->blockSignals(true);
    Product->clear();
    Product->addItems(ProductItems());
    Product->blockSignals(blocked);
    SetIndexQuietly(Product, productPosition);
    RememberedProduct = Product->currentIndex();
    SetIndexQuietly(Band, -1);
    RebuildBandList();
    SetIndexQuietly(Band, bandPosition);
    RememberedBand = Band->currentIndex();
}

void TBandProductChoice::RebuildBandList() {
    int position = Band->currentIndex();
    const QString selected = Band->currentText();
    const QStringList items = BandItems(ProductText());
    if (selected == QStringLiteral("UHF DS1")) position = 2;
    // "UHF F" of "TR-2300" sits at 7, past the end of the other lists: keep
    // the band rather than lose the selection.
    if (position >= items.size()) position = static_cast<int>(items.indexOf(selected));
    const bool blocked = Band->blockSignals(true);
    Band->clear();
    Band->addItems(items);
    Band->blockSignals(blocked);
    SetIndexQuietly(Band, position);
    RememberedBand = Band->currentIndex();
}

bool TBandProductChoice::BandChange() {
    if (Band->currentIndex() == RememberedBand) return false;
    if (ShowMessageBox("Change frequency band?\r\nFrequency will be invalid", TMsgType::Warning,
                       TMsgButtons::YesNo) != TMsgResult::Yes) {
        SetIndexQuietly(Band, RememberedBand);
        return false;
    }
    RememberedBand = Band->currentIndex();
    return true;
}

bool TBandProductChoice::ProductChange() {
    if (Product->currentIndex() == RememberedProduct) return false;
    if (ShowMessageBox("Change product type?\r\nSome channel will be invalid", TMsgType::Warning,
                       TMsgButtons::YesNo) != TMsgResult::Yes) {
        SetIndexQuietly(Product, RememberedProduct);
        return false;
    }
    RememberedProduct = Product->currentIndex();
    RebuildBandList();
    return true;
}

// ---- The dialog ------------------------------------------------------------------

TfrmModel::TfrmModel(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("Model"), 416, 249) {
    int row = AddRow(QStringLiteral("&RF Deck Capability"));
    cmbRfDeck = AddCombo(row, 1, ComboDef("cmbRfDeck", 0x806607EB), {QStringLiteral("Single RF Deck")});
    row = AddRow(QStringLiteral("&Control Head Type"));
    cmbCHType = AddCombo(row, 1, ComboDef("cmbCHType", 0x806607ED),
                         {QStringLiteral("Normal Head"), QStringLiteral("Motorcycle Head")});
    AddColumnHeaders({QStringLiteral("Master"), QStringLiteral("Slave")});
    row = AddRow(QStringLiteral("&Freq Band"));
    cmbMFBand = AddCombo(row, 1, ComboDef("cmbMFBand", 0x806607DB), {});
    cmbSFBand = AddCombo(row, 2, ComboDef("cmbSFBand", 0x806607DB), {});
    row = AddRow(QStringLiteral("Pr&oduct Type"));
    cmbMPType = AddCombo(row, 1, ComboDef("cmbMPType", 0x806607DC), ProductItems());
    cmbSPType = AddCombo(row, 2, ComboDef("cmbSPType", 0x806607DC), {});
    pnlHint2->setText(QStringLiteral("<SELECT>"));

    choice_.Band = cmbMFBand;
    choice_.Product = cmbMPType;
    connect(cmbMFBand, &QComboBox::activated, this, [this] { choice_.BandChange(); });
    connect(cmbMPType, &QComboBox::activated, this, [this] { choice_.ProductChange(); });
}

void TfrmModel::FormShow() {
    cmbRfDeck->setCurrentIndex(0);
    SelectIndex(cmbCHType, Live().ControlHeadType);
    choice_.Show(BandType(Live()), ProductPosition(Live().ProductType));
}

void TfrmModel::UpdateEnabled() {
    const int slave = cmbRfDeck->currentIndex() != 0 ? 1 : 0;
    SetControlEnabled(cmbSFBand, slave);
    SetControlEnabled(cmbSPType, slave);
}

bool TfrmModel::WriteBack() {
    const auto path = TemplatePathFor(IndexOr(cmbCHType, 0), IndexOr(cmbMFBand, 0), IndexOr(cmbMPType, 1));
    if (!LoadDataFile(path, Ctx.Model, Ctx.Image, TCodecContext{Ctx.StartupMode})) {
        reject();
        return false;
    }
    Ctx.TemplateChannel = Ctx.Model.Channels[0];
    Ctx.TemplateChannel.Blank = 1;
    CopyTemplateOverDefault(path);
    return true;
}

bool ExecuteModelDialog(QWidget* parent, TEditorState& context) {
    TfrmModel dialog(parent, context);
    return dialog.Execute();
}
