#pragma once
// "2Tone Parameters": auto reset, group call, call times and the tone format.

#include "dialogs/DlgBase.h"

class QComboBox;

class Tfrm2Tone : public TDlgBase {
    Q_OBJECT
  public:
    Tfrm2Tone(QWidget* parent, TEditorState& context);

    QComboBox* cmbAuto = nullptr;
    QComboBox* cmbGrp = nullptr;
    QComboBox* cmbCall = nullptr;
    QComboBox* cmbTone = nullptr;

  protected:
    bool WriteBack() override;
};

// The 2Tone command's dialog; true on OK.
bool Execute2ToneDialog(QWidget* parent, TEditorState& context);
