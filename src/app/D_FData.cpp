#include "app/D_FData.h"

#include <QAbstractTableModel>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <charconv>
#include <vector>

#include "app/dc_EditorState.h"
#include "app/dc_GuiSeams.h"
#include "dialogs/DlgBase.h"
#include "image/dc_Map36.h"
#include "model/dc_Errors.h"
#include "model/dc_MessageBox.h"
#include "model/dc_RKmem.h"
#include "model/dc_Text.h"

namespace {

constexpr int kBytesPerRow = 16;
constexpr int kDataRows = TMap::Size / kBytesPerRow;

const char kHexDigits[] = "0123456789abcdef";

QString HexByte(uint32_t value) {
    const char text[2] = {kHexDigits[(value >> 4) & 0xF], kHexDigits[value & 0xF]};
    return QString::fromLatin1(text, 2);
}

bool IsHexDigit(QChar c) {
    const char u = c.toUpper().toLatin1();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F');
}

// A cell text as a byte; false when it is not one.
bool ParseByte(const QString& text, uint8_t& value) {
    const std::string s = TrimText(FromQ(text));
    if (s.empty() || s.size() > 2) return false;
    unsigned v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
    if (ec != std::errc() || end != s.data() + s.size()) return false;
    value = static_cast<uint8_t>(v);
    return true;
}

// A committed cell: cut to two characters; one character or none is read as
// a byte (0 when it is not one) and shown as two digits.
QString NormalizeCell(const QString& typed) {
    QString text = ToQ(TrimText(FromQ(typed)));
    if (text.size() > 2) text.truncate(2);
    if (text.size() <= 1) {
        uint8_t value = 0;
        if (!ParseByte(text, value)) value = 0;
        return HexByte(value);
    }
    return text;
}

} // namespace

// The 2048 x 16 byte cells; the header row and address column are the view's headers.
class TFDataModel : public QAbstractTableModel {
  public:
    TFDataModel(bool editable, QObject* parent) : QAbstractTableModel(parent), editable_(editable) {
        cells_.resize(TMap::Size);
    }

    void Load(const TMap& image) {
        beginResetModel();
        for (int i = 0; i < TMap::Size; ++i)
            cells_[static_cast<size_t>(i)] = HexByte(image.Buf[static_cast<size_t>(i)]);
        endResetModel();
    }
    const QString& Cell(int index) const { return cells_[static_cast<size_t>(index)]; }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kDataRows; }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kBytesPerRow;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return Cell(index.row() * kBytesPerRow + index.column());
        if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
        return {};
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (!index.isValid() || role != Qt::EditRole) return false;
        cells_[static_cast<size_t>(index.row() * kBytesPerRow + index.column())] = value.toString();
        emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
        return true;
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (editable_ && index.isValid()) f |= Qt::ItemIsEditable;
        return f;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole) return {};
        if (orientation == Qt::Horizontal) return HexByte(static_cast<uint32_t>(section));
        return QStringLiteral("%1").arg(section, 4, 16, QLatin1Char('0')) + QStringLiteral("0h");
    }

  private:
    bool editable_;
    std::vector<QString> cells_;
};

namespace {

// Two lower-case hexadecimal digits and nothing else.
class THexCellEditor : public QLineEdit {
  public:
    THexCellEditor(QWidget* parent, bool* changed) : QLineEdit(parent), changed_(changed) {
        setContextMenuPolicy(Qt::NoContextMenu); // no paste around the filter
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Paste) ||
            (event->key() == Qt::Key_Insert && (event->modifiers() & Qt::ShiftModifier))) {
            event->accept();
            return;
        }
        const QString text = event->text();
        if (text.size() != 1 || !text[0].isPrint()) {
            QLineEdit::keyPressEvent(event); // Backspace, cursor keys, ...
            return;
        }
        if ((this->text().size() > 1 && !hasSelectedText()) || !IsHexDigit(text[0])) {
            event->accept();
            return;
        }
        insert(text.toLower());
        *changed_ = true;
        event->accept();
    }

  private:
    bool* changed_;
};

} // namespace

