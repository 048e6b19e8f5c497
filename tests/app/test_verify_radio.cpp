// Verify Radio from the editor: the transfer window compares an in-process
// radio, in virtual time, with what Download would write, and changes nothing.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

#include "app/D_Radio.h"
#include "app/Main.h"
#include "link/link_fakes.h"
#include "model/dc_MessageBox.h"
#include "support/GuiSupport.h"
#include "support/TransferSupport.h"

namespace fs = std::filesystem;

namespace {

const std::string kVerifyPrompt = ClonePrompt("- Verify Radio -");

// An editor on a new configuration whose radio holds what its Download wrote.
class VerifyTest : public TransferFixture {
  protected:
    std::unique_ptr<TfrmMain> frm;

    void SetUp() override {
        TransferFixture::SetUp();
        WriteNewDataFile(folder / "default.K36");
        frm = std::make_unique<TfrmMain>(std::vector<std::string>{});
        frm->RunCommand("miDownload");
        ASSERT_EQ(messages.Texts().back(), "Download is completed");
        frm->State().FileModified = false;
        messages->Shown.clear();
        radio.Events.clear();
    }
    void TearDown() override {
        frm.reset();
        TransferFixture::TearDown();
    }
};

} // namespace

TEST_F(VerifyTest, TellsEqualOrTheFirstDifferenceAndChangesNothing) {
    const struct {
        const char* name;
        int32_t poke; // main-memory address changed in the radio; 0 for none
        const char* message;
        TMsgType type;
    } rows[] = {
        {"as written", 0, VerifyEqualMessage, TMsgType::Information},
        {"one channel byte changed", 0x8C22, "Verify failed: channel table differs at 0x8c22",
         TMsgType::Error},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        messages->Shown.clear();
        if (row.poke) radio.Main[static_cast<size_t>(row.poke - TRadioEmulator::MainBase)] ^= 0xFF;
        const auto radioMain = radio.Main;
        const auto radioAux = radio.Aux;
        const TRKmem model = frm->State().Model;
        const TMap36 image = frm->State().Image;
        int seen = 0;
        port.OnWrite = [&](const std::vector<uint8_t>& bytes) {
            if (seen || bytes.size() != 8 || bytes[0] != radio36::CmdReadMain) return;
            ++seen;
            TfrmRadio* w = TransferWindow();
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->lblMsg2->text(), "- Verify Radio -");
            EXPECT_EQ(w->progText->maximum(), 71); // 64 main and 7 auxiliary blocks
            EXPECT_FALSE(frm->isEnabled());
        };
        frm->RunCommand("miVerify");
        port.OnWrite = nullptr;
        EXPECT_EQ(seen, 1);

        ASSERT_EQ(messages.Texts(), (std::vector<std::string>{kVerifyPrompt, row.message}));
        EXPECT_EQ(messages->Shown[1].Type, row.type);
        EXPECT_TRUE(frm->State().Model.Equals(model));
        EXPECT_TRUE(frm->State().Image.Equals(image));
        EXPECT_FALSE(frm->State().FileModified);
        EXPECT_EQ(radio.Main, radioMain);
        EXPECT_EQ(radio.Aux, radioAux);
        for (const TEmuEvent& e : radio.Events)
            EXPECT_TRUE(e.Command != radio36::CmdWriteMain && e.Command != radio36::CmdWriteAux &&
                        e.Command != radio36::CmdErase);
        EXPECT_TRUE(frm->isEnabled());
        EXPECT_EQ(TransferWindow(), nullptr);
    }
}

TEST_F(VerifyTest, CancelEndsSilently) {
    const struct {
        const char* name;
        TMsgResult prompt;
        bool escInSearch;
    } rows[] = {
        {"prompt cancelled", TMsgResult::Cancel, false},
        {"Esc during the search", TMsgResult::Ok, true},
    };
    radio.ModelCode = 0x01; // answered only late in the search
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        messages->Shown.clear();
        messages->Answers = {row.prompt};
        port.Writes.clear();
        bool pressed = false;
        port.OnWrite = [&](const std::vector<uint8_t>&) {
            if (pressed || port.Writes.size() < 20) return;
            QTest::keyClick(TransferWindow(), Qt::Key_Escape);
            pressed = true;
        };
        frm->RunCommand("miVerify");
        port.OnWrite = nullptr;
        EXPECT_EQ(pressed, row.escInSearch);
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{kVerifyPrompt});
        EXPECT_EQ(port.Writes.empty(), !row.escInSearch);
        EXPECT_FALSE(frm->State().FileModified);
        EXPECT_TRUE(frm->isEnabled());
    }
}

TEST_F(VerifyTest, TheRadioMenuOffersItBesideDownloadWithItsHelpPage) {
    QAction* verify = frm->Action("miVerify");
    ASSERT_NE(verify, nullptr);
    EXPECT_EQ(verify->text(), "&Verify Radio");
    EXPECT_EQ(verify->isEnabled(), frm->Action("miDownload")->isEnabled());
    EXPECT_TRUE(verify->isEnabled());
    EXPECT_EQ(verify->data().toInt(), 98404);
    const QList<QAction*> items = frm->findChild<QMenu*>("mnuRadio")->actions();
    const auto download = items.indexOf(frm->Action("miDownload"));
    ASSERT_GE(download, 0);
    EXPECT_EQ(items.value(download + 1), verify);
    for (const char* language : {"en", "es"}) {
        SCOPED_TRACE(language);
        const fs::path help = fs::path(RK36_SOURCE_DIR) / "help" / language;
        EXPECT_TRUE(fs::exists(help / "98404.html"));
        EXPECT_NE(ReadFileBytes(help / "index.html").find("href=\"98404.html\""), std::string::npos);
    }
}
