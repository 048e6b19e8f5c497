#include "dialogs/DlgBase.h"

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
#include <QVBoxLayout>

// ---- Texts -------------------------------------------------------------------

QString ToQt(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string FromQt(const QString& text) {
    const QByteArray latin1 = text.toLatin1();
    return std::string(latin1.constData(), static_cast<size_t>(latin1.size()));
}

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

TDlgBase::TDlgBase(QWidget* parent, TDialogContext& context, const QString& caption, int clientWidth,
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
    const int row = static_cast<int>(rowList_.size());
    rowList_.push_back({});
    for (int i = 0; i < captions.size(); ++i) {
        auto* l = new QLabel(captions[i], this);
        l->setAlignment(Qt::AlignCenter);
        rows_->addWidget(l, row, i + 1);
    }
}

int TDlgBase::AddRow(const QString& caption, QChar accelerator) {
    TRow r;
    r.Caption = caption;
    r.Accelerator = accelerator.isNull() ? FirstAccelerator(caption) : accelerator.toUpper();
    r.Label = new QLabel(CaptionHtml(caption, r.Accelerator), this);
    r.Label->setTextFormat(Qt::RichText);
    r.Label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    r.Label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    r.Label->setAccessibleName(caption);
    const int row = static_cast<int>(rowList_.size());
    rows_->addWidget(r.Label, row, 0);
    rowList_.push_back(r);
    return row;
}

TDlgBase::TControl& TDlgBase::Register(QWidget* widget, int row, int column, const TControlDef& def) {
    widget->setObjectName(QString::fromLatin1(def.Name));
    widget->installEventFilter(this);
    if (row >= 0 && row < static_cast<int>(rowList_.size())) {
        rows_->addWidget(widget, row, column);
        rowList_[static_cast<size_t>(row)].Controls.push_back(widget);
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
    c.Converter = def.Converter;
    c.OnLeave = def.OnLeave;
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

void TDlgBase::BindIndex(QComboBox* combo, int32_t TRKmem::*field) {
    bindings_.push_back({[this, combo, field] { SelectIndex(combo, Live().*field); },
                         [this, combo, field] { Live().*field = IndexOr(combo, Live().*field); },
                         [this, field] { return Live().*field != copy_.*field; }});
}

void TDlgBase::BindInt(QLineEdit* edit, const TIntEditRule& rule, int32_t TRKmem::*field) {
    bindings_.push_back(
        {[this, edit, rule, field] {
             edit->setText(ToQt(IntEditDisplay(rule, ParseIntEdit(rule, std::to_string(Live().*field)))));
         },
         [this, edit, rule, field] {
             Live().*field = RoundIntEdit(rule, ParseIntEdit(rule, FromQt(edit->text())));
         },
         [this, field] { return Live().*field != copy_.*field; }});
}

void TDlgBase::BindText(QLineEdit* edit, std::string TRKmem::*field) {
    bindings_.push_back({[this, edit, field] { edit->setText(ToQt(Live().*field)); },
                         [this, edit, field] { Live().*field = FromQt(edit->text()); },
                         [this, field] { return Live().*field != copy_.*field; }});
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
            b.Fill();
        FormShow();
        for (auto& c : controls_) {
            auto* edit = qobject_cast<QLineEdit*>(c.Widget);
            if (c.IsEdit && edit) SetEditForm(edit, 0);
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
    if (control.IsEdit) {
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

void TDlgBase::OnLeaveEdit(TControl& control) {
    auto* edit = static_cast<QLineEdit*>(control.Widget);
    edit->setText(ToQt(control.Converter.Display(FromQt(edit->text()))));
    SetEditForm(edit, 0);
    editState_ = false;
    if (control.OnLeave) control.OnLeave();
}

void TDlgBase::ToggleEditForm(TControl& control) {
    auto* edit = static_cast<QLineEdit*>(control.Widget);
    if (edit->isReadOnly()) {
        SetEditForm(edit, 1);
        editState_ = true;
        edit->setText(ToQt(control.Converter.Edit(FromQt(edit->text()))));
        edit->selectAll();
    } else {
        edit->setText(ToQt(control.Converter.Display(FromQt(edit->text()))));
        SetEditForm(edit, 0);
        editState_ = false;
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
    const char c = FilterChar(control.Filter, static_cast<char>(qc.unicode()));
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
            if (r.Accelerator.isNull() || r.Accelerator != letter) continue;
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
        if (control && control->IsEdit && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::PopupFocusReason)
            OnLeaveEdit(*control);
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
    for (auto& b : bindings_)
        b.Write();
    modified_ = false;
    if (!WriteBack()) return;
    for (auto& b : bindings_)
        if (b.Differs()) modified_ = true;
    if (modified_) Ctx.FileModified = true;
    accept();
}

void TDlgBase::btnCancelClick() {
    reject();
}
