#include "app/dc_ChannelGrid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <charconv>
#include <cstdio>

#include "app/D_SelectList.h"
#include "app/dc_GuiSeams.h"
#include "app/dc_Help.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Text.h"

namespace {

const std::string kEmpty;

TCellKind KindOf(int col) {
    return col >= 0 && col < kGridColumnCount ? ChannelColumns[static_cast<size_t>(col)].Kind : ckFixed;
}
int MaxLength(int col) {
    return ChannelColumns[static_cast<size_t>(col)].Param;
}
bool IsTextKind(int col) {
    return KindOf(col) == ckTagEditor || KindOf(col) == ckFreqEditor;
}

// One edit of the page as one undo step. The page is written back first,
// so that the step starts from what the page shows, and last, so that it
// ends with the edit in the model (the step is taken after that).
class TPageStep {
  public:
    TPageStep(TChannelGrid& grid, TEditorState& state, std::string name)
        : grid_((grid.StoreGridPage(), grid)), step_(state, std::move(name)) {}
    ~TPageStep() { grid_.StoreGridPage(); }
    TPageStep(const TPageStep&) = delete;
    TPageStep& operator=(const TPageStep&) = delete;

  private:
    TChannelGrid& grid_;
    TUndoStep step_;
};

// A one-line caption goes to the lower header row, above the cells.
const char* UpperCaption(int col) {
    const TChannelColumn& c = ChannelColumns[static_cast<size_t>(col)];
    return *c.Caption2 ? c.Caption1 : "";
}
const char* LowerCaption(int col) {
    const TChannelColumn& c = ChannelColumns[static_cast<size_t>(col)];
    return *c.Caption2 ? c.Caption2 : c.Caption1;
}

// Cells in the window colour, grey text on disabled channels, tags on the left.
class TGridDelegate : public QStyledItemDelegate {
  public:
    TGridDelegate(TChannelGrid* grid, QObject* parent) : QStyledItemDelegate(parent), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool current = index == grid_->grdCh->currentIndex();
        const QPalette& pal = option.palette;
        painter->fillRect(option.rect, current ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base));
        QColor text = grid_->RowDisabled(index.row()) ? QColor(0xC0, 0xC0, 0xC0) : QColor(Qt::black);
        if (current && !grid_->RowDisabled(index.row())) text = pal.color(QPalette::HighlightedText);
        painter->setPen(text);
        const Qt::Alignment align = (index.column() == 4 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignTop;
        const QRect r = option.rect.adjusted(3, 2, 0, 0);
        painter->drawText(index.column() == 4 ? r : option.rect.adjusted(0, 2, 0, 0), int(align),
                          ToQ(grid_->CellText(index.column(), index.row())));
    }

  private:
    TChannelGrid* grid_;
};

} // namespace

// ---- Table model ------------------------------------------------------------------

TGridTableModel::TGridTableModel(TChannelGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}

int TGridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_->RowCount();
}
int TGridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGridColumnCount;
}

QVariant TGridTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return ToQ(grid_->CellText(index.column(), index.row()));
}

void TGridTableModel::Reset() {
    beginResetModel();
    endResetModel();
}

void TGridTableModel::RowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, kGridColumnCount - 1));
}

void TGridTableModel::ColumnChanged(int col) {
    if (rowCount() > 0) emit dataChanged(index(0, col), index(rowCount() - 1, col));
}

void TGridTableModel::CellChanged(int row, int col) {
    emit dataChanged(index(row, col), index(row, col));
}

// ---- Header -------------------------------------------------------------------------

TGridHeader::TGridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setSectionsMovable(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setHighlightSections(false);
    setMinimumSectionSize(1);
}

QSize TGridHeader::sizeHint() const {
    QSize s = QHeaderView::sizeHint();
    s.setHeight(2 * TChannelGrid::kRowHeight + 1);
    return s;
}

void TGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    painter->fillRect(rect, palette().color(QPalette::Button));
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    const int half = rect.height() / 2;
    painter->drawLine(rect.left(), rect.top() + half, rect.right(), rect.top() + half);
    painter->setPen(Qt::black);
    const QRect upper(rect.left(), rect.top(), rect.width(), half);
    const QRect lower(rect.left(), rect.top() + half, rect.width(), rect.height() - half);
    painter->drawText(upper, Qt::AlignCenter, ToQ(UpperCaption(logicalIndex)));
    painter->drawText(lower, Qt::AlignCenter, ToQ(LowerCaption(logicalIndex)));
    painter->restore();
}

// ---- View -----------------------------------------------------------------------------

TGridView::TGridView(TChannelGrid* grid) : QTableView(grid), grid_(grid) {}

void TGridView::keyPressEvent(QKeyEvent* event) {
    if (grid_->GridKeyPress(event)) return;
    QTableView::keyPressEvent(event);
}

void TGridView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) return;
    setCurrentIndex(index);
    grid_->CellDoubleClick(index.column(), index.row());
}

void TGridView::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    grid_->PlaceEditor();
    grid_->PlaceCaptionPanels();
}

void TGridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    grid_->PlaceCaptionPanels();
}

// ---- Grid -------------------------------------------------------------------------------

