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
#include <type_traits>
#include <utility>
#include <vector>

#include "app/dc_EditorState.h"
#include "app/dc_GuiSeams.h"
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
class QTabWidget;
class TGroupChannelPicker;

// The frame of every dialog and message box: a title and a close button,
// without the minimise and maximise buttons a main window has.
Qt::WindowFlags DialogWindowFlags();

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

// Clears the list and fills it with `items` without change signals, then
// selects `index` (nothing when it is not an item).
void RefillCombo(QComboBox* combo, const QStringList& items, int index);
// As RefillCombo, selecting the item with the text selected before.
void RefillComboKeepingText(QComboBox* combo, const QStringList& items);

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
    // When set, replaces Filter: the character typed at a position.
    TPositionFilter PositionFilter;
    TEditConverter Converter;
    std::function<void()> OnLeave; // after the field returned to its display form
    // After typing was ended by Enter or by leaving the field in its edit
    // form (the text is in its display form). A field passed through
    // without being edited, or restored by Escape, commits nothing.
    std::function<void()> OnCommit;
    // Shown greyed and never edited, but focusable for its hint and help.
    bool ReadOnly = false;
};

struct TComboDef : TControlDef {
    bool EnterToggles = false;     // ComboEnterToggles
    bool SwallowEnter = false;     // SwallowEnter
    std::function<void()> OnLeave; // when the focus leaves the list
};

inline TComboDef ComboDef(const char* name, uint32_t helpContext, const QString& hint1 = {},
                          const QString& hint2 = {}) {
    TComboDef def;
    def.Name = name;
    def.HelpContext = helpContext;
    def.Hint1 = hint1;
    def.Hint2 = hint2;
    return def;
}

// Where a binding finds its value in a model: a field, an array element or
// a member of a table entry (see Field, Element and Member below).
template <class T> using TModelRef = std::function<T&(TRKmem&)>;
using TIntRef = TModelRef<int32_t>;
using TTextRef = TModelRef<std::string>;

template <class T> TModelRef<T> Field(T TRKmem::*field) {
    return [field](TRKmem& m) -> T& { return m.*field; };
}
// Entry i of an array or list field (`MdcPttIds[i]`).
template <class A> auto Element(A TRKmem::*array, int32_t i) {
    using T = std::remove_reference_t<decltype((std::declval<A&>())[0])>;
    return TModelRef<T>([array, i](TRKmem& m) -> T& { return (m.*array)[i]; });
}
// A member of entry i of a table (`Tones[i].FirstTone`).
template <class A, class E, class T> TModelRef<T> Member(A TRKmem::*table, int32_t i, T E::*member) {
    return [table, i, member](TRKmem& m) -> T& { return (m.*table)[i].*member; };
}

