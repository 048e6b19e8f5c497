#include "dialogs/D_PCode.h"

#include <QComboBox>
#include <QLineEdit>

#include <memory>

#include "dialogs/dc_SignalRules.h"

namespace {
constexpr uint32_t hcPCode = 98322;
}

TfrmPCode::TfrmPCode(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("Paging Code"), 300, 360) {
    static std::array<std::array<QByteArray, 2>, 10> names;
    const QString hint = QStringLiteral("Page Code");
    for (int i = 0; i < 10; ++i) {
        const QByteArray digit = QByteArray::number((i + 1) % 10);
        names[static_cast<size_t>(i)] = {"edtPage" + digit, "cmbPage" + digit};
        const auto& n = names[static_cast<size_t>(i)];
        TRow& r = Rows[static_cast<size_t>(i)];
        const int row = AddRow(QStringLiteral("PAGE &") + QString::fromLatin1(digit));
        TEditDef code;
        code.Name = n[0].constData();
        code.HelpContext = hcPCode;
        code.Hint1 = hint;
        code.MaxLength = 3;
        code.Filter = TCharFilter::Dtmf;
        code.OnLeave = [this] { UpdateEnabled(); };
        r.Code = AddEdit(row, 1, code);
        r.Mode = AddCombo(row, 2, ComboDef(n[1].constData(), hcPCode, hint),
                          {QStringLiteral("Encode only"), QStringLiteral("Enc & Dec")});

        // An entry whose code and mode the user left alone is not rewritten.
        struct TShown {
            QString Code;
            int Mode = -1;
        };
        auto shown = std::make_shared<TShown>();
        Bind(
            [this, r, i, shown] {
                const TPaging& p = Live().Pagings[i];
                const bool free = p.Empty == 1;
                r.Code->setText(free ? QString() : ToQ(p.Code));
                SelectIndex(r.Mode, free ? 0 : p.EncDec);
                *shown = {r.Code->text(), r.Mode->currentIndex()};
            },
            [this, r, i, shown] {
                if (!WritingEveryControl() && r.Code->text() == shown->Code &&
                    r.Mode->currentIndex() == shown->Mode)
                    return;
                TPaging& p = Live().Pagings[i];
                WritePagingEntry(p, FromQ(r.Code->text()), IndexOr(r.Mode, p.EncDec));
            },
            {});
    }
    CompareField(&TRKmem::Pagings);
}

void TfrmPCode::UpdateEnabled() {
    for (const TRow& r : Rows)
        SetControlEnabled(r.Mode, r.Code->text().trimmed().isEmpty() ? 0 : 1);
}

bool ExecutePCodeDialog(QWidget* parent, TEditorState& context) {
    TfrmPCode dialog(parent, context);
    return dialog.Execute();
}
