#pragma once
// File > Compare with File: the fields in which the configuration being
// edited differs from a data file, read-only.

#include <QDialog>
#include <string>
#include <vector>

#include "json/dc_ModelDiff.h"

class QLabel;
class QPushButton;
class QTableWidget;
class TEditorState;

inline constexpr uint32_t kCompareHelpContext = 98403;

class TfrmCompare : public QDialog {
    Q_OBJECT
  public:
    TfrmCompare(QWidget* parent, const std::string& fileName,
                const std::vector<TFieldDifference>& differences);

    QLabel* lblFile;
    QLabel* lblEqual; // shown instead of the list when nothing differs
    QTableWidget* grdDiff;
    QPushButton* btnClose;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Asks for a data file and shows how the live configuration (as committed
// from the grid) differs from it. A file that cannot be read is reported and
// nothing else happens.
void CompareWithFile(QWidget* parent, TEditorState& state);
