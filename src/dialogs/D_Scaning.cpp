#include "dialogs/D_Scaning.h"

#include <QComboBox>

#include "dialogs/dc_ChannelPicker.h"
#include "dialogs/dc_RadioStatusRules.h"

namespace {
constexpr uint32_t hcScanning = 98310;
} // namespace

TfrmScaning::TfrmScaning(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("Scan Parameters"), 416, 360) {
    auto combo = [](const char* name, const char* hint1, const char* hint2 = "") {
        return ComboDef(name, hcScanning, QString::fromLatin1(hint1), QString::fromLatin1(hint2));
    };
    const char* const resumeHint = "Time spent checking for carrier per channel before resume scan";

    int row = AddRow(QStringLiteral("&Dual Watch Timer"));
    cmbDWTimer = AddCombo(
        row, 1, combo("cmbDWTimer", "Time interval to check carrier at PRI channel", "0.5 ... 3 Secs"),
        ToQ(DualWatchItems()));
    row = AddRow(QStringLiteral("Scan Resume Time &1"));
    cmbSRT1 = AddCombo(row, 1, combo("cmbSRT1", resumeHint, "0.25..14 Secs"), ToQ(ScanResume1Items()));
    row = AddRow(QStringLiteral("Scan Resume Time &2"));
    cmbSRT2 = AddCombo(row, 1, combo("cmbSRT2", resumeHint, "2..60 Secs"), ToQ(ScanResume2Items()));
    row = AddRow(QStringLiteral("&Home Channel Scan"));
    cmbHCScan =
        AddCombo(row, 1, combo("cmbHCScan", "Enable/Disable Home Channel scan"), ToQ(DisabledEnabled()));
    row = AddRow(QStringLiteral("Home &Group"));
    cmbPOGrp = AddCombo(row, 1, combo("cmbPOGrp", "Specify Home Channel"), {});
    row = AddRow(QStringLiteral("Home &Channel"));
    cmbPOChn = AddCombo(row, 1, combo("cmbPOChn", "Specify Home Channel"), {});
    row = AddRow(QStringLiteral("&Talk Back"));
    cmbTBack =
        AddCombo(row, 1, combo("cmbTBack", "Radio will transpond after calling radio stops transmitting"),
                 ToQ(DisabledEnabled()));
    row = AddRow(QStringLiteral("&Revert Channel"));
    cmbRChan = AddCombo(row, 1, combo("cmbRChan", "Channel to revert to when PTT is pressed during scanning"),
                        ToQ(RevertChannelItems()));
    row = AddRow(QStringLiteral("Scan &Edit"));
    cmbSEdit = AddCombo(row, 1, combo("cmbSEdit", "Allow user to select scan channel by using radio button"),
                        ToQ(DisabledEnabled()));
    row = AddRow(QStringLiteral("&Scan Beep"));
    cmbSBeep = AddCombo(row, 1, combo("cmbSBeep", "Enable/Disable Beep when radio enters into scan mode"),
                        ToQ(DisabledEnabled()));
    row = AddRow(QStringLiteral("&PRI Beep"));
    cmbPBeep = AddCombo(row, 1, combo("cmbPBeep", "Enable/Disable Beep when radio stays at PRI channel"),
                        ToQ(DisabledEnabled()));

    HomePicker = new TGroupChannelPicker(cmbPOGrp, cmbPOChn);
    connect(cmbHCScan, &QComboBox::activated, this, [this] { cmbHCScanChange(); });

    BindIndex(cmbDWTimer, Field(&TRKmem::DualWatchTimer));
    BindIndex(cmbSRT1, Field(&TRKmem::ScanResumeTime1));
    BindIndex(cmbSRT2, Field(&TRKmem::ScanResumeTime2));
    BindIndex(cmbHCScan, Field(&TRKmem::HomeChannelScan));
    BindPicker(HomePicker, Field(&TRKmem::HomeGroup), Field(&TRKmem::HomeChannel));
    BindIndex(cmbTBack, Field(&TRKmem::TalkBack));
    BindIndex(cmbRChan, Field(&TRKmem::RevertChannel));
    BindIndex(cmbSEdit, Field(&TRKmem::ScanEdit));
    BindIndex(cmbSBeep, Field(&TRKmem::ScanBeep));
    BindIndex(cmbPBeep, Field(&TRKmem::PriBeep));
}

void TfrmScaning::cmbHCScanChange() {
    if (cmbHCScan->currentIndex() == 1) HomePicker->SelectFirstGroupIfNone();
}

bool ExecuteScaningDialog(QWidget* parent, TEditorState& context) {
    TfrmScaning dlg(parent, context);
    return dlg.Execute();
}
