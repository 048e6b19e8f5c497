// Upload and Download from the editor: the transfer window against an
// in-process radio in virtual time, and once each against the radio
// simulator on a pseudo-terminal in real time.

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

#include "app/D_Radio.h"
#include "app/Main.h"
#include "app/dc_EditorState.h"
#include "app/dc_GuiSeams.h"
#include "dialogs/dc_HardwareRules.h"
#include "link/link_fakes.h"
#include "model/dc_MessageBox.h"
#include "support/GuiSupport.h"
#include "support/TransferSupport.h"

namespace fs = std::filesystem;

namespace {

const std::string kUploadPrompt = ClonePrompt("- Upload to PC -");
const std::string kDownloadPrompt = ClonePrompt("- Download from PC -");
const char* const kReflect = "Reflected in the this program";

class TransferTest : public TransferFixture {
  protected:
    // A main window on the default file, whose channel table differs from the radio's.
    std::unique_ptr<TfrmMain> Editor() {
        TRKmem file;
        file.SetNewConfiguration();
        for (int32_t i = 0; i < file.Channels.Count(); ++i)
            if (!file.Channels[i].Blank) {
                file.Channels[i].Narrow = 1 - file.Channels[i].Narrow;
                break;
            }
        TMap36 image;
        EXPECT_TRUE(SaveDataFile(folder / "default.K36", file, image));
        auto frm = std::make_unique<TfrmMain>(std::vector<std::string>{});
        // The grid's first store rewrites channel 0 of this file; settle that
        // before anything is compared.
        frm->CommitBeforeCommand();
        frm->State().SavedChannels.Assign(frm->State().Model.Channels);
        frm->State().FileModified = false;
        EXPECT_FALSE(frm->State().Model.Channels.Equals(radioModel.Channels));
        EXPECT_NE(frm->State().Model.SerialNumber, radioModel.SerialNumber);
        messages->Shown.clear();
        return frm;
    }

    // Every attempt of the search sends the search byte and a code, one byte each.
    int SearchAttempts() const {
        int n = 0;
        for (const auto& w : port.Writes)
            n += w.Bytes.size() == 1 ? 1 : 0;
        return n / 2;
    }
};

// ---- Cancel and close ---------------------------------------------------------------

TEST_F(TransferTest, EscDuringTheSearchEndsSilentlyAndChangesNothing) {
    for (const char* command : {"miUpload", "miDownload"}) {
        SCOPED_TRACE(command);
        messages->Shown.clear();
        radio.ModelCode = 0x01; // answered only late in the search
        const auto radioMain = radio.Main;
        const auto radioAux = radio.Aux;
        auto frm = Editor();
        const TRKmem before = frm->State().Model;
        const TMap36 imageBefore = frm->State().Image;
        port.Writes.clear();
        bool pressed = false;
        port.OnWrite = [&](const std::vector<uint8_t>&) {
            if (pressed || port.Writes.size() < 20) return;
            TfrmRadio* w = TransferWindow();
            ASSERT_NE(w, nullptr);
            EXPECT_FALSE(frm->isEnabled());
            QTest::keyClick(w, Qt::Key_Escape);
            pressed = true;
        };
        frm->RunCommand(command);
        port.OnWrite = nullptr;

        EXPECT_TRUE(pressed);
        const std::string prompt = std::string(command) == "miUpload" ? kUploadPrompt : kDownloadPrompt;
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{prompt});
        EXPECT_LT(SearchAttempts(), 40);
        EXPECT_TRUE(frm->State().Model.Equals(before));
        EXPECT_TRUE(frm->State().Image.Equals(imageBefore));
        EXPECT_FALSE(frm->State().FileModified);
        EXPECT_EQ(frm->State().CurrentFileName, (folder / "default.K36").string());
        EXPECT_TRUE(frm->isEnabled());
        EXPECT_EQ(radio.Main, radioMain);
        EXPECT_EQ(radio.Aux, radioAux);
        EXPECT_FALSE(fs::exists(BackupFolder()));
        EXPECT_EQ(TransferWindow(), nullptr);
    }
}

