#include "dialogs/D_Emerg.h"

#include <QComboBox>

#include "model/dc_AniRules.h"

namespace {

// One context per box, from the channel (0x80A208FC) to the microphone (0x80A20903).
constexpr uint32_t hcChannel = 0x80A208FC;

template <size_t N> QStringList ToQ(const char* const (&texts)[N]) {
    QStringList items;
    for (const char* t : texts)
        items << QString::fromLatin1(t);
    return items;
}
} // namespace

TfrmEmerg::TfrmEmerg(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("Emergency"), 380, 290) {
    struct TRowDef {
        const char* Caption;
        const char* Name;
        const char* Hint;
        QStringList Items;
        QComboBox** Combo;
        int32_t TRKmem::*Field;
    };
    const TRowDef rows[] = {
        {"Emergency &Channel", "cmbChanl", "Select PRI or HOME for Emergency Channel",
         ToQList(kEmergencyChannel), &cmbChanl, &TRKmem::EmergencyChannel},
        {"AF &Mute", "cmbAMute", "Disable / Enable Emergency Audio Mute", ToQList(kEmergencyAlert), &cmbAMute,
         &TRKmem::EmergencyAfMute},
        {"&LCD", "cmbLcd", "Disable / Enable Emergency LCD", ToQList(kEmergencyAlert), &cmbLcd,
         &TRKmem::EmergencyLcd},
        {"L&ED", "cmbLed", "Disable / Enable Emergency LED", ToQList(kEmergencyAlert), &cmbLed,
         &TRKmem::EmergencyLed},
        {"Emergency &Time", "cmbTime", "Specify Emergency time(10mins-160mins)", ToQ(EmergencyTimeItems()),
         &cmbTime, &TRKmem::EmergencyTime},
        {"&RX Time", "cmbRTime", "Specify Emergency receive time(10secs-160secs)",
         ToQ(EmergencyRxTimeItems()), &cmbRTime, &TRKmem::EmergencyRxTime},
        {"T&X Time", "cmbTTime", "Specify Emergency tranmits time(5secs-80secs)", ToQ(EmergencyTxTimeItems()),
         &cmbTTime, &TRKmem::EmergencyTxTime},
        {"M&IC", "cmbMic", "Disable / Enable Emergency MIC", ToQList(kEmergencyMic), &cmbMic,
         &TRKmem::EmergencyMic},
    };
    uint32_t help = hcChannel;
    for (const TRowDef& r : rows) {
        const int row = AddRow(QString::fromLatin1(r.Caption));
        *r.Combo = AddCombo(row, 1, ComboDef(r.Name, help++, QString::fromLatin1(r.Hint)), r.Items);
        BindIndex(*r.Combo, Field(r.Field));
    }
}

bool ExecuteEmergDialog(QWidget* parent, TEditorState& context) {
    TfrmEmerg dialog(parent, context);
    return dialog.Execute();
}
