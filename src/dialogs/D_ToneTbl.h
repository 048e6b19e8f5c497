#pragma once
// "2 Tone Edit": the ten 2-tone codes, each a group and two frequencies.

#include <array>

#include "dialogs/DlgBase.h"

class QComboBox;

class TfrmToneTbl : public TDlgBase {
    Q_OBJECT
  public:
    TfrmToneTbl(QWidget* parent, TEditorState& context);

    // Row i edits entry i: "cmbGrp1".."cmbGrp10" and the first and second
    // tone boxes "cmbFirst1".., "cmbSecond1"..
    struct TRow {
        QComboBox* Group = nullptr;
        QComboBox* First = nullptr;
        QComboBox* Second = nullptr;
    };
    std::array<TRow, 10> Rows;

  protected:
    void UpdateEnabled() override;

  private:
    void FillTones(const TRow& row, int groupItem);
};

// The 2Tone Table command's dialog; true on OK.
bool ExecuteToneTblDialog(QWidget* parent, TEditorState& context);
