#pragma once
// Serial port and help language. COM1..COM4 stand for device paths here, so
// each port shows (and lets the user change) the path it resolves to.

#include <QDialog>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "link/dc_RsDrv.h"

class QComboBox;
class QPushButton;
class QRadioButton;
class QButtonGroup;
class QGroupBox;
class TIniData;

struct TConfigData {
    int32_t ComPortNo = 1;
    int32_t HelpLanguage = 0;
    TPortMap PortMap; // the "RK36.ini" keys COM1..COM4
};

class TfrmConfig : public QDialog {
    Q_OBJECT
  public:
    // Opens a port by name ("COM2") against a port map: 0 when it opened, 1 when not.
    using TPortTester = std::function<int32_t(const std::string& portName, const TPortMap& map)>;
    // The serial device paths present on this machine.
    using TDeviceLister = std::function<std::vector<std::string>()>;

    explicit TfrmConfig(const TConfigData& data, QWidget* parent = nullptr, TPortTester tester = {},
                        TDeviceLister lister = {});

    // The settings after OK.
    const TConfigData& Data() const { return data_; }

    // Runs the dialog modally; on OK writes the settings back and returns true.
    static bool Execute(QWidget* parent, TConfigData& data);

    // The same for the main window's Configure command: the device paths
    // come from the configuration file's COM1..COM4 keys and, on OK, go back
    // into it and are saved at once, so the next transfer opens the new path.
    static bool Execute(QWidget* parent, int& comPortNo, int& helpLanguage, TIniData& ini);

    // The real test open: a serial driver with its default settings, opened and closed again.
    static int32_t OpenPortOnce(const std::string& portName, const TPortMap& map);
    // The serial devices under `root` ("/dev" on a real system): first the
    // adapters by their readable names (serial/by-id/*, sorted), then
    // ttyUSB*, ttyACM* and ttyS*, sorted by kind, then number.
    static std::vector<std::string> SerialDevices(const std::filesystem::path& root = "/dev");

    std::array<QRadioButton*, 4> rbtnCom{};
    std::array<QComboBox*, 4> cmbPath{};
    QGroupBox* rgpHelp;
    QRadioButton* rbtnEnglish;
    QRadioButton* rbtnSpanish;
    QPushButton* btnOK;
    QPushButton* btnCancel;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FormShow();
    void btnOKClick();

    TConfigData data_;
    TPortTester tester_;
};
