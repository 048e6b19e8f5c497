#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "app/D_About.h"
#include "app/D_Config.h"
#include "app/D_FData.h"
#include "app/D_Pass.h"
#include "app/D_Visible.h"
#include "app/dc_EditorState.h"
#include "app/dc_GuiSeams.h"
#include "image/dc_Map36.h"
#include "model/dc_Ini.h"
#include "model/dc_MessageBox.h"
#include "model/dc_RKmem.h"
#include "support/GuiSupport.h"
#include "support/ScratchFolder.h"

namespace {

class SmallDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { EnsureApp(); }
};

// ---- Column visibility -------------------------------------------------------

TEST_F(SmallDialogTest, VisibleBoxesFollowTheirGroups) {
    TItemVisible flags;
    flags.fill(1);
    flags[2] = 0;  // group 3, W/N
    flags[7] = 0;  // group 8, Tx Power (chk06: the boxes skip group 7)
    flags[18] = 0; // group 19, Selectable Tone
    TfrmVisible d(flags, false, false);
    for (int i = 0; i < TfrmVisible::kBoxCount; ++i) {
        const bool hidden = i == 2 || i == 6 || i == 17;
        EXPECT_EQ(d.chk[static_cast<size_t>(i)]->isChecked(), !hidden) << "chk" << i;
    }
    EXPECT_EQ(d.chk[0]->text().toStdString(), "Pr&i");
    EXPECT_EQ(d.chk[17]->text().toStdString(), "Sele&ctable Tone");
    EXPECT_EQ(d.chk[14]->text().toStdString(), "Page/Sig");
    EXPECT_TRUE(d.chk[10]->isEnabled());
    EXPECT_EQ(TfrmVisible::HelpContextOf(5), 307);
    EXPECT_EQ(TfrmVisible::HelpContextOf(15), 322);
}

TEST_F(SmallDialogTest, VisibleFleetFormatAndMdcCondition) {
    TItemVisible flags;
    flags.fill(1);
    TfrmVisible d(flags, true, true);
    EXPECT_EQ(d.chk[14]->text().toStdString(), "Page/Sig/MDC1200");
    EXPECT_FALSE(d.chk[10]->isEnabled()); // ANI is carried by the MDC1200 column
}

TEST_F(SmallDialogTest, VisibleOkWritesEveryBoxButLeavesGroupSeven) {
    TItemVisible flags;
    flags.fill(1);
    flags[6] = 0; // group 7 has no box and must keep its value
    TItemVisible before = flags;
    TfrmVisible d(flags, false, false);
    ShowAndWait(d);
    d.chk[3]->setFocus();
    QTest::keyClick(d.chk[3], Qt::Key_Space);   // TAG off
    ClickIndicator(d.chk[12]);                  // Encr off
    QTest::keyClick(d.chk[12], Qt::Key_Return); // Enter on a box acts as OK
    ASSERT_EQ(d.result(), QDialog::Accepted);
    TItemVisible expected = before;
    expected[3] = 0;
    expected[13] = 0;
    EXPECT_EQ(d.ItemVisible(), expected);
}

