#pragma once
// "Marketing Prameters": the radio's serial number, editable in
// manufacture mode only.

#include "dialogs/DlgBase.h"

class QLineEdit;

class TfrmMarket : public TDlgBase {
    Q_OBJECT
  public:
    TfrmMarket(QWidget* parent, TEditorState& context);

    QLineEdit* edtSerial = nullptr;
    QLineEdit* edtSSerial = nullptr; // slave deck: laid out, never used

  protected:
    void UpdateEnabled() override;
};

// The Marketing command's dialog; true on OK.
bool ExecuteMarketDialog(QWidget* parent, TEditorState& context);
