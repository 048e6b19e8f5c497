#include "dialogs/D_SQC.h"

#include <QComboBox>

#include <memory>

#include "dialogs/dc_ChannelPicker.h"
#include "dialogs/dc_MiscRules.h"

namespace {

constexpr uint32_t hcSqc = 98330;
const char* const kChannelHint = "SQC position channel tag select";

} // namespace

TfrmSQC::TfrmSQC(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("SQC(Status quick check) LED"), 416, 193) {
    const QString channelHint = QString::fromLatin1(kChannelHint);
    int row = AddRow(QStringLiteral("Position LED &Channel"));
    cmbPLC = AddCombo(row, 1, ComboDef("cmbPLC", hcSqc, channelHint),
                      {QStringLiteral("Disable"), QStringLiteral("Enable")});
    row = AddRow(QStringLiteral("&Group"));
    cmbPOGrp = AddCombo(row, 1, ComboDef("cmbPOGrp", hcSqc, channelHint), {});
    row = AddRow(QStringLiteral("C&hannel"));
    cmbPOChn = AddCombo(row, 1, ComboDef("cmbPOChn", hcSqc, channelHint), {});
    LedPicker = new TGroupChannelPicker(cmbPOGrp, cmbPOChn);
    QStringList levels{QStringLiteral("Disable")};
    for (int i = 0; i <= 10; ++i)
        levels << QString::number(i);
    row = AddRow(QStringLiteral("&AF Vr Position"));
    cmbPLA = AddCombo(
        row, 1,
        ComboDef("cmbPLA", hcSqc, QStringLiteral("AF Vr position value"), QStringLiteral("Diable,0...10")),
        levels);

    connect(cmbPLC, &QComboBox::activated, this, [this] { cmbPLCChange(); });

    BindPicker(LedPicker, Field(&TRKmem::PositionLedGroup), Field(&TRKmem::PositionLedChannelNo));
    // The two boxes share the on flag: they are written together, as shown,
    // once either of them was changed. A level the list has no item for
    // shows nothing and is kept.
    auto shown = std::make_shared<std::pair<int, int>>(-1, -1);
    Bind(
        [this, shown] {
            SelectIndex(cmbPLC, SqcChannelItem(Live()));
            SelectIndex(cmbPLA, SqcAfVrItem(Live()));
            *shown = {cmbPLC->currentIndex(), cmbPLA->currentIndex()};
        },
        [this, shown] {
            const std::pair<int, int> now{cmbPLC->currentIndex(), cmbPLA->currentIndex()};
            if (!WritingEveryControl() && now == *shown) return;
            auto item = [](int i) { return i >= 0 ? std::optional<int>(i) : std::nullopt; };
            WriteSqc(Live(), item(now.first), item(now.second));
        },
        [this] {
            const TRKmem& m = Live();
            const TRKmem& c = WorkingCopy();
            return m.PositionLedOn != c.PositionLedOn || m.PositionLedChannelOff != c.PositionLedChannelOff ||
                   m.PositionLedAfVrOff != c.PositionLedAfVrOff ||
                   m.PositionLedAfVrLevel != c.PositionLedAfVrLevel;
        });
}

void TfrmSQC::UpdateEnabled() {
    const int enabled = cmbPLC->currentIndex() == 1 ? 1 : 0;
    SetControlEnabled(cmbPOGrp, enabled);
    SetControlEnabled(cmbPOChn, enabled);
}

void TfrmSQC::cmbPLCChange() {
    if (cmbPLC->currentIndex() == 1) LedPicker->SelectFirstGroupIfNone();
    UpdateEnabled();
}

bool ExecuteSQCDialog(QWidget* parent, TEditorState& context) {
    TfrmSQC dialog(parent, context);
    return dialog.Execute();
}