TEST_F(TransferTest, ClosingTheWindowDuringAReadDoesNothing) {
    auto frm = Editor();
    int closeTries = 0;
    port.OnWrite = [&](const std::vector<uint8_t>& bytes) {
        if (bytes.size() != 8 || bytes[0] != radio36::CmdReadMain || closeTries > 0) return;
        TfrmRadio* w = TransferWindow();
        ASSERT_NE(w, nullptr);
        ++closeTries;
        w->close();
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(w->isEnabled());
        EXPECT_FALSE(frm->isEnabled());
        EXPECT_EQ(w->lblMsg2->text(), "- Read from Radio -");
        EXPECT_EQ(w->progText->maximum(), 65);
    };
    messages->Answers = {TMsgResult::Ok, TMsgResult::Ok, TMsgResult::No};
    frm->RunCommand("miUpload");
    port.OnWrite = nullptr;
    EXPECT_EQ(closeTries, 1);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{kUploadPrompt, "Upload is completed", kReflect}));
}

// ---- Write checks ---------------------------------------------------------------------

TEST_F(TransferTest, AChangedBandRefusesTheStandardWriteWithoutSendingAByte) {
    auto frm = Editor();
    const TRKmem before = frm->State().Model;
    frm->State().HardwareChanged = true;
    frm->RunCommand("miDownload");
    ASSERT_EQ(messages->Shown.size(), 2u);
    EXPECT_EQ(messages->Shown[0].Text, kDownloadPrompt);
    EXPECT_EQ(messages->Shown[1].Text, MpuNoResponseMessage);
    EXPECT_TRUE(messages->Shown[1].Text.starts_with("MPU does not respond to the clone command."));
    EXPECT_EQ(messages->Shown[1].Type, TMsgType::Error);
    EXPECT_TRUE(port.OpenedName.empty());
    EXPECT_TRUE(port.Writes.empty());
    EXPECT_TRUE(radio.Events.empty());
    EXPECT_EQ(radio.BytesSent(), 0);
    EXPECT_TRUE(frm->State().Model.Equals(before)); // not even stamped
    EXPECT_TRUE(frm->State().HardwareChanged);
}

TEST_F(TransferTest, ManufactureModeWritesInFullEvenAfterABandChange) {
    auto frm = Editor();
    frm->State().StartupMode = 2;
    frm->State().HardwareChanged = true;
    frm->RunCommand("miDownload");
    EXPECT_EQ(messages.Texts().back(), "Download is completed");
    EXPECT_FALSE(port.FramesOf(radio36::CmdErase).empty());
    // Only the full write sends the identity blocks.
    bool identityWritten = false;
    for (const auto& f : port.FramesOf(radio36::CmdWriteAux))
        identityWritten |= f[1] == 0x40 && f[2] == 0x0C;
    EXPECT_TRUE(identityWritten);
}

