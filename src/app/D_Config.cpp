#include "app/D_Config.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/dc_GuiSeams.h"
#include "app/dc_Help.h"
#include "dialogs/DlgBase.h"
#include "model/dc_Ini.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Text.h"

TfrmConfig::TfrmConfig(const TConfigData& data, QWidget* parent, TPortTester tester, TDeviceLister lister)
    : QDialog(parent, DialogWindowFlags()), data_(data),
      tester_(tester ? std::move(tester) : TPortTester(&OpenPortOnce)) {
    setWindowTitle(QStringLiteral("Configuration"));
    auto* label = new QLabel(QStringLiteral("Select COM Port"), this);

    auto* comBox = new QGroupBox(QStringLiteral("COM Port"), this);
    auto* comGrid = new QGridLayout(comBox);
    const std::vector<std::string> devices = lister ? lister() : SerialDevices();
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(QStringLiteral("COM &%1").arg(i + 1), comBox);
        button->setObjectName(QStringLiteral("rbtnCom%1").arg(i + 1));
        auto* path = new QComboBox(comBox);
        path->setObjectName(QStringLiteral("cmbPath%1").arg(i + 1));
        path->setEditable(true);
        path->setInsertPolicy(QComboBox::NoInsert);
        // Wide enough for a by-id name, which is how adapters are told apart.
        path->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        path->setMinimumContentsLength(28);
        for (const auto& d : devices)
            path->addItem(PathToQ(d));
        // A window is first sized to at most two thirds of the screen; the
        // names must show whole all the same.
        int longest = 0;
        for (int k = 0; k < path->count(); ++k)
            longest = std::max(longest, path->fontMetrics().horizontalAdvance(path->itemText(k)));
        QStyleOptionComboBox option;
        option.initFrom(path);
        option.editable = true;
        path->setMinimumWidth(
            path->style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(longest, 0), path).width());
        comGrid->addWidget(button, i, 0);
        comGrid->addWidget(path, i, 1);
        rbtnCom[static_cast<size_t>(i)] = button;
        cmbPath[static_cast<size_t>(i)] = path;
    }

    rgpHelp = new QGroupBox(QStringLiteral("Help Language"), this);
    rgpHelp->setObjectName(QStringLiteral("rgpHelp"));
    rbtnEnglish = new QRadioButton(QStringLiteral("&English"), rgpHelp);
    rbtnSpanish = new QRadioButton(QStringLiteral("&Spanish"), rgpHelp);
    auto* helpGroup = new QButtonGroup(rgpHelp);
    helpGroup->addButton(rbtnEnglish, 0);
    helpGroup->addButton(rbtnSpanish, 1);
    auto* helpLayout = new QVBoxLayout(rgpHelp);
    helpLayout->addWidget(rbtnEnglish);
    helpLayout->addWidget(rbtnSpanish);

    const TOkCancel okCancel = MakeOkCancel(this, "btnOK", "btnCancel");
    btnOK = okCancel.Ok;
    btnCancel = okCancel.Cancel;
    connect(btnOK, &QPushButton::clicked, this, &TfrmConfig::btnOKClick);
    QHBoxLayout* buttons = okCancel.Row;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(comBox);
    layout->addWidget(rgpHelp);
    layout->addLayout(buttons);

    FormShow();
}

void TfrmConfig::FormShow() {
    const int32_t port = data_.ComPortNo >= 2 && data_.ComPortNo <= 4 ? data_.ComPortNo : 1;
    rbtnCom[static_cast<size_t>(port - 1)]->setChecked(true);
    for (size_t i = 0; i < 4; ++i)
        cmbPath[i]->setEditText(PathToQ(data_.PortMap.Paths[i]));
    // A language outside the list selects neither item, as before.
    rbtnEnglish->setChecked(data_.HelpLanguage == 0);
    rbtnSpanish->setChecked(data_.HelpLanguage == 1);
}

void TfrmConfig::btnOKClick() {
    data_.ComPortNo = 1;
    for (int i = 1; i < 4; ++i)
        if (rbtnCom[static_cast<size_t>(i)]->isChecked()) data_.ComPortNo = i + 1;
    for (size_t i = 0; i < 4; ++i) {
        // An emptied path would leave the port unusable; keep the one it had.
        const std::string path = TrimText(PathFromQ(cmbPath[i]->currentText()).string());
        if (!path.empty()) data_.PortMap.Paths[i] = path;
    }
    // The port is taken over even when it cannot be opened now: the cable or
    // adapter may simply not be plugged in yet.
    if (tester_("COM" + std::to_string(data_.ComPortNo), data_.PortMap) == 1)
        ShowMessageBox("Problem on COM port", TMsgType::Error, TMsgButtons::Ok);
    if (rbtnEnglish->isChecked()) data_.HelpLanguage = 0;
    if (rbtnSpanish->isChecked()) data_.HelpLanguage = 1;
    accept();
}

void TfrmConfig::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelp(0);
        return;
    }
    QDialog::keyPressEvent(event);
}

int32_t TfrmConfig::OpenPortOnce(const std::string& portName, const TPortMap& map) {
    TCRsDrv driver(SystemClock(), map);
    const int32_t result = driver.Open(portName);
    // A failed open may still hold the device (it opened, then a setting was refused).
    driver.Close();
    return result;
}

std::vector<std::string> TfrmConfig::SerialDevices(const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    std::vector<std::string> paths;
    std::error_code ec;
    // USB adapters change their ttyUSB number with the plugging order; the
    // by-id links keep a name that tells which adapter it is.
    std::vector<std::string> byId;
    for (fs::directory_iterator it(root / "serial" / "by-id", ec), end; !ec && it != end; it.increment(ec))
        byId.push_back(it->path().string());
    std::sort(byId.begin(), byId.end());
    paths.insert(paths.end(), byId.begin(), byId.end());

    static constexpr std::array<const char*, 3> kPrefixes{"ttyUSB", "ttyACM", "ttyS"};
    std::vector<std::pair<size_t, std::string>> found; // (kind, name)
    ec.clear();
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        for (size_t k = 0; k < kPrefixes.size(); ++k) {
            const std::string_view prefix = kPrefixes[k];
            if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
                std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                            [](char c) { return c >= '0' && c <= '9'; })) {
                found.emplace_back(k, name);
                break;
            }
        }
    }
    // ttyS10 after ttyS9: by kind, then by number.
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        if (a.second.size() != b.second.size()) return a.second.size() < b.second.size();
        return a.second < b.second;
    });
    for (const auto& f : found)
        paths.push_back((root / f.second).string());
    return paths;
}

bool TfrmConfig::Execute(QWidget* parent, int& comPortNo, int& helpLanguage, TIniData& ini) {
    TConfigData data;
    data.ComPortNo = comPortNo;
    data.HelpLanguage = helpLanguage;
    data.PortMap = ReadPortMap(ini);
    if (!Execute(parent, data)) return false;
    comPortNo = data.ComPortNo;
    helpLanguage = data.HelpLanguage;
    WritePortMap(data.PortMap, ini);
    ini.Save(); // like the other settings, a file that cannot be written is not an error
    return true;
}

bool TfrmConfig::Execute(QWidget* parent, TConfigData& data) {
    TfrmConfig dialog(data, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    data = dialog.Data();
    return true;
}
