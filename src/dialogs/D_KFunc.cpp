#include "dialogs/D_KFunc.h"

#include <QComboBox>

#include <algorithm>

#include "dialogs/dc_KeyRules.h"

namespace {

// Short and long press of each key, in row order: the accelerators run
// 1..9, 0, A, B.
constexpr std::array<const char*, 2 * kKeyCount> kCaptions{
    "&1.[PF1]Button(Short Press)", "&2.[PF1]Button(Long Press)",      "&3.[PF2]Button(Short Press)",
    "&4.[PF2]Button(Long Press)",  "&5.[PF3]Button(Short Press)",     "&6.[PF3]Button(Long Press)",
    "&7.[PF4]Button(Short Press)", "&8.[PF4]Button(Long Press)",      "&9.[PF5]Button(Short Press)",
    "1&0.[PF5]Button(Long Press)", "11(&A).[PF6]Button(Short Press)", "12(&B).[PF6]Button(Long Press)",
};
constexpr std::array<const char*, kKeyCount> kShortNames{"cmbSP1", "cmbSP2", "cmbSP3",
                                                         "cmbSP4", "cmbSP5", "cmbSP6"};
constexpr std::array<const char*, kKeyCount> kLongNames{"cmbLP1", "cmbLP2", "cmbLP3",
                                                        "cmbLP4", "cmbLP5", "cmbLP6"};
constexpr uint32_t hcShort = 0x80A108CA, hcLong = 0x80A108D0, hcUpDown = 0x80A108D6;

QStringList RowNames(const std::vector<int32_t>& rows) {
    QStringList names;
    for (int32_t row : rows)
        names << QString::fromLatin1(KeyFunctions()[static_cast<size_t>(row)].Name);
    return names;
}

int32_t RowAt(const std::vector<int32_t>& rows, int index) {
    return index >= 0 && index < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(index)] : -1;
}

int IndexOfRow(const std::vector<int32_t>& rows, int32_t row) {
    const auto it = std::find(rows.begin(), rows.end(), row);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

} // namespace

TfrmKFunc::TfrmKFunc(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("Key Function"), 430, 470) {
    shortRows_ = KeyRows(Live(), TKeyPress::Short, TKeyListing::Dialog);
    longRows_ = KeyRows(Live(), TKeyPress::Long, TKeyListing::Dialog);
    const QStringList shortNames = RowNames(shortRows_);
    const QStringList longNames = RowNames(longRows_);
    for (int k = 0; k < kKeyCount; ++k) {
        const QString pf = QStringLiteral("[PF%1] Button function").arg(k + 1);
        int row = AddRow(QString::fromLatin1(kCaptions[static_cast<size_t>(2 * k)]));
        cmbSP[static_cast<size_t>(k)] =
            AddCombo(row, 1, ComboDef(kShortNames[static_cast<size_t>(k)], hcShort + k, pf), shortNames);
        row = AddRow(QString::fromLatin1(kCaptions[static_cast<size_t>(2 * k + 1)]));
        TComboDef longDef =
            ComboDef(kLongNames[static_cast<size_t>(k)], hcLong + k, pf + QStringLiteral("(Long Press)"));
        longDef.OnLeave = [this, k] { cmbLPExit(k); };
        cmbLP[static_cast<size_t>(k)] = AddCombo(row, 1, longDef, longNames);
        connect(cmbSP[static_cast<size_t>(k)], &QComboBox::activated, this, [this, k] { cmbSPChange(k); });
        connect(cmbLP[static_cast<size_t>(k)], &QComboBox::activated, this, [this, k] { cmbLPChange(k); });
    }
    QStringList upDown;
    for (const auto& f : kUpDownFunctions)
        upDown << QString::fromLatin1(f.Name);
    const int row = AddRow(QStringLiteral("&Up / Down"));
    cmbUpDn =
        AddCombo(row, 1, ComboDef("cmbUpDn", hcUpDown, QStringLiteral("Up / Down] Button function")), upDown);
    connect(cmbUpDn, &QComboBox::activated, this, [this] { upDownChosen_ = true; });

    for (const TKeyFields& f : KeyFields())
        for (auto field : {f.Short, f.Long, f.DirectGroup, f.DirectChannel})
            CompareField(field);
    for (auto field : {&TRKmem::KeyUpDown, &TRKmem::KeyLong6, &TRKmem::KeyShort7, &TRKmem::KeyLong7})
        CompareField(field);
}

