#include "dialogs/D_Misc.h"

#include <QComboBox>
#include <QLineEdit>

#include <memory>

#include "dialogs/dc_ChannelPicker.h"
#include "dialogs/dc_MiscRules.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"

namespace {

constexpr uint32_t hcMisc = 98316;

const TDecimalEditRule kSplitRule{0, -99.9, 99.9, 1, "MHz"};
const QStringList kDisabledEnabled = {QStringLiteral("Disabled"), QStringLiteral("Enabled")};

TComboDef Combo(const char* name, const char* hint1, const char* hint2 = "") {
    return ComboDef(name, hcMisc, QString::fromLatin1(hint1), QString::fromLatin1(hint2));
}

} // namespace

TfrmMisc::TfrmMisc(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("Miscellaneous"), 416, 449) {
    TEditDef split;
    split.Name = "edtDefSpl";
    split.HelpContext = hcMisc;
    split.Hint1 = QStringLiteral("Automatic offset above RX applied to TX frequency");
    split.Hint2 = QStringLiteral("-99.9 .. +99.9MHz");
    split.MaxLength = 5;
    split.Filter = TCharFilter::SignedDecimal;
    split.Converter = DecimalEditConverter(kSplitRule);
    int row = AddRow(QStringLiteral("Default &Split"));
    edtDefSpl = AddEdit(row, 1, split);

    row = AddRow(QStringLiteral("&Power On Condition"));
    cmbPOCon =
        AddCombo(row, 1, Combo("cmbPOCon", "Power On Condition"),
                 {QStringLiteral("Back up"), QStringLiteral("Group 1"), QStringLiteral("DW"),
                  QStringLiteral("Scan"), QStringLiteral("home"), QStringLiteral("Select group / channel")});
    row = AddRow(QStringLiteral("Power On &Group"));
    cmbPOGrp = AddCombo(row, 1, Combo("cmbPOGrp", "Power On Fix Channel", "< GRP SELECT>"), {});
    row = AddRow(QStringLiteral("Power On &Channel"));
    cmbPOChn = AddCombo(row, 1, Combo("cmbPOChn", "Power On Fix Channel,", "<CH SELECT>"), {});
    PowerOnPicker = new TGroupChannelPicker(cmbPOGrp, cmbPOChn);

    row = AddRow(QStringLiteral("PTT &Delay"));
    cmbPDealy =
        AddCombo(row, 1, Combo("cmbPDealy", "Delay Time after PTT release and before transmitter shut off"),
                 {QStringLiteral("Off"), QStringLiteral("300 msecs")});
    row = AddRow(QStringLiteral("&Bell"));
    cmbBell = AddCombo(row, 1, Combo("cmbBell", "Eanble/Dsiable Bell"), kDisabledEnabled);
    row = AddRow(QStringLiteral("&Monitor Mode"));
    cmbMMode = AddCombo(row, 1, Combo("cmbMMode", "Monitor mode"), kDisabledEnabled);
    row = AddRow(QStringLiteral("CTCSS &Tail Elimination"));
    cmbCTail = AddCombo(row, 1, Combo("cmbCTail", "Squelch Tail Elimination"),
                        {QStringLiteral("Disabled"), QStringLiteral("120"), QStringLiteral("180")});
    row = AddRow(QStringLiteral("&Radio to Radio Clone"));
    cmbRClone =
        AddCombo(row, 1, Combo("cmbRClone", "Enable/Disable radio to radio cloning"), kDisabledEnabled);
    row = AddRow(QStringLiteral("&ARTS Beep"));
    cmbABeep = AddCombo(row, 1, Combo("cmbABeep", "ARTS Beep"), kDisabledEnabled);
    row = AddRow(QStringLiteral("ARTS Transmit T&ime"));
    cmbATime = AddCombo(row, 1, Combo("cmbATime", "ARTS transmit time (25 secs or 55 secs)"),
                        {QStringLiteral("25 Secs"), QStringLiteral("55 Secs")});
    row = AddRow(QStringLiteral("&Encryption Type"));
    cmbEType = AddCombo(row, 1, Combo("cmbEType", "Encryption Type OB-31/Hi Level"),
                        {QStringLiteral("Disable"), QStringLiteral("OB-31"), QStringLiteral("Hi Level")});
    row = AddRow(QStringLiteral("&Horn Alert Time"));
    cmbHTime = AddCombo(row, 1, Combo("cmbHTime", "Horn alert time"),
                        {QStringLiteral("Unlimited"), QStringLiteral("10 Secs"), QStringLiteral("20 Secs"),
                         QStringLiteral("30 Secs"), QStringLiteral("40 Secs"), QStringLiteral("50 Secs"),
                         QStringLiteral("60 Secs"), QStringLiteral("3 Mins")});
    row = AddRow(QStringLiteral("&X-Band PTT"));
    cmbXPtt = AddCombo(row, 1, Combo("cmbXPtt", ""), {QStringLiteral("Slave"), QStringLiteral("Master")});

    connect(cmbPOCon, &QComboBox::activated, this, [this] { cmbPOConChange(); });

    // A typed split is rounded to the Hz; an untouched one keeps its stored
    // value, which "%.1f MHz" may not show exactly.
    BindDecimal(edtDefSpl, kSplitRule, Field(&TRKmem::DefaultSplit), 1e6);
    BindIndex(cmbPOCon, Field(&TRKmem::PowerOnCondition));
    BindPicker(PowerOnPicker, Field(&TRKmem::PowerOnGroup), Field(&TRKmem::PowerOnChannel));
    BindIndex(cmbPDealy, Field(&TRKmem::PttDelay));
    BindIndex(cmbBell, Field(&TRKmem::Bell));
    BindIndex(cmbMMode, Field(&TRKmem::MonitorMode));
    auto tailShown = std::make_shared<int>(-1);
    Bind(
        [this, tailShown] {
            SelectIndex(cmbCTail, CtcssTailItem(Live()));
            *tailShown = cmbCTail->currentIndex();
        },
        [this, tailShown] {
            const int i = cmbCTail->currentIndex();
            if (i >= 0 && (WritingEveryControl() || i != *tailShown)) WriteCtcssTail(Live(), i);
        },
        [this] {
            return Live().CtcssTailElim != WorkingCopy().CtcssTailElim ||
                   Live().CtcssTailElim180 != WorkingCopy().CtcssTailElim180;
        });
    BindIndex(cmbRClone, Field(&TRKmem::RadioToRadioClone));
    BindIndex(cmbABeep, Field(&TRKmem::ArtsBeep));
    BindIndex(cmbATime, Field(&TRKmem::ArtsTxTime));
    // The box shows the installed board; the one-bit flag is written only
    // when the user chose another type, so the board stays what it was.
    auto typeShown = std::make_shared<int>(-1);
    Bind(
        [this, typeShown] {
            SelectIndex(cmbEType, EncryptionTypeItem(OptionBoardName(Live())));
            *typeShown = cmbEType->currentIndex();
        },
        [this, typeShown] {
            const int i = cmbEType->currentIndex();
            if (i >= 0 && (WritingEveryControl() || i != *typeShown))
                Live().HiLevelEncryption = HiLevelEncryptionOf(i);
        },
        [this] { return Live().HiLevelEncryption != WorkingCopy().HiLevelEncryption; });
    BindIndex(cmbHTime, Field(&TRKmem::HornAlertTime));
    BindIndex(cmbXPtt, Field(&TRKmem::XBandPtt));
}

void TfrmMisc::UpdateEnabled() {
    const int select = cmbPOCon->currentIndex() == kPowerOnSelect ? 1 : 0;
    SetControlEnabled(cmbPOGrp, select);
    SetControlEnabled(cmbPOChn, select);
}

void TfrmMisc::cmbPOConChange() {
    if (cmbPOCon->currentIndex() == kPowerOnSelect) PowerOnPicker->SelectFirstGroupIfNone();
    UpdateEnabled();
}

bool TfrmMisc::PrepareWrite() {
    // Warnings only: the condition is stored all the same.
    if (const char* warning = PowerOnWarning(Live(), IndexOr(cmbPOCon, Live().PowerOnCondition)))
        ShowMessageBox(warning, TMsgType::Warning, TMsgButtons::Ok);
    return true;
}

bool ExecuteMiscDialog(QWidget* parent, TEditorState& context) {
    TfrmMisc dialog(parent, context);
    return dialog.Execute();
}
