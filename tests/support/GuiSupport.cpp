#include "support/GuiSupport.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

#include "dialogs/dc_HardwareRules.h"
#include "image/dc_Map36Const.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"

void EnsureApp() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "test_gui";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(argc, argv);
}

void MakeBandModel(TRKmem& m, int head, int bandPosition, int productPosition) {
    m.SetNewConfiguration();
    m.ProductType = kProductTypes[static_cast<size_t>(productPosition)];
    m.ControlHeadType = head;
    SetBandType(m, bandPosition);
    ApplyBandSettings(m, bandPosition);
    // A channel a little above the lower edge, on the band's channel step.
    const int32_t step = bandPosition < 2 ? 5000 : 2500;
    const int64_t fHz = (static_cast<int64_t>(m.BandLowerEdge) / step + 40 + bandPosition) * step;
    TChannel& ch = m.Channels[0];
    ch.RxFreq.SetFromFloat(static_cast<double>(fHz) / 1e6);
    ch.TxFreq.SetFromFloat(static_cast<double>(fHz + step) / 1e6);
    const TPllEncoding rx = EncodePll(ch.RxSynthConfig, pdReceive, 0, m, ch.RxFreq.ToFloat());
    ch.RxPll = rx.Word;
    ch.RxSynthConfig = rx.Selector;
    ch.RxDivisionRatio = rx.RxDivisionRatio;
    const TPllEncoding tx = EncodePll(ch.TxSynthConfig, pdTransmit, ch.EncIsCtcss, m, ch.TxFreq.ToFloat());
    ch.TxPll = tx.Word;
    ch.TxSynthConfig = tx.Selector;
    ch.Compander = 1 + bandPosition % 2;
    ch.SqlLevel = bandPosition;
    ch.Blank = 0;
    // Every standby entry holds a frequency of the band (on the channel step).
    const int64_t stbyHz = (static_cast<int64_t>(m.BandLowerEdge) / step + 7) * step;
    for (int32_t i = 0; i < TSTBYRPDatas::Count(); ++i)
        m.StandbyRepeaterData[i] =
            EncodeStbyRx(m, m.StandbyRepeaterData[i], static_cast<double>(stbyHz) / 1e6, bandPosition);
    m.StbyIndex = HardwareBand(bandPosition, productPosition == 1).StbyEntry;
}

namespace {
// Band code, PLL B register, product code bits and the band-limit table
// are the template's own: the encoder writes none of them.
void WriteTemplate(const std::filesystem::path& file, const TRKmem& m, int productPosition) {
    TMap36 image;
    image.Encode(m, false);
    image.PutValue(kBandCodeRaw, static_cast<uint32_t>(kBandCodeRawValues[static_cast<size_t>(m.BandCode)]));
    image.PutValue(TFieldDesc{0x0023, 7, 0x0023, 0}, static_cast<uint32_t>(m.ScanPllBRegister));
    image.PutValue(kProductFamily, 1u);
    image.PutValue(kProductCode, static_cast<uint32_t>(productPosition));
    image.PutValue(BandLowerEdgeDesc(m.BandPair & 0xF), static_cast<uint32_t>(m.BandLowerEdge));
    image.PutValue(BandUpperEdgeDesc(m.BandPair & 0xF), static_cast<uint32_t>(m.BandUpperEdge));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.Buf.data()), TMap::Size);
    ASSERT_TRUE(out.good()) << file;
}
} // namespace

TTemplateFolder::TTemplateFolder() {
    SetProgramFolder(Path());
    for (int product = 0; product < 3; ++product) {
        const int bands = product == 1 ? 8 : 7;
        for (int head = 0; head < 2; ++head)
            for (int band = 0; band < bands; ++band) {
                TRKmem m;
                MakeBandModel(m, head, band, product);
                WriteTemplate(TemplatePathFor(head, band, product), m, product);
            }
    }
    TRKmem m;
    MakeBandModel(m, 0, 2, 1);
    WriteTemplate(DefaultDataFilePath(), m, 1);
}

TTemplateFolder::~TTemplateFolder() {
    SetProgramFolder({});
    std::error_code ec;
    std::filesystem::permissions(Path() / "default.K36", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, ec);
}

void Pick(QComboBox* combo, int index) {
    combo->setFocus();
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    view->setCurrentIndex(combo->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
}

void ChangeLikeAUser(TDlgBase& dialog, QWidget* control) {
    TScopedMessages yes; // answered with the preselected button: Yes
    // A control on a tab page is reached by showing its page first.
    for (QWidget* w = control; w && w != &dialog; w = w->parentWidget())
        if (auto* pages =
                qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr))
            if (pages->indexOf(w) >= 0) pages->setCurrentWidget(w);
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (combo->count() < 2) return; // nothing else to choose
        Pick(combo, (combo->currentIndex() + 1) % combo->count());
    } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
        check->setFocus();
        QTest::mouseClick(check, Qt::LeftButton);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        if (dialog.IsReadOnlyEdit(edit)) return; // shown, never edited
        edit->setFocus();
        QApplication::processEvents();
        const QString before = edit->text();
        // Two different short numbers: at least one reads as another value.
        for (const char* typed : {"1", "2"}) {
            QTest::keyClicks(edit, typed);
            dialog.btnCancel->setFocus(); // leaving shows the display text
            QApplication::processEvents();
            if (edit->text() != before) break;
            edit->setFocus();
            QApplication::processEvents();
        }
        ASSERT_NE(edit->text(), before) << edit->objectName().toStdString();
    }
    QApplication::processEvents();
}

