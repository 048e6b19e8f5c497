#include "dialogs/D_Hardware.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>
#include <memory>

#include "app/dc_GuiSeams.h"
#include "dialogs/dc_HardwareRules.h"
#include "model/dc_Decimal.h"
#include "model/dc_Rules.h"
#include "model/dc_Text.h"

namespace {

QStringList SqDelayItems() {
    QStringList items;
    for (int ms = 5; ms <= 31; ++ms)
        items << QString::number(ms) + (ms < 10 ? QStringLiteral("  msec") : QStringLiteral(" msec"));
    return items;
}

QStringList AttackItems() {
    QStringList items;
    for (int ms = 10; ms <= 80; ms += 5)
        items << QString::number(ms) + QStringLiteral(" msec");
    return items;
}

QStringList NumberItems(int first, int last) {
    QStringList items;
    for (int i = first; i <= last; ++i)
        items << QString::number(i);
    return items;
}

const QStringList kPolarity = {QStringLiteral("Normal"), QStringLiteral("Inverted")};
const QStringList kMemoryTypes = {QStringLiteral(" 16ch mode"), QStringLiteral("128ch mode")};

// Help contexts, master and slave alike.
constexpr uint32_t hcRfDeck = 0x806607EB, hcAModel = 0x806607EC, hcCHType = 0x806607ED, hcBand = 0x806607DB,
                   hcProduct = 0x806607DC, hcSqDelay = 0x806607DD, hcSqRelease = 0x806607D1,
                   hcAttack = 0x806607DE, hcHysteresis = 0x806607DF, hcDcsRx = 0x806607E0,
                   hcDcsTx = 0x806607E1, hcMemoryType = 0x806607E2, hcPllB = 0x806607D2,
                   hcStbyRx = 0x806607D3;

size_t StbyEntryIndex(int32_t index) {
    return static_cast<size_t>(std::clamp(index, 0, TSTBYRPDatas::Count() - 1));
}

} // namespace

