#include "app/D_SelectList.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "app/dc_GuiSeams.h"
#include "app/dc_Help.h"
#include "model/dc_RKmem.h"
#include "model/dc_Rules.h"
#include "model/dc_Text.h"

namespace {

constexpr int kRowHeight = 18;
// Room beside a cell's text for the selection frame.
constexpr int kCellPadding = 10;
constexpr int kPagingCount = 10;

// Entry labels of the ten paging and 2-tone entries: 1..9, then "0".
std::string EntryLabel(int i) {
    return std::to_string((i + 1) % 10);
}

std::vector<std::string> DigitList() {
    std::vector<std::string> list{"OFF"};
    for (int i = 0; i < kPagingCount; ++i)
        list.push_back(EntryLabel(i));
    return list;
}

// Lists 6 and 24: one column with a row per entry.
TSelListLayout EntryColumn(std::string caption, std::vector<std::string> entries) {
    TSelListLayout l;
    l.Caption = std::move(caption);
    l.Rows = static_cast<int>(entries.size());
    l.Entries = std::move(entries);
    return l;
}

} // namespace

TSelListLayout SelListLayout(int listNo, const TRKmem& model) {
    TSelListLayout l;
    switch (listNo) {
    case 0:
        l = {"CTCSS frequency", 300, 390, 3, 75, 19, {}, TSelMatch::WholeText, false};
        l.Entries.assign(CtcssList().begin(), CtcssList().end());
        break;
    case 1:
        l = {"DCS Frequency", 320, 390, 6, 45, 19, {}, TSelMatch::WholeText, true};
        l.Entries.assign(DcsList().begin(), DcsList().end());
        break;
    case 4:
        l = {"Scan Mode", 200, 0, 1, 50, 4, {"OFF", "DEALER", "USER", "BOTH"}, TSelMatch::FirstCharacter,
             false};
        break;
    case 5:
        l = {"Squelch Level", 200, 0, 2, 45, 10, {"0"}, TSelMatch::WholeText, false};
        for (int i = 1; i <= 7; ++i)
            l.Entries.push_back("+" + std::to_string(i));
        for (int i = 1; i <= 7; ++i)
            l.Entries.push_back("-" + std::to_string(i));
        break;
    case 6: {
        // Paging codes exist only on the paging option board.
        if (OptionBoardName(model) != "OB-31 (ENC/DTMF/PAGE)") return EntryColumn("", {"OFF"});
        std::vector<std::string> entries{"OFF"};
        for (int i = 0; i < kPagingCount; ++i)
            if (model.Pagings.Get(i).Empty != 1) entries.push_back(EntryLabel(i));
        return EntryColumn("Page Code", std::move(entries));
    }
    case 24: {
        std::vector<std::string> entries{"OFF"};
        for (int i = 0; i < kPagingCount; ++i)
            if (model.Tones.GetFirst(i) != 255) entries.push_back(EntryLabel(i));
        return EntryColumn("2Tone Code", std::move(entries));
    }
    case 25:
        l = {"SUB Signal", 200, 0, 2, 45, 10, DigitList(), TSelMatch::WholeText, false};
        break;
    case 26:
        l = {"Option Type",
             200,
             0,
             2,
             90,
             4,
             {"OFF", "1:GE Star", "2:MDC-1200", "3:DTMF"},
             TSelMatch::FirstCharacter,
             false};
        break;
    case 27:
        l = {"MDC1200", 200, 0, 2, 45, 10, DigitList(), TSelMatch::WholeText, false};
        break;
    default:
        break;
    }
    return l;
}

TfrmSelList::TfrmSelList(int listNo, std::string_view currentValue, const TRKmem& model, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      layout_(SelListLayout(listNo, model)) {
    grdList = new QTableWidget(this);
    grdList->setObjectName(QStringLiteral("grdList"));
    grdList->horizontalHeader()->hide();
    grdList->verticalHeader()->hide();
    grdList->setShowGrid(false);
    grdList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdList->setSelectionMode(QAbstractItemView::SingleSelection);
    grdList->setSelectionBehavior(QAbstractItemView::SelectItems);
    grdList->setTabKeyNavigation(false);
    grdList->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grdList->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grdList->installEventFilter(this);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnOK, &QPushButton::clicked, this, &TfrmSelList::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(grdList, &QTableWidget::cellDoubleClicked, this, &TfrmSelList::grdListDblClick);
    // Keyboard moves and clicks may land on an unfilled cell; keep the last filled one.
    connect(grdList, &QTableWidget::currentCellChanged, this,
            [this](int row, int col, int prevRow, int prevCol) {
                if (row >= 0 && col >= 0 && !IsFilled(row, col) && IsFilled(prevRow, prevCol))
                    SelectCell(prevRow, prevCol);
            });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grdList);
    layout->addLayout(buttons);

    FormShow(currentValue);
}

