#pragma once
// "Key Function": what PF1..PF6 do on a short and on a long press, and what
// the Up/Down keys step through.

#include <array>
#include <vector>

#include "dialogs/DlgBase.h"
#include "model/dc_KeyFunc.h"

class QComboBox;

class TfrmKFunc : public TDlgBase {
    Q_OBJECT
  public:
    TfrmKFunc(QWidget* parent, TEditorState& context);

    std::array<QComboBox*, kKeyCount> cmbSP{}; // cmbSP1..cmbSP6
    std::array<QComboBox*, kKeyCount> cmbLP{}; // cmbLP1..cmbLP6
    QComboBox* cmbUpDn = nullptr;

  protected:
    void FormShow() override;
    void UpdateEnabled() override;
    bool WriteBack() override;

  private:
    TKeyPressState State(int key) const;
    void Apply(int key, const TKeyPressState& s);
    void cmbSPChange(int key);
    void cmbLPChange(int key);
    void cmbLPExit(int key);

    // Table rows of the items, per box kind.
    std::vector<int32_t> shortRows_;
    std::vector<int32_t> longRows_;
    std::array<int32_t, kKeyCount> shownShort_{};
    std::array<int32_t, kKeyCount> shownLong_{};
    std::array<bool, kKeyCount> shortChosen_{};
    std::array<bool, kKeyCount> longChosen_{};
    int shownUpDown_ = -1;
    bool upDownChosen_ = false;
};

// The Key Function command's dialog; true on OK.
bool ExecuteKFuncDialog(QWidget* parent, TEditorState& context);
