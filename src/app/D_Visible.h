#pragma once
// Which column groups of the channel grid are shown.

#include <QDialog>
#include <array>
#include <cstdint>

class QCheckBox;
class QPushButton;

// ItemVisible[g - 1] is the flag of column group g (1..19): 1 shown, 0 hidden.
using TItemVisible = std::array<int32_t, 19>;

class TfrmVisible : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kBoxCount = 18;

    // `mdcCondition`: the MDC1200 condition of the main window (Fleet format,
    // MDC1200 option flag, ANI type not 3); while it holds the ANI column
    // group cannot be chosen.
    TfrmVisible(const TItemVisible& itemVisible, bool fleetFormat, bool mdcCondition,
                QWidget* parent = nullptr);

    // The flags after OK; group 7 (it has no box) always keeps its value.
    const TItemVisible& ItemVisible() const { return itemVisible_; }

    // Runs the dialog modally; on OK writes the flags back and returns true.
    static bool Execute(QWidget* parent, TItemVisible& itemVisible, bool fleetFormat, bool mdcCondition);

    // The column group and help context of box i (chk00 .. chk17).
    static int GroupOf(int box);
    static int HelpContextOf(int box);

    std::array<QCheckBox*, kBoxCount> chk{};
    QPushButton* btnOK;
    QPushButton* btnCancel;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormShow();
    void btnOKClick();

    TItemVisible itemVisible_;
    int lastHelpContext_ = 0;
};
