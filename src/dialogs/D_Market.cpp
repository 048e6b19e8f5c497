#include "dialogs/D_Market.h"

#include <QLineEdit>

#include <memory>

#include "dialogs/dc_RadioStatusRules.h"
#include "image/dc_Map36.h"

namespace {
constexpr uint32_t hcMarketing = 98315;
} // namespace

TfrmMarket::TfrmMarket(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("Marketing Prameters"), 416, 120) {
    const bool special = IsSpecialModel(Ctx.Model);

    AddColumnHeaders({QStringLiteral("Master"), QStringLiteral("Slave")});
    const int row = AddRow(QStringLiteral("&Serial Number"));
    TEditDef serial;
    serial.Name = "edtSerial";
    serial.HelpContext = hcMarketing;
    serial.Hint1 = QStringLiteral("Dealer Use Only (for information only)");
    serial.MaxLength = SerialMaxLength(special);
    serial.PositionFilter = SerialNumberFilter(special);
    serial.Converter = {[](const std::string& text) { return TrimText(text); },
                        [special](const std::string& text) { return SerialLeaveText(text, special); }};
    edtSerial = AddEdit(row, 1, serial);
    TEditDef slave;
    slave.Name = "edtSSerial";
    slave.HelpContext = hcMarketing;
    edtSSerial = AddEdit(row, 2, slave);

    // The serial as shown on open, trimmed: what the user left alone is kept
    // (a seven-character serial or "--------" included), while an empty or
    // placeholder text never reaches the encoder.
    auto shown = std::make_shared<std::string>();
    Bind(
        [this, shown] {
            edtSerial->setText(ToQ(Live().SerialNumber));
            *shown = TrimText(Live().SerialNumber);
        },
        [this, shown, special] {
            const std::string text = FromQ(edtSerial->text());
            const std::string trimmed = TrimText(text);
            const bool untouched = trimmed == *shown && !trimmed.empty() && trimmed != kSerialPlaceholder;
            if (untouched && !WritingEveryControl()) return;
            Live().SerialNumber = SerialOnOk(text, special);
        },
        [this] { return Live().SerialNumber != WorkingCopy().SerialNumber; });
}

void TfrmMarket::UpdateEnabled() {
    SetControlEnabled(edtSerial, Ctx.StartupMode == 2 ? 1 : 0);
    SetControlEnabled(edtSSerial, 0);
}

bool ExecuteMarketDialog(QWidget* parent, TEditorState& context) {
    TfrmMarket dlg(parent, context);
    return dlg.Execute();
}
