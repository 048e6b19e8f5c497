#pragma once
// "Channel Allocation/Group Tag": every group's channel count, tag and
// scan setting, 25 groups a page over 10 pages, edited on a scratch model.
// OK re-lays the channel table over the new counts.

#include <array>

#include "dialogs/DlgBase.h"
#include "dialogs/dc_GroupRules.h"

class QComboBox;
class QLabel;
class QLineEdit;

class TfrmGroup : public TDlgBase {
    Q_OBJECT
  public:
    TfrmGroup(QWidget* parent, TEditorState& context);

    // Row r (0-based here) is row r + 1 of the page: pnlGrp1, edtCh1, ...
    std::array<QLabel*, kGroupsPerPage> pnlGrp{};
    std::array<QLineEdit*, kGroupsPerPage> edtCh{};
    std::array<QLineEdit*, kGroupsPerPage> edtGTag{};
    std::array<QComboBox*, kGroupsPerPage> cmbScan{};
    QLabel* pnlGrpCnt = nullptr;
    QLabel* lblExp = nullptr;

    int Page() const { return page_; }
    // The edits so far, before OK takes them over.
    const TRKmem& Scratch() const { return work_; }

  protected:
    void FormShow() override;
    bool WriteBack() override;
    bool ExtraKeyDown(QKeyEvent* key, QLineEdit* edit) override;

  private:
    int32_t GroupOfRow(int row) const { return (page_ - 1) * kGroupsPerPage + row; }
    void ShowPage();
    void edtChCommit(int row);
    void edtGTagCommit(int row);
    void cmbScanChange(int row);

    std::array<int, kGroupsPerPage> rows_{};
    TRKmem work_;
    int page_ = 1;
};

// The Channel Allocation command's dialog; true on OK.
bool ExecuteGroupDialog(QWidget* parent, TEditorState& context);