TChannelGrid::TChannelGrid(TEditorState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setObjectName(QStringLiteral("pnlGrid"));
    HelpRequested = [](int context) { ShowHelp(context); };

    pnlGroup = new QLabel(this);
    pnlGroup->setObjectName(QStringLiteral("pnlGroup"));
    pnlGroup->setFrameShape(QFrame::Panel);
    pnlGroup->setFrameShadow(QFrame::Sunken);
    pnlCntChan = new QLabel(this);
    pnlCntChan->setObjectName(QStringLiteral("pnlCntChan"));
    pnlCntChan->setFrameShape(QFrame::Panel);
    pnlCntChan->setFrameShadow(QFrame::Sunken);
    pnlCntChan->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont fixed = pnlGroup->font();
    fixed.setFamily(QStringLiteral("monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    pnlGroup->setFont(fixed);
    pnlCntChan->setFont(fixed);

    model_ = new TGridTableModel(this);
    grdCh = new TGridView(this);
    grdCh->setObjectName(QStringLiteral("grdCh"));
    grdCh->setHorizontalHeader(new TGridHeader(grdCh));
    grdCh->setModel(model_);
    grdCh->setItemDelegate(new TGridDelegate(this, grdCh));
    grdCh->verticalHeader()->hide();
    grdCh->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdCh->verticalHeader()->setMinimumSectionSize(1);
    grdCh->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grdCh->setShowGrid(true);
    grdCh->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdCh->setSelectionMode(QAbstractItemView::SingleSelection);
    grdCh->setSelectionBehavior(QAbstractItemView::SelectItems);
    grdCh->setTabKeyNavigation(false);
    grdCh->setWordWrap(false);
    grdCh->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    grdCh->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grdCh->setContextMenuPolicy(Qt::CustomContextMenu);
    for (int col = 0; col < kGridColumnCount; ++col) {
        grdCh->setColumnWidth(col, ChannelColumns[static_cast<size_t>(col)].Width);
        widths_[static_cast<size_t>(col)] = ChannelColumns[static_cast<size_t>(col)].Width;
    }
    connect(grdCh->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TChannelGrid::CurrentCellChanged);

    popupCh = new QMenu(this);
    popupCh->setObjectName(QStringLiteral("popupCh"));
    QAction* popiCopy = popupCh->addAction(QStringLiteral("&Copy"), this, &TChannelGrid::Copy);
    popiCopy->setObjectName(QStringLiteral("popiCopy"));
    QAction* popiPaste = popupCh->addAction(QStringLiteral("&Paste"), this, &TChannelGrid::Paste);
    popiPaste->setObjectName(QStringLiteral("popiPaste"));
    connect(grdCh, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { popupCh->popup(grdCh->viewport()->mapToGlobal(pos)); });

    // Caption panels sit over the upper header row of their column group.
    auto caption = [this](const char* name, const char* text) {
        auto* panel = new QLabel(ToQ(text), grdCh);
        panel->setObjectName(ToQ(name));
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Raised);
        panel->setAutoFillBackground(true);
        return panel;
    };
    pnlFTag = caption("pnlFTag", "Frequency");
    pnlDeco = caption("pnlDeco", kDecodeCaption);
    pnlEnco = caption("pnlEnco", kEncodeCaption);
    pnlClock = caption("pnlClock", "Clock Shift");

    edtDmy = new QLineEdit(grdCh->viewport());
    edtDmy->setObjectName(QStringLiteral("edtDmy"));
    edtDmy->setFrame(false);
    edtDmy->hide();
    edtDmy->installEventFilter(this);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(pnlGroup, 1);
    top->addWidget(pnlCntChan);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(grdCh, 1);
    setFocusProxy(grdCh);
}

TGridOptions TChannelGrid::Options() const {
    return GridOptions(state_.Model, state_.FileFormat);
}

const std::string& TChannelGrid::CellText(int col, int row) const {
    if (!ValidRow(row) || col < 0 || col >= kGridColumnCount) return kEmpty;
    return page_.Rows[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void TChannelGrid::SetCellText(int col, int row, const std::string& text) {
    if (!ValidRow(row) || col < 0 || col >= kGridColumnCount) return;
    page_.Rows[static_cast<size_t>(row)][static_cast<size_t>(col)] = text;
    model_->CellChanged(row, col);
}

bool TChannelGrid::RowDisabled(int row) const {
    if (!ValidRow(row)) return false;
    const int idx = page_.ChIdx[static_cast<size_t>(row)];
    return idx >= 0 && idx < kChannelCount && state_.Model.Channels[idx].Blank != 0;
}

int TChannelGrid::CurrentCol() const {
    return grdCh->currentIndex().isValid() ? grdCh->currentIndex().column() : -1;
}
int TChannelGrid::CurrentRow() const {
    return grdCh->currentIndex().isValid() ? grdCh->currentIndex().row() : -1;
}

void TChannelGrid::SetCurrentCell(int col, int row) {
    grdCh->setCurrentIndex(model_->index(row, col));
}

void TChannelGrid::SetModified() {
    state_.FileModified = true;
}

std::string TChannelGrid::StepName(const char* what, int row) const {
    return std::string(what) + " Channel " + TrimText(CellText(gcChn, row));
}

bool TChannelGrid::HasFocusOrEditing() const {
    return Editing || grdCh->hasFocus() || edtDmy->hasFocus();
}

// ---- Page ------------------------------------------------------------------------------------

void TChannelGrid::ShowGroupPage(int group) {
    // An editor left open would write into whatever channel the new page
    // puts under it.
    if (Editing) CloseEditor();
    const int col = std::max(CurrentCol(), 0);
    const TRKmem& m = state_.Model;
    FillPage(m, group, Options(), page_);
    CurrentGroup = page_.Group;
    pnlGroup->setText(ToQ(GroupCaption(m, CurrentGroup)));
    pnlCntChan->setText(ToQ(ChannelsLeftCaption(m)));
    model_->Reset();
    if (RowCount() > 0) SetCurrentCell(widths_[static_cast<size_t>(col)] < 0 ? 0 : col, 0);
}

void TChannelGrid::StoreGridPage() {
    if (page_.Rows.empty()) return;
    StorePage(state_.Model, page_, Options());
}

void TChannelGrid::NextGroupPage() {
    if (Editing) CommitEditor();
    StoreGridPage();
    ShowGroupPage(CurrentGroup + 1);
    if (RowCount() > 0) SetCurrentCell(0, 0);
}

void TChannelGrid::ApplyColumnLayout() {
    widths_ = ColumnWidths(state_.ItemVisible, Options());
    for (int col = 0; col < kGridColumnCount; ++col) {
        const int w = widths_[static_cast<size_t>(col)];
        grdCh->setColumnHidden(col, w < 0);
        if (w >= 0) grdCh->setColumnWidth(col, w);
    }
    if (CurrentCol() >= 0 && widths_[static_cast<size_t>(CurrentCol())] < 0) SetCurrentCell(0, CurrentRow());
    PlaceCaptionPanels();
    PlaceEditor();
}

void TChannelGrid::PlaceCaptionPanels() {
    auto visible = [this](int g) { return state_.ItemVisible[static_cast<size_t>(g)]; };
    struct {
        QLabel* Panel;
        int First, Last;
        bool Shown;
    } panels[] = {
        {pnlFTag, 5, 6, visible(5)},
        {pnlDeco, 7, 8, visible(6)},
        {pnlEnco, 9, 10, visible(6) && visible(7)},
        {pnlClock, 23, 25, visible(17)},
    };
    QHeaderView* header = grdCh->horizontalHeader();
    const int left = grdCh->frameWidth();
    const int right = left + grdCh->viewport()->width();
    for (auto& p : panels) {
        if (!p.Shown || grdCh->isColumnHidden(p.First)) {
            p.Panel->hide();
            continue;
        }
        int width = 0;
        for (int col = p.First; col <= p.Last; ++col)
            if (!grdCh->isColumnHidden(col)) width += header->sectionSize(col);
        const int x = left + header->sectionViewportPosition(p.First);
        if (x < left || x + width > right) {
            p.Panel->hide();
            continue;
        }
        p.Panel->setGeometry(x, 3, width, kRowHeight - 3);
        p.Panel->show();
        p.Panel->raise();
    }
}

// ---- Cell rules and editing ------------------------------------------------------------------------

void TChannelGrid::ApplyCellRules(int col, int row) {
    if (!ValidRow(row)) return;
    ::ApplyCellRules(page_, col, row, state_.Model);
    model_->RowChanged(row);
    // One priority per group: the other rows of the column may have changed.
    if (col == gcPri) model_->ColumnChanged(gcPri);
}

void TChannelGrid::CellDoubleClick(int col, int row) {
    if (!ValidRow(row) || col < 0 || col >= kGridColumnCount) return;
    const char* what = col != gcChn ? "Edit" : RowDisabled(row) ? "Enable" : "Disable";
    TPageStep step(*this, state_, StepName(what, row));
    TRKmem& m = state_.Model;
    const int idx = page_.ChIdx[static_cast<size_t>(row)];
    TChannel& ch = m.Channels[idx];

    if (col == gcChn) {
        // The disabled mark is channel data like any other: the table no
        // longer equals the one last loaded or saved, so the change is
        // asked about at exit (and a toggle back is no change at all).
        if (ch.Blank) {
            ch.Blank = 0;
        } else {
            bool modified = state_.FileModified;
            if (!DisableCheck(m, CurrentGroup, row, idx + 1, modified)) return;
            if (modified) SetModified();
            ch.Blank = 1;
        }
        model_->RowChanged(row);
        return;
    }
    if (ch.Blank) return;

    TGridRow& cells = page_.Rows[static_cast<size_t>(row)];
    std::string& text = cells[static_cast<size_t>(col)];
    const TGridOptions opt = Options();
    switch (KindOf(col)) {
    case ckValueList:
        if (const int listNo = ValueCellSelectList(col, opt); listNo >= 0) {
            std::string value = text;
            if (!TfrmSelList::Execute(this, listNo, m, value)) return;
            text = SelectResultText(col, listNo, value);
        } else {
            if (!ValueCellEditable(col, cells, opt)) return;
            text = NextListText(ChannelColumns[static_cast<size_t>(col)].Param, text);
            ClearCodeOfChangedType(col, cells);
        }
        break;
    case ckSelectList: {
        const int listNo = SelectListFor(col, cells);
        if (listNo < 0) return;
        std::string value = text;
        if (!TfrmSelList::Execute(this, listNo, m, value)) return;
        text = SelectResultText(col, listNo, value);
        break;
    }
    case ckTagEditor:
    case ckFreqEditor:
        if (col == gcTxFreq && TxToggle) {
            // Toggling back shows the channel's transmit frequency: it must be
            // the one the cell showed, not one the page has not written back.
            if (text != kTxInhibited) StoreGridPage();
            text = text == kTxInhibited ? FrequencyText(ch.TxFreq.ToFloat()) : kTxInhibited;
            model_->CellChanged(row, col);
            return;
        }
        // The edit itself ends in CommitEditor, which applies the cell rules.
        OpenEditor(col, row, text, true);
        return;
    default:
        return;
    }
    model_->RowChanged(row);
    ApplyCellRules(col, row);
    StoreGridPage();
}

void TChannelGrid::OpenEditor(int col, int row, const std::string& text, bool selectAll) {
    editCol_ = col;
    editRow_ = row;
    edtDmy->setMaxLength(MaxLength(col));
    edtDmy->setText(ToQ(text));
    if (selectAll)
        edtDmy->selectAll();
    else
        edtDmy->setCursorPosition(static_cast<int>(edtDmy->text().size()));
    Editing = true;
    PlaceEditor();
    edtDmy->setFocus();
}

void TChannelGrid::PlaceEditor() {
    if (!Editing || !ValidRow(editRow_)) return;
    const QRect cell = grdCh->visualRect(model_->index(editRow_, editCol_));
    const QRect view = grdCh->viewport()->rect();
    // While its row is scrolled out of view the editor waits hidden.
    if (cell.isEmpty() || cell.bottom() < 0 || cell.top() >= view.height() || cell.right() < 0 ||
        cell.left() >= view.width()) {
        edtDmy->hide();
        return;
    }
    edtDmy->setGeometry(cell.left(), cell.top() - 1, cell.width() + 1, kRowHeight + 2);
    edtDmy->show();
}

void TChannelGrid::CloseEditor() {
    const bool hadFocus = edtDmy->hasFocus();
    edtDmy->hide();
    Editing = false;
    if (hadFocus) grdCh->setFocus();
}

bool TChannelGrid::CommitEditor() {
    if (!Editing) return false;
    const int col = editCol_, row = editRow_;
    TPageStep step(*this, state_, StepName("Edit", row));
    if (ValidRow(row)) {
        // A frequency that cannot be converted leaves the cell as it was.
        const auto entry = NormalizeEntry(state_.Model, col, FromQ(edtDmy->text()));
        if (entry && !TrimText(*entry).empty()) SetCellText(col, row, *entry);
    }
    CloseEditor();
    ApplyCellRules(col, row);
    return true;
}

void TChannelGrid::CurrentCellChanged(const QModelIndex& current, const QModelIndex& previous) {
    Q_UNUSED(current);
    if (Editing && previous.isValid()) {
        CommitEditor();
        StoreGridPage();
    }
    grdCh->viewport()->update();
}

// ---- Keys ---------------------------------------------------------------------------------------------

void TChannelGrid::MoveToVisibleColumn(int step) {
    const int row = CurrentRow();
    for (int col = CurrentCol() + step; col >= 0 && col < kGridColumnCount; col += step)
        if (!grdCh->isColumnHidden(col)) {
            SetCurrentCell(col, row);
            return;
        }
}

bool TChannelGrid::GridKeyPress(QKeyEvent* event) {
    const int col = CurrentCol(), row = CurrentRow();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (ValidRow(row) && !RowDisabled(row) && IsTextKind(col)) {
            if (!Editing || editRow_ != row || editCol_ != col)
                OpenEditor(col, row, CellText(col, row), true);
            edtDmy->show();
            edtDmy->selectAll();
            edtDmy->setFocus();
        }
        return true;
    case Qt::Key_Space:
        if (col == gcTxFreq) TxToggle = true;
        CellDoubleClick(col, row);
        CharKey(' ');
        // The toggle belongs to this one key, even where the character was ignored.
        TxToggle = false;
        return true;
    case Qt::Key_Left:
        MoveToVisibleColumn(-1);
        return true;
    case Qt::Key_Right:
        MoveToVisibleColumn(1);
        return true;
    case Qt::Key_F1:
        ColumnHelp();
        return true;
    case Qt::Key_F2:
        NextGroupPage();
        return true;
    case Qt::Key_F3:
        DcsComplement();
        return true;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const QChar ch = text.front();
        if (ch.unicode() < 256) {
            CharKey(static_cast<char>(ch.unicode()));
            return true;
        }
    }
    return false;
}

void TChannelGrid::CharKey(char c) {
    const int col = CurrentCol(), row = CurrentRow();
    if (c == '\b' || c == '\r' || c == '\n') return;
    if (!ValidRow(row) || RowDisabled(row) || !IsTextKind(col)) return;
    if (TxToggle) {
        TxToggle = false;
        return;
    }
    if (!CharAccepted(col, c)) return;
    if (col == gcTxFreq && CellText(col, row) == kTxInhibited) return;
    if (Editing) {
        if (edtDmy->text().size() < MaxLength(editCol_))
            edtDmy->setText(edtDmy->text() + QChar::fromLatin1(c));
        return;
    }
    OpenEditor(col, row, std::string(1, c), false);
}

void TChannelGrid::TakeFocus() {
    if (Editing && edtDmy->isVisible())
        edtDmy->setFocus();
    else
        grdCh->setFocus();
}

void TChannelGrid::ColumnHelp() {
    const int col = Editing ? editCol_ : CurrentCol();
    if (col >= 0 && HelpRequested) HelpRequested(ColumnHelpContext(col));
}

void TChannelGrid::DcsComplement() {
    const int col = CurrentCol(), row = CurrentRow();
    if (col != gcDecCode || !ValidRow(row) || CellText(gcDecType, row) != "DCS") return;
    TPageStep step(*this, state_, StepName("Edit", row));
    SetCellText(gcDecCode, row, DcsComplementToggle(CellText(gcDecCode, row)));
}

bool TChannelGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edtDmy) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        // Copy and paste in the editor follow the column's rules, not the line edit's.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste)) {
            event->accept();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy)) {
        Copy();
        return true;
    }
    if (key->matches(QKeySequence::Paste)) {
        Paste();
        return true;
    }
    switch (key->key()) {
    case Qt::Key_Escape:
        CloseEditor();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        CommitEditor();
        grdCh->setFocus();
        return true;
    case Qt::Key_Backspace:
        return false;
    case Qt::Key_F1:
        ColumnHelp();
        return true;
    default:
        break;
    }
    const QString text = key->text();
    if (text.size() != 1 || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
    const QChar qc = text.front();
    if (qc.unicode() < 32 && qc.unicode() != 0) return false;
    char c = qc.unicode() < 256 ? static_cast<char>(qc.unicode()) : '\0';
    if (qc.unicode() >= 256 || !CharAccepted(editCol_, c)) return true;
    if (c != static_cast<char>(qc.unicode())) {
        edtDmy->insert(QChar::fromLatin1(c));
        return true;
    }
    return false;
}

