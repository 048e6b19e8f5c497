#include "app/D_Visible.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dc_GuiSeams.h"

#include "app/dc_Help.h"
#include "dialogs/DlgBase.h"

namespace {

struct TBoxDesc {
    const char* Caption;
    int Group;
    int HelpContext;
};

// chk00 .. chk17. Group 7 is the second frequency column of group 5 and has
// no box of its own.
constexpr std::array<TBoxDesc, TfrmVisible::kBoxCount> kBoxes{{
    {"Pr&i", 1, 301},
    {"&Repeater", 2, 302},
    {"&W/N", 3, 303},
    {"&TAG", 4, 304},
    {"&Frequency", 5, 305},
    {"S&ub Audio", 6, 307},
    {"Tx &Power", 8, 311},
    {"&Scan", 9, 312},
    {"T&OT", 10, 313},
    {"S&quelch", 11, 314},
    {"&ANI", 12, 315},
    {"&Compander", 13, 316},
    {"&Encr", 14, 317},
    {"&Lock Out", 15, 318},
    {"Page/Sig", 16, 319},
    {"&Clock Shift", 17, 322},
    {"A&RTS", 18, 323},
    {"Sele&ctable Tone", 19, 324},
}};

constexpr int kPageBox = 14;
constexpr int kAniBox = 10;

} // namespace

int TfrmVisible::GroupOf(int box) {
    return kBoxes[static_cast<size_t>(box)].Group;
}
int TfrmVisible::HelpContextOf(int box) {
    return kBoxes[static_cast<size_t>(box)].HelpContext;
}

TfrmVisible::TfrmVisible(const TItemVisible& itemVisible, bool fleetFormat, bool mdcCondition,
                         QWidget* parent)
    : QDialog(parent, DialogWindowFlags()), itemVisible_(itemVisible) {
    setWindowTitle(QStringLiteral("Visible"));
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    constexpr int rows = kBoxCount / 2;
    for (int i = 0; i < kBoxCount; ++i) {
        auto* c = new QCheckBox(ToQ(kBoxes[static_cast<size_t>(i)].Caption), box);
        c->setObjectName(QStringLiteral("chk%1").arg(i, 2, 10, QLatin1Char('0')));
        c->installEventFilter(this);
        grid->addWidget(c, i % rows, i / rows);
        chk[static_cast<size_t>(i)] = c;
    }
    // Fleet-format files carry MDC1200 signalling in the paging column group.
    if (fleetFormat) chk[kPageBox]->setText(QStringLiteral("Page/Sig/MDC1200"));
    chk[kAniBox]->setEnabled(!mdcCondition);

    const TOkCancel okCancel = MakeOkCancel(this, "btnOK", "btnCancel");
    btnOK = okCancel.Ok;
    btnCancel = okCancel.Cancel;
    connect(btnOK, &QPushButton::clicked, this, &TfrmVisible::btnOKClick);
    QHBoxLayout* buttons = okCancel.Row;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(buttons);

    FormShow();
}

void TfrmVisible::FormShow() {
    for (int i = 0; i < kBoxCount; ++i)
        chk[static_cast<size_t>(i)]->setChecked(itemVisible_[static_cast<size_t>(GroupOf(i) - 1)] == 1);
}

void TfrmVisible::btnOKClick() {
    for (int i = 0; i < kBoxCount; ++i)
        itemVisible_[static_cast<size_t>(GroupOf(i) - 1)] = chk[static_cast<size_t>(i)]->isChecked() ? 1 : 0;
    accept();
}

bool TfrmVisible::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        for (int i = 0; i < kBoxCount; ++i)
            if (watched == chk[static_cast<size_t>(i)]) lastHelpContext_ = HelpContextOf(i);
    return QDialog::eventFilter(watched, event);
}

void TfrmVisible::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelp(0);
        if (lastHelpContext_ != 0) ShowHelp(lastHelpContext_);
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TfrmVisible::Execute(QWidget* parent, TItemVisible& itemVisible, bool fleetFormat, bool mdcCondition) {
    TfrmVisible dialog(itemVisible, fleetFormat, mdcCondition, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    itemVisible = dialog.ItemVisible();
    return true;
}