TEST_F(SmallDialogTest, VisibleCancelKeepsTheFlags) {
    TItemVisible flags;
    flags.fill(0);
    TfrmVisible d(flags, false, false);
    ShowAndWait(d);
    ClickIndicator(d.chk[0]);
    QTest::mouseClick(d.btnCancel, Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(d.ItemVisible(), flags);
}

// ---- Window frames -------------------------------------------------------------

TEST_F(SmallDialogTest, DialogsAndMessageBoxesOfferOnlyAClose) {
    auto onlyClose = [](const QWidget& w) {
        const Qt::WindowFlags flags = w.windowFlags();
        return (flags & Qt::CustomizeWindowHint) && (flags & Qt::WindowCloseButtonHint) &&
               !(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    };
    TItemVisible flags{};
    TEditorState state;
    state.Model.SetNewConfiguration();
    EXPECT_TRUE(onlyClose(TfrmAbout()));
    EXPECT_TRUE(onlyClose(TfrmPass()));
    EXPECT_TRUE(onlyClose(TfrmVisible(flags, false, false)));
    EXPECT_TRUE(onlyClose(TfrmConfig(TConfigData{}, nullptr, {}, [] { return std::vector<std::string>{}; })));
    EXPECT_TRUE(onlyClose(TfrmFData(state)));

    bool boxChecked = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        boxChecked = onlyClose(*box);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    TQtMessageSink().Show(TMessage{"Problem on COM port", TMsgType::Error, TMsgButtons::Ok, 0});
    EXPECT_TRUE(boxChecked);
}

// ---- Configuration -----------------------------------------------------------

struct TTesterLog {
    std::vector<std::string> Names;
    std::vector<TPortMap> Maps;
};

TfrmConfig::TPortTester Tester(TTesterLog& log, int32_t result) {
    return [&log, result](const std::string& name, const TPortMap& map) {
        log.Names.push_back(name);
        log.Maps.push_back(map);
        return result;
    };
}

TfrmConfig::TDeviceLister NoDevices() {
    return [] { return std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyACM0"}; };
}

TEST_F(SmallDialogTest, ConfigShowsPortAndLanguage) {
    const struct {
        int32_t Port;
        int Checked; // 0-based button
    } cases[] = {{1, 0}, {2, 1}, {3, 2}, {4, 3}, {7, 0}, {0, 0}, {-2, 0}};
    TTesterLog log;
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "port " << c.Port);
        TConfigData data;
        data.ComPortNo = c.Port;
        TfrmConfig d(data, nullptr, Tester(log, 0), NoDevices());
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(d.rbtnCom[static_cast<size_t>(i)]->isChecked(), i == c.Checked) << "port " << c.Port;
    }
    TConfigData data;
    data.HelpLanguage = 1;
    data.PortMap.Paths[2] = "/dev/ttyS3";
    TfrmConfig d(data, nullptr, Tester(log, 0), NoDevices());
    EXPECT_EQ(d.rbtnCom[0]->text().toStdString(), "COM &1");
    EXPECT_TRUE(d.rbtnSpanish->isChecked());
    EXPECT_FALSE(d.rbtnEnglish->isChecked());
    EXPECT_EQ(d.cmbPath[2]->currentText().toStdString(), "/dev/ttyS3");
    EXPECT_EQ(d.cmbPath[0]->currentText().toStdString(), "/dev/ttyUSB0");
    EXPECT_EQ(d.cmbPath[0]->count(), 2); // the devices present, to choose from
    EXPECT_TRUE(log.Names.empty());      // nothing is opened before OK
}

TEST_F(SmallDialogTest, ConfigListsTheSerialDevicesAndShowsTheirWholeNames) {
    namespace fs = std::filesystem;
    const TScratchFolder scratch("rk36-dev");
    const fs::path& root = scratch.Path();
    fs::create_directories(root / "serial" / "by-id");
    const std::string adapter = "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    for (const char* name : {"ttyS10", "ttyS2", "ttyACM0", "ttyUSB1", "ttyUSB0", "ttyUSBx", "tty0", "ttyS"})
        std::ofstream(root / name).put('x');
    fs::create_symlink("../../ttyUSB0", root / "serial" / "by-id" / adapter);
    const std::vector<std::string> want = {(root / "serial" / "by-id" / adapter).string(),
                                           (root / "ttyUSB0").string(),
                                           (root / "ttyUSB1").string(),
                                           (root / "ttyACM0").string(),
                                           (root / "ttyS2").string(),
                                           (root / "ttyS10").string()};
    EXPECT_EQ(TfrmConfig::SerialDevices(root), want);
    EXPECT_EQ(TfrmConfig::SerialDevices(root / "missing"), std::vector<std::string>{});

    TConfigData data;
    data.PortMap.Paths[0] = want[0];
    TfrmConfig d(data, nullptr, {}, [&] { return want; });
    ShowAndWait(d);
    const int needed = d.cmbPath[0]->fontMetrics().horizontalAdvance(QString::fromStdString(want[0]));
    EXPECT_GE(d.cmbPath[0]->lineEdit()->width(), needed) << "the whole device name is visible";
}

TEST_F(SmallDialogTest, ConfigPortThatCannotBeOpenedIsStillTaken) {
    TScopedMessages messages;
    TTesterLog log;
    TConfigData data; // port 1, English
    TfrmConfig d(data, nullptr, Tester(log, 1), NoDevices());
    ShowAndWait(d);
    ClickIndicator(d.rbtnCom[2]);
    ClickIndicator(d.rbtnSpanish);
    QTest::mouseClick(d.btnOK, Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.Data().ComPortNo, 3);
    EXPECT_EQ(d.Data().HelpLanguage, 1);
    EXPECT_EQ(log.Names, std::vector<std::string>{"COM3"});
    ASSERT_EQ(messages->Shown.size(), 1u);
    EXPECT_EQ(messages->Shown[0].Text, "Problem on COM port");
    EXPECT_EQ(messages->Shown[0].Type, TMsgType::Error);
    EXPECT_EQ(messages->Shown[0].Buttons, TMsgButtons::Ok);
}

TEST_F(SmallDialogTest, ConfigTypedDevicePathIsTestedAndKept) {
    TScopedMessages messages;
    TTesterLog log;
    TConfigData data;
    data.ComPortNo = 2;
    TfrmConfig d(data, nullptr, Tester(log, 0), NoDevices());
    ShowAndWait(d);
    QLineEdit* path = d.cmbPath[1]->lineEdit();
    path->selectAll();
    QTest::keyClicks(path, "/dev/pts/7");
    d.cmbPath[3]->lineEdit()->clear(); // an emptied path keeps the old one
    QTest::mouseClick(d.btnOK, Qt::LeftButton);
    ASSERT_EQ(d.result(), QDialog::Accepted);
    EXPECT_TRUE(messages->Shown.empty());
    EXPECT_EQ(d.Data().PortMap.Paths[1], "/dev/pts/7");
    EXPECT_EQ(d.Data().PortMap.Paths[3], "/dev/ttyUSB3");
    ASSERT_EQ(log.Maps.size(), 1u);
    EXPECT_EQ(log.Names[0], "COM2");
    EXPECT_EQ(log.Maps[0].Paths[1], "/dev/pts/7"); // the test open sees the new path
}

TEST_F(SmallDialogTest, ConfigRealTestOpenOfAMissingDevice) {
    TScopedMessages messages;
    TConfigData data;
    data.ComPortNo = 4;
    data.PortMap.Paths[3] = "/nonexistent/rk36-tty";
    TfrmConfig d(data, nullptr, {}, NoDevices());
    ShowAndWait(d);
    QTest::mouseClick(d.btnOK, Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.Data().ComPortNo, 4);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Problem on COM port"});
}

TEST_F(SmallDialogTest, ConfigCancelChangesNothing) {
    TTesterLog log;
    TConfigData data;
    data.ComPortNo = 2;
    TfrmConfig d(data, nullptr, Tester(log, 0), NoDevices());
    ShowAndWait(d);
    ClickIndicator(d.rbtnCom[3]);
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(d.Data().ComPortNo, 2);
    EXPECT_TRUE(log.Names.empty());
}

TEST_F(SmallDialogTest, ConfigStoresDevicePathsInTheConfigurationFile) {
    namespace fs = std::filesystem;
    const TScratchFolder dir("rk36-config");
    const fs::path file = dir / "RK36.ini";
    std::ofstream(file) << "COM_PORT=2\nCOM2 = /dev/ttyACM5 ; adapter\n";
    TIniData ini(file);
    ASSERT_TRUE(ini.Load());

    TScopedMessages messages;
    std::string shownPath;
    QTimer::singleShot(0, [&shownPath] {
        auto* d = qobject_cast<TfrmConfig*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        shownPath = d->cmbPath[1]->currentText().toStdString();
        d->cmbPath[1]->setEditText(QStringLiteral("/nonexistent/rk36-pts"));
        ClickIndicator(d->rbtnEnglish);
        QTest::mouseClick(d->btnOK, Qt::LeftButton);
    });
    int port = 2, language = 1;
    ASSERT_TRUE(TfrmConfig::Execute(nullptr, port, language, ini));
    EXPECT_EQ(shownPath, "/dev/ttyACM5");
    EXPECT_EQ(port, 2);
    EXPECT_EQ(language, 0);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Problem on COM port"}); // the real driver tried
    EXPECT_EQ(ini.ReadStr("com2", ""), "/nonexistent/rk36-pts");
    EXPECT_EQ(ini.ReadStr("COM1", ""), "/dev/ttyUSB0");
    std::stringstream text;
    text << std::ifstream(file).rdbuf();
    EXPECT_NE(text.str().find("COM2=/nonexistent/rk36-pts;adapter"), std::string::npos) << text.str();
}

// ---- About -------------------------------------------------------------------

TEST_F(SmallDialogTest, AboutShowsTheVersionsAndEscapeIsOk) {
    TfrmAbout d;
    EXPECT_EQ(d.windowTitle().toStdString(), "About");
    EXPECT_EQ(d.lblVersion->text().toStdString(), "RK36 Ver.5.01");
    EXPECT_EQ(d.lblFileVersion->text().toStdString(), "File version 4.0.5");
    ShowAndWait(d);
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

} // namespace
