#pragma once
// The picker behind the channel grid's selection-list cells: a compact grid
// of the values a cell may take.

#include <QDialog>
#include <string>
#include <string_view>
#include <vector>

class QPushButton;
class QTableWidget;
class TRKmem;

// How the current value is found among the entries.
enum class TSelMatch { WholeText, FirstCharacter };

// Caption, geometry and entries of one list number.
struct TSelListLayout {
    std::string Caption;
    int Width = 200; // window width
    int Height = 0;  // window height; 0: as the rows need
    int Columns = 1;
    int ColumnWidth = 45;
    int Rows = 1;
    std::vector<std::string> Entries; // laid out column by column
    TSelMatch Match = TSelMatch::WholeText;
    bool CutAtSlash = false; // "023/047" is looked up as "023"
};

// The list numbers the grid uses: 0, 1, 4, 5, 6, 24, 25, 26, 27. Lists 6 and
// 24 follow the model's paging and 2-tone entries. Another number gives an
// empty list.
TSelListLayout SelListLayout(int listNo, const TRKmem& model);

class TfrmSelList : public QDialog {
    Q_OBJECT
  public:
    TfrmSelList(int listNo, std::string_view currentValue, const TRKmem& model, QWidget* parent = nullptr);

    // The chosen value after OK: the selected cell up to its first ":", trimmed.
    const std::string& Value() const { return value_; }

    // Runs the dialog modally; on OK stores the chosen value and returns true.
    static bool Execute(QWidget* parent, int listNo, const TRKmem& model, std::string& value);

    QTableWidget* grdList;
    QPushButton* btnOK;
    QPushButton* btnCancel;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FormShow(std::string_view currentValue);
    void btnOKClick();
    void grdListDblClick(int row, int column);
    void SelectCell(int row, int column);
    bool IsFilled(int row, int column) const;

    TSelListLayout layout_;
    int lastRow_ = 0;
    int lastCol_ = 0;
    std::string value_;
};