TfrmHardware::TfrmHardware(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("Hardware Parameters"), 416, 537) {
    auto combo = [](const char* name, uint32_t help, const char* hint1, const char* hint2 = "") {
        TComboDef s;
        s.Name = name;
        s.HelpContext = help;
        s.Hint1 = ToQ(hint1);
        s.Hint2 = ToQ(hint2);
        return s;
    };
    auto edit = [](const char* name, uint32_t help, const char* hint1, const char* hint2, int maxLength,
                   TCharFilter filter, TEditConverter converter) {
        TEditDef s;
        s.Name = name;
        s.HelpContext = help;
        s.Hint1 = ToQ(hint1);
        s.Hint2 = ToQ(hint2);
        s.MaxLength = maxLength;
        s.Filter = filter;
        s.Converter = std::move(converter);
        return s;
    };
    auto slave = [](const char* name, uint32_t help) {
        TComboDef s;
        s.Name = name;
        s.HelpContext = help;
        return s;
    };
    auto slaveEdit = [](const char* name, uint32_t help) {
        TEditDef s;
        s.Name = name;
        s.HelpContext = help;
        return s;
    };

    const TEditConverter stbyConverter{nullptr, [this](const std::string& text) {
                                           return NormalizeStbyText(Live(), IndexOr(cmbCHType, 0),
                                                                    IndexOr(cmbMFBand, 0),
                                                                    IndexOr(cmbMPType, 1), TrimText(text));
                                       }};

    int row = AddRow(QStringLiteral("&RF D&eck Capability"), QLatin1Char('E'));
    TComboDef deck = combo("cmbRfDeck", hcRfDeck, "Single/Multi Deck");
    deck.SwallowEnter = true;
    cmbRfDeck =
        AddCombo(row, 1, deck, {QStringLiteral("Single RF Deck"), QStringLiteral("Multiple RF Deck")});
    row = AddRow(QStringLiteral("&Application Model"));
    TComboDef model = combo("cmbAModel", hcAModel, "Application Model");
    model.SwallowEnter = true;
    model.EnterToggles = true;
    cmbAModel = AddCombo(row, 1, model, {QStringLiteral("Nomal Model")});
    row = AddRow(QStringLiteral("&Control Head Type"));
    cmbCHType = AddCombo(row, 1, combo("cmbCHType", hcCHType, "Control Head Type"),
                         {QStringLiteral("Normal Head"), QStringLiteral("Motorcycle Head")});

    AddColumnHeaders({QStringLiteral("Master"), QStringLiteral("Slave")});
    row = AddRow(QStringLiteral("&Freq Band"));
    cmbMFBand = AddCombo(row, 1, combo("cmbMFBand", hcBand, "Change operating frequency band"), {});
    cmbSFBand = AddCombo(row, 2, slave("cmbSFBand", hcBand), {});
    row = AddRow(QStringLiteral("Pr&oduct Type"));
    cmbMPType = AddCombo(row, 1, combo("cmbMPType", hcProduct, "Change Product Type"), {});
    cmbSPType = AddCombo(row, 2, slave("cmbSPType", hcProduct), {});
    row = AddRow(QStringLiteral("SQ &Delay"));
    cmbMSDelay =
        AddCombo(row, 1, combo("cmbMSDelay", hcSqDelay, "Squelch Stabilization Time"), SqDelayItems());
    cmbSSDelay = AddCombo(row, 2, slave("cmbSSDelay", hcSqDelay), {});
    // The keyboard reaches SQ release with Alt+N and the attack time with
    // Alt+Q, whatever their captions underline.
    row = AddRow(QStringLiteral("S&Q Release Time"), QLatin1Char('N'));
    edtMNATime = AddEdit(row, 1,
                         edit("edtMNATime", hcSqRelease, "SQuelch Release Time", "5..320 msec", 3,
                              TCharFilter::Decimal, IntEditConverter(SqReleaseRule())));
    edtSNATime = AddEdit(row, 2, slaveEdit("edtSNATime", hcSqRelease));
    row = AddRow(QStringLiteral("&Noise SQ Attack Time"), QLatin1Char('Q'));
    cmbMSRTime = AddCombo(row, 1, combo("cmbMSRTime", hcAttack, "Noise Squelch Attack Time", "5..80 msec"),
                          AttackItems());
    cmbSSRTime = AddCombo(row, 2, slave("cmbSSRTime", hcAttack), {});
    row = AddRow(QStringLiteral("Noise SQ &Hysteresis"));
    cmbMSH = AddCombo(row, 1, combo("cmbMSH", hcHysteresis, "Noise Squelch Hysteresis", "0..15 msec"),
                      NumberItems(0, 15));
    cmbSSH = AddCombo(row, 2, slave("cmbSSH", hcHysteresis), {});
    row = AddRow(QStringLiteral("DCS &RX data"));
    cmbMDRData = AddCombo(row, 1, combo("cmbMDRData", hcDcsRx, "DCS Receive Data Polarity"), kPolarity);
    cmbSDRData = AddCombo(row, 2, slave("cmbSDRData", hcDcsRx), {});
    row = AddRow(QStringLiteral("DCS &TX data"));
    cmbMDTData = AddCombo(row, 1, combo("cmbMDTData", hcDcsTx, "DCS Transmit Data Polarity"), kPolarity);
    cmbSDTData = AddCombo(row, 2, slave("cmbSDTData", hcDcsTx), {});
    row = AddRow(QStringLiteral("&Memory Type"));
    cmbMMType = AddCombo(row, 1, combo("cmbMMType", hcMemoryType, "Memory Type"), kMemoryTypes);
    cmbSMType = AddCombo(row, 2, slave("cmbSMType", hcMemoryType), {});
    row = AddRow(QStringLiteral("Scan &PLL B register"));
    edtMSPBR = AddEdit(row, 1,
                       edit("edtMSPBR", hcPllB, "Scan PLL B register for high speed scan", "0..255", 3,
                            TCharFilter::Digits, IntEditConverter(PllBRule())));
    edtSSPBR = AddEdit(row, 2, slaveEdit("edtSSPBR", hcPllB));
    row = AddRow(QStringLiteral("&STBY RX"));
    edtMSRX = AddEdit(row, 1,
                      edit("edtMSRX", hcStbyRx, "Master STBY Receive Frequency", "", 9,
                           TCharFilter::Frequency, stbyConverter));
    edtSSRX = AddEdit(row, 2, slaveEdit("edtSSRX", hcStbyRx));

    choice_.Band = cmbMFBand;
    choice_.Product = cmbMPType;
    connect(cmbMFBand, &QComboBox::activated, this, [this] { cmbMFBandChange(); });
    connect(cmbMPType, &QComboBox::activated, this, [this] { cmbMPTypeChange(); });

    // The rows below write only what the user (or a band change) altered;
    // band, product, head and STBY RX are written by WriteBack.
    auto sqDelayShown = std::make_shared<int>(-1);
    Bind(
        [this, sqDelayShown] {
            SelectIndex(cmbMSDelay, std::clamp(Live().SqDelay - 5, 0, cmbMSDelay->count() - 1));
            *sqDelayShown = cmbMSDelay->currentIndex();
        },
        [this, sqDelayShown] {
            const int i = cmbMSDelay->currentIndex();
            if (i >= 0 && (WritingEveryControl() || i != *sqDelayShown)) Live().SqDelay = i + 5;
        },
        [this] { return Live().SqDelay != WorkingCopy().SqDelay; });
    auto releaseShown = std::make_shared<QString>();
    Bind(
        [this, releaseShown] {
            const TIntEditRule& rule = SqReleaseRule();
            const int32_t ms = Live().SqReleaseTime * 5 + 5;
            edtMNATime->setText(ToQ(IntEditDisplay(rule, ParseIntEdit(rule, std::to_string(ms)))));
            *releaseShown = edtMNATime->text();
        },
        [this, releaseShown] {
            if (!WritingEveryControl() && edtMNATime->text() == *releaseShown) return;
            Live().SqReleaseTime =
                SqReleaseTimeFromMs(ParseIntEdit(SqReleaseRule(), FromQ(edtMNATime->text())));
        },
        [this] { return Live().SqReleaseTime != WorkingCopy().SqReleaseTime; });
    BindIndex(cmbMSRTime, Field(&TRKmem::NoiseSqAttackTime));
    BindIndex(cmbMSH, Field(&TRKmem::NoiseSqHysteresis));
    BindIndex(cmbMDRData, Field(&TRKmem::DcsRxInverted));
    BindIndex(cmbMDTData, Field(&TRKmem::DcsTxInverted));
    auto memoryShown = std::make_shared<int>(-1);
    Bind(
        [this, memoryShown] {
            cmbMMType->setCurrentIndex(Live().MemoryType == 2 ? 1 : 0);
            *memoryShown = cmbMMType->currentIndex();
        },
        [this, memoryShown] {
            const int i = cmbMMType->currentIndex();
            if (i >= 0 && (WritingEveryControl() || i != *memoryShown)) Live().MemoryType = i == 1 ? 2 : 0;
        },
        [this] { return Live().MemoryType != WorkingCopy().MemoryType; });
    BindInt(edtMSPBR, PllBRule(), Field(&TRKmem::ScanPllBRegister));
    for (auto field :
         {&TRKmem::LvhfBand, &TRKmem::BandCode, &TRKmem::VhfBand, &TRKmem::UhfBand, &TRKmem::StbyIndex})
        CompareField(field);
    CompareField(&TRKmem::ProductType);
    CompareField(&TRKmem::StandbyRepeaterData);
}

