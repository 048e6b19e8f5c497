#include "dialogs/D_DKEdit.h"

#include <QComboBox>

#include "dialogs/dc_ChannelPicker.h"
#include "dialogs/dc_KeyRules.h"

namespace {

constexpr std::array<const char*, kKeyCount> kGroupNames{"cmbGPF1", "cmbGPF2", "cmbGPF3",
                                                         "cmbGPF4", "cmbGPF5", "cmbGPF6"};
constexpr std::array<const char*, kKeyCount> kChannelNames{"cmbCPF1", "cmbCPF2", "cmbCPF3",
                                                           "cmbCPF4", "cmbCPF5", "cmbCPF6"};
constexpr uint32_t hcGroup = 0xED646DCC, hcChannel = 0xED640DAE;

} // namespace

TfrmDKEdit::TfrmDKEdit(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("Direct CH key Edit"), 430, 260) {
    AddColumnHeaders({QStringLiteral("Group"), QStringLiteral("Channel")});
    for (int k = 0; k < kKeyCount; ++k) {
        const auto i = static_cast<size_t>(k);
        const QString hint = QStringLiteral("[CH%1]  function").arg(k + 1);
        const int row = AddRow(QStringLiteral("&%1.[PF%1]").arg(k + 1));
        cmbGPF[i] = AddCombo(row, 1, ComboDef(kGroupNames[i], hcGroup, hint), {QStringLiteral("None")});
        cmbCPF[i] =
            AddCombo(row, 2, ComboDef(kChannelNames[i], hcChannel + 2 * static_cast<uint32_t>(k), hint),
                     {QStringLiteral("None")});
        pickers_[i] = new TGroupChannelPicker(cmbGPF[i], cmbCPF[i], TPickerStyle{true, false});
        pickers_[i]->OnChange = [this, i] { chosen_[i] = true; };

        const TKeyFields& f = KeyFields()[i];
        Bind(
            [this, k, f] {
                TGroupChannelPicker* p = pickers_[static_cast<size_t>(k)];
                p->Load(Live());
                p->Show(Live().*f.DirectGroup, Live().*f.DirectChannel);
                // A stored channel the group does not offer (blank, or past
                // the group's end) shows "None"; untouched, it is kept.
                if (p->ChannelBox()->currentIndex() < 0) SelectIndex(p->ChannelBox(), 0);
                shown_[static_cast<size_t>(k)] = Choice(k);
            },
            [this, k] {
                // Without the motorcycle head PF6 is not there to program.
                if (k == 5 && Live().ControlHeadType != 1) return;
                // Untouched, a key keeps what it holds, even a group or channel
                // the lists do not offer; choosing its channel again forces
                // the key's presses to Direct CH.
                const TChoice now = Choice(k);
                if (!now.first || (!chosen_[static_cast<size_t>(k)] && now == shown_[static_cast<size_t>(k)]))
                    return;
                const int32_t group = *now.first;
                const int32_t channel =
                    group == kNoDirectEntry ? kNoDirectEntry : now.second.value_or(kNoDirectEntry);
                StoreDirectKey(Live(), k, group, channel);
            },
            {});
        for (auto field : {f.DirectGroup, f.DirectChannel, f.Short, f.Long})
            CompareField(field);
    }
}

TfrmDKEdit::TChoice TfrmDKEdit::Choice(int key) const {
    const TGroupChannelPicker* p = pickers_[static_cast<size_t>(key)];
    return {p->Group(), p->Position()};
}

void TfrmDKEdit::UpdateEnabled() {
    if (Live().ControlHeadType != 1) {
        SetControlEnabled(cmbGPF[5], 0);
        SetControlEnabled(cmbCPF[5], 0);
    }
}

bool ExecuteDKEditDialog(QWidget* parent, TEditorState& context) {
    TfrmDKEdit dialog(parent, context);
    return dialog.Execute();
}
