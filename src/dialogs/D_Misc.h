#pragma once
// "Miscellaneous": default split, power-on condition and channel, PTT delay,
// bell, monitor, CTCSS tail, cloning, ARTS, encryption type, horn alert and
// cross-band PTT.

#include "dialogs/DlgBase.h"

class QComboBox;
class QLineEdit;

class TfrmMisc : public TDlgBase {
    Q_OBJECT
  public:
    TfrmMisc(QWidget* parent, TEditorState& context);

    QLineEdit* edtDefSpl = nullptr;
    QComboBox* cmbPOCon = nullptr;
    QComboBox* cmbPOGrp = nullptr;
    QComboBox* cmbPOChn = nullptr;
    QComboBox* cmbPDealy = nullptr;
    QComboBox* cmbBell = nullptr;
    QComboBox* cmbMMode = nullptr;
    QComboBox* cmbCTail = nullptr;
    QComboBox* cmbRClone = nullptr;
    QComboBox* cmbABeep = nullptr;
    QComboBox* cmbATime = nullptr;
    QComboBox* cmbEType = nullptr;
    QComboBox* cmbHTime = nullptr;
    QComboBox* cmbXPtt = nullptr;
    TGroupChannelPicker* PowerOnPicker = nullptr;

  protected:
    void UpdateEnabled() override;
    bool PrepareWrite() override;

  private:
    void cmbPOConChange();
};

// The Miscellaneous command's dialog; true on OK. The option board's name
// may have changed with the encryption type.
bool ExecuteMiscDialog(QWidget* parent, TEditorState& context);
