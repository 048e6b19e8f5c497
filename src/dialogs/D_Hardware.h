#pragma once
// "Hardware Parameters": band, product, head and the receiver's factory
// settings. A change of band or product brings in the band template.

#include "dialogs/D_Model.h"

class QComboBox;
class QLineEdit;

class TfrmHardware : public TDlgBase {
    Q_OBJECT
  public:
    TfrmHardware(QWidget* parent, TEditorState& context);

    // Master column.
    QComboBox* cmbRfDeck = nullptr;
    QComboBox* cmbAModel = nullptr;
    QComboBox* cmbCHType = nullptr;
    QComboBox* cmbMFBand = nullptr;
    QComboBox* cmbMPType = nullptr;
    QComboBox* cmbMSDelay = nullptr;
    QLineEdit* edtMNATime = nullptr;
    QComboBox* cmbMSRTime = nullptr;
    QComboBox* cmbMSH = nullptr;
    QComboBox* cmbMDRData = nullptr;
    QComboBox* cmbMDTData = nullptr;
    QComboBox* cmbMMType = nullptr;
    QLineEdit* edtMSPBR = nullptr;
    QLineEdit* edtMSRX = nullptr;
    // Slave column: laid out, never used (single deck).
    QComboBox* cmbSFBand = nullptr;
    QComboBox* cmbSPType = nullptr;
    QComboBox* cmbSSDelay = nullptr;
    QLineEdit* edtSNATime = nullptr;
    QComboBox* cmbSSRTime = nullptr;
    QComboBox* cmbSSH = nullptr;
    QComboBox* cmbSDRData = nullptr;
    QComboBox* cmbSDTData = nullptr;
    QComboBox* cmbSMType = nullptr;
    QLineEdit* edtSSPBR = nullptr;
    QLineEdit* edtSSRX = nullptr;

  protected:
    void FormShow() override;
    void UpdateEnabled() override;
    bool PrepareWrite() override;
    bool WriteBack() override;

  private:
    void cmbMFBandChange();
    void cmbMPTypeChange();
    void ShowStbyRx(int bandPosition, int stbyEntry, bool lowVhf, bool normalise);

    TBandProductChoice choice_;
    int shownBand_ = 0;
    int shownProduct_ = 1;
    QString shownStbyRx_;
    bool templateApplied_ = false;
};

// The Hardware command's dialog; true on OK.
bool ExecuteHardwareDialog(QWidget* parent, TEditorState& context);
