#include "dialogs/D_SelTone.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <memory>

#include "dialogs/dc_SignalRules.h"

namespace {

constexpr uint32_t hcSelTone = 98331;

const QStringList& ValueItems(bool ctcss) {
    static const QStringList ctcssItems = ToQ(SelToneCtcssItems());
    static const QStringList dcsItems = ToQ(SelToneDcsItems());
    return ctcss ? ctcssItems : dcsItems;
}

QByteArray Named(const char* prefix, int table, int row) {
    return QByteArray(prefix) + QByteArray::number(table + 1) + QByteArray::number(row + 1);
}

} // namespace

TfrmSelTone::TfrmSelTone(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("Selectable Tone"), 560, 370) {
    static std::array<std::array<QByteArray, 6>, 16> names; // object names outlive the defs
    const QStringList types = {QStringLiteral("CTCSS"), QStringLiteral("DCS")};
    for (int t = 0; t < 2; ++t) {
        AddPage(t == 0 ? QStringLiteral("Table1") : QStringLiteral("Table2"));
        AddColumnHeaders({QString(), QStringLiteral("Tag"), QStringLiteral("Enc Type"),
                          QStringLiteral("Encode"), QStringLiteral("Dec Type"), QStringLiteral("Decode")});
        TSTTables TRKmem::*table = t == 0 ? &TRKmem::ToneTable1 : &TRKmem::ToneTable2;
        for (int e = 0; e < 8; ++e) {
            auto& n = names[static_cast<size_t>(t * 8 + e)];
            n = {Named("cbxT", t, e),   Named("edtTag", t, e), Named("cmbET", t, e),
                 Named("cmbEnc", t, e), Named("cmbDT", t, e),  Named("cmbDec", t, e)};
            TRow& r = Rows[static_cast<size_t>(t * 8 + e)];
            const int row = AddRow(QStringLiteral("&") + QString::number(e + 1));
            TControlDef use;
            use.Name = n[0].constData();
            use.HelpContext = hcSelTone;
            r.Use = AddCheck(row, 1, use, QString());
            TEditDef tag;
            tag.Name = n[1].constData();
            tag.HelpContext = hcSelTone;
            tag.Hint1 = QStringLiteral("Edit Selectable Tone alpha tag");
            tag.MaxLength = 4;
            tag.Filter = TCharFilter::Tag;
            r.Tag = AddEdit(row, 2, tag);
            const QString typeHint = QStringLiteral("Select SUB AUDIO (CTCSS / DCS)");
            const QString valueHint = QStringLiteral("Select Tone / Code");
            r.EncType = AddCombo(row, 3, ComboDef(n[2].constData(), hcSelTone, typeHint), types);
            r.Enc = AddCombo(row, 4, ComboDef(n[3].constData(), hcSelTone, valueHint), {});
            r.DecType = AddCombo(row, 5, ComboDef(n[4].constData(), hcSelTone, typeHint), types);
            r.Dec = AddCombo(row, 6, ComboDef(n[5].constData(), hcSelTone, valueHint), {});

            BindCheck(r.Use, Member(table, e, &TSTTable::Use));
            connect(r.Use, &QCheckBox::toggled, this, [this] { UpdateEnabled(); });
            const TTextRef tagRef = Member(table, e, &TSTTable::Tag);
            auto shownTag = std::make_shared<QString>();
            Bind(
                [this, edit = r.Tag, tagRef, shownTag] {
                    edit->setText(ToQ(tagRef(Live())));
                    *shownTag = edit->text();
                },
                [this, edit = r.Tag, tagRef, shownTag] {
                    if (WritingEveryControl() || edit->text() != *shownTag)
                        tagRef(Live()) = SelToneTag(FromQ(edit->text()));
                },
                {});
            BindInvertedFlag(r.EncType, Member(table, e, &TSTTable::EncIsCtcss));
            BindTone(r.EncType, r.Enc, Member(table, e, &TSTTable::EncIsCtcss),
                     Member(table, e, &TSTTable::EncCode));
            BindInvertedFlag(r.DecType, Member(table, e, &TSTTable::DecIsCtcss));
            BindTone(r.DecType, r.Dec, Member(table, e, &TSTTable::DecIsCtcss),
                     Member(table, e, &TSTTable::DecCode));
        }
    }
    CompareField(&TRKmem::ToneTable1);
    CompareField(&TRKmem::ToneTable2);
}

// The value box follows its type box; a code the box cannot show (CTCSS 47
// and above, a DCS code outside its 85) stays stored until the user picks
// another value or type.
void TfrmSelTone::BindTone(QComboBox* type, QComboBox* value, TIntRef isCtcss, TIntRef code) {
    struct TShown {
        int Index = -1;
        bool Refilled = false;
    };
    auto shown = std::make_shared<TShown>();
    connect(type, &QComboBox::activated, this, [type, value, shown] {
        RefillCombo(value, ValueItems(type->currentIndex() == 0), 0);
        shown->Refilled = true;
    });
    Bind(
        [this, value, isCtcss, code, shown] {
            const bool ctcss = isCtcss(Live()) == 1;
            RefillCombo(value, ValueItems(ctcss), SelToneItemOf(ctcss, code(Live())));
            *shown = {value->currentIndex(), false};
        },
        [this, type, value, isCtcss, code, shown] {
            const int i = value->currentIndex();
            if (i < 0 || (!WritingEveryControl() && !shown->Refilled && i == shown->Index)) return;
            const bool ctcss = type->currentIndex() >= 0 ? type->currentIndex() == 0 : isCtcss(Live()) == 1;
            const int32_t c = SelToneCodeOf(ctcss, i);
            if (c >= 0) code(Live()) = c;
        },
        {});
}

void TfrmSelTone::UpdateEnabled() {
    for (const TRow& r : Rows) {
        const int on = r.Use->isChecked() ? 1 : 0;
        for (QWidget* w : {static_cast<QWidget*>(r.EncType), static_cast<QWidget*>(r.Enc),
                           static_cast<QWidget*>(r.DecType), static_cast<QWidget*>(r.Dec)})
            SetControlEnabled(w, on);
    }
}

bool ExecuteSelToneDialog(QWidget* parent, TEditorState& context) {
    TfrmSelTone dialog(parent, context);
    return dialog.Execute();
}