// ---- Clipboard ---------------------------------------------------------------------------------------

void TChannelGrid::Copy() {
    if (Editing) {
        QApplication::clipboard()->setText(edtDmy->selectedText());
        return;
    }
    const int col = CurrentCol(), row = CurrentRow();
    if (!ValidRow(row) || col < 0) return;
    QApplication::clipboard()->setText(ToQ(CellText(col, row)));
    // The copy carries what the row shows, edits not yet written back included.
    StoreGridPage();
    const int idx = page_.ChIdx[static_cast<size_t>(row)];
    state_.CopiedChannel = TCopiedChannel{state_.Model.Channels[idx],
                                          ParseInt(TrimText(CellText(gcChn, row))).value_or(idx + 1), idx};
}

void TChannelGrid::TakeCopiedChannel(int row) {
    const TCopiedChannel& copied = *state_.CopiedChannel;
    TGridRow source;
    // Position -1: the copy brings neither the group's priority nor its home mark.
    ChannelRow(state_.Model, copied.Channel, copied.ChannelIndex, CurrentGroup, -1, Options(), source);
    TGridRow& target = page_.Rows[static_cast<size_t>(row)];
    std::array<bool, kGridColumnCount> shown{};
    for (int col = 0; col < kGridColumnCount; ++col)
        shown[static_cast<size_t>(col)] = !grdCh->isColumnHidden(col);
    if (TakeChannelColumns(source, shown, target)) SetModified();
    StoreGridPage();
}