void TfrmSelList::FormShow(std::string_view currentValue) {
    setWindowTitle(ToQ(layout_.Caption));
    const int rows = std::max(layout_.Rows, 1);
    grdList->setRowCount(rows);
    grdList->setColumnCount(std::max(layout_.Columns, 1));
    for (int r = 0; r < rows; ++r)
        grdList->setRowHeight(r, kRowHeight);
    for (int r = 0; r < grdList->rowCount(); ++r)
        for (int c = 0; c < grdList->columnCount(); ++c) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::NoItemFlags);
            grdList->setItem(r, c, item);
        }

    std::string wanted(currentValue);
    if (layout_.CutAtSlash && wanted.find('/') != std::string::npos) wanted = wanted.substr(0, 3);

    int matchRow = 0, matchCol = 0;
    bool matched = false;
    for (size_t i = 0; i < layout_.Entries.size(); ++i) {
        const int col = static_cast<int>(i) / rows, row = static_cast<int>(i) % rows;
        if (col >= grdList->columnCount()) grdList->setColumnCount(col + 1);
        QTableWidgetItem* item = grdList->item(row, col);
        if (!item) {
            item = new QTableWidgetItem;
            grdList->setItem(row, col, item);
        }
        const std::string& entry = layout_.Entries[i];
        item->setText(ToQ(entry));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        lastRow_ = row;
        lastCol_ = col;
        const bool hit = layout_.Match == TSelMatch::WholeText
                             ? entry == wanted
                             : !wanted.empty() && !entry.empty() && entry[0] == wanted[0];
        if (hit && !matched) {
            matched = true;
            matchRow = row;
            matchCol = col;
        }
    }

    // The given sizes are the least: every entry shows whole ("DEALER" is
    // wider than its 50-pixel column in most fonts) and so does the last row.
    const QFontMetrics metrics(grdList->font());
    int gridWidth = 0;
    for (int c = 0; c < grdList->columnCount(); ++c) {
        int width = layout_.ColumnWidth;
        for (int r = 0; r < rows; ++r)
            if (const QTableWidgetItem* item = grdList->item(r, c))
                width = std::max(width, metrics.horizontalAdvance(item->text()) + kCellPadding);
        grdList->setColumnWidth(c, width);
        gridWidth += width;
    }
    const int frame = 2 * grdList->frameWidth();
    grdList->setMinimumSize(gridWidth + frame, rows * kRowHeight + frame);
    const int height = layout_.Height > 0 ? layout_.Height : rows * kRowHeight + 70;
    const QSize least = minimumSizeHint();
    resize(std::max(layout_.Width, least.width()), std::max(height, least.height()));
    SelectCell(matchRow, matchCol);
}

bool TfrmSelList::IsFilled(int row, int column) const {
    const QTableWidgetItem* item = grdList->item(row, column);
    return item && !item->text().isEmpty();
}

void TfrmSelList::SelectCell(int row, int column) {
    grdList->setCurrentCell(row, column, QItemSelectionModel::ClearAndSelect);
}

void TfrmSelList::btnOKClick() {
    const QTableWidgetItem* item = grdList->currentItem();
    std::string text = item ? FromQ(item->text()) : std::string();
    value_ = TrimText(std::string_view(text).substr(0, text.find(':')));
    accept();
}

void TfrmSelList::grdListDblClick(int row, int column) {
    if (!IsFilled(row, column)) return;
    SelectCell(row, column);
    btnOKClick();
}

bool TfrmSelList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grdList && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_PageUp:
        case Qt::Key_Home:
            SelectCell(0, 0);
            return true;
        case Qt::Key_PageDown:
        case Qt::Key_End:
            SelectCell(lastRow_, lastCol_);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmSelList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelp(0);
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TfrmSelList::Execute(QWidget* parent, int listNo, const TRKmem& model, std::string& value) {
    TfrmSelList dialog(listNo, value, model, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    value = dialog.Value();
    return true;
}
