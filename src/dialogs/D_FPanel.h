#pragma once
// "Front Panel": rotary switch mode, locks, volume presets, hook and
// off-hook options.

#include "dialogs/DlgBase.h"

class QComboBox;

class TfrmFPanel : public TDlgBase {
    Q_OBJECT
  public:
    TfrmFPanel(QWidget* parent, TEditorState& context);

    QComboBox* cmbRSMode = nullptr;
    QComboBox* cmbPLock = nullptr;
    QComboBox* cmbDLock = nullptr;
    QComboBox* cmbLFunc = nullptr;
    QComboBox* cmbVKnob = nullptr;
    QComboBox* cmbAALvl = nullptr;
    QComboBox* cmbHook = nullptr;
    QComboBox* cmbODecode = nullptr;
    QComboBox* cmbVol = nullptr;
    QComboBox* cmbOHook = nullptr;

  protected:
    void UpdateEnabled() override;

  private:
    void BindVolume(QComboBox* combo, TIntRef level);
};

// The Front Panel command's dialog; true on OK.
bool ExecuteFPanelDialog(QWidget* parent, TEditorState& context);