TEST_F(TransferTest, AStandardWriteStampsTheSundayAndLeavesTheRadioAsWritten) {
    auto frm = Editor();
    const TMap36 radioBefore = [&] {
        TMap36 m;
        radio.StoreImage(m);
        return m;
    }();
    const auto radioAux = radio.Aux;
    frm->State().FileModified = true;
    // During the block writes Cancel is gone: neither Esc nor a close stops the write.
    bool tried = false;
    port.OnWrite = [&](const std::vector<uint8_t>& bytes) {
        if (tried || bytes.size() != 8 || bytes[0] != radio36::CmdWriteMain) return;
        tried = true;
        TfrmRadio* w = TransferWindow();
        ASSERT_NE(w, nullptr);
        EXPECT_FALSE(w->btnCancel->isVisible());
        QTest::keyClick(w, Qt::Key_Escape);
        w->close();
        EXPECT_TRUE(w->isVisible());
        EXPECT_FALSE(w->Cancelled);
    };
    frm->RunCommand("miDownload");
    port.OnWrite = nullptr;
    EXPECT_TRUE(tried);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{kDownloadPrompt, "Download is completed"}));

    // 23:59:59 on Sunday 6 December 2026, in the model and in the radio.
    const TRKmem& m = frm->State().Model;
    EXPECT_EQ((std::array{m.ProgCentury, m.ProgYear, m.ProgMonth, m.ProgDay, m.ProgWeekday, m.ProgHour,
                          m.ProgMinute, m.ProgSecond}),
              (std::array<int32_t, 8>{20, 26, 12, 6, 7, 23, 59, 59}));
    EXPECT_EQ((std::vector<uint8_t>(radio.Aux.begin() + 0x620, radio.Aux.begin() + 0x628)),
              (std::vector<uint8_t>{0x20, 0x26, 0x12, 0x06, 0x07, 0x23, 0x59, 0x59}));

    // The radio holds the image written: all of main memory, auxiliary memory
    // below the date; its identity blocks stay its own.
    const TMap36& image = frm->State().Image;
    EXPECT_TRUE(std::equal(radio.Main.begin(), radio.Main.end(), image.Buf.begin()));
    EXPECT_TRUE(std::equal(radio.Aux.begin(), radio.Aux.begin() + 0x620, image.Buf.begin() + 0x3200));
    EXPECT_TRUE(std::equal(radio.Aux.begin() + 0x0C00, radio.Aux.end(), radioAux.begin() + 0x0C00));
    EXPECT_TRUE(
        std::equal(image.Buf.begin() + 0x0001, image.Buf.begin() + 0x002A, radioBefore.Buf.begin() + 0x0001));
    TMap36 written;
    radio.StoreImage(written);
    const TRKmem inRadio = Decoded(written);
    EXPECT_EQ(inRadio.SerialNumber, radioModel.SerialNumber);
    EXPECT_TRUE(inRadio.Channels.Equals(m.Channels));
    EXPECT_FALSE(inRadio.Channels.Equals(radioModel.Channels));

    // The editor shows the radio's identity and keeps its file.
    EXPECT_EQ(m.SerialNumber, radioModel.SerialNumber);
    EXPECT_TRUE(frm->State().SavedChannels.Equals(m.Channels));
    EXPECT_EQ(frm->State().CurrentFileName, (folder / "default.K36").string());
    EXPECT_TRUE(frm->State().FileModified);
    EXPECT_EQ(frm->SystemPanel("pnlSerialNo")->text().toStdString(), radioModel.SerialNumber);
    EXPECT_TRUE(frm->isEnabled());
}

// ---- Read -------------------------------------------------------------------------------

TEST_F(TransferTest, AReadWithNoRadioEndsWithReadErrorAfterTheWholeSearch) {
    auto frm = Editor();
    const TRKmem before = frm->State().Model;
    port.NoRadio = true;
    frm->RunCommand("miUpload");
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{kUploadPrompt, "Read error"}));
    EXPECT_EQ(messages->Shown.back().Type, TMsgType::Error);
    EXPECT_EQ(SearchAttempts(), 3 + 37 * 3 + 256);
    EXPECT_TRUE(frm->State().Model.Equals(before));
    EXPECT_FALSE(frm->State().FileModified);
    EXPECT_FALSE(fs::exists(BackupFolder()));
}

TEST_F(TransferTest, ACompletedUploadReplacesTheModelOnlyWhenAccepted) {
    TMap expectedImage;
    radio.StoreImage(expectedImage);
    const std::string backupName = RadioBackupFileName(radioModel.SerialNumber, clock.Date);
    for (const TMsgResult answer : {TMsgResult::No, TMsgResult::Yes}) {
        SCOPED_TRACE(answer == TMsgResult::Yes ? "Yes" : "No");
        std::error_code ec;
        fs::remove_all(BackupFolder(), ec);
        auto frm = Editor();
        frm->State().HardwareChanged = true;
        const TRKmem before = frm->State().Model;
        const TMap36 imageBefore = frm->State().Image;
        messages->Answers = {TMsgResult::Ok, TMsgResult::Ok, answer};
        frm->RunCommand("miUpload");
        ASSERT_EQ(messages.Texts(),
                  (std::vector<std::string>{kUploadPrompt, "Upload is completed", kReflect}));
        EXPECT_EQ(messages->Shown[2].Type, TMsgType::Confirmation);
        EXPECT_EQ(messages->Shown[2].Buttons, TMsgButtons::YesNo);

        // Either way the image as read is kept, and the status bar says where.
        const fs::path backup = BackupFolder() / backupName;
        EXPECT_EQ(ReadFileBytes(backup), std::string(expectedImage.Buf.begin(), expectedImage.Buf.end()));
        EXPECT_TRUE(frm->StatusPanel(0)->text().contains(PathToQ(backup)));

        if (answer == TMsgResult::No) {
            EXPECT_TRUE(frm->State().Model.Equals(before));
            EXPECT_TRUE(frm->State().Image.Equals(imageBefore));
            EXPECT_FALSE(frm->State().FileModified);
            EXPECT_EQ(frm->State().CurrentFileName, (folder / "default.K36").string());
            EXPECT_TRUE(frm->State().HardwareChanged);
        } else {
            EXPECT_TRUE(frm->State().Model.Equals(radioModel));
            EXPECT_TRUE(frm->State().Image.Equals(expectedImage));
            EXPECT_TRUE(frm->State().SavedChannels.Equals(radioModel.Channels));
            EXPECT_TRUE(frm->State().FileModified);
            EXPECT_TRUE(frm->State().SaveEnabled);
            EXPECT_EQ(frm->State().CurrentFileName, "Untitled");
            EXPECT_FALSE(frm->State().HardwareChanged);
            EXPECT_TRUE(frm->windowTitle().startsWith("Untitled - "));
        }
    }
}

