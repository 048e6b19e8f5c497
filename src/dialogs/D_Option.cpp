#include "dialogs/D_Option.h"

#include <QComboBox>

#include "dialogs/dc_RadioStatusRules.h"
#include "model/dc_Rules.h"

namespace {
constexpr uint32_t hcOption = 98309;
} // namespace

TfrmOption::TfrmOption(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("Option"), 416, 200) {
    auto combo = [](const char* name, const char* hint1) {
        return ComboDef(name, hcOption, QString::fromLatin1(hint1));
    };

    // Where each unit sits depends on the format and the firmware: it is
    // found by its text.
    units_ = OptionUnitItems(Ctx.FileFormat, FirmwareHasOptionAni(Ctx.Model));
    int row = AddRow(QStringLiteral("&Lighting"));
    cmbLight = AddCombo(row, 1, combo("cmbLight", "Disable / Enable Lighting"), ToQ(LightingItems()));
    row = AddRow(QStringLiteral("&Beep"));
    cmbBeep = AddCombo(row, 1, combo("cmbBeep", "Disable / Enable Beep"), ToQ(DisabledEnabled()));
    row = AddRow(QStringLiteral("&Scan List"));
    cmbSList = AddCombo(row, 1, combo("cmbSList", "User Scan list or Dealer Scan list Select"),
                        ToQ(ScanListItems()));
    row = AddRow(QStringLiteral("&Option Unit"));
    cmbOUnit = AddCombo(row, 1, combo("cmbOUnit", "Determine Sub CPU is connected or not"), ToQ(units_));
    row = AddRow(QStringLiteral("&DTMF Receiver"));
    cmbDRec = AddCombo(row, 1, ComboDef("cmbDRec", hcOption), ToQ(DtmfReceiverItems()));

    connect(cmbOUnit, &QComboBox::currentIndexChanged, this, [this] { cmbOUnitChange(); });

    BindInvertedFlag(cmbLight, Field(&TRKmem::LightingOff));
    BindIndex(cmbBeep, Field(&TRKmem::KeyBeep));
    BindIndex(cmbSList, Field(&TRKmem::ScanListType));
    // The option unit is written by WriteBack, only when it changed.
    for (auto field :
         {&TRKmem::OptionInstalled, &TRKmem::OptionSelA, &TRKmem::OptionSelB, &TRKmem::OptionSelC,
          &TRKmem::OptionBoardType, &TRKmem::HiLevelEncryption, &TRKmem::AniOnOption})
        CompareField(field);
}

void TfrmOption::FormShow() {
    shownUnit_ = ToQ(OptionUnitShown(Live(), units_));
    cmbOUnit->setCurrentIndex(cmbOUnit->findText(shownUnit_));
    cmbOUnitChange();
}

void TfrmOption::cmbOUnitChange() {
    cmbDRec->setCurrentIndex(cmbOUnit->currentText() == QLatin1String(kBoardEncDtmf) ? 0 : 1);
}

void TfrmOption::UpdateEnabled() {
    SetControlEnabled(cmbDRec, 0);
}

bool TfrmOption::WriteBack() {
    if (cmbOUnit->currentIndex() < 0 || cmbOUnit->currentText() == shownUnit_) return true;
    MarkModified();
    ApplyOptionUnit(Live(), WorkingCopy(), FromQ(cmbOUnit->currentText()), Ctx.FileFormat);
    return true;
}

bool ExecuteOptionDialog(QWidget* parent, TEditorState& context) {
    TfrmOption dlg(parent, context);
    return dlg.Execute();
}
