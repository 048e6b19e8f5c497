#pragma once
// "Direct CH key Edit": the group and channel each PF key jumps to when its
// function is Direct CH.

#include <array>
#include <optional>
#include <utility>

#include "dialogs/DlgBase.h"
#include "model/dc_KeyFunc.h"

class QComboBox;
class TGroupChannelPicker;

class TfrmDKEdit : public TDlgBase {
    Q_OBJECT
  public:
    TfrmDKEdit(QWidget* parent, TEditorState& context);

    std::array<QComboBox*, kKeyCount> cmbGPF{}; // cmbGPF1..cmbGPF6
    std::array<QComboBox*, kKeyCount> cmbCPF{}; // cmbCPF1..cmbCPF6

  protected:
    void UpdateEnabled() override;

  private:
    using TChoice = std::pair<std::optional<int32_t>, std::optional<int32_t>>;
    TChoice Choice(int key) const;

    std::array<TGroupChannelPicker*, kKeyCount> pickers_{};
    std::array<TChoice, kKeyCount> shown_{};
    std::array<bool, kKeyCount> chosen_{};
};

// The Direct CH Key command's dialog; true on OK.
bool ExecuteDKEditDialog(QWidget* parent, TEditorState& context);