class TDlgBase : public QDialog {
    Q_OBJECT
  public:
    TDlgBase(QWidget* parent, TEditorState& context, const QString& caption, int clientWidth,
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
    // An edit shown greyed that takes no typing (TEditDef::ReadOnly).
    bool IsReadOnlyEdit(const QWidget* control) const;
    // The accelerator letter of the row the control belongs to ('\0' for none).
    QChar AcceleratorOf(const QWidget* control) const;

  protected:
    TEditorState& Ctx;
    TRKmem& Live() { return Ctx.Model; }

    // ---- Layout: rows of caption + controls in columns 1.. ------------------
    // Column captions above the control columns ("Master", "Slave").
    void AddColumnHeaders(const QStringList& captions);
    // A new row with its caption panel. The accelerator is the letter after
    // the caption's "&", or `accelerator` when the caption has several.
    int AddRow(const QString& caption, QChar accelerator = QChar());
    // A caption (and its accelerator) that changes with what the row shows.
    void SetRowCaption(int row, const QString& caption, QChar accelerator = QChar());
    QLabel* RowLabel(int row) const;
    // Starts a tab page; the rows and headers added next go onto it. Alt
    // accelerators act only on the rows of the page shown. Returns its index.
    int AddPage(const QString& caption);
    QTabWidget* Pages() const { return pages_; }
    QComboBox* AddCombo(int row, int column, const TComboDef& def, const QStringList& items);
    QLineEdit* AddEdit(int row, int column, const TEditDef& def);
    QCheckBox* AddCheck(int row, int column, const TControlDef& def, const QString& text);
    // A control built by the dialog itself (a grid, a page): focus, hint,
    // help and keys are handled like those of the rows.
    void AttachControl(QWidget* control, int row, int column, const TControlDef& def);
    QGridLayout* Rows() const { return grids_[currentGrid_].Layout; }

    // ---- Bindings -------------------------------------------------------------
    // A binding fills its control from the live model on show, writes the
    // control back on OK and tells whether the written value differs from
    // the working copy (which sets FileModified). Two rules hold for all of
    // them: a control with no selection keeps the stored value, and a
    // control the user did not change writes nothing, so a value the control
    // cannot show exactly (out of range, finer than its text) survives OK.
    void Bind(std::function<void()> fill, std::function<void()> write, std::function<bool()> differs);
    // Item index <-> value - offset.
    void BindIndex(QComboBox* combo, TIntRef value, int32_t offset = 0);
    // A two-item list whose item 0 stands for the flag set (1) and item 1
    // for the flag clear.
    void BindInvertedFlag(QComboBox* combo, TIntRef flag);
    // Ticked <-> flag 1 (flag 0 when `inverted`).
    void BindCheck(QCheckBox* check, TIntRef flag, bool inverted = false);
    // Edit text <-> value x scale through the edit's rule (a value x20 shown
    // in msec has scale 20; the written value is the shown one / scale).
    void BindInt(QLineEdit* edit, const TIntEditRule& rule, TIntRef value, int32_t scale = 1);
    // Edit text <-> value / scale as a decimal number (Hz shown in MHz has
    // scale 1e6); written as the shown number x scale, rounded.
    void BindDecimal(QLineEdit* edit, const TDecimalEditRule& rule, TIntRef value, double scale = 1);
    // Edit text <-> text.
    void BindText(QLineEdit* edit, TTextRef text);
    // The picker's group and position in the group; "None" stores 255 in
    // both; a group with no channel chosen writes neither. The picker is
    // loaded from the live model on show.
    void BindPicker(TGroupChannelPicker* picker, TIntRef group, TIntRef position);
    // The values a binding compares, for fields a dialog writes itself.
    void Compare(TIntRef value);
    template <class T> void CompareField(T TRKmem::*field) {
        Bind({}, {}, [this, field] { return Live().*field != copy_.*field; });
    }

    // ---- What each dialog supplies ------------------------------------------
    // Fill the controls from the live model (bindings are filled before).
    virtual void FormShow() {}
    // Set the enabled state of controls that depend on other settings or on the mode.
    virtual void UpdateEnabled() {}
    // Write the controls into the live model (bindings are written before);
    // return false to keep the dialog open. Call MarkModified() for
    // differences that bindings do not cover.
    virtual bool WriteBack() { return true; }
    // Runs before the bindings are written; return false to keep the dialog
    // open. A dialog that replaces the live model here (a band template)
    // calls WriteEveryControl so that the controls are written over it.
    virtual bool PrepareWrite() { return true; }
    void WriteEveryControl() { writeAll_ = true; }
    // True when the binding writes on OK should treat every control as changed.
    bool WritingEveryControl() const { return writeAll_; }
    // A key the window sees before the control (Page Up/Down, say); `edit`
    // is the focused edit field, whose text is being edited, or nullptr.
    // True when the key was handled.
    virtual bool ExtraKeyDown(QKeyEvent* key, QLineEdit* edit) {
        (void)key;
        (void)edit;
        return false;
    }
    void MarkModified() { modified_ = true; }

    // The edit's text turned into its display form now (as when it is left).
    void CommitEdit(QLineEdit* edit);
    // The dialog put another value into the edit while it has the focus (a
    // page change): the edit is in its display form and Escape restores
    // what it shows now.
    void RestartEntry(QLineEdit* edit);
    // Selects item `index`, or nothing when it is not an item.
    static void SelectIndex(QComboBox* combo, int index);
    // Item index, or `fallback` when nothing is selected.
    static int IndexOr(const QComboBox* combo, int fallback);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  public:
    void btnOKClick();
    void btnCancelClick();
    // Every control of the rows, in the order added (for tests that walk them).
    std::vector<QWidget*> Controls() const;

  private:
    struct TControl {
        QWidget* Widget = nullptr;
        int Row = -1;
        TControlDef Def;
        bool IsEdit = false;
        int MaxLength = 0; // typed characters only: a shown display text may be longer
        TCharFilter Filter = TCharFilter::Any;
        TPositionFilter PositionFilter;
        TEditConverter Converter;
        std::function<void()> OnLeave;
        std::function<void()> OnCommit;
        bool ReadOnly = false;
        bool EnterToggles = false;
        bool SwallowEnter = false;
    };
    struct TGrid {
        QGridLayout* Layout = nullptr;
        QWidget* Page = nullptr; // nullptr: outside the pages
        int Rows = 0;
    };
    struct TRow {
        QString Caption;
        QChar Accelerator;
        QLabel* Label = nullptr;
        size_t Grid = 0;
        int GridRow = 0;
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
    bool RowReachable(const TRow& row) const;

    QGridLayout* rows_ = nullptr;
    QTabWidget* pages_ = nullptr;
    std::vector<TGrid> grids_;
    size_t currentGrid_ = 0;
    std::vector<TRow> rowList_;
    std::vector<TControl> controls_;
    std::vector<TBinding> bindings_;
    TRKmem copy_;
    QWidget* focused_ = nullptr;
    bool editState_ = false;
    QString entryText_;
    bool modified_ = false;
    bool shown_ = false;
    bool writeAll_ = false;
};
