#include "dialogs/D_MDC.h"

#include <QComboBox>
#include <QLineEdit>

#include "dialogs/dc_AniDlgRules.h"
#include "model/dc_AniRules.h"

namespace {

constexpr uint32_t hcDelay = 20001, hcLockout = 20002, hcPress = 20003, hcRelease = 20004, hcWaitTone = 20005,
                   hcCourtesy = 20006, hcSubAudible = 20007, hcPttId = 20008, hcMessage = 20009;

template <size_t N> QStringList ToQ(const char* const (&texts)[N]) {
    QStringList items;
    for (const char* t : texts)
        items << QString::fromLatin1(t);
    return items;
}

// Object names and captions of the identifier rows, entry 0 the emergency ID.
constexpr const char* kPttNames[TRKmem::kMdcIdCount] = {"edtPttE", "edtPtt1", "edtPtt2", "edtPtt3",
                                                        "edtPtt4", "edtPtt5", "edtPtt6", "edtPtt7",
                                                        "edtPtt8", "edtPtt9", "edtPtt10"};
constexpr const char* kMsgNames[TRKmem::kMdcIdCount] = {"edtMsgE", "edtMsg1", "edtMsg2", "edtMsg3",
                                                        "edtMsg4", "edtMsg5", "edtMsg6", "edtMsg7",
                                                        "edtMsg8", "edtMsg9", "edtMsg10"};
constexpr const char* kIdCaptions[TRKmem::kMdcIdCount] = {"&Emergency", "PTT ID &1", "PTT ID &2", "PTT ID &3",
                                                          "PTT ID &4",  "PTT ID &5", "PTT ID &6", "PTT ID &7",
                                                          "PTT ID &8",  "PTT ID &9", "PTT ID 1&0"};

} // namespace

TfrmMdc::TfrmMdc(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("MDC1200"), 400, 520) {
    TEditDef delay;
    delay.Name = "edtAniDelayTime";
    delay.HelpContext = hcDelay;
    delay.Hint1 = QStringLiteral("ANI Delay Time (0 - 1000msec)");
    delay.MaxLength = 4;
    delay.Filter = TCharFilter::Digits;
    delay.Converter = IntEditConverter(MdcDelayRule());
    int row = AddRow(QStringLiteral("ANI &Delay Time"));
    edtAniDelayTime = AddEdit(row, 1, delay);
    row = AddRow(QStringLiteral("ANI &Lockout Period"));
    cmbAniLockout = AddCombo(row, 1,
                             ComboDef("cmbAniLockout", hcLockout,
                                      QStringLiteral("ANI Lockout Period (off/10/20/40/60/90/120sec)")),
                             ToQList(kMdcLockout));
    row = AddRow(QStringLiteral("ANI &Press"));
    cmbAniPress =
        AddCombo(row, 1, ComboDef("cmbAniPress", hcPress, QStringLiteral("ANI Press (Disable/Enable)")),
                 ToQList(kMdcSwitch));
    row = AddRow(QStringLiteral("ANI &Release"));
    cmbAniRelease =
        AddCombo(row, 1, ComboDef("cmbAniRelease", hcRelease, QStringLiteral("ANI Release (Disable/Enable)")),
                 ToQList(kMdcSwitch));
    row = AddRow(QStringLiteral("&Wait Tone"));
    cmbWaitTone =
        AddCombo(row, 1, ComboDef("cmbWaitTone", hcWaitTone, QStringLiteral("Wait Tone (Disable/Enable)")),
                 ToQList(kMdcSwitch));
    row = AddRow(QStringLiteral("&Courtesy Tone"));
    cmbCourtesy = AddCombo(
        row, 1, ComboDef("cmbCourtesy", hcCourtesy, QStringLiteral("Courtesy Tone (Disable/Enable)")),
        ToQList(kMdcSwitch));
    row = AddRow(QStringLiteral("ANI with &Sub-Audible"));
    cmbAniSubAudible = AddCombo(
        row, 1,
        ComboDef("cmbAniSubAudible", hcSubAudible, QStringLiteral("ANI with Sub-Audible (Disable/Enable)")),
        ToQList(kMdcSwitch));

    BindInt(edtAniDelayTime, MdcDelayRule(), Field(&TRKmem::MdcAniDelayTime), 20);
    BindIndex(cmbAniLockout, Field(&TRKmem::MdcAniLockout));
    BindIndex(cmbAniPress, Field(&TRKmem::MdcAniPress));
    BindIndex(cmbAniRelease, Field(&TRKmem::MdcAniRelease));
    BindIndex(cmbWaitTone, Field(&TRKmem::MdcWaitTone));
    BindIndex(cmbCourtesy, Field(&TRKmem::MdcCourtesyTone));
    BindIndex(cmbAniSubAudible, Field(&TRKmem::MdcAniSubAudible));

    AddColumnHeaders({QStringLiteral("PTT ID"), QStringLiteral("Message Value")});
    // The emergency ID comes last, as the report lists it.
    for (int32_t k = 1; k <= TRKmem::kMdcIdCount; ++k) {
        const int32_t i = k % TRKmem::kMdcIdCount;
        row = AddRow(QString::fromLatin1(kIdCaptions[i]));
        TEditDef id;
        id.Name = kPttNames[i];
        id.HelpContext = hcPttId;
        id.Hint1 = QStringLiteral("PTT ID 4 Digits (1-DEEEh)");
        id.MaxLength = 4;
        id.Filter = TCharFilter::Hexadecimal;
        id.Converter = IntEditConverter(MdcPttIdRule());
        edtPtt[static_cast<size_t>(i)] = AddEdit(row, 1, id);
        TEditDef message;
        message.Name = kMsgNames[i];
        message.HelpContext = hcMessage;
        message.ReadOnly = true;
        edtMsg[static_cast<size_t>(i)] = AddEdit(row, 2, message);
        // Leaving an ID shows it as the image keeps it, so the text OK
        // stores is always four upper-case digits.
        BindText(edtPtt[static_cast<size_t>(i)], Element(&TRKmem::MdcPttIds, i));
        BindText(edtMsg[static_cast<size_t>(i)], Element(&TRKmem::MdcMessageIds, i));
    }
}

bool ExecuteMdcDialog(QWidget* parent, TEditorState& context) {
    TfrmMdc dialog(parent, context);
    return dialog.Execute();
}