TKeyPressState TfrmKFunc::State(int key) const {
    const auto k = static_cast<size_t>(key);
    TKeyPressState s;
    s.ShortRow = RowAt(shortRows_, cmbSP[k]->currentIndex());
    s.LongRow = RowAt(longRows_, cmbLP[k]->currentIndex());
    s.LongEnabled = cmbLP[k]->isEnabled();
    return s;
}

void TfrmKFunc::Apply(int key, const TKeyPressState& s) {
    const auto k = static_cast<size_t>(key);
    SelectIndex(cmbSP[k], IndexOfRow(shortRows_, s.ShortRow));
    SelectIndex(cmbLP[k], IndexOfRow(longRows_, s.LongRow));
    if (s.LongEnabled != cmbLP[k]->isEnabled()) SetControlEnabled(cmbLP[k], s.LongEnabled ? 1 : 0);
}

void TfrmKFunc::FormShow() {
    const TRKmem& m = Live();
    for (int k = 0; k < kKeyCount; ++k) {
        const TKeyFields& f = KeyFields()[static_cast<size_t>(k)];
        TKeyPressState s;
        s.ShortRow = KeyRowForCode(m.*f.Short, TKeyPress::Short, m.*f.Short);
        s.LongRow = KeyRowForCode(m.*f.Long, TKeyPress::Long, m.*f.Short);
        // A row this radio does not list shows no selection.
        Apply(k, ShortPressChanged(s));
        const TKeyPressState shown = State(k);
        shownShort_[static_cast<size_t>(k)] = shown.ShortRow;
        shownLong_[static_cast<size_t>(k)] = shown.LongRow;
    }
    cmbUpDn->setCurrentIndex(UpDownIndexForCode(m.KeyUpDown));
    shownUpDown_ = cmbUpDn->currentIndex();
}

void TfrmKFunc::UpdateEnabled() {
    if (Live().ControlHeadType != 1) {
        SetControlEnabled(cmbSP[5], 0);
        SetControlEnabled(cmbLP[5], 0);
    }
}

// A box the rule moves on a user's pick counts as chosen: OK writes it even
// where it ends on the item it showed.
void TfrmKFunc::cmbSPChange(int key) {
    const auto k = static_cast<size_t>(key);
    const TKeyPressState before = State(key);
    const TKeyPressState after = ShortPressChanged(before);
    Apply(key, after);
    shortChosen_[k] = true;
    if (after.LongRow != before.LongRow || !after.LongEnabled) longChosen_[k] = true;
}

void TfrmKFunc::cmbLPChange(int key) {
    const auto k = static_cast<size_t>(key);
    const TKeyPressState before = State(key);
    const TKeyPressState after = LongPressChanged(before);
    Apply(key, after);
    longChosen_[k] = true;
    if (after.ShortRow != before.ShortRow) shortChosen_[k] = true;
}

void TfrmKFunc::cmbLPExit(int key) {
    if (!cmbLP[static_cast<size_t>(key)]->isEnabled()) return;
    Apply(key, LongPressLeft(State(key)));
}

bool TfrmKFunc::WriteBack() {
    TRKmem& m = Live();
    for (int k = 0; k < kKeyCount; ++k) {
        // Without the motorcycle head PF6 is not there to program.
        if (k == 5 && m.ControlHeadType != 1) continue;
        const auto i = static_cast<size_t>(k);
        StoreKeyPress(m, k, {shownShort_[i], RowAt(shortRows_, cmbSP[i]->currentIndex()), shortChosen_[i]},
                      {shownLong_[i], RowAt(longRows_, cmbLP[i]->currentIndex()), longChosen_[i]});
    }
    // Choosing an entry, even the one shown, stores all four codes.
    const int upDown = cmbUpDn->currentIndex();
    if (upDown >= 0 && (upDownChosen_ || upDown != shownUpDown_))
        StoreUpDown(m, kUpDownFunctions[static_cast<size_t>(upDown)].Code);
    return true;
}

bool ExecuteKFuncDialog(QWidget* parent, TEditorState& context) {
    TfrmKFunc dialog(parent, context);
    return dialog.Execute();
}
