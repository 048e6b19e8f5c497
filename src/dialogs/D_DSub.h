#pragma once
// "Dsub25 connector": polarity and function of the rear connector's output
// and input pins, and the channel switch table the CH SW inputs select from.

#include <string>
#include <vector>

#include "dialogs/DlgBase.h"

class QCheckBox;
class QComboBox;

class TfrmDSub : public TDlgBase {
    Q_OBJECT
  public:
    TfrmDSub(QWidget* parent, TEditorState& context);

    // Output port page.
    std::vector<QCheckBox*> OutPolarity; // as kDsubOutPolarity
    QComboBox* cmbNo19 = nullptr;
    QComboBox* cmbNo20 = nullptr;
    QComboBox* cmbNo21 = nullptr;
    QComboBox* cmbNo22 = nullptr;
    QComboBox* cmbNoAkey = nullptr;
    // Input port page.
    std::vector<QCheckBox*> InPolarity; // as kDsubInPolarity
    QComboBox* cmbNiISel = nullptr;
    QComboBox* cmbNiI03 = nullptr;
    QComboBox* cmbNiI04 = nullptr;
    QComboBox* cmbNiI05 = nullptr;
    QComboBox* cmbNiI06 = nullptr;
    QComboBox* cmbNiI16 = nullptr;
    // Channel switch table page: rows 1 to 15.
    std::vector<TGroupChannelPicker*> Switches;

    std::vector<QComboBox*> OutBoxes() const { return outBoxes_; }
    std::vector<QComboBox*> InBoxes() const { return inBoxes_; }

  protected:
    void FormShow() override;

  private:
    void BindOutFunctions();
    void BindInFunction(QComboBox* box, int32_t TRKmem::*field);

    std::vector<QComboBox*> outBoxes_; // as kDsubOutPins
    std::vector<QComboBox*> inBoxes_;  // as kDsubInPins
};

// The DSUB-25 command's dialog; true on OK.
bool ExecuteDSubDialog(QWidget* parent, TEditorState& context);