void TfrmHardware::ShowStbyRx(int bandPosition, int stbyEntry, bool lowVhf, bool normalise) {
    const TSTBYRPData& entry = Live().StandbyRepeaterData.Items[StbyEntryIndex(stbyEntry)];
    std::string text = FormatFixed(DecodeStbyRx(Live(), entry, bandPosition, lowVhf), 6, 3);
    if (normalise)
        text = NormalizeStbyText(Live(), IndexOr(cmbCHType, 0), bandPosition, IndexOr(cmbMPType, 1), text);
    edtMSRX->setText(ToQ(text));
}

void TfrmHardware::FormShow() {
    const TRKmem& m = Live();
    cmbRfDeck->setCurrentIndex(0);
    cmbAModel->setCurrentIndex(0);
    SelectIndex(cmbCHType, m.ControlHeadType);
    choice_.Show(BandType(m), ProductPosition(m.ProductType));
    shownBand_ = choice_.RememberedBand;
    shownProduct_ = choice_.RememberedProduct;
    const int band = cmbMFBand->currentIndex();
    ShowStbyRx(band, m.StbyIndex, band == 0 || band == 1, false);
    shownStbyRx_ = edtMSRX->text();
}

void TfrmHardware::UpdateEnabled() {
    const int factory = Ctx.StartupMode == 2 ? 1 : 0;
    SetControlEnabled(cmbRfDeck, 0);
    SetControlEnabled(cmbAModel, factory);
    SetControlEnabled(cmbCHType, 1);
    SetControlEnabled(cmbMFBand, 1);
    SetControlEnabled(cmbMPType, 1);
    SetControlEnabled(cmbMSDelay, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{edtMNATime, cmbMSRTime, cmbMSH, cmbMDRData, cmbMDTData,
                                                      cmbMMType, edtMSPBR})
        SetControlEnabled(w, factory);
    SetControlEnabled(edtMSRX, 0);
    for (QWidget* w :
         std::initializer_list<QWidget*>{cmbSFBand, cmbSPType, cmbSSDelay, edtSNATime, cmbSSRTime, cmbSSH,
                                         cmbSDRData, cmbSDTData, cmbSMType, edtSSPBR, edtSSRX})
        SetControlEnabled(w, 0);
}

