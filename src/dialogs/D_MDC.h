#pragma once
// "MDC1200": the MDC1200 ANI block, the ten PTT IDs and the emergency ID
// beside the message values they go out with.

#include <array>

#include "dialogs/DlgBase.h"

class QComboBox;
class QLineEdit;

class TfrmMdc : public TDlgBase {
    Q_OBJECT
  public:
    TfrmMdc(QWidget* parent, TEditorState& context);

    QLineEdit* edtAniDelayTime = nullptr;
    QComboBox* cmbAniLockout = nullptr;
    QComboBox* cmbAniPress = nullptr;
    QComboBox* cmbAniRelease = nullptr;
    QComboBox* cmbWaitTone = nullptr;
    QComboBox* cmbCourtesy = nullptr;
    QComboBox* cmbAniSubAudible = nullptr;
    // Entry 0 the emergency ID (edtPttE, edtMsgE), 1..10 edtPtt1..edtPtt10
    // and edtMsg1..edtMsg10, as MdcPttIds and MdcMessageIds count them.
    std::array<QLineEdit*, TRKmem::kMdcIdCount> edtPtt{};
    std::array<QLineEdit*, TRKmem::kMdcIdCount> edtMsg{};
};

// The MDC1200 command's dialog; true on OK.
bool ExecuteMdcDialog(QWidget* parent, TEditorState& context);
