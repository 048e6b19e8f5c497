#include "dialogs/DlgBase.h"

#include "app/dc_GuiSeams.h"
#include "dialogs/dc_ChannelPicker.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

// ---- Texts -------------------------------------------------------------------

// ---- Shared routines ---------------------------------------------------------

void SetControlEnabled(QWidget* control, int flag) {
    if (!control) return;
    const bool on = flag == 1;
    control->setEnabled(on);
    QPalette p = control->palette();
    const QColor colour = QApplication::palette().color(on ? QPalette::Base : QPalette::Button);
    p.setColor(QPalette::Active, QPalette::Base, colour);
    p.setColor(QPalette::Inactive, QPalette::Base, colour);
    p.setColor(QPalette::Disabled, QPalette::Base, colour);
    control->setPalette(p);
}

void SetEditForm(QLineEdit* edit, int flag) {
    if (!edit) return;
    const bool on = flag == 1;
    edit->setReadOnly(!on);
    QPalette p = edit->palette();
    const QColor colour = QApplication::palette().color(on ? QPalette::ToolTipBase : QPalette::Base);
    p.setColor(QPalette::Active, QPalette::Base, colour);
    p.setColor(QPalette::Inactive, QPalette::Base, colour);
    edit->setPalette(p);
}

QString HintSecondLine(const QWidget* control) {
    if (qobject_cast<const QLineEdit*>(control) || qobject_cast<const QAbstractItemView*>(control))
        return QStringLiteral("<ENTER>");
    if (qobject_cast<const QComboBox*>(control) || qobject_cast<const QCheckBox*>(control))
        return QStringLiteral("<SELECT>");
    return {};
}

namespace {
bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}
} // namespace

bool ComboEnterToggles(QComboBox* combo, int key) {
    if (!IsEnter(key)) return false;
    if (combo) {
        if (combo->view() && combo->view()->isVisible())
            combo->hidePopup();
        else
            combo->showPopup();
    }
    return true;
}

bool SwallowEnter(int key) {
    return IsEnter(key);
}

namespace {
THelpHandler& HelpHandler() {
    static THelpHandler handler;
    return handler;
}
} // namespace

THelpHandler SetHelpHandler(THelpHandler handler) {
    THelpHandler previous = std::move(HelpHandler());
    HelpHandler() = std::move(handler);
    return previous;
}

void ShowHelp(int command, uint32_t context) {
    if (HelpHandler()) HelpHandler()(command, context);
}

// ---- Caption accelerators -----------------------------------------------------

namespace {

bool MarksLetter(const QString& caption, QChar letter) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1].toUpper() == letter.toUpper()) return true;
        ++i;
    }
    return false;
}

// The caption as rich text with the accelerator letter underlined (the first
// marked letter when the accelerator is not one of them); every other "&"
// is dropped ("&&" stays one "&").
QString CaptionHtml(const QString& caption, QChar accelerator) {
    QString out;
    bool underlined = false;
    const bool anyMarked = !MarksLetter(caption, accelerator);
    for (qsizetype i = 0; i < caption.size(); ++i) {
        QChar c = caption[i];
        if (c == QLatin1Char('&') && i + 1 < caption.size()) {
            const QChar next = caption[++i];
            if (next == QLatin1Char('&')) {
                out += QStringLiteral("&amp;");
                continue;
            }
            const QString esc = QString(next).toHtmlEscaped();
            if (!underlined && (anyMarked || next.toUpper() == accelerator.toUpper())) {
                out += QStringLiteral("<u>") + esc + QStringLiteral("</u>");
                underlined = true;
            } else {
                out += esc;
            }
            continue;
        }
        out += QString(c).toHtmlEscaped();
    }
    return out;
}

QChar FirstAccelerator(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1].toUpper();
    }
    return {};
}

} // namespace

