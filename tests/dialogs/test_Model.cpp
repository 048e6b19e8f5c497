// The model dialog: a new configuration from the band template of the
// chosen product, band and head.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <fstream>
#include <iterator>

#include "dialogs/D_Model.h"
#include "dialogs/dc_HardwareRules.h"
#include "image/dc_DataFile.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"
#include "support/GuiSupport.h"

namespace {

std::string FileBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ModelTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        EnsureApp();
        folder = new TTemplateFolder;
    }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }
    void Open() {
        SetProgramFolder(folder->Path());
        s = std::make_unique<TDlgState>();
        s->Model.SetNewConfiguration(); // TR-2300, band type 0
        dlg = std::make_unique<TfrmModel>(nullptr, s->Ctx);
        ASSERT_TRUE(ShowActive(*dlg));
    }
    static TTemplateFolder* folder;
    std::unique_ptr<TDlgState> s;
    std::unique_ptr<TfrmModel> dlg;
};
TTemplateFolder* ModelTest::folder = nullptr;

TEST_F(ModelTest, NewOpensTheTemplateOfEveryProductAndBand) {
    for (int product = 0; product < 3; ++product)
        for (int band = 0; band < (product == 1 ? 8 : 7); ++band) {
            SCOPED_TRACE(std::to_string(product) + "/" + std::to_string(band));
            Open();
            TScopedMessages messages; // every question answered Yes
            Pick(dlg->cmbMPType, product);
            Pick(dlg->cmbMFBand, band);
            dlg->btnOK->click();
            ASSERT_EQ(dlg->result(), QDialog::Accepted);
            const auto templ = TemplatePathFor(0, band, product);
            TRKmem t;
            TMap36 image;
            ASSERT_TRUE(LoadDataFile(templ, t, image));
            EXPECT_EQ(BandType(s->Model), band);
            EXPECT_EQ(s->Model.ProductType, kProductTypes[static_cast<size_t>(product)]);
            EXPECT_TRUE(s->Model.Channels[0] == t.Channels[0]);
            EXPECT_TRUE(s->Image.Equals(image));
            TChannel blank = t.Channels[0];
            blank.Blank = 1;
            EXPECT_TRUE(s->TemplateChannel == blank);
            EXPECT_EQ(FileBytes(DefaultDataFilePath()), FileBytes(templ));
            EXPECT_FALSE(s->FileModified); // New marks the data as new itself
        }
}

TEST_F(ModelTest, MotorcycleHeadTakesItsOwnTemplateOverAReadOnlyDefaultFile) {
    std::filesystem::permissions(DefaultDataFilePath(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    Open();
    Pick(dlg->cmbCHType, 1);
    dlg->btnOK->click();
    ASSERT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(s->Model.ControlHeadType, 1);
    EXPECT_EQ(FileBytes(DefaultDataFilePath()), FileBytes(TemplatePathFor(1, 0, 1)));
}

TEST_F(ModelTest, QuestionsAnsweredNoKeepTheChoice) {
    Open();
    TScopedMessages messages;
    messages->Answers = {TMsgResult::No, TMsgResult::No};
    Pick(dlg->cmbMFBand, 3);
    Pick(dlg->cmbMPType, 0);
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Change frequency band?\r\nFrequency will be invalid",
                                        "Change product type?\r\nSome channel will be invalid"}));
    EXPECT_EQ(dlg->cmbMFBand->currentIndex(), 0);
    EXPECT_EQ(dlg->cmbMPType->currentText(), "TR-2300");
    EXPECT_EQ(dlg->cmbMFBand->count(), 8);
    EXPECT_FALSE(dlg->cmbSFBand->isEnabled());
    EXPECT_EQ(dlg->pnlHint2->text(), "<SELECT>");
}

TEST_F(ModelTest, MissingTemplateCancelsAndKeepsTheModel) {
    Open();
    const auto templ = TemplatePathFor(0, 1, 1);
    const std::string keep = FileBytes(templ);
    std::filesystem::remove(templ);
    const TRKmem before = s->Model;
    TScopedMessages messages;
    Pick(dlg->cmbMFBand, 1);
    dlg->btnOK->click();
    {
        std::ofstream out(templ, std::ios::binary);
        out << keep;
    }
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_TRUE(s->Model == before);
    ASSERT_FALSE(messages.Texts().empty());
    EXPECT_EQ(messages.Texts().back(),
              "File read error  File Name = " + templ.string() + "\r\nNo such file or directory");
}

} // namespace

namespace {

// New marks the data as new itself: the model dialog compares nothing.
TEST_F(ModelTest, NoRowMarksTheFileModified) {
    SetProgramFolder(folder->Path());
    ExpectCompareOnOk(
        [](TDlgState& st) {
            st.Model.SetNewConfiguration();
            auto* d = new TfrmModel(nullptr, st.Ctx);
            EXPECT_TRUE(ShowActive(*d));
            return d;
        },
        {{"cmbRfDeck", false}, {"cmbCHType", false}, {"cmbMFBand", false}, {"cmbMPType", false}},
        /*okKeepsTheFile=*/false); // OK makes a new configuration from the template
}

} // namespace
