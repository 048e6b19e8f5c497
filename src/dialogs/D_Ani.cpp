#include "dialogs/D_Ani.h"

#include <QComboBox>
#include <QLineEdit>

#include <memory>

#include "dialogs/dc_AniDlgRules.h"
#include "model/dc_AniRules.h"
#include "model/dc_Rules.h"

namespace {

// The ANI rows share the topic of the ANI command.
constexpr uint32_t hcAni = 98319;

template <size_t N> QStringList ToQ(const char* const (&texts)[N]) {
    QStringList items;
    for (const char* t : texts)
        items << QString::fromLatin1(t);
    return items;
}

TEditDef CodeDef(const char* name, const char* hint) {
    TEditDef def;
    def.Name = name;
    def.HelpContext = hcAni;
    def.Hint1 = QString::fromLatin1(hint);
    def.MaxLength = kAniCodeMaxLength;
    def.Filter = TCharFilter::Dtmf;
    def.Converter = {nullptr, [](const std::string& text) { return AniCodeFromText(text).Digits; }};
    return def;
}

} // namespace

TfrmAni::TfrmAni(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("ANI Setting"), 360, 240) {
    int row = AddRow(QStringLiteral("ANI &Type"));
    cmbType =
        AddCombo(row, 1, ComboDef("cmbType", hcAni, QStringLiteral("ANI Type (DTMF/MDC1200/Option)")), {});
    row = AddRow(QStringLiteral("T&ransmit"));
    cmbTrans = AddCombo(row, 1, ComboDef("cmbTrans", hcAni, QStringLiteral("ANI Transmit Method")),
                        ToQList(kAniTransmit));
    row = AddRow(QStringLiteral("&Delay Time"));
    cmbDelay = AddCombo(
        row, 1,
        ComboDef("cmbDelay", hcAni, QStringLiteral("Delay Time between PTT pressed and first code out")),
        ToQList(kAniDelay));
    row = AddRow(QStringLiteral("&Speed"));
    cmbSpeed = AddCombo(row, 1, ComboDef("cmbSpeed", hcAni, QStringLiteral("Time Duration for each digit")),
                        ToQList(kAniSpeed));
    row = AddRow(QStringLiteral("ANI &Code"));
    edtCode = AddEdit(row, 1, CodeDef("edtCode", "ANI Code (Max. 15 digits)"));
    row = AddRow(QStringLiteral("&Emergency Code"));
    edtECode = AddEdit(row, 1, CodeDef("edtECode", "Emergency Code (Max. 15 digits)"));

    connect(cmbType, &QComboBox::currentIndexChanged, this, [this] { UpdateEnabled(); });

    BindIndex(cmbTrans, Field(&TRKmem::AniTransmit));
    BindIndex(cmbDelay, Field(&TRKmem::AniDelay));
    BindIndex(cmbSpeed, Field(&TRKmem::AniSpeed));
    BindCode(edtCode, &TRKmem::AniCodeFormat);
    BindCode(edtECode, &TRKmem::EmergencyCodeFormat);
}

void TfrmAni::BindCode(QLineEdit* edit, TDTMFMemFormat TRKmem::*code) {
    auto shown = std::make_shared<QString>();
    Bind(
        [this, edit, code, shown] {
            edit->setText(ToQ((Live().*code).Digits));
            *shown = edit->text();
        },
        [this, edit, code, shown] {
            if (WritingEveryControl() || edit->text() != *shown)
                Live().*code = AniCodeFromText(FromQ(edit->text()));
        },
        [this, code] { return Live().*code != WorkingCopy().*code; });
}

void TfrmAni::FormShow() {
    QStringList types;
    for (const std::string& t : AniTypeItems(Live(), Ctx.FileFormat))
        types << ToQ(t);
    const int current = static_cast<int>(types.indexOf(ToQ(AniDeviceName(Live(), Ctx.FileFormat == 1))));
    RefillCombo(cmbType, types, current >= 0 ? current : 0);
    shownType_ = cmbType->currentText();
}

void TfrmAni::UpdateEnabled() {
    // The timing and both codes belong to the DTMF ANI (the report prints
    // them for it alone); the other types bring their own.
    const int dtmf = cmbType->currentText() == QLatin1String(kAniDtmf) ? 1 : 0;
    for (QWidget* w : std::initializer_list<QWidget*>{cmbTrans, cmbDelay, cmbSpeed, edtCode, edtECode})
        SetControlEnabled(w, dtmf);
}

bool TfrmAni::WriteBack() {
    const QString chosen = cmbType->currentIndex() >= 0 ? cmbType->currentText() : shownType_;
    if (ChangeAniType(Live(), Ctx.FileFormat, FromQ(shownType_), FromQ(chosen))) MarkModified();
    return true;
}

bool ExecuteAniDialog(QWidget* parent, TEditorState& context) {
    TfrmAni dialog(parent, context);
    return dialog.Execute();
}