namespace {

// What saving the live configuration would write.
std::string SavedBytes(const TDlgState& s) {
    TMap36 image;
    image.Assign(s.Image);
    image.Encode(s.Model, false);
    return std::string(reinterpret_cast<const char*>(image.Buf.data()), image.Buf.size());
}

// A configuration decoded from random bytes, as a file from elsewhere may
// hold it. Without a reference divider every channel decodes to 0 Hz, which
// saves again; a random one gives fractions of a hertz no radio holds.
void OddConfiguration(TDlgState& s) {
    std::mt19937 rng(36);
    for (auto& b : s.Image.Buf)
        b = static_cast<uint8_t>(rng());
    for (const int address : {0x11, 0x15}) {
        s.Image.Buf[address] &= 0xF0;
        s.Image.Buf[address + 1] = 0;
    }
    ASSERT_TRUE(s.Image.Decode(s.Model));
    s.Image.Encode(s.Model, false); // the first save settles what decoding derives
    ASSERT_TRUE(s.Image.Decode(s.Model));
}

} // namespace

void ExpectCompareOnOk(const std::function<TDlgBase*(TDlgState&)>& open, const std::vector<TCompareRow>& rows,
                       bool okKeepsTheFile) {
    {
        TDlgState s;
        std::unique_ptr<TDlgBase> dlg(open(s));
        std::vector<std::string> names;
        for (const auto& r : rows)
            names.emplace_back(r.Control);
        for (QWidget* w : dlg->Controls()) {
            if (!w->isEnabled()) continue;
            EXPECT_NE(std::find(names.begin(), names.end(), w->objectName().toStdString()), names.end())
                << w->objectName().toStdString() << " has no row";
        }
        const std::string before = SavedBytes(s);
        dlg->btnOK->click();
        EXPECT_EQ(dlg->result(), QDialog::Accepted);
        EXPECT_FALSE(s.FileModified) << "untouched OK";
        if (okKeepsTheFile) {
            EXPECT_EQ(SavedBytes(s), before) << "untouched OK changed the saved file";
        }
    }
    // Stored values no list offers and odd numbers everywhere: controls
    // without a selection keep them, so an untouched OK still changes no byte.
    if (okKeepsTheFile) {
        TDlgState s;
        OddConfiguration(s);
        std::unique_ptr<TDlgBase> dlg(open(s));
        const std::string before = SavedBytes(s);
        {
            TScopedMessages quiet;
            dlg->btnOK->click();
        }
        EXPECT_EQ(SavedBytes(s), before) << "untouched OK over odd stored values";
    }
    for (const auto& r : rows) {
        TDlgState s;
        std::unique_ptr<TDlgBase> dlg(open(s));
        auto* control = dlg->findChild<QWidget*>(QString::fromLatin1(r.Control));
        ASSERT_NE(control, nullptr) << r.Control;
        ChangeLikeAUser(*dlg, control);
        {
            TScopedMessages yes;
            dlg->btnOK->click();
        }
        EXPECT_EQ(s.FileModified, r.Marks) << r.Control << " changed alone";
    }
}

TScopedProgramFolder::TScopedProgramFolder() {
    SetProgramFolder(Path());
    // Backups go to the user's data folder: a scratch one here.
    if (const char* xdg = std::getenv("XDG_DATA_HOME")) previousDataHome_ = xdg;
    setenv("XDG_DATA_HOME", (Path() / "data").c_str(), 1);
}

TScopedProgramFolder::~TScopedProgramFolder() {
    SetProgramFolder({});
    if (previousDataHome_)
        setenv("XDG_DATA_HOME", previousDataHome_->c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

void WriteNewDataFile(const std::filesystem::path& file) {
    TRKmem model;
    model.SetNewConfiguration();
    WriteModelFile(file, model);
}

void WriteModelFile(const std::filesystem::path& file, const TRKmem& model) {
    TMap36 image;
    ASSERT_TRUE(SaveDataFile(file, model, image));
    EnsureBandTemplateFor(file);
}

void WriteNewConfigurationTemplate() {
    TRKmem model;
    model.SetNewConfiguration();
    const auto tmpl = BandTemplatePath(model.ControlHeadType, BandType(model), model.ProductType);
    std::filesystem::create_directories(tmpl.parent_path());
    WriteNewDataFile(tmpl);
}

void EnsureBandTemplateFor(const std::filesystem::path& file) {
    TRKmem model;
    TMap36 image;
    ASSERT_TRUE(LoadDataFile(file, model, image));
    const auto tmpl = BandTemplatePath(model.ControlHeadType, BandType(model), model.ProductType);
    if (std::filesystem::exists(tmpl)) return;
    std::filesystem::create_directories(tmpl.parent_path());
    std::filesystem::copy_file(file, tmpl);
}