Qt::WindowFlags DialogWindowFlags() {
    // Without the customize hint the window manager is free to add every button.
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

// ---- The dialog ----------------------------------------------------------------

TDlgBase::TDlgBase(QWidget* parent, TEditorState& context, const QString& caption, int clientWidth,
                   int clientHeight)
    : QDialog(parent, DialogWindowFlags()), Ctx(context) {
    setWindowTitle(caption);
    setFont(QFont(QStringLiteral("Arial"), 8));
    setFixedSize(clientWidth, clientHeight);

    auto* outer = new QVBoxLayout(this);
    rows_ = new QGridLayout;
    rows_->setHorizontalSpacing(4);
    rows_->setVerticalSpacing(3);
    outer->addLayout(rows_);
    grids_.push_back({rows_, nullptr, 0});
    outer->addStretch(1);

    auto* bottom = new QHBoxLayout;
    pnlHint1 = new QLabel(this);
    pnlHint1->setObjectName(QStringLiteral("pnlHint1"));
    pnlHint2 = new QLabel(this);
    pnlHint2->setObjectName(QStringLiteral("pnlHint2"));
    for (QLabel* p : {pnlHint1, pnlHint2}) {
        p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        p->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        p->setTextFormat(Qt::PlainText);
    }
    pnlHint1->setWordWrap(true);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    // Enter belongs to the focused control (edits toggle, lists open), never
    // to a default button.
    for (QPushButton* b : {btnOK, btnCancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->installEventFilter(this);
    }
    bottom->addWidget(pnlHint1, 4);
    bottom->addWidget(pnlHint2, 1);
    bottom->addWidget(btnOK);
    bottom->addWidget(btnCancel);
    outer->addLayout(bottom);

    connect(btnOK, &QPushButton::clicked, this, &TDlgBase::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TDlgBase::btnCancelClick);
}

TDlgBase::~TDlgBase() = default;

bool TDlgBase::Execute() {
    return exec() == QDialog::Accepted;
}

void TDlgBase::AddColumnHeaders(const QStringList& captions) {
    TGrid& grid = grids_[currentGrid_];
    const int row = grid.Rows++;
    QWidget* owner = grid.Page ? grid.Page : this;
    for (int i = 0; i < captions.size(); ++i) {
        auto* l = new QLabel(captions[i], owner);
        l->setAlignment(Qt::AlignCenter);
        grid.Layout->addWidget(l, row, i + 1);
    }
}

int TDlgBase::AddRow(const QString& caption, QChar accelerator) {
    TGrid& grid = grids_[currentGrid_];
    TRow r;
    r.Grid = currentGrid_;
    r.GridRow = grid.Rows++;
    r.Label = new QLabel(grid.Page ? grid.Page : this);
    r.Label->setTextFormat(Qt::RichText);
    r.Label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    r.Label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid.Layout->addWidget(r.Label, r.GridRow, 0);
    rowList_.push_back(r);
    const int row = static_cast<int>(rowList_.size()) - 1;
    SetRowCaption(row, caption, accelerator);
    return row;
}

void TDlgBase::SetRowCaption(int row, const QString& caption, QChar accelerator) {
    if (row < 0 || row >= static_cast<int>(rowList_.size())) return;
    TRow& r = rowList_[static_cast<size_t>(row)];
    r.Caption = caption;
    r.Accelerator = accelerator.isNull() ? FirstAccelerator(caption) : accelerator.toUpper();
    r.Label->setText(CaptionHtml(caption, r.Accelerator));
    r.Label->setAccessibleName(caption);
}

QLabel* TDlgBase::RowLabel(int row) const {
    if (row < 0 || row >= static_cast<int>(rowList_.size())) return nullptr;
    return rowList_[static_cast<size_t>(row)].Label;
}

int TDlgBase::AddPage(const QString& caption) {
    if (!pages_) {
        pages_ = new QTabWidget(this);
        pages_->setObjectName(QStringLiteral("pgcPages"));
        pages_->setFocusPolicy(Qt::NoFocus);
        grids_[0].Layout->addWidget(pages_, grids_[0].Rows++, 0, 1, -1);
    }
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(3);
    layout->setRowStretch(1000, 1);
    const int index = pages_->addTab(page, caption);
    grids_.push_back({layout, page, 0});
    currentGrid_ = grids_.size() - 1;
    return index;
}

bool TDlgBase::RowReachable(const TRow& row) const {
    const QWidget* page = grids_[row.Grid].Page;
    return !page || (pages_ && pages_->currentWidget() == page);
}

TDlgBase::TControl& TDlgBase::Register(QWidget* widget, int row, int column, const TControlDef& def) {
    widget->setObjectName(ToQ(def.Name));
    widget->installEventFilter(this);
    if (row >= 0 && row < static_cast<int>(rowList_.size())) {
        TRow& r = rowList_[static_cast<size_t>(row)];
        const TGrid& grid = grids_[r.Grid];
        if (grid.Page) widget->setParent(grid.Page);
        grid.Layout->addWidget(widget, r.GridRow, column);
        r.Controls.push_back(widget);
    }
    TControl c;
    c.Widget = widget;
    c.Row = row;
    c.Def = def;
    controls_.push_back(std::move(c));
    return controls_.back();
}

QComboBox* TDlgBase::AddCombo(int row, int column, const TComboDef& def, const QStringList& items) {
    auto* combo = new QComboBox(this);
    combo->setEditable(false);
    combo->addItems(items);
    combo->setFocusPolicy(Qt::StrongFocus);
    TControl& c = Register(combo, row, column, def);
    c.EnterToggles = def.EnterToggles;
    c.SwallowEnter = def.SwallowEnter;
    c.OnLeave = def.OnLeave;
    return combo;
}

QLineEdit* TDlgBase::AddEdit(int row, int column, const TEditDef& def) {
    auto* edit = new QLineEdit(this);
    // Every character comes through the filter: no paste, no drop.
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->setAcceptDrops(false);
    SetEditForm(edit, 0);
    TControl& c = Register(edit, row, column, def);
    c.IsEdit = true;
    c.MaxLength = def.MaxLength;
    c.Filter = def.Filter;
    c.PositionFilter = def.PositionFilter;
    c.Converter = def.Converter;
    c.OnLeave = def.OnLeave;
    c.OnCommit = def.OnCommit;
    c.ReadOnly = def.ReadOnly;
    if (def.ReadOnly) {
        QPalette p = edit->palette();
        const QColor grey = QApplication::palette().color(QPalette::Button);
        p.setColor(QPalette::Active, QPalette::Base, grey);
        p.setColor(QPalette::Inactive, QPalette::Base, grey);
        edit->setPalette(p);
    }
    return edit;
}

QCheckBox* TDlgBase::AddCheck(int row, int column, const TControlDef& def, const QString& text) {
    auto* check = new QCheckBox(text, this);
    Register(check, row, column, def);
    return check;
}

void TDlgBase::AttachControl(QWidget* control, int row, int column, const TControlDef& def) {
    if (control->parent() == nullptr) control->setParent(this);
    Register(control, row, column, def);
}

void TDlgBase::Bind(std::function<void()> fill, std::function<void()> write, std::function<bool()> differs) {
    bindings_.push_back({std::move(fill), std::move(write), std::move(differs)});
}

void TDlgBase::Compare(TIntRef value) {
    Bind({}, {}, [this, value] { return value(Live()) != value(copy_); });
}

void TDlgBase::BindIndex(QComboBox* combo, TIntRef value, int32_t offset) {
    auto shown = std::make_shared<int>(-1);
    Bind(
        [this, combo, value, offset, shown] {
            SelectIndex(combo, value(Live()) - offset);
            *shown = combo->currentIndex();
        },
        [this, combo, value, offset, shown] {
            const int i = combo->currentIndex();
            if (i >= 0 && (writeAll_ || i != *shown)) value(Live()) = i + offset;
        },
        [this, value] { return value(Live()) != value(copy_); });
}

void TDlgBase::BindInvertedFlag(QComboBox* combo, TIntRef flag) {
    auto shown = std::make_shared<int>(-1);
    Bind(
        [this, combo, flag, shown] {
            SelectIndex(combo, flag(Live()) == 1 ? 0 : flag(Live()) == 0 ? 1 : -1);
            *shown = combo->currentIndex();
        },
        [this, combo, flag, shown] {
            const int i = combo->currentIndex();
            if (i >= 0 && (writeAll_ || i != *shown)) flag(Live()) = i == 0 ? 1 : 0;
        },
        [this, flag] { return flag(Live()) != flag(copy_); });
}

void TDlgBase::BindCheck(QCheckBox* check, TIntRef flag, bool inverted) {
    auto shown = std::make_shared<bool>(false);
    const int32_t ticked = inverted ? 0 : 1;
    Bind(
        [this, check, flag, ticked, shown] {
            check->setChecked(flag(Live()) == ticked);
            *shown = check->isChecked();
        },
        [this, check, flag, ticked, shown] {
            if (writeAll_ || check->isChecked() != *shown)
                flag(Live()) = check->isChecked() ? ticked : 1 - ticked;
        },
        [this, flag] { return flag(Live()) != flag(copy_); });
}

void TDlgBase::BindInt(QLineEdit* edit, const TIntEditRule& rule, TIntRef value, int32_t scale) {
    if (scale < 1) scale = 1;
    auto shown = std::make_shared<QString>();
    Bind(
        [this, edit, rule, value, scale, shown] {
            const int64_t v = static_cast<int64_t>(value(Live())) * scale;
            const int32_t inRange = static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
            edit->setText(ToQ(IntEditDisplay(rule, ParseIntEdit(rule, std::to_string(inRange)))));
            *shown = edit->text();
        },
        [this, edit, rule, value, scale, shown] {
            if (!writeAll_ && edit->text() == *shown) return;
            value(Live()) = RoundIntEdit(rule, ParseIntEdit(rule, FromQ(edit->text()))) / scale;
        },
        [this, value] { return value(Live()) != value(copy_); });
}

void TDlgBase::BindDecimal(QLineEdit* edit, const TDecimalEditRule& rule, TIntRef value, double scale) {
    if (!(scale > 0)) scale = 1;
    auto shown = std::make_shared<QString>();
    Bind(
        [this, edit, rule, value, scale, shown] {
            const double v = std::clamp(static_cast<double>(value(Live())) / scale, rule.Min, rule.Max);
            edit->setText(ToQ(DecimalEditDisplay(rule, v)));
            *shown = edit->text();
        },
        [this, edit, rule, value, scale, shown] {
            if (!writeAll_ && edit->text() == *shown) return;
            // Rounded: 16.3 x 1e6 is 16299999.99... in binary floating point.
            const long double v =
                static_cast<long double>(ParseDecimalEdit(rule, FromQ(edit->text()))) * scale;
            value(Live()) =
                static_cast<int32_t>(std::llround(std::clamp<long double>(v, INT32_MIN, INT32_MAX)));
        },
        [this, value] { return value(Live()) != value(copy_); });
}

void TDlgBase::BindText(QLineEdit* edit, TTextRef text) {
    auto shown = std::make_shared<QString>();
    Bind(
        [this, edit, text, shown] {
            edit->setText(ToQ(text(Live())));
            *shown = edit->text();
        },
        [this, edit, text, shown] {
            if (writeAll_ || edit->text() != *shown) text(Live()) = FromQ(edit->text());
        },
        [this, text] { return text(Live()) != text(copy_); });
}

void TDlgBase::BindPicker(TGroupChannelPicker* picker, TIntRef group, TIntRef position) {
    using TChoice = std::pair<std::optional<int32_t>, std::optional<int32_t>>;
    auto shown = std::make_shared<TChoice>();
    Bind(
        [this, picker, group, position, shown] {
            picker->Load(Live());
            picker->Show(group(Live()), position(Live()));
            *shown = {picker->Group(), picker->Position()};
        },
        [this, picker, group, position, shown] {
            const TChoice now{picker->Group(), picker->Position()};
            if ((!writeAll_ && now == *shown) || !now.first) return;
            // A group without a chosen channel would pair with the old channel.
            if (*now.first != TGroupChannelPicker::kNone && !now.second) return;
            group(Live()) = *now.first;
            if (*now.first == TGroupChannelPicker::kNone)
                position(Live()) = TGroupChannelPicker::kNone;
            else if (now.second)
                position(Live()) = *now.second;
        },
        [this, group, position] {
            return group(Live()) != group(copy_) || position(Live()) != position(copy_);
        });
}

void RefillCombo(QComboBox* combo, const QStringList& items, int index) {
    const bool blocked = combo->blockSignals(true);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    combo->blockSignals(blocked);
}

void RefillComboKeepingText(QComboBox* combo, const QStringList& items) {
    const QString text = combo->currentIndex() >= 0 ? combo->currentText() : QString();
    RefillCombo(combo, items, text.isNull() ? -1 : static_cast<int>(items.indexOf(text)));
}

std::vector<QWidget*> TDlgBase::Controls() const {
    std::vector<QWidget*> out;
    for (const auto& c : controls_)
        out.push_back(c.Widget);
    return out;
}

void TDlgBase::SelectIndex(QComboBox* combo, int index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

int TDlgBase::IndexOr(const QComboBox* combo, int fallback) {
    const int i = combo->currentIndex();
    return i >= 0 ? i : fallback;
}

TDlgBase::TControl* TDlgBase::Find(const QObject* widget) {
    for (auto& c : controls_)
        if (c.Widget == widget) return &c;
    return nullptr;
}

const TDlgBase::TControl* TDlgBase::Find(const QObject* widget) const {
    for (const auto& c : controls_)
        if (c.Widget == widget) return &c;
    return nullptr;
}

uint32_t TDlgBase::HelpContextOf(const QWidget* control) const {
    const TControl* c = Find(control);
    return c ? c->Def.HelpContext : 0;
}

bool TDlgBase::IsReadOnlyEdit(const QWidget* control) const {
    const TControl* c = Find(control);
    return c && c->IsEdit && c->ReadOnly;
}

QChar TDlgBase::AcceleratorOf(const QWidget* control) const {
    const TControl* c = Find(control);
    if (!c || c->Row < 0) return {};
    return rowList_[static_cast<size_t>(c->Row)].Accelerator;
}

void TDlgBase::showEvent(QShowEvent* event) {
    if (!shown_) {
        shown_ = true;
        copy_.Assign(Live());
        for (auto& b : bindings_)
            if (b.Fill) b.Fill();
        FormShow();
        for (auto& c : controls_) {
            auto* edit = qobject_cast<QLineEdit*>(c.Widget);
            if (c.IsEdit && !c.ReadOnly && edit) SetEditForm(edit, 0);
        }
        UpdateEnabled();
        if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    }
    QDialog::showEvent(event);
}

void TDlgBase::OnEnter(TControl& control) {
    focused_ = control.Widget;
    pnlHint1->clear();
    pnlHint2->clear();
    pnlHint1->setText(control.Def.Hint1);
    pnlHint2->setText(control.Def.Hint2);
    if (pnlHint2->text().isEmpty()) pnlHint2->setText(HintSecondLine(control.Widget));
    if (control.IsEdit && !control.ReadOnly) {
        auto* edit = static_cast<QLineEdit*>(control.Widget);
        SetEditForm(edit, 0);
        editState_ = false;
        entryText_ = edit->text();
    }
}

void TDlgBase::CommitEdit(QLineEdit* edit) {
    TControl* c = Find(edit);
    if (c && c->IsEdit) OnLeaveEdit(*c);
}

void TDlgBase::RestartEntry(QLineEdit* edit) {
    TControl* c = Find(edit);
    if (!c || !c->IsEdit || c->ReadOnly) return;
    SetEditForm(edit, 0);
    if (focused_ == edit) {
        editState_ = false;
        entryText_ = edit->text();
    }
}

void TDlgBase::OnLeaveEdit(TControl& control) {
    if (control.ReadOnly) return;
    auto* edit = static_cast<QLineEdit*>(control.Widget);
    const bool edited = !edit->isReadOnly();
    edit->setText(ToQ(control.Converter.Display(FromQ(edit->text()))));
    SetEditForm(edit, 0);
    editState_ = false;
    if (edited && control.OnCommit) control.OnCommit();
    if (control.OnLeave) control.OnLeave();
}

void TDlgBase::ToggleEditForm(TControl& control) {
    if (control.ReadOnly) return;
    auto* edit = static_cast<QLineEdit*>(control.Widget);
    if (edit->isReadOnly()) {
        SetEditForm(edit, 1);
        editState_ = true;
        edit->setText(ToQ(control.Converter.Edit(FromQ(edit->text()))));
        edit->selectAll();
    } else {
        edit->setText(ToQ(control.Converter.Display(FromQ(edit->text()))));
        SetEditForm(edit, 0);
        editState_ = false;
        if (control.OnCommit) control.OnCommit();
        entryText_ = edit->text();
    }
}

bool TDlgBase::EditKeyPress(TControl& control, QKeyEvent* key) {
    auto* edit = static_cast<QLineEdit*>(control.Widget);
    const int k = key->key();
    if (IsEnter(k)) {
        ToggleEditForm(control);
        return true;
    }
    if (control.ReadOnly) {
        // Navigation and selection keys only: nothing typed, deleted or pasted.
        return !key->text().isEmpty() || k == Qt::Key_Backspace || k == Qt::Key_Delete ||
               key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut);
    }
    if (k == Qt::Key_Escape) {
        if (edit->isReadOnly()) return false; // the form cancels
        edit->setText(entryText_);
        SetEditForm(edit, 0);
        editState_ = false;
        return true;
    }
    const QString text = key->text();
    const bool typed = !text.isEmpty() && (text[0] == QChar(kBackspace) ||
                                           (text[0].unicode() >= 0x20 && text[0].unicode() != 0x7F));
    if (!typed && k != Qt::Key_Backspace) return false; // navigation keys go to the edit
    if (key->modifiers() & Qt::ControlModifier) return true;
    const QChar qc = k == Qt::Key_Backspace ? QChar(kBackspace) : text[0];
    if (qc.unicode() > 0xFF) return true;
    const char typedChar = static_cast<char>(qc.unicode());
    // Typing in the display form replaces the whole text: the character goes first.
    const int position = edit->isReadOnly()        ? 0
                         : edit->hasSelectedText() ? edit->selectionStart()
                                                   : edit->cursorPosition();
    const char c = control.PositionFilter ? control.PositionFilter(typedChar, position)
                                          : FilterChar(control.Filter, typedChar);
    if (c == '\0') return true;
    if (edit->isReadOnly()) {
        edit->clear();
        SetEditForm(edit, 1);
        editState_ = true;
    }
    if (c == kBackspace) {
        edit->backspace();
        return true;
    }
    if (control.MaxLength > 0 && edit->text().size() - edit->selectedText().size() >= control.MaxLength)
        return true;
    edit->insert(QString(QChar(static_cast<unsigned char>(c))));
    return true;
}

bool TDlgBase::FormKeyDown(QKeyEvent* key) {
    const int k = key->key();
    if ((key->modifiers() & Qt::AltModifier) && k >= Qt::Key_0 && k <= Qt::Key_Z) {
        const QChar letter = QChar(k).toUpper();
        for (const TRow& r : rowList_) {
            if (r.Accelerator.isNull() || r.Accelerator != letter || !RowReachable(r)) continue;
            for (QWidget* w : r.Controls) {
                if (w->isEnabled()) {
                    w->setFocus(Qt::ShortcutFocusReason);
                    break;
                }
            }
            return true;
        }
        return true;
    }
    {
        const TControl* c = Find(focused_);
        auto* edit = c && c->IsEdit ? qobject_cast<QLineEdit*>(focused_) : nullptr;
        if (ExtraKeyDown(key, edit)) return true;
    }
    if (k == Qt::Key_Escape) {
        if (editState_) return false; // the edit restores its entry text
        btnCancelClick();
        return true;
    }
    if (k == Qt::Key_F1) {
        ShowHelp(1, HelpContextOf(focused_));
        return true;
    }
    return false;
}

bool TDlgBase::eventFilter(QObject* watched, QEvent* event) {
    TControl* control = Find(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
        if (control) OnEnter(*control);
        break;
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (control && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (control->IsEdit)
                OnLeaveEdit(*control);
            else if (control->OnLeave)
                control->OnLeave();
        }
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (control && control->IsEdit) {
            ToggleEditForm(*control);
            return true;
        }
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        // The window sees every key first.
        if (FormKeyDown(key)) return true;
        if (!control) break;
        if (control->IsEdit) return EditKeyPress(*control, key);
        if (control->SwallowEnter && SwallowEnter(key->key())) {
            if (control->EnterToggles)
                ComboEnterToggles(qobject_cast<QComboBox*>(control->Widget), key->key());
            return true;
        }
        if (control->EnterToggles)
            return ComboEnterToggles(qobject_cast<QComboBox*>(control->Widget), key->key());
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TDlgBase::btnOKClick() {
    if (focused_) CommitEdit(qobject_cast<QLineEdit*>(focused_));
    writeAll_ = false;
    if (!PrepareWrite()) return;
    for (auto& b : bindings_)
        if (b.Write) b.Write();
    modified_ = false;
    if (!WriteBack()) return;
    for (auto& b : bindings_)
        if (b.Differs && b.Differs()) modified_ = true;
    if (modified_) Ctx.FileModified = true;
    accept();
}

void TDlgBase::btnCancelClick() {
    reject();
}
