#include "dialogs/D_RadioStatus.h"

#include <QComboBox>
#include <QLineEdit>

#include <memory>

#include "dialogs/dc_RadioStatusRules.h"
#include "model/dc_Rules.h"

namespace {
// F1 anywhere in the dialog opens the topic of its menu command.
constexpr uint32_t hcRadioStatus = 98311;
} // namespace

TfrmRadioStatus::TfrmRadioStatus(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("Radio Status"), 416, 330) {
    auto combo = [](const char* name, const char* hint1, const char* hint2 = "") {
        return ComboDef(name, hcRadioStatus, QString::fromLatin1(hint1), QString::fromLatin1(hint2));
    };

    int row = AddRow(QStringLiteral("&Power-ON Tag"));
    TEditDef tag;
    tag.Name = "edtPoTag";
    tag.HelpContext = hcRadioStatus;
    tag.Hint1 = QStringLiteral("Edit Power-ON Alpha Tag display");
    tag.MaxLength = 8;
    tag.Filter = TCharFilter::UpperText;
    edtPoTag = AddEdit(row, 1, tag);
    row = AddRow(QStringLiteral("&TOT Timer"));
    cmbTTimer = AddCombo(
        row, 1,
        combo("cmbTTimer", "Maximum transmit time allowed when TOT is select for a channel", "0.5 .. 7 mins"),
        ToQ(TotItems()));
    row = AddRow(QStringLiteral("TOT P&enalty Timer"));
    cmbPTimer = AddCombo(
        row, 1, combo("cmbPTimer", "Transmit inhibit time applied when TOT is violated", "0 .. 60 secs"),
        ToQ(TotPenaltyItems()));
    row = AddRow(QStringLiteral("PTT &Release Timer"));
    cmbRTime = AddCombo(
        row, 1, combo("cmbRTime", "Transmit inhibit time applied after releasing PTT button", "0 ... 5 secs"),
        ToQ(PttReleaseItems()));
    row = AddRow(QStringLiteral("&AF Vr Minimum Level"));
    TEditDef level;
    level.Name = "edtAMLvl";
    level.HelpContext = hcRadioStatus;
    level.Hint1 = QStringLiteral("AF Vr Minimun A/D value");
    level.Hint2 = QStringLiteral("52 .. 127");
    level.MaxLength = 3;
    level.Filter = TCharFilter::Digits;
    level.Converter = IntEditConverter(AfMinimumRule());
    edtAMLvl = AddEdit(row, 1, level);
    row = AddRow(QStringLiteral("&DTMF Hold Time"));
    cmbDhtime = AddCombo(row, 1, combo("cmbDhtime", "DTMF hold time", "0..3.5 sec"), ToQ(DtmfHoldItems()));
    row = AddRow(QStringLiteral("&SQL Revert Time"));
    cmbSrtime =
        AddCombo(row, 1, combo("cmbSrtime", "SQL setting revert time", "0..10 sec"), ToQ(SqlRevertItems()));
    row = AddRow(QStringLiteral("Talk Ar&ound"));
    cmbTaope = AddCombo(row, 1, combo("cmbTaope", "Sub Audio of talk around"), ToQ(TalkAroundItems()));
    row = AddRow(QStringLiteral("&Noise Blanker"));
    cmbNBlank = AddCombo(row, 1, combo("cmbNBlank", "Noise blanker"), ToQ(DisabledEnabled()));

    BindText(edtPoTag, Field(&TRKmem::PowerOnTag));
    BindIndex(cmbTTimer, Field(&TRKmem::TxTimeoutTimer));
    BindIndex(cmbPTimer, Field(&TRKmem::TotPenaltyTimer));
    BindIndex(cmbRTime, Field(&TRKmem::PttReleaseTimer));
    BindInt(edtAMLvl, AfMinimumRule(), Field(&TRKmem::AfVrMinLevel));
    BindIndex(cmbDhtime, Field(&TRKmem::DtmfHoldTime));
    // A stored time no item stands for shows nothing and is kept.
    auto revertShown = std::make_shared<int>(-1);
    Bind(
        [this, revertShown] {
            SelectIndex(cmbSrtime, SqlRevertItem(Live().SqlRevertUnlimited, Live().SqlRevertTime));
            *revertShown = cmbSrtime->currentIndex();
        },
        [this, revertShown] {
            const int i = cmbSrtime->currentIndex();
            if (i < 0 || (!WritingEveryControl() && i == *revertShown)) return;
            const TSqlRevert r = SqlRevertFromItem(i);
            Live().SqlRevertUnlimited = r.Unlimited;
            Live().SqlRevertTime = r.Time;
        },
        [this] {
            return Live().SqlRevertUnlimited != WorkingCopy().SqlRevertUnlimited ||
                   Live().SqlRevertTime != WorkingCopy().SqlRevertTime;
        });
    BindIndex(cmbTaope, Field(&TRKmem::TalkAroundOperation));
    // Only a low VHF radio has a noise blanker; any other band stores it off.
    auto blankerShown = std::make_shared<int>(-1);
    Bind(
        [this, blankerShown] {
            SelectIndex(cmbNBlank, LowVhf() ? Live().NoiseBlanker : 0);
            *blankerShown = cmbNBlank->currentIndex();
        },
        [this, blankerShown] {
            if (!LowVhf()) {
                Live().NoiseBlanker = 0;
                return;
            }
            const int i = cmbNBlank->currentIndex();
            if (i >= 0 && (WritingEveryControl() || i != *blankerShown)) Live().NoiseBlanker = i;
        },
        [this] { return Live().NoiseBlanker != WorkingCopy().NoiseBlanker; });
}

bool TfrmRadioStatus::LowVhf() const {
    const int32_t band = BandType(Ctx.Model);
    return band == 0 || band == 1;
}

void TfrmRadioStatus::UpdateEnabled() {
    SetControlEnabled(cmbNBlank, LowVhf() ? 1 : 0);
}

bool ExecuteRadioStatusDialog(QWidget* parent, TEditorState& context) {
    TfrmRadioStatus dlg(parent, context);
    return dlg.Execute();
}
