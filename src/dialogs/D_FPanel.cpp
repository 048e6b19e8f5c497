#include "dialogs/D_FPanel.h"

#include <QComboBox>

#include <memory>

#include "model/dc_KeyFunc.h"

namespace {

const QStringList kOffOn = {QStringLiteral("Off"), QStringLiteral("On")};

QStringList PresetItems() {
    QStringList items;
    for (size_t i = 1; i <= kVolumePresets.size(); ++i)
        items << QString::number(i);
    return items;
}

QStringList HookItems() {
    QStringList items;
    for (const char* name : kHookNames)
        items << QString::fromLatin1(name);
    return items;
}

} // namespace

TfrmFPanel::TfrmFPanel(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("Front Panel"), 400, 380) {
    int row = AddRow(QStringLiteral("&Rotary Switch Mode"));
    cmbRSMode = AddCombo(
        row, 1,
        ComboDef("cmbRSMode", 0x80A00EE3, QStringLiteral("Select Rotary Switch mode (Channel/Group)")),
        {QStringLiteral("Channel"), QStringLiteral("Group")});
    row = AddRow(QStringLiteral("&PTT Lock"));
    cmbPLock =
        AddCombo(row, 1, ComboDef("cmbPLock", 0x80A00EE4, QStringLiteral("OFF / ON PTT Button")), kOffOn);
    row = AddRow(QStringLiteral("&Dial Lock"));
    cmbDLock =
        AddCombo(row, 1, ComboDef("cmbDLock", 0x80A00EE5, QStringLiteral("OFF / ON Dial function")), kOffOn);
    row = AddRow(QStringLiteral("&Lock Function"));
    cmbLFunc =
        AddCombo(row, 1,
                 ComboDef("cmbLFunc", 0x80A00EE8,
                          QStringLiteral("Amount of time required to press the key to have action taken")),
                 {QStringLiteral("Disabled"), QStringLiteral("Enabled")});
    row = AddRow(QStringLiteral("Vol &Knob Position"));
    cmbVKnob = AddCombo(
        row, 1,
        ComboDef("cmbVKnob", 0x80A00EE9, QStringLiteral("Level of the volume at the time of dial lock")),
        PresetItems());
    row = AddRow(QStringLiteral("&AF ATT Level"));
    cmbAALvl = AddCombo(row, 1,
                        ComboDef("cmbAALvl", 0x80A00EEB,
                                 QStringLiteral("Level of the volume at the time of 'AF ATT' Key function")),
                        PresetItems());
    row = AddRow(QStringLiteral("&Hook"));
    cmbHook = AddCombo(
        row, 1, ComboDef("cmbHook", 0x80A00EE6, QStringLiteral("Disable / Left / Right Hook function")),
        HookItems());
    row = AddRow(QStringLiteral("&Off Hook Tone Decode"));
    cmbODecode =
        AddCombo(row, 1, ComboDef("cmbODecode", 0x80A00EEC, QStringLiteral("Off hook tone decode")), kOffOn);
    row = AddRow(QStringLiteral("&Vol Level Indication"));
    cmbVol = AddCombo(
        row, 1, ComboDef("cmbVol", 0x80A00EED, QStringLiteral("Volume level is displayed in LCD.")), kOffOn);
    row = AddRow(QStringLiteral("Off Hook &Monitor"));
    cmbOHook = AddCombo(row, 1, ComboDef("cmbOHook", 0x80A00EEA, QStringLiteral("Off hook monitor")), kOffOn);

    BindIndex(cmbRSMode, Field(&TRKmem::RotarySwitchMode));
    BindIndex(cmbPLock, Field(&TRKmem::PttLock));
    BindIndex(cmbDLock, Field(&TRKmem::DialLock));
    BindIndex(cmbLFunc, Field(&TRKmem::LockFunction));
    BindVolume(cmbVKnob, Field(&TRKmem::VolKnobPosition));
    BindVolume(cmbAALvl, Field(&TRKmem::AfAttLevel));
    auto hookShown = std::make_shared<int>(-1);
    Bind(
        [this, hookShown] {
            cmbHook->setCurrentIndex(HookIndex(Live().HookOff, Live().RightHookOff));
            *hookShown = cmbHook->currentIndex();
        },
        [this, hookShown] {
            const int i = cmbHook->currentIndex();
            if (i >= 0 && i != *hookShown) StoreHook(Live(), i);
        },
        [this] {
            return Live().HookOff != WorkingCopy().HookOff ||
                   Live().RightHookOff != WorkingCopy().RightHookOff;
        });
    BindIndex(cmbODecode, Field(&TRKmem::OffHookToneDecode));
    BindIndex(cmbVol, Field(&TRKmem::VolLevelIndication));
    BindIndex(cmbOHook, Field(&TRKmem::OffHookMonitor));

    connect(cmbLFunc, &QComboBox::currentIndexChanged, this, [this] { UpdateEnabled(); });
}

void TfrmFPanel::BindVolume(QComboBox* combo, TIntRef level) {
    // The raw level is finer than the nine presets: it stays as stored until
    // the user chooses a preset, even the one shown (100 shows "4"; choosing
    // "4" stores 105).
    auto chosen = std::make_shared<bool>(false);
    connect(combo, &QComboBox::activated, this, [chosen] { *chosen = true; });
    Bind([this, combo, level] { combo->setCurrentIndex(VolumePresetIndex(level(Live()))); },
         [this, combo, level, chosen] {
             const int i = combo->currentIndex();
             if (i >= 0 && *chosen) level(Live()) = VolumePresetValue(i);
         },
         {});
    Compare(level);
}

void TfrmFPanel::UpdateEnabled() {
    SetControlEnabled(cmbVKnob, cmbLFunc->currentIndex() == 1 ? 1 : 0);
}

bool ExecuteFPanelDialog(QWidget* parent, TEditorState& context) {
    TfrmFPanel dialog(parent, context);
    return dialog.Execute();
}
