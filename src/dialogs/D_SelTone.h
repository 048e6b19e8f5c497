#pragma once
// "Selectable Tone": two tables of eight selectable sub-audio tone pairs.

#include <array>

#include "dialogs/DlgBase.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

class TfrmSelTone : public TDlgBase {
    Q_OBJECT
  public:
    TfrmSelTone(QWidget* parent, TEditorState& context);

    // One row: table t (0, 1), entry e (0..7) is Rows[t * 8 + e]; the
    // controls are named after the table and row ("cbxT11" .. "cmbDec28").
    struct TRow {
        QCheckBox* Use = nullptr;
        QLineEdit* Tag = nullptr;
        QComboBox* EncType = nullptr;
        QComboBox* Enc = nullptr;
        QComboBox* DecType = nullptr;
        QComboBox* Dec = nullptr;
    };
    std::array<TRow, 16> Rows;

  protected:
    void UpdateEnabled() override;

  private:
    void BindTone(QComboBox* type, QComboBox* value, TIntRef isCtcss, TIntRef code);
};

// The Selectable Tone command's dialog; true on OK.
bool ExecuteSelToneDialog(QWidget* parent, TEditorState& context);
