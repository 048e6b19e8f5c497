#pragma once
// The channel grid: one group page of channels, edited by cycling values,
// selection lists and an in-place editor, written back into the live model
// at the moments the main window asks for. The rules behind every cell are
// in dc_GridRules; this widget moves texts between them and the screen.

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTableView>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "app/dc_EditorState.h"
#include "app/dc_GridRules.h"

class QLabel;
class QLineEdit;
class QMenu;
class TChannelGrid;

// The page's texts as a table model; rows are the data rows of the page.
class TGridTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TGridTableModel(TChannelGrid* grid);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    void Reset();
    void RowChanged(int row);
    void CellChanged(int row, int col);
    void ColumnChanged(int col);

  private:
    TChannelGrid* grid_;
};

// The two header rows: upper and lower caption of every column.
class TGridHeader : public QHeaderView {
    Q_OBJECT
  public:
    explicit TGridHeader(QWidget* parent);

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sizeHint() const override;
};

class TGridView : public QTableView {
    Q_OBJECT
  public:
    explicit TGridView(TChannelGrid* grid);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    TChannelGrid* grid_;
};

class TChannelGrid : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kRowHeight = 17;

    // The grid edits the live model of `state` and sets its FileModified,
    // copied channel and column visibility; `state` must outlive the grid.
    explicit TChannelGrid(TEditorState& state, QWidget* parent = nullptr);

    // ---- The operations the main window calls -----------------------------------
    void ShowGroupPage(int group);
    void StoreGridPage();
    void ApplyColumnLayout();
    void ApplyCellRules(int col, int row);
    // Takes an open in-place editor's text into its cell; false when none was open.
    bool CommitEditor();
    void Copy();
    void Paste();
    // F2: the page written back, the next group shown, the cursor on the first cell.
    void NextGroupPage();
    // F3: the decode code toggled between code and code with complement.
    void DcsComplement();
    // F1 in the grid.
    void ColumnHelp();
    // Copy and Paste apply only while the grid has the focus or the editor is open.
    bool HasFocusOrEditing() const;
    // The keyboard to the grid, or to its editor while one is open.
    void TakeFocus();

    // ---- Cell actions (double-click, keys) -----------------------------------------
    void CellDoubleClick(int col, int row);
    // The grid's own keys; false for keys the table view handles (row moves).
    bool GridKeyPress(QKeyEvent* event);

    // ---- State ---------------------------------------------------------------------
    int CurrentGroup = 0;
    bool Editing = false;
    bool TxToggle = false;
    // Where help goes; ShowHelp by default.
    std::function<void(int)> HelpRequested;

    const TGridPage& Page() const { return page_; }
    int RowCount() const { return static_cast<int>(page_.Rows.size()); }
    const std::string& CellText(int col, int row) const;
    void SetCellText(int col, int row, const std::string& text);
    bool RowDisabled(int row) const;
    int CurrentCol() const;
    int CurrentRow() const;
    void SetCurrentCell(int col, int row);
    int EditRow() const { return editRow_; }
    int EditCol() const { return editCol_; }
    TGridOptions Options() const;

    TGridView* grdCh;
    QLineEdit* edtDmy;
    QLabel* pnlGroup;
    QLabel* pnlCntChan;
    QLabel* pnlFTag;
    QLabel* pnlDeco;
    QLabel* pnlEnco;
    QLabel* pnlClock;
    QMenu* popupCh;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class TGridView;
    void OpenEditor(int col, int row, const std::string& text, bool selectAll);
    void PlaceEditor();
    void CloseEditor();
    void PlaceCaptionPanels();
    void CharKey(char c);
    void MoveToVisibleColumn(int step);
    void CurrentCellChanged(const QModelIndex& current, const QModelIndex& previous);
    void TakeCopiedChannel(int row);
    void SetModified();
    // "Paste Channel 12": an undo step's name from what it did and the row's channel.
    std::string StepName(const char* what, int row) const;
    bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }

    TEditorState& state_;
    TGridPage page_;
    TGridTableModel* model_;
    std::array<int, kGridColumnCount> widths_{};
    int editRow_ = -1;
    int editCol_ = -1;
};
