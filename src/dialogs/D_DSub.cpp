#include "dialogs/D_DSub.h"

#include <QCheckBox>
#include <QComboBox>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "dialogs/dc_ChannelPicker.h"
#include "dialogs/dc_DSubRules.h"

namespace {

constexpr uint32_t hcDsub = 98329;
constexpr int kSwitchRows = 15;

QStringList ToQtList(const std::vector<std::string>& texts) {
    QStringList list;
    for (const auto& t : texts)
        list << ToQ(t);
    return list;
}

std::string ShownText(const QComboBox* box) {
    return box->currentIndex() >= 0 ? FromQ(box->currentText()) : std::string();
}

std::vector<std::string> ShownTexts(const std::vector<QComboBox*>& boxes) {
    std::vector<std::string> texts;
    for (const QComboBox* b : boxes)
        texts.push_back(ShownText(b));
    return texts;
}

// Each function goes to one pin at most: every box of the kind is offered
// what the others do not show, and keeps what it shows.
void RefillExclusiveBoxes(const std::vector<QComboBox*>& boxes, const std::vector<std::string>& names) {
    const auto lists = ExclusiveItemLists(names, ShownTexts(boxes));
    for (size_t i = 0; i < boxes.size(); ++i)
        RefillComboKeepingText(boxes[i], ToQtList(lists[i]));
}

void FollowTick(QCheckBox* check) {
    check->setText(check->isChecked() ? QStringLiteral("Invert") : QStringLiteral("Normal"));
}

QString SwitchCaption(int row) {
    return row <= 9 ? QStringLiteral("&%1").arg(row)
                    : QStringLiteral("%1(&%2)").arg(row).arg(QChar(QLatin1Char('A' + (row - 10))));
}

// "cmbGrp1" .. "cmbChl15", kept for as long as the program runs, as a
// control definition's name must be.
const char* SwitchBoxName(const char* prefix, int row) {
    static std::map<std::string, std::string> names;
    const std::string name = prefix + std::to_string(row);
    return names.emplace(name, name).first->second.c_str();
}

} // namespace

TfrmDSub::TfrmDSub(QWidget* parent, TEditorState& context)
    : TDlgBase(parent, context, QStringLiteral("Dsub25 connector"), 460, 560) {
    auto check = [this](int row, const TDsubPolarity& p) {
        TControlDef def;
        def.Name = p.Name;
        def.HelpContext = hcDsub;
        QCheckBox* c = AddCheck(row, 1, def, QStringLiteral("Normal"));
        // As wide as its text: a click beside it is no click on it.
        c->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        connect(c, &QCheckBox::toggled, c, [c] { FollowTick(c); });
        BindCheck(c, Field(p.Flag), p.Ticked == 0);
        return c;
    };
    const QString outHint = QStringLiteral("Function port select");
    const QString inHint = QStringLiteral("Function select");

    // The pins with a function box follow External SQL / External PTT in
    // the order of their tables.
    AddPage(QStringLiteral("Output port"));
    AddColumnHeaders({QStringLiteral("Polarity"), QStringLiteral("Function")});
    for (size_t i = 0; i < kDsubOutPolarity.size(); ++i) {
        const int row = AddRow(ToQ(kDsubOutPolarity[i].Pin));
        OutPolarity.push_back(check(row, kDsubOutPolarity[i]));
        if (i == 0) continue;
        outBoxes_.push_back(AddCombo(row, 2, ComboDef(kDsubOutPins[i - 1].Box, hcDsub, outHint),
                                     ToQtList(kDsubOutFunctionNames)));
    }
    cmbNo19 = outBoxes_[0];
    cmbNo20 = outBoxes_[1];
    cmbNo21 = outBoxes_[2];
    cmbNo22 = outBoxes_[3];
    cmbNoAkey = outBoxes_[4];

    AddPage(QStringLiteral("Input port"));
    AddColumnHeaders({QStringLiteral("Polarity"), QStringLiteral("Function")});
    for (size_t i = 0; i < kDsubInPolarity.size(); ++i) {
        const int row = AddRow(ToQ(kDsubInPolarity[i].Pin));
        InPolarity.push_back(check(row, kDsubInPolarity[i]));
        if (i == 0) continue;
        if (i <= kDsubInPins.size())
            inBoxes_.push_back(AddCombo(row, 2, ComboDef(kDsubInPins[i - 1].Box, hcDsub, inHint),
                                        ToQtList(kDsubInFunctionNames)));
        else
            cmbNiI16 = AddCombo(row, 2, ComboDef("cmbNiI16", hcDsub, inHint),
                                {QStringLiteral("None"), QStringLiteral("LOW")});
    }
    cmbNiISel = inBoxes_[0];
    cmbNiI03 = inBoxes_[1];
    cmbNiI04 = inBoxes_[2];
    cmbNiI05 = inBoxes_[3];
    cmbNiI06 = inBoxes_[4];

    AddPage(QStringLiteral("Channel switch Table"));
    AddColumnHeaders({QStringLiteral("Group"), QStringLiteral("Channel")});
    for (int n = 1; n <= kSwitchRows; ++n) {
        const int row = AddRow(SwitchCaption(n));
        auto* g = AddCombo(
            row, 1, ComboDef(SwitchBoxName("cmbGrp", n), hcDsub, QStringLiteral("Group tag select")), {});
        auto* c = AddCombo(
            row, 2, ComboDef(SwitchBoxName("cmbChl", n), hcDsub, QStringLiteral("Channel tag select")), {});
        auto* picker = new TGroupChannelPicker(g, c, {true, true});
        picker->OnChange = [this] { RefillExclusive(Switches); };
        Switches.push_back(picker);
        // Entry 0 of the table is not a switch position and stays as it is.
        BindPicker(picker, Member(&TRKmem::CodeSwitches, n, &TCHCodeSW::Group),
                   Member(&TRKmem::CodeSwitches, n, &TCHCodeSW::Position));
    }
    if (Pages()) Pages()->setCurrentIndex(0);

    BindOutFunctions();
    for (size_t i = 0; i < inBoxes_.size(); ++i)
        BindInFunction(inBoxes_[i], kDsubInPins[i].Function);
    BindInvertedFlag(cmbNiI16, Field(&TRKmem::DsubIn16Level));

    for (QComboBox* b : outBoxes_)
        connect(b, &QComboBox::activated, this,
                [this] { RefillExclusiveBoxes(outBoxes_, kDsubOutFunctionNames); });
    for (QComboBox* b : inBoxes_)
        connect(b, &QComboBox::activated, this,
                [this] { RefillExclusiveBoxes(inBoxes_, kDsubInFunctionNames); });
}