TEST(RadioBackup, NamesBySerialNumberDateAndTimeAndNeverReplacesAnEarlierOne) {
    const TLocalDateTime when{2026, 3, 4, 5, 6, 7};
    const struct {
        const char* Serial;
        const char* Name;
    } cases[] = {
        {"5A12B4C", "5A12B4C_20260304_050607.K36"},
        {"  1/2 3 ", "1_2_3_20260304_050607.K36"},
        {"", "NoSerial_20260304_050607.K36"},
        {"../..", "NoSerial_20260304_050607.K36"},
        // No serial number: a name that starts with "-" reads as an option.
        {"--------", "NoSerial_20260304_050607.K36"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RadioBackupFileName(c.Serial, when), c.Name) << c.Serial;

    TScopedProgramFolder folder;
    TScopedMessages messages;
    TMap first, second;
    first.Buf[0] = 1;
    second.Buf[0] = 2;
    const fs::path a = KeepRadioBackup(first, "77", when);
    const fs::path b = KeepRadioBackup(second, "77", when);
    EXPECT_EQ(a, BackupFolder() / "77_20260304_050607.K36");
    EXPECT_EQ(b, BackupFolder() / "77_20260304_050607-2.K36");
    EXPECT_EQ(ReadFileBytes(a)[0], 1);
    EXPECT_EQ(ReadFileBytes(b)[0], 2);
    EXPECT_TRUE(messages.Texts().empty());

    // A folder that cannot be written: the user hears of it, nothing is claimed.
    fs::remove_all(BackupFolder());
    WriteFileBytes(BackupFolder(), "not a folder");
    EXPECT_TRUE(KeepRadioBackup(first, "77", when).empty());
    EXPECT_EQ(messages->Shown.size(), 1u);
}

TEST_F(TransferTest, TheSearchStartsWithTheEditedConfigurationsCodeAndItsBoxesOpenOverTheWindow) {
    // The program's own default file, a TR-2300 "VHF A", in the editor and in the radio.
    fs::copy_file(RK36_BINARY_DIR "/src/default.K36", folder / "default.K36");
    TMap36 radioImage;
    ASSERT_TRUE(LoadDataFile(folder / "default.K36", radioModel, radioImage));
    SeedPlausibleRadio(radio, radioImage);
    ASSERT_EQ(radio.ModelCode, 0x25);
    auto frm = std::make_unique<TfrmMain>(std::vector<std::string>{});
    messages->Shown.clear();
    std::vector<QWidget*> owners;
    port.OnWrite = [&](const std::vector<uint8_t>&) { owners.push_back(MessageOwner().data()); };
    messages->Answers = {TMsgResult::Ok, TMsgResult::Ok, TMsgResult::No};
    frm->RunCommand("miUpload");
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{kUploadPrompt, "Upload is completed", kReflect}));
    EXPECT_EQ(SearchAttempts(), 2); // one attempt, then the confirm exchange
    ASSERT_FALSE(owners.empty());
    EXPECT_NE(owners.front(), nullptr);
    EXPECT_TRUE(std::all_of(owners.begin(), owners.end(), [&](QWidget* w) { return w == owners.front(); }));
    EXPECT_EQ(MessageOwner().data(), nullptr);
}

TEST(MessageOwner, BoxesOpenOverTheOwnerAndStayOnTopWithIt) {
    QWidget owner(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint);
    owner.show();
    const TScopedMessageOwner scope(&owner);
    QWidget* parent = nullptr;
    bool onTop = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            parent = box->parentWidget();
            onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            box->close();
        }
    });
    TQtMessageSink().Show({"Problem on COM port", TMsgType::Error, TMsgButtons::Ok, 1});
    EXPECT_EQ(parent, &owner);
    EXPECT_TRUE(onTop);
}

