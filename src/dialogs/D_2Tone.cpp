#include "dialogs/D_2Tone.h"

#include <QComboBox>

#include "model/dc_TwoTone.h"

namespace {
constexpr uint32_t hc2Tone = 98323;
}

Tfrm2Tone::Tfrm2Tone(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("2Tone Parameters"), 380, 190) {
    int row = AddRow(QStringLiteral("&Auto Reset"));
    cmbAuto = AddCombo(
        row, 1,
        ComboDef("cmbAuto", hc2Tone, QStringLiteral("Automatic reset after scan resume time 2 expired")),
        {QStringLiteral("OFF"), QStringLiteral("ON")});
    row = AddRow(QStringLiteral("&Group Call"));
    cmbGrp = AddCombo(row, 1, ComboDef("cmbGrp", hc2Tone, QStringLiteral("Group call selection")),
                      {QStringLiteral("OFF"), QStringLiteral("1st tone"), QStringLiteral("2nd tone")});
    row = AddRow(QStringLiteral("&Call Times"));
    cmbCall = AddCombo(
        row, 1,
        ComboDef("cmbCall", hc2Tone,
                 QStringLiteral("Number of times of alert tone will be emitted on paging call receive")),
        {QStringLiteral("OFF"), QStringLiteral("1 time"), QStringLiteral("3 time"),
         QStringLiteral("5 time")});
    row = AddRow(QStringLiteral("2Tone &Format"));
    cmbTone = AddCombo(row, 1,
                       ComboDef("cmbTone", hc2Tone,
                                QStringLiteral("Choice between Standard 2 Tone and User defined 2 Tone")),
                       {QStringLiteral("Standard"), QStringLiteral("User Defined")});
    BindIndex(cmbAuto, Field(&TRKmem::TwoToneAutoReset));
    BindIndex(cmbGrp, Field(&TRKmem::TwoToneGroupCall));
    BindIndex(cmbCall, Field(&TRKmem::TwoToneCallTimes));
    BindIndex(cmbTone, Field(&TRKmem::TwoToneFormat));
    CompareField(&TRKmem::Tones);
}

bool Tfrm2Tone::WriteBack() {
    // The codes of one format mean nothing in the other.
    if (Live().TwoToneFormat != WorkingCopy().TwoToneFormat)
        for (TTonePair& t : Live().Tones.Items)
            t = {kTwoToneNone, kTwoToneNone};
    return true;
}

bool Execute2ToneDialog(QWidget* parent, TEditorState& context) {
    Tfrm2Tone dialog(parent, context);
    return dialog.Execute();
}
