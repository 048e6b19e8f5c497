#pragma once
// The one pattern every settings dialog follows. A dialog derives from
// TDlgBase, declares its rows (caption, control, hint, help context) and
// fills/writes its controls; layout, the working copy, the hint panels, the
// keyboard (Alt accelerators, Esc, F1), the two-state edit fields and their
// character filters, and the compare-on-OK all live here.

#include <QDialog>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/dc_DlgHelpers.h"
#include "image/dc_Map36.h"
#include "model/dc_RKmem.h"

class QComboBox;
class QCheckBox;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// What a settings dialog reads and changes besides the model: the main
// window's program-wide state, lent for the duration of the dialog.
struct TDialogContext {
    TRKmem& Model; // the live model
    TMap36& Image; // the live image
    TChannel& TemplateChannel;
    bool& FileModified;
    bool& HardwareChanged;
    int StartupMode = 0; // 0 normal, 1 data mode, 2 manufacture mode
    int FileFormat = 0;  // 0 original, 1 Fleet
};

// The frame of every dialog and message box: a title and a close button,
// without the minimise and maximise buttons a main window has.
Qt::WindowFlags DialogWindowFlags();

// Model texts are byte strings; on screen they are Latin-1.
QString ToQt(std::string_view bytes);
std::string FromQt(const QString& text);

// ---- Shared routines ---------------------------------------------------------

// 1 enables the control with the window colour; anything else disables it
// with the button-face colour.
void SetControlEnabled(QWidget* control, int flag);
// 1: writable, tooltip colour (edit form); anything else: read-only, window colour.
void SetEditForm(QLineEdit* edit, int flag);
// "<ENTER>" for an edit or a grid, "<SELECT>" for a drop-down list or a check box.
QString HintSecondLine(const QWidget* control);
// Enter opens a closed list and closes an open one. True when `key` was Enter
// (then consumed).
bool ComboEnterToggles(QComboBox* combo, int key);
// True when `key` is Enter, which the caller then discards.
bool SwallowEnter(int key);

// Help: command 0 the default topic, 1 the topic of `context`. The main
// window installs the viewer; without one a request is ignored.
using THelpHandler = std::function<void(int command, uint32_t context)>;
THelpHandler SetHelpHandler(THelpHandler handler);
void ShowHelp(int command, uint32_t context);

// ---- Row description ---------------------------------------------------------

struct TControlDef {
    const char* Name = ""; // object name ("cmbCHType")
    uint32_t HelpContext = 0;
    QString Hint1; // first hint line
    QString Hint2; // second line; empty means HintSecondLine
};

struct TEditDef : TControlDef {
    int MaxLength = 0;
    TCharFilter Filter = TCharFilter::Any;
    TEditConverter Converter;
    std::function<void()> OnLeave; // after the field returned to its display form
};

struct TComboDef : TControlDef {
    bool EnterToggles = false; // ComboEnterToggles
    bool SwallowEnter = false; // SwallowEnter
};

class TDlgBase : public QDialog {
    Q_OBJECT
  public:
    TDlgBase(QWidget* parent, TDialogContext& context, const QString& caption, int clientWidth,
             int clientHeight);
    ~TDlgBase() override;

    // Shown modally; true for OK.
    bool Execute();

    QLabel* pnlHint1 = nullptr;
    QLabel* pnlHint2 = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    bool EditState() const { return editState_; }
    QWidget* FocusedControl() const { return focused_; }
    const TRKmem& WorkingCopy() const { return copy_; }
    uint32_t HelpContextOf(const QWidget* control) const;
    // The accelerator letter of the row the control belongs to ('\0' for none).
    QChar AcceleratorOf(const QWidget* control) const;

  protected:
    TDialogContext& Ctx;
    TRKmem& Live() { return Ctx.Model; }

    // ---- Layout: rows of caption + controls in columns 1.. ------------------
    // Column captions above the control columns ("Master", "Slave").
    void AddColumnHeaders(const QStringList& captions);
    // A new row with its caption panel. The accelerator is the letter after
    // the caption's "&", or `accelerator` when the caption has several.
    int AddRow(const QString& caption, QChar accelerator = QChar());
    QComboBox* AddCombo(int row, int column, const TComboDef& def, const QStringList& items);
    QLineEdit* AddEdit(int row, int column, const TEditDef& def);
    QCheckBox* AddCheck(int row, int column, const TControlDef& def, const QString& text);
    // A control built by the dialog itself (a grid, a page): focus, hint,
    // help and keys are handled like those of the rows.
    void AttachControl(QWidget* control, int row, int column, const TControlDef& def);
    QGridLayout* Rows() const { return rows_; }

    // ---- Bindings: fields that are shown and stored as they are -------------
    // Item index <-> field; compared on OK.
    void BindIndex(QComboBox* combo, int32_t TRKmem::*field);
    // Edit text <-> integer field through the edit's rule; compared on OK.
    void BindInt(QLineEdit* edit, const TIntEditRule& rule, int32_t TRKmem::*field);
    // Edit text <-> text field; compared on OK.
    void BindText(QLineEdit* edit, std::string TRKmem::*field);

    // ---- What each dialog supplies ------------------------------------------
    // Fill the controls from the live model (bindings are filled before).
    virtual void FormShow() {}
    // Set the enabled state of controls that depend on other settings or on the mode.
    virtual void UpdateEnabled() {}
    // Write the controls into the live model (bindings are written before);
    // return false to keep the dialog open. Call MarkModified() for
    // differences that bindings do not cover.
    virtual bool WriteBack() { return true; }
    void MarkModified() { modified_ = true; }

    // The edit's text turned into its display form now (as when it is left).
    void CommitEdit(QLineEdit* edit);
    // Selects item `index`, or nothing when it is not an item.
    static void SelectIndex(QComboBox* combo, int index);
    // Item index, or `fallback` when nothing is selected.
    static int IndexOr(const QComboBox* combo, int fallback);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  public:
    void btnOKClick();
    void btnCancelClick();

  private:
    struct TControl {
        QWidget* Widget = nullptr;
        int Row = -1;
        TControlDef Def;
        bool IsEdit = false;
        int MaxLength = 0; // typed characters only: a shown display text may be longer
        TCharFilter Filter = TCharFilter::Any;
        TEditConverter Converter;
        std::function<void()> OnLeave;
        bool EnterToggles = false;
        bool SwallowEnter = false;
    };
    struct TRow {
        QString Caption;
        QChar Accelerator;
        QLabel* Label = nullptr;
        std::vector<QWidget*> Controls;
    };
    struct TBinding {
        std::function<void()> Fill;
        std::function<void()> Write;
        std::function<bool()> Differs;
    };

    TControl* Find(const QObject* widget);
    const TControl* Find(const QObject* widget) const;
    TControl& Register(QWidget* widget, int row, int column, const TControlDef& def);
    void OnEnter(TControl& control);
    void OnLeaveEdit(TControl& control);
    void ToggleEditForm(TControl& control);
    bool EditKeyPress(TControl& control, QKeyEvent* key);
    bool FormKeyDown(QKeyEvent* key);

    QGridLayout* rows_ = nullptr;
    std::vector<TRow> rowList_;
    std::vector<TControl> controls_;
    std::vector<TBinding> bindings_;
    TRKmem copy_;
    QWidget* focused_ = nullptr;
    bool editState_ = false;
    QString entryText_;
    bool modified_ = false;
    bool shown_ = false;
};
