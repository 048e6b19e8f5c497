#include "dialogs/D_Group.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <deque>
#include <string>

#include "model/dc_MessageBox.h"

namespace {

// Every control of the dialog opens the topic of the command.
constexpr uint32_t hcGroup = 98366;

// Object names with the row number at the end ("edtCh1" .. "edtCh25"),
// kept for the dialog's lifetime.
const char* RowName(const char* base, int row) {
    static std::deque<std::string> names; // never moves what it holds
    const std::string name = base + std::to_string(row);
    for (const std::string& n : names)
        if (n == name) return n.c_str();
    return names.emplace_back(name).c_str();
}

} // namespace

TfrmGroup::TfrmGroup(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("Channel Allocation/Group Tag"), 340, 720) {
    AddColumnHeaders({QStringLiteral("Ch's"), QStringLiteral("Group TAG"), QStringLiteral("SCAN/TTK")});
    auto* no = new QLabel(QStringLiteral("No."), this);
    no->setAlignment(Qt::AlignCenter);
    Rows()->addWidget(no, 0, 0);

    for (int r = 0; r < kGroupsPerPage; ++r) {
        rows_[static_cast<size_t>(r)] = AddRow(ToQ(GroupRowCaption(r + 1, r + 1)));
        const int row = rows_[static_cast<size_t>(r)];
        pnlGrp[static_cast<size_t>(r)] = RowLabel(row);
        pnlGrp[static_cast<size_t>(r)]->setObjectName(QString::fromLatin1(RowName("pnlGrp", r + 1)));

        TEditDef count;
        count.Name = RowName("edtCh", r + 1);
        count.HelpContext = hcGroup;
        count.Hint1 = QStringLiteral("Edit Channel Number(0-250)");
        count.MaxLength = 3;
        count.Filter = TCharFilter::Decimal;
        // The edit form shows the count the text would commit as.
        count.Converter.ToEdit = [this, r](const std::string& text) {
            const int32_t g = GroupOfRow(r);
            return CountText(ClampGroupCount(text, AllocatedChannels(work_),
                                             static_cast<int32_t>(work_.GroupAreas.Get(g)), r == 0));
        };
        count.OnCommit = [this, r] { edtChCommit(r); };
        edtCh[static_cast<size_t>(r)] = AddEdit(row, 1, count);

        TEditDef tag;
        tag.Name = RowName("edtGTag", r + 1);
        tag.HelpContext = hcGroup;
        tag.Hint1 = QStringLiteral("Edit Group alpha tag");
        tag.MaxLength = 8;
        tag.Filter = TCharFilter::Tag;
        tag.OnCommit = [this, r] { edtGTagCommit(r); };
        edtGTag[static_cast<size_t>(r)] = AddEdit(row, 2, tag);

        TComboDef scan = ComboDef(RowName("cmbScan", r + 1), hcGroup,
                                  QStringLiteral("Disable/Enable  TTS and Group Scan"));
        scan.EnterToggles = true;
        scan.SwallowEnter = true;
        QComboBox* combo = AddCombo(row, 3, scan, {QString::fromLatin1(kGroupScanItems[0].Text)});
        combo->setCurrentIndex(0);
        SetControlEnabled(combo, 0);
        connect(combo, &QComboBox::activated, this, [this, r] { cmbScanChange(r); });
        cmbScan[static_cast<size_t>(r)] = combo;
    }

    pnlGrpCnt = new QLabel(this);
    pnlGrpCnt->setObjectName(QStringLiteral("pnlGrpCnt"));
    pnlGrpCnt->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlGrpCnt->setTextFormat(Qt::PlainText);
    Rows()->addWidget(pnlGrpCnt, kGroupsPerPage + 1, 0, 1, 2);
    lblExp = new QLabel(this);
    lblExp->setObjectName(QStringLiteral("lblExp"));
    lblExp->setTextFormat(Qt::PlainText);
    lblExp->setWordWrap(true);
    QFont small = lblExp->font();
    small.setPointSize(7);
    lblExp->setFont(small);
    lblExp->setText(
        QStringLiteral("[Page Up/Down]key:Allocation page Up/Down\r\nIf the Group Scan is set, please "
                       "mark on more than 1 channel at the scan column in the group."));
    Rows()->addWidget(lblExp, kGroupsPerPage + 2, 0, 1, 4);
}

void TfrmGroup::FormShow() {
    work_.Assign(Live());
    page_ = 1;
    ShowPage();
}

void TfrmGroup::ShowPage() {
    const bool trunk = HasTrunkBoard(work_);
    for (int r = 0; r < kGroupsPerPage; ++r) {
        const auto i = static_cast<size_t>(r);
        const int32_t g = GroupOfRow(r);
        SetRowCaption(rows_[i], ToQ(GroupRowCaption(r + 1, g + 1)));
        edtCh[i]->setText(ToQ(CountText(static_cast<int32_t>(work_.GroupAreas.Get(g)))));
        edtGTag[i]->setText(ToQ(work_.GroupNames[g].Text));
        const TGroupScanBox box = GroupScanBox(Live(), work_, g, trunk);
        QStringList items;
        for (const std::string& item : box.Items)
            items << ToQ(item);
        RefillCombo(cmbScan[i], items, box.Selected);
        SetControlEnabled(cmbScan[i], box.Enabled ? 1 : 0);
    }
    pnlGrpCnt->setText(QStringLiteral(" %1/ 10 page").arg(page_, 2));
}

void TfrmGroup::edtChCommit(int row) {
    const int32_t g = GroupOfRow(row);
    const int32_t count =
        ClampGroupCount(FromQ(edtCh[static_cast<size_t>(row)]->text()), AllocatedChannels(work_),
                        static_cast<int32_t>(work_.GroupAreas.Get(g)), row == 0);
    work_.GroupAreas.Set(g, static_cast<uint32_t>(count));
    // The scan boxes follow the counts.
    ShowPage();
}

void TfrmGroup::edtGTagCommit(int row) {
    work_.GroupNames[GroupOfRow(row)].Text = FromQ(edtGTag[static_cast<size_t>(row)]->text());
}

void TfrmGroup::cmbScanChange(int row) {
    const QComboBox* combo = cmbScan[static_cast<size_t>(row)];
    if (combo->currentIndex() >= 0) SetGroupScanChoice(work_, GroupOfRow(row), FromQ(combo->currentText()));
}

bool TfrmGroup::ExtraKeyDown(QKeyEvent* key, QLineEdit* edit) {
    const int k = key->key();
    if ((k != Qt::Key_PageUp && k != Qt::Key_PageDown) || (key->modifiers() & Qt::AltModifier)) return false;
    // A count or tag being typed belongs to the group shown now.
    if (edit && !edit->isReadOnly()) CommitEdit(edit);
    page_ = k == Qt::Key_PageUp ? page_ % kGroupPages + 1 : (page_ + kGroupPages - 2) % kGroupPages + 1;
    ShowPage();
    if (edit) RestartEntry(edit);
    return true;
}

bool TfrmGroup::WriteBack() {
    const TGroupOkResult result = ApplyGroupAllocation(
        Live(), work_, Ctx.TemplateChannel, [](std::string_view format, std::string_view name) {
            return ShowMessageBoxF(format, name, TMsgType::Information, TMsgButtons::YesCancel, 1) ==
                   TMsgResult::Yes;
        });
    if (!result.Accepted) return false;
    if (result.Modified) MarkModified();
    return true;
}

bool ExecuteGroupDialog(QWidget* parent, TEditorState& context) {
    TfrmGroup dialog(parent, context);
    return dialog.Execute();
}