void TChannelGrid::Paste() {
    const int col = Editing ? editCol_ : CurrentCol();
    const int row = Editing ? editRow_ : CurrentRow();
    if (!ValidRow(row) || col < 0) return;
    TPageStep step(*this, state_, StepName("Paste", row));
    TRKmem& m = state_.Model;

    const bool copied = state_.CopiedChannel && state_.CopiedChannel->ChannelNo != -1 &&
                        state_.CopiedChannel->ChannelIndex >= 0 &&
                        state_.CopiedChannel->ChannelIndex < kChannelCount;
    if (copied && col == gcChn && !Editing) {
        if (RowDisabled(row)) return;
        // The page is shown again below: unsaved cell edits must reach the model first.
        StoreGridPage();
        char what[64];
        std::snprintf(what, sizeof what, "%2d data to Ch %2d", state_.CopiedChannel->ChannelNo,
                      page_.ChIdx[static_cast<size_t>(row)] + 1);
        if (ShowMessageBoxF("Do you copy Ch %s ?\r\n(Only visible columns)", what, TMsgType::Confirmation,
                            TMsgButtons::YesNo, 1) == TMsgResult::Yes)
            TakeCopiedChannel(row);
        ShowGroupPage(CurrentGroup);
        SetCurrentCell(0, row);
        return;
    }

    const std::string clip = FromQ(QApplication::clipboard()->text());
    if (clip.empty() || RowDisabled(row)) return;
    TGridRow& cells = page_.Rows[static_cast<size_t>(row)];
    std::string& text = cells[static_cast<size_t>(col)];
    const TGridOptions opt = Options();
    switch (KindOf(col)) {
    case ckValueList:
    case ckSelectList:
        if (!PasteAccepted(col, clip, cells, m, opt) || clip == text) break;
        text = clip;
        ClearCodeOfChangedType(col, cells);
        SetModified();
        break;
    case ckTagEditor:
    case ckFreqEditor:
        if (Editing) {
            QString accepted;
            for (char c : clip)
                if (CharAccepted(col, c)) accepted += QChar::fromLatin1(c);
            const auto room = MaxLength(col) - (edtDmy->text().size() - edtDmy->selectedText().size());
            edtDmy->insert(accepted.left(std::max<qsizetype>(room, 0)));
            return;
        } else {
            const auto entry = NormalizeEntry(m, col, clip);
            if (!entry) break;
            const std::string cut = entry->substr(0, static_cast<size_t>(MaxLength(col)));
            if (TrimText(cut).empty() || cut == text) break;
            text = cut;
            SetModified();
        }
        break;
    default:
        return;
    }
    model_->RowChanged(row);
    ApplyCellRules(col, row);
}
