#include "dialogs/D_ToneTbl.h"

#include <QComboBox>

#include <memory>

#include "dialogs/dc_SignalRules.h"
#include "model/dc_TwoTone.h"

namespace {

constexpr uint32_t hcToneTbl = 98324;

} // namespace

TfrmToneTbl::TfrmToneTbl(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("2 Tone Edit"), 440, 360) {
    static std::array<std::array<QByteArray, 3>, 10> names;
    AddColumnHeaders({QStringLiteral("Group"), QStringLiteral("1st Tone"), QStringLiteral("2nd Tone")});
    const QStringList groups = ToQ(TwoToneGroupItems(Live().TwoToneFormat));
    for (int i = 0; i < 10; ++i) {
        const QByteArray number = QByteArray::number(i + 1);
        names[static_cast<size_t>(i)] = {"cmbGrp" + number, "cmbFirst" + number, "cmbSecond" + number};
        const auto& n = names[static_cast<size_t>(i)];
        TRow& r = Rows[static_cast<size_t>(i)];
        const int row = AddRow(QStringLiteral("&") + QString::number((i + 1) % 10));
        r.Group = AddCombo(
            row, 1, ComboDef(n[0].constData(), hcToneTbl, QStringLiteral("Select 2Tone Group")), groups);
        r.First = AddCombo(row, 2,
                           ComboDef(n[1].constData(), hcToneTbl, QStringLiteral("Select 1st Frequency")), {});
        r.Second = AddCombo(
            row, 3, ComboDef(n[2].constData(), hcToneTbl, QStringLiteral("Select 2nd Frequency")), {});

        // A tone box the user did not touch (nor its group) keeps the stored
        // index: one the list cannot show (unknown, between groups, 240 and
        // above, a second tone outside the first one's group) survives OK.
        struct TDirty {
            bool First = false;
            bool Second = false;
        };
        auto dirty = std::make_shared<TDirty>();
        connect(r.Group, &QComboBox::activated, this, [this, r, dirty](int item) {
            FillTones(r, item);
            for (QComboBox* box : {r.First, r.Second})
                if (box->count() > 0) box->setCurrentIndex(0);
            *dirty = {true, true};
            UpdateEnabled();
        });
        connect(r.First, &QComboBox::activated, this, [dirty] { dirty->First = true; });
        connect(r.Second, &QComboBox::activated, this, [dirty] { dirty->Second = true; });
        Bind(
            [this, r, i, dirty] {
                const TTwoToneList& list = TwoToneList();
                const TTonePair& t = Live().Tones[i];
                int item = 0;
                if (t.FirstTone != kTwoToneNone)
                    item = Live().TwoToneFormat == 1 ? 1 : list.GroupOf(t.FirstTone) + 1; // 0: no group
                r.Group->setCurrentIndex(item > 0 || t.FirstTone == kTwoToneNone ? item : -1);
                FillTones(r, r.Group->currentIndex());
                for (auto [box, tone] :
                     {std::pair{r.First, t.FirstTone}, std::pair{r.Second, t.SecondTone}}) {
                    const QString text = ToQ(list.Text(tone));
                    box->setCurrentIndex(text.isEmpty() ? -1 : box->findText(text));
                }
                *dirty = {};
            },
            [this, r, i, dirty] {
                TTonePair& t = Live().Tones[i];
                const bool off = r.Group->currentIndex() == 0;
                for (auto [box, tone, changed] : {std::tuple{r.First, &t.FirstTone, dirty->First},
                                                  std::tuple{r.Second, &t.SecondTone, dirty->Second}}) {
                    if (!changed && !WritingEveryControl()) continue;
                    if (off) {
                        *tone = kTwoToneNone;
                        continue;
                    }
                    // Every offered frequency is in the standard list; a
                    // text that is not keeps the stored index.
                    const int32_t index = TwoToneList().IndexOf(FromQ(box->currentText()));
                    if (box->currentIndex() >= 0 && index != kTwoToneNone) *tone = index;
                }
            },
            {});
    }
    CompareField(&TRKmem::Tones);
}

void TfrmToneTbl::FillTones(const TRow& row, int groupItem) {
    const TTwoToneList& list = TwoToneList();
    QStringList items;
    if (groupItem > 0) items = ToQ(Live().TwoToneFormat == 1 ? list.User : list.GroupTexts(groupItem - 1));
    RefillCombo(row.First, items, -1);
    RefillCombo(row.Second, items, -1);
}

void TfrmToneTbl::UpdateEnabled() {
    for (const TRow& r : Rows) {
        const int on = r.Group->currentIndex() > 0 ? 1 : 0;
        SetControlEnabled(r.First, on);
        SetControlEnabled(r.Second, on);
    }
}

bool ExecuteToneTblDialog(QWidget* parent, TEditorState& context) {
    TfrmToneTbl dialog(parent, context);
    return dialog.Execute();
}
