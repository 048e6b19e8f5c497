#pragma once
// "SQC(Status quick check) LED": the position LED's channel and its AF-Vr
// position indication.

#include "dialogs/DlgBase.h"

class QComboBox;

class TfrmSQC : public TDlgBase {
    Q_OBJECT
  public:
    TfrmSQC(QWidget* parent, TEditorState& context);

    QComboBox* cmbPLC = nullptr;
    QComboBox* cmbPOGrp = nullptr;
    QComboBox* cmbPOChn = nullptr;
    QComboBox* cmbPLA = nullptr;
    TGroupChannelPicker* LedPicker = nullptr;

  protected:
    void UpdateEnabled() override;

  private:
    void cmbPLCChange();
};

// The SQC command's dialog; true on OK.
bool ExecuteSQCDialog(QWidget* parent, TEditorState& context);