TEST(DefaultFileBackup, ReplacingTheDefaultFileKeepsThePreviousOne) {
    TScopedProgramFolder folder;
    TScopedMessages messages;
    WriteFileBytes(folder / "default.K36", "the user's last configuration");
    WriteFileBytes(folder / "template.k36", std::string(32768, 'T'));
    CopyTemplateOverDefault(folder / "template.k36");
    EXPECT_EQ(ReadFileBytes(folder / "default.K36"), std::string(32768, 'T'));
    ASSERT_TRUE(fs::is_directory(BackupFolder()));
    const fs::path kept = fs::directory_iterator(BackupFolder())->path();
    EXPECT_TRUE(kept.filename().string().starts_with("default_")) << kept;
    EXPECT_TRUE(ReadFileBytes(kept).starts_with("the user's last configuration"));
    EXPECT_TRUE(BackupFolder().string().starts_with(folder.Path().string()));
}

// ---- Real time, on a pseudo-terminal ----------------------------------------------------

TEST(RadioOnPty, UploadThenDownloadThroughTheSimulator) {
    const QString sim = QStringLiteral(RK36_BINARY_DIR "/tools/radio-sim/radio-sim");
    if (!QFile::exists(sim)) GTEST_SKIP() << "radio-sim is not built";
    TScopedProgramFolder folder;
    TScopedMessages messages;
    fs::copy(RK36_BINARY_DIR "/src/NewFile", folder / "NewFile", fs::copy_options::recursive);

    TRKmem radioModel;
    radioModel.SetNewConfiguration();
    radioModel.SerialNumber = "5654321";
    const TMap36 radioImage = RadioMemory(radioModel);
    ASSERT_TRUE(WriteDataFile(folder / "radio.K36", radioImage));
    radioModel = Decoded(radioImage);

    QProcess radio;
    radio.start(sim, {QStringLiteral("--image"), PathToQ(folder / "radio.K36"), QStringLiteral("--save"),
                      PathToQ(folder / "after.K36")});
    ASSERT_TRUE(radio.waitForReadyRead(10000));
    const std::string device = radio.readLine().trimmed().toStdString();
    ASSERT_FALSE(device.empty());
    WriteFileBytes(folder / "RK36.ini", "COM_PORT=1\nCOM1=" + device + "\n");

    TfrmMain frm({});
    ASSERT_EQ(frm.State().ComPortNo, 1);
    messages->Answers = {TMsgResult::Ok, TMsgResult::Ok, TMsgResult::Yes};
    frm.RunCommand("miUpload");
    ASSERT_EQ(messages.Texts(), (std::vector<std::string>{kUploadPrompt, "Upload is completed", kReflect}));
    EXPECT_EQ(frm.State().Model.SerialNumber, radioModel.SerialNumber);
    EXPECT_TRUE(frm.State().Model.Channels.Equals(radioModel.Channels));
    EXPECT_EQ(fs::directory_iterator(BackupFolder())->path().extension(), ".K36");

    // Change a channel and write it back.
    TRKmem& m = frm.State().Model;
    int32_t changed = -1;
    for (int32_t i = 0; i < m.Channels.Count() && changed < 0; ++i)
        if (!m.Channels[i].Blank) changed = i;
    ASSERT_GE(changed, 0);
    m.Channels[changed].Narrow = 1 - m.Channels[changed].Narrow;
    messages->Shown.clear();
    frm.RunCommand("miDownload");
    ASSERT_EQ(messages.Texts(), (std::vector<std::string>{kDownloadPrompt, "Download is completed"}));

    radio.terminate();
    ASSERT_TRUE(radio.waitForFinished(10000));
    TMap36 after;
    TRKmem inRadio;
    ASSERT_TRUE(LoadDataFile(folder / "after.K36", inRadio, after));
    EXPECT_EQ(inRadio.SerialNumber, radioModel.SerialNumber);
    EXPECT_EQ(inRadio.Channels[changed].Narrow, m.Channels[changed].Narrow);
    EXPECT_TRUE(inRadio.Channels.Equals(m.Channels));
    EXPECT_EQ(inRadio.ProgWeekday, m.ProgWeekday);
}

} // namespace
