#pragma once
// "Option": lighting, beep, scan list, the option unit and the DTMF
// receiver it brings.

#include "dialogs/DlgBase.h"

class QComboBox;

class TfrmOption : public TDlgBase {
    Q_OBJECT
  public:
    TfrmOption(QWidget* parent, TEditorState& context);

    QComboBox* cmbLight = nullptr;
    QComboBox* cmbBeep = nullptr;
    QComboBox* cmbSList = nullptr;
    QComboBox* cmbOUnit = nullptr;
    QComboBox* cmbDRec = nullptr;

  protected:
    void FormShow() override;
    void UpdateEnabled() override;
    bool WriteBack() override;

  private:
    void cmbOUnitChange();

    std::vector<std::string> units_; // the option unit list
    QString shownUnit_;              // the unit shown on open
};

// The Option command's dialog; true on OK.
bool ExecuteOptionDialog(QWidget* parent, TEditorState& context);
