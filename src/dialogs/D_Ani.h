#pragma once
// "ANI Setting": the ANI type, its timing and the ANI and emergency codes.
// Another type can change the option board and the channels' ANI flags.

#include "dialogs/DlgBase.h"

class QComboBox;
class QLineEdit;

class TfrmAni : public TDlgBase {
    Q_OBJECT
  public:
    TfrmAni(QWidget* parent, TEditorState& context);

    QComboBox* cmbType = nullptr;
    QComboBox* cmbTrans = nullptr;
    QComboBox* cmbDelay = nullptr;
    QComboBox* cmbSpeed = nullptr;
    QLineEdit* edtCode = nullptr;
    QLineEdit* edtECode = nullptr;

  protected:
    void FormShow() override;
    void UpdateEnabled() override;
    bool WriteBack() override;

  private:
    // Text <-> digits and their count.
    void BindCode(QLineEdit* edit, TDTMFMemFormat TRKmem::*code);

    // The item shown on open: what a chosen type is compared with.
    QString shownType_;
};

// The ANI command's dialog; true on OK. The caller shows the menus, the
// group page and the columns again: the board and the ANI flags may differ.
bool ExecuteAniDialog(QWidget* parent, TEditorState& context);