void TfrmHardware::cmbMFBandChange() {
    if (!choice_.BandChange()) return;
    const int band = cmbMFBand->currentIndex();
    const THwBand& b = HardwareBand(band, IsTr2300(IndexOr(cmbMPType, 1)));
    SelectIndex(cmbMSDelay, b.SqDelayMs - 5);
    edtMNATime->setText(ToQ(IntEditDisplay(SqReleaseRule(), b.SqReleaseMs)));
    SelectIndex(cmbMSRTime, (b.AttackMs - 10) / 5);
    SelectIndex(cmbMSH, b.Hysteresis);
    SelectIndex(cmbMDRData, b.DcsRxInverted);
    SelectIndex(cmbMDTData, b.DcsTxInverted);
    ShowStbyRx(band, b.StbyEntry, b.LowVhf, true);
}

void TfrmHardware::cmbMPTypeChange() {
    choice_.ProductChange();
}

bool TfrmHardware::PrepareWrite() {
    TRKmem& m = Live();
    const int band = IndexOr(cmbMFBand, shownBand_);
    const int product = IndexOr(cmbMPType, shownProduct_);
    templateApplied_ = band != shownBand_ || product != shownProduct_;
    if (templateApplied_) {
        Ctx.HardwareChanged = true;
        ApplyBandTemplate(m, Ctx.Image, Ctx.TemplateChannel,
                          TemplatePathFor(IndexOr(cmbCHType, m.ControlHeadType), band, product),
                          band != shownBand_, TCodecContext{Ctx.StartupMode});
        // The template replaced the live settings: the rows go over it as shown.
        WriteEveryControl();
    }
    return true;
}

bool TfrmHardware::WriteBack() {
    TRKmem& m = Live();
    m.ControlHeadType = IndexOr(cmbCHType, m.ControlHeadType);
    // Band fields, product and the standby entry follow the band and product
    // rows; untouched, they keep what is stored (a text in "%3.6f" is not
    // read back over a finer stored frequency).
    if (!templateApplied_ && edtMSRX->text() == shownStbyRx_) return true;
    const int band = IndexOr(cmbMFBand, shownBand_);
    const int product = IndexOr(cmbMPType, shownProduct_);
    const int32_t stbyEntry = WriteBandFields(m, band, IsTr2300(product));
    m.ProductType = kProductTypes[static_cast<size_t>(std::clamp(product, 0, 2))];
    double mhz = 0;
    if (TextToFloat(TrimText(FromQ(edtMSRX->text())), mhz)) {
        TSTBYRPData& entry = m.StandbyRepeaterData.Items[StbyEntryIndex(stbyEntry)];
        entry = EncodeStbyRx(m, entry, mhz, band);
    }
    m.StbyIndex = stbyEntry;
    return true;
}

bool ExecuteHardwareDialog(QWidget* parent, TEditorState& context) {
    TfrmHardware dialog(parent, context);
    return dialog.Execute();
}
