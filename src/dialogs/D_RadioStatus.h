#pragma once
// "Radio Status": power-on tag, transmit timers, AF volume minimum, DTMF
// hold, squelch revert, talk-around and noise blanker.

#include "dialogs/DlgBase.h"

class QComboBox;
class QLineEdit;

class TfrmRadioStatus : public TDlgBase {
    Q_OBJECT
  public:
    TfrmRadioStatus(QWidget* parent, TEditorState& context);

    QLineEdit* edtPoTag = nullptr;
    QComboBox* cmbTTimer = nullptr;
    QComboBox* cmbPTimer = nullptr;
    QComboBox* cmbRTime = nullptr;
    QLineEdit* edtAMLvl = nullptr;
    QComboBox* cmbDhtime = nullptr;
    QComboBox* cmbSrtime = nullptr;
    QComboBox* cmbTaope = nullptr;
    QComboBox* cmbNBlank = nullptr;

  protected:
    void UpdateEnabled() override;

  private:
    bool LowVhf() const;
};

// The Radio status command's dialog; true on OK.
bool ExecuteRadioStatusDialog(QWidget* parent, TEditorState& context);