namespace {

// Typed letters are hexadecimal digits here, never a search for a cell that
// begins with them.
class TFDataView : public QTableView {
  public:
    using QTableView::QTableView;
    void keyboardSearch(const QString&) override {}
};

// The cell an arrow key leads to from `index`: Left and Right run through
// the bytes in address order as Tab does, Up and Down stay in the column.
QModelIndex ArrowTarget(const QModelIndex& index, int key) {
    const QAbstractItemModel* model = index.model();
    int row = index.row(), col = index.column();
    switch (key) {
    case Qt::Key_Right:
        if (++col == kBytesPerRow) col = 0, ++row;
        break;
    case Qt::Key_Left:
        if (--col < 0) col = kBytesPerRow - 1, --row;
        break;
    case Qt::Key_Down:
        ++row;
        break;
    case Qt::Key_Up:
        --row;
        break;
    default:
        break;
    }
    return row < 0 || row >= model->rowCount() ? index : model->index(row, col);
}

bool IsArrowKey(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

class TFDataDelegate : public QStyledItemDelegate {
  public:
    explicit TFDataDelegate(TfrmFData* form) : QStyledItemDelegate(form), form_(form) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* editor = new THexCellEditor(parent, &form_->changed_);
        editor->setFrame(false);
        editor->setAlignment(Qt::AlignCenter);
        return editor;
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        model->setData(index, NormalizeCell(static_cast<QLineEdit*>(editor)->text()), Qt::EditRole);
    }
    void Commit(QWidget* editor) {
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            // Escape leaves the dialog, not just the cell.
            if (key == Qt::Key_Escape) {
                form_->reject();
                return true;
            }
            // An arrow ends the two-digit entry and moves on, as in the grid.
            if (IsArrowKey(key) && qobject_cast<QWidget*>(object)) {
                const QModelIndex from = form_->grdData->currentIndex();
                Commit(static_cast<QWidget*>(object));
                form_->grdData->selectionModel()->setCurrentIndex(ArrowTarget(from, key),
                                                                  QItemSelectionModel::ClearAndSelect);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

  private:
    TfrmFData* form_;
};

TfrmFData::TfrmFData(const TEditorState& state, QWidget* parent)
    : QDialog(parent, DialogWindowFlags()), model_(std::make_unique<TRKmem>(state.Model)),
      image_(std::make_unique<TMap36>(state.Image)), startupMode_(state.StartupMode),
      editable_(startupMode_ == 1 || startupMode_ == 2) {
    setWindowTitle(QStringLiteral("File Data"));
    data_ = new TFDataModel(editable_, this);
    delegate_ = new TFDataDelegate(this);

    grdData = new TFDataView(this);
    grdData->setObjectName(QStringLiteral("grdData"));
    grdData->setModel(data_);
    grdData->setItemDelegate(delegate_);
    grdData->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grdData->setEditTriggers(editable_ ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                                             QAbstractItemView::EditKeyPressed
                                       : QAbstractItemView::NoEditTriggers);
    grdData->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdData->horizontalHeader()->setDefaultSectionSize(26);
    grdData->horizontalHeader()->setMinimumSectionSize(26);
    grdData->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdData->verticalHeader()->setMinimumSectionSize(16);
    grdData->verticalHeader()->setDefaultSectionSize(16);
    grdData->verticalHeader()->setFixedWidth(69);
    grdData->installEventFilter(this);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setAutoDefault(false);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    connect(btnOK, &QPushButton::clicked, this, &TfrmFData::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* focusGrid = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_T), this);
    connect(focusGrid, &QShortcut::activated, this, [this] {
        if (grdData->isEnabled()) grdData->setFocus();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grdData);
    layout->addLayout(buttons);
    resize(69 + 16 * 26 + 60, 480);

    FormShow();
}

TfrmFData::~TfrmFData() = default;

void TfrmFData::FormShow() {
    // Encode into a copy first: an encoder that gives up half-way must not
    // leave a half-written image behind.
    TMap36 encoded;
    encoded.Assign(*image_);
    try {
        encoded.Encode(*model_, false, TCodecContext{startupMode_});
        image_->Assign(encoded);
    } catch (const EConvertError& e) {
        ShowMessageBox(e.what(), TMsgType::Error, TMsgButtons::Ok);
    }
    data_->Load(*image_);
    if (data_->rowCount() > 0) grdData->setCurrentIndex(data_->index(0, 0));
}

QString TfrmFData::CellText(int row, int col) const {
    if (row < 0 || row >= kRowCount || col < 0 || col >= kColCount) return {};
    if (row == 0)
        return col == 0 ? QString() : data_->headerData(col - 1, Qt::Horizontal, Qt::DisplayRole).toString();
    if (col == 0) return data_->headerData(row - 1, Qt::Vertical, Qt::DisplayRole).toString();
    return data_->Cell((row - 1) * kBytesPerRow + col - 1);
}

QLineEdit* TfrmFData::OpenEditor() const {
    return qobject_cast<QLineEdit*>(grdData->indexWidget(grdData->currentIndex()));
}

void TfrmFData::CommitOpenEditor() {
    if (QLineEdit* editor = OpenEditor()) delegate_->Commit(editor);
}

bool TfrmFData::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grdData && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Enter commits a cell; it must not reach the dialog's buttons.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            CommitOpenEditor();
            return true;
        }
        if (key->key() == Qt::Key_Insert && (key->modifiers() & Qt::ShiftModifier)) return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmFData::btnOKClick() {
    CommitOpenEditor();
    if (!changed_) {
        accept();
        return;
    }
    TMap36 image;
    image.Assign(*image_);
    for (int i = 0; i < TMap::Size; ++i) {
        uint8_t value;
        if (ParseByte(data_->Cell(i), value)) image.Buf[static_cast<size_t>(i)] = value;
    }
    TRKmem model;
    model.Assign(*model_);
    bool decoded = false;
    try {
        decoded = decoder_ ? decoder_(image, model) : image.Decode(model, TCodecContext{startupMode_});
    } catch (const std::exception&) {
        decoded = false;
    }
    if (!decoded) {
        // Keep the dialog and its edits so the user can correct them or cancel.
        ShowMessageBox("The data is not a valid configuration and was not taken over", TMsgType::Error,
                       TMsgButtons::Ok);
        return;
    }
    model_->Assign(model);
    image_->Assign(image);
    tookOver_ = true;
    accept();
}
