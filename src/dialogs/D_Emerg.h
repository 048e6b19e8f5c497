#pragma once
// "Emergency": the emergency channel, its alert outputs and its timers.

#include "dialogs/DlgBase.h"

class QComboBox;

class TfrmEmerg : public TDlgBase {
    Q_OBJECT
  public:
    TfrmEmerg(QWidget* parent, TEditorState& context);

    QComboBox* cmbChanl = nullptr;
    QComboBox* cmbAMute = nullptr;
    QComboBox* cmbLcd = nullptr;
    QComboBox* cmbLed = nullptr;
    QComboBox* cmbTime = nullptr;
    QComboBox* cmbRTime = nullptr;
    QComboBox* cmbTTime = nullptr;
    QComboBox* cmbMic = nullptr;
};

// The Emergency command's dialog; true on OK.
bool ExecuteEmergDialog(QWidget* parent, TEditorState& context);
