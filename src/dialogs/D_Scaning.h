#pragma once
// "Scan Parameters": dual watch, scan resume times, home channel, talk
// back, revert channel, scan edit and the scan beeps.

#include "dialogs/DlgBase.h"

class QComboBox;
class TGroupChannelPicker;

class TfrmScaning : public TDlgBase {
    Q_OBJECT
  public:
    TfrmScaning(QWidget* parent, TEditorState& context);

    QComboBox* cmbDWTimer = nullptr;
    QComboBox* cmbSRT1 = nullptr;
    QComboBox* cmbSRT2 = nullptr;
    QComboBox* cmbHCScan = nullptr;
    QComboBox* cmbPOGrp = nullptr;
    QComboBox* cmbPOChn = nullptr;
    QComboBox* cmbTBack = nullptr;
    QComboBox* cmbRChan = nullptr;
    QComboBox* cmbSEdit = nullptr;
    QComboBox* cmbSBeep = nullptr;
    QComboBox* cmbPBeep = nullptr;
    TGroupChannelPicker* HomePicker = nullptr;

  private:
    void cmbHCScanChange();
};

// The Scanning command's dialog; true on OK.
bool ExecuteScaningDialog(QWidget* parent, TEditorState& context);