void TfrmDSub::BindOutFunctions() {
    auto shown = std::make_shared<std::vector<std::string>>();
    Bind(
        [this, shown] {
            TPortPins assignments{};
            for (size_t p = 0; p < kDsubOutFunctions.size(); ++p)
                assignments[p] = Live().*kDsubOutFunctions[p];
            const TPinPorts ports = PortsShownOnPins(assignments);
            for (size_t i = 0; i < outBoxes_.size(); ++i)
                RefillCombo(outBoxes_[i], ToQtList(kDsubOutFunctionNames), ports[i]);
            *shown = ShownTexts(outBoxes_);
        },
        [this, shown] {
            const auto now = ShownTexts(outBoxes_);
            // Untouched, the stored assignments stay, also those no box shows.
            if (!WritingEveryControl() && now == *shown) return;
            TPinPorts ports{};
            for (size_t i = 0; i < now.size(); ++i) {
                const auto it = std::find(kDsubOutFunctionNames.begin(), kDsubOutFunctionNames.end(), now[i]);
                ports[i] = it == kDsubOutFunctionNames.end()
                               ? 0
                               : static_cast<int>(it - kDsubOutFunctionNames.begin());
            }
            const TPortPins assignments = AssignmentsFromPins(ports);
            for (size_t p = 0; p < kDsubOutFunctions.size(); ++p)
                Live().*kDsubOutFunctions[p] = assignments[p];
        },
        [this] {
            return std::any_of(kDsubOutFunctions.begin(), kDsubOutFunctions.end(),
                               [this](int32_t TRKmem::*f) { return Live().*f != WorkingCopy().*f; });
        });
}

void TfrmDSub::BindInFunction(QComboBox* box, int32_t TRKmem::*field) {
    auto shown = std::make_shared<std::string>();
    Bind(
        [this, box, field, shown] {
            RefillCombo(box, ToQtList(kDsubInFunctionNames), DsubInFunctionItem(Live().*field));
            *shown = ShownText(box);
        },
        [this, box, field, shown] {
            if (box->currentIndex() < 0 || (!WritingEveryControl() && ShownText(box) == *shown)) return;
            Live().*field = DsubInFunctionCodeOf(ShownText(box));
        },
        [this, field] { return Live().*field != WorkingCopy().*field; });
}

void TfrmDSub::FormShow() {
    for (QCheckBox* c : OutPolarity)
        FollowTick(c);
    for (QCheckBox* c : InPolarity)
        FollowTick(c);
    RefillExclusiveBoxes(outBoxes_, kDsubOutFunctionNames);
    RefillExclusiveBoxes(inBoxes_, kDsubInFunctionNames);
    RefillExclusive(Switches);
}

bool ExecuteDSubDialog(QWidget* parent, TEditorState& context) {
    TfrmDSub dialog(parent, context);
    return dialog.Execute();
}
