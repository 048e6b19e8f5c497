#pragma once
// "Paging Code": the ten paging codes and their modes.

#include <array>

#include "dialogs/DlgBase.h"

class QComboBox;
class QLineEdit;

class TfrmPCode : public TDlgBase {
    Q_OBJECT
  public:
    TfrmPCode(QWidget* parent, TEditorState& context);

    // Row i edits entry i; "PAGE &0" is entry 9 ("edtPage0", "cmbPage0").
    struct TRow {
        QLineEdit* Code = nullptr;
        QComboBox* Mode = nullptr;
    };
    std::array<TRow, 10> Rows;

  protected:
    void UpdateEnabled() override;
};

// The Paging Code command's dialog; true on OK.
bool ExecutePCodeDialog(QWidget* parent, TEditorState& context);
