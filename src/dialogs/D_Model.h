#pragma once
// "Model": the New command's choice of deck, head, band and product, which
// starts a new configuration from the matching band template.

#include "dialogs/DlgBase.h"

class QComboBox;

// The band and product lists the model and hardware dialogs share: the band
// list follows the product ("UHF DS1" only for "TR-2300"), and a change of
// either is asked about and can be taken back.
class TBandProductChoice {
  public:
    QComboBox* Band = nullptr;
    QComboBox* Product = nullptr;
    int RememberedBand = 0;
    int RememberedProduct = 1;

    // Fills the product list, rebuilds the band list and selects both.
    void Show(int bandPosition, int productPosition);
    // Rebuilds the band list for the selected product, keeping the position.
    void RebuildBandList();
    // The user picked a band: true when the change was confirmed.
    bool BandChange();
    // The user picked a product: true when the change was confirmed.
    bool ProductChange();
    QString ProductText() const;
};

class TfrmModel : public TDlgBase {
    Q_OBJECT
  public:
    TfrmModel(QWidget* parent, TEditorState& context);

    QComboBox* cmbRfDeck = nullptr;
    QComboBox* cmbCHType = nullptr;
    QComboBox* cmbMFBand = nullptr;
    QComboBox* cmbMPType = nullptr;
    QComboBox* cmbSFBand = nullptr;
    QComboBox* cmbSPType = nullptr;

  protected:
    void FormShow() override;
    void UpdateEnabled() override;
    bool WriteBack() override;

  private:
    TBandProductChoice choice_;
};

// The New command's dialog; true when a new configuration was loaded.
bool ExecuteModelDialog(QWidget* parent, TEditorState& context);
