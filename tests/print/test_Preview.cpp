// Print setup and print preview: the printer choice as program state, paging
// and zooming the preview, and the preview standing in for the main window.

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "app/Main.h"
#include "app/dc_EditorState.h"
#include "model/dc_Ini.h"
#include "print/D_Preview.h"
#include "print/D_PrintSetup.h"
#include "print_fakes.h"
#include "support/GuiSupport.h"

namespace fs = std::filesystem;

namespace {

// A report of `pages` pages, each naming itself on its first line.
TReport PagedReport(int pages) {
    TReport report(static_cast<size_t>(pages));
    for (int i = 0; i < pages; ++i)
        report[static_cast<size_t>(i)].Lines.push_back({0, 0, "Page " + std::to_string(i + 1)});
    return report;
}

void Click(QPushButton* button) {
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

class PrintTest : public ::testing::Test {
  protected:
    TScopedProgramFolder folder;
    TScopedMessages messages;
    TScopedPrinters printers;
    TScopedFileDialogs dialogs;
    TPrintSettings settings;
    // Quits a main window, answering No should it ask to save.
    bool Quit(TfrmMain& frm) {
        messages->Answers.resize(messages->Shown.size(), TMsgResult::Ok);
        messages->Answers.push_back(TMsgResult::No);
        return frm.close();
    }
};

// ---- Print setup -----------------------------------------------------------------

TEST_F(PrintTest, SetupWithoutPrintersCannotBeConfirmed) {
    TfrmPrintSetup setup(settings, kPrintSetupCaption);
    EXPECT_FALSE(setup.btnOK->isEnabled());
    EXPECT_EQ(settings.CurrentPrinter(), "");
}

TEST_F(PrintTest, LetterIsWrittenOnTheChosenPrinterOnlyAndShownAgain) {
    printers->List = {"Counter"};
    printers->Papers["Counter"] = kPaperCodeA4;
    {
        TfrmPrintSetup setup(settings, kPrintCaption);
        EXPECT_EQ(setup.windowTitle(), "Print");
        EXPECT_EQ(setup.cmbSize->currentText(), "A4");
        setup.cmbSize->setCurrentText("Letter");
        Click(setup.btnOK);
    }
    EXPECT_EQ(settings.PrinterName, "Counter");
    EXPECT_EQ(settings.PaperCode, kPaperCodeLetter);
    // The system's own setting of the printer stays.
    EXPECT_EQ(printers->Papers["Counter"], kPaperCodeA4);
    TfrmPrintSetup again(settings, kPrintSetupCaption);
    EXPECT_EQ(again.cmbPrinter->currentText(), "Counter");
    EXPECT_EQ(again.cmbSize->currentText(), "Letter");
    again.cmbSize->setCurrentText("A4");
    Click(again.btnCancel);
    EXPECT_EQ(settings.PaperCode, kPaperCodeLetter);
}

TEST_F(PrintTest, SetupOpensOnTheCurrentPrintersPaper) {
    const struct {
        const char* Name;
        std::optional<int32_t> Code;
        const char* Shown;
        TPaperKind Report;
    } rows[] = {
        {"a4", kPaperCodeA4, "A4", TPaperKind::A4},
        {"letter", kPaperCodeLetter, "Letter", TPaperKind::Letter},
        {"legal shows Letter, prints A4", 5, "Letter", TPaperKind::A4},
        {"unreadable", std::nullopt, "A4", TPaperKind::A4},
    };
    printers->List = {"Desk", "Office"};
    printers->Default = "Office";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        printers->Papers.clear();
        if (row.Code) printers->Papers["Office"] = *row.Code;
        TfrmPrintSetup setup(settings, kPrintSetupCaption);
        EXPECT_EQ(setup.cmbPrinter->currentText(), "Office");
        EXPECT_EQ(setup.cmbSize->currentText(), row.Shown);
        EXPECT_EQ(settings.Paper(), row.Report);
    }
}

TEST_F(PrintTest, MainWindowPrintsThroughTheSetupAndShowsThePrinterAfterEverySetupOK) {
    printers->List = {"Desk", "Office"};
    printers->Default = "Desk";
    printers->PdfFile = folder / "job.pdf";
    const fs::path file = folder / "van.K36";
    WriteNewDataFile(file);
    TfrmMain frm({file.string()});
    QLabel* pnlPrinter = frm.SystemPanel("pnlPrinter");
    EXPECT_EQ(pnlPrinter->text(), "Desk");

    WhenModal<TfrmPrintSetup>([](TfrmPrintSetup& setup) {
        EXPECT_EQ(setup.windowTitle(), "Print Setup");
        setup.cmbPrinter->setCurrentText("Office");
        Click(setup.btnOK);
    });
    frm.RunCommand("miSetup");
    EXPECT_EQ(pnlPrinter->text(), "Office");
    EXPECT_TRUE(printers->Jobs.empty());

    WhenModal<TfrmPrintSetup>([](TfrmPrintSetup& setup) { Click(setup.btnCancel); });
    frm.RunCommand("miPrint");
    EXPECT_TRUE(printers->Jobs.empty());

    WhenModal<TfrmPrintSetup>([](TfrmPrintSetup& setup) {
        EXPECT_EQ(setup.windowTitle(), "Print");
        setup.cmbPrinter->setCurrentText("Desk");
        setup.cmbSize->setCurrentText("Letter");
        Click(setup.btnOK);
    });
    frm.RunCommand("miPrint");
    ASSERT_EQ(printers->Jobs.size(), 1u);
    EXPECT_EQ(printers->Jobs[0].Printer, "Desk");
    EXPECT_EQ(printers->Jobs[0].Paper, TPaperKind::Letter);
    EXPECT_EQ(pnlPrinter->text(), "Desk");
    const std::string pdf = ReadFileBytes(folder / "job.pdf");
    EXPECT_NE(pdf.find("/MediaBox [0 0 612.000000 792.000000]"), std::string::npos); // Letter in points
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{});
}

TEST_F(PrintTest, TheSystemsPrintersAlwaysIncludeAPdfFile) {
    TQtPrinters system;
    const QString pdf = QString::fromLatin1(TQtPrinters::kPdfName);
    ASSERT_TRUE(system.Names().contains(pdf));
    EXPECT_EQ(system.PaperCode(pdf), kPaperCodeA4);
    dialogs->SaveAnswers = {std::nullopt, folder / "chosen.pdf"};
    EXPECT_EQ(system.CreateTarget(pdf, TPaperKind::A4, folder / "van.K36"), nullptr);
    const auto target = system.CreateTarget(pdf, TPaperKind::A4, folder / "van.K36");
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(dialogs->Saved[0].Folder, folder / "van.pdf");
    EXPECT_TRUE(TPrtImg(PagedReport(2)).Print(*target));
    EXPECT_TRUE(fs::exists(folder / "chosen.pdf"));
}

// ---- Preview ---------------------------------------------------------------------

class PreviewTest : public PrintTest {
  protected:
    int pageMode = 0;
    std::unique_ptr<TfrmPreview> Open(int pages) {
        auto preview = std::make_unique<TfrmPreview>(PagedReport(pages), settings, pageMode, "van.K36");
        preview->resize(1000, 700);
        preview->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(preview.get()));
        return preview;
    }
};

TEST_F(PreviewTest, PagingAndZoomButtonsFollowPageAndStep) {
    auto one = Open(1);
    EXPECT_FALSE(one->btnNextPage->isEnabled());
    EXPECT_FALSE(one->btnPrevPage->isEnabled());

    auto frm = Open(2);
    EXPECT_FALSE(frm->btnPrevPage->isEnabled());
    Click(frm->btnNextPage);
    EXPECT_EQ(frm->PageIndex(), 1);
    EXPECT_FALSE(frm->btnNextPage->isEnabled());
    EXPECT_TRUE(frm->btnPrevPage->isEnabled());
    EXPECT_EQ(frm->btnPageMode->text(), "&Two Page");
    EXPECT_TRUE(frm->btnPageMode->isEnabled());
    EXPECT_FALSE(frm->btnZoomOut->isEnabled());
    Click(frm->btnZoomIn);
    EXPECT_FALSE(frm->btnPageMode->isEnabled());
    Click(frm->btnZoomIn);
    EXPECT_EQ(frm->ZoomStep(), TfrmPreview::kZoom100);
    EXPECT_FALSE(frm->btnZoomIn->isEnabled());
    Click(frm->btnZoomOut);
    Click(frm->btnZoomOut);
    Click(frm->btnPageMode);
    EXPECT_EQ(frm->btnPageMode->text(), "&One Page");

    // The pair of pages 0 and 1 already shows the last page.
    Click(frm->btnPrevPage);
    Click(frm->btnNextPage);
    EXPECT_EQ(frm->PageIndex(), 0);
}

TEST_F(PreviewTest, ZoomStepsSizeThePictureAndItsScrollRanges) {
    auto frm = Open(3);
    frm->resize(frm->minimumSize()); // too narrow for the full-size page
    QAbstractScrollArea* area = frm->sbxPreview;
    const struct {
        const char* Name;
        int Step;
        QSize Picture;
        bool HorizontalBar;
    } rows[] = {
        {"fit", TfrmPreview::kZoomFit, {}, false},
        {"80 %", TfrmPreview::kZoom80, {661, 935}, false},
        {"100 %", TfrmPreview::kZoom100, {827, 1169}, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        while (frm->ZoomStep() < row.Step)
            Click(frm->btnZoomIn);
        const QRect picture = frm->PictureRect(0);
        const QSize viewport = area->viewport()->size();
        const QScrollBar* vbar = area->verticalScrollBar();
        const QScrollBar* hbar = area->horizontalScrollBar();
        EXPECT_EQ(hbar->isVisible(), row.HorizontalBar);
        if (row.Step == TfrmPreview::kZoomFit) {
            EXPECT_FALSE(vbar->isVisible());
            EXPECT_TRUE(picture.height() == viewport.height() || picture.width() == viewport.width());
            EXPECT_NEAR(picture.center().x(), viewport.width() / 2, 1);
            continue;
        }
        // The scroll ranges hold the picture and 10 pixels around it.
        EXPECT_EQ(picture.size(), row.Picture);
        EXPECT_EQ(picture.top() + vbar->value(), 10);
        EXPECT_EQ(vbar->maximum(), row.Picture.height() + 20 - viewport.height());
        if (row.HorizontalBar) {
            EXPECT_EQ(picture.left() + hbar->value(), 10);
            EXPECT_EQ(hbar->maximum(), row.Picture.width() + 20 - viewport.width());
            EXPECT_EQ(hbar->value(), hbar->maximum() / 2);
        } else {
            EXPECT_NEAR(picture.center().x(), viewport.width() / 2, 1);
        }
    }
}

TEST_F(PreviewTest, AClickOnTheSecondPageMovesOnZoomsInAndCentresThePoint) {
    pageMode = 1;
    auto frm = Open(3);
    QWidget* viewport = frm->sbxPreview->viewport();
    const QRect second = frm->PictureRect(1);
    ASSERT_FALSE(second.isNull());
    QTest::mouseMove(viewport, second.center());
    EXPECT_EQ(viewport->cursor().shape(), Qt::BitmapCursor); // the magnifier
    QTest::mouseClick(viewport, Qt::LeftButton, {}, second.center());
    EXPECT_EQ(frm->PageIndex(), 1);
    EXPECT_EQ(frm->ZoomStep(), TfrmPreview::kZoom80);
    EXPECT_TRUE(frm->PictureRect(1).isNull());
    EXPECT_NEAR(frm->PictureRect(0).center().y(), viewport->height() / 2, 2);

    QTest::mouseClick(viewport, Qt::LeftButton, {}, viewport->rect().center());
    EXPECT_EQ(frm->ZoomStep(), TfrmPreview::kZoom100);
    EXPECT_EQ(viewport->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, viewport->rect().center());
    EXPECT_EQ(frm->ZoomStep(), TfrmPreview::kZoomFit);
    EXPECT_EQ(frm->PageIndex(), 1);
}

TEST_F(PreviewTest, ALongReportIsPagedToTheEndHoldingOnlyThePagesOnScreen) {
    pageMode = 1;
    auto frm = Open(252);
    for (int guard = 0; frm->btnNextPage->isEnabled() && guard < 300; ++guard) {
        frm->btnNextPage->click();
        frm->sbxPreview->viewport()->repaint();
        ASSERT_LE(frm->CachedPageCount(), 2);
    }
    EXPECT_EQ(frm->PageIndex(), 250); // the last pair
    Click(frm->btnPageMode);
    Click(frm->btnNextPage);
    frm->sbxPreview->viewport()->repaint();
    EXPECT_EQ(frm->PageIndex(), 251);
    EXPECT_FALSE(frm->btnNextPage->isEnabled());
}

TEST_F(PreviewTest, PrintAsksForThePrinterAndClosesEitherWay) {
    printers->List = {"Desk"};
    printers->PdfFile = folder / "job.pdf";
    for (const bool confirm : {false, true}) {
        SCOPED_TRACE(confirm);
        auto frm = Open(3);
        WhenModal<TfrmPrintSetup>([confirm](TfrmPrintSetup& setup) {
            EXPECT_EQ(setup.windowTitle(), "Print");
            Click(confirm ? setup.btnOK : setup.btnCancel);
        });
        Click(frm->btnPrint);
        EXPECT_FALSE(frm->isVisible());
        EXPECT_EQ(printers->Jobs.size(), confirm ? 1u : 0u);
    }
    EXPECT_TRUE(fs::exists(folder / "job.pdf"));
}

// ---- The preview in the main window's place -------------------------------------

TEST_F(PrintTest, ThePreviewTakesTheMainWindowsPlaceAndHandsItBack) {
    const struct {
        const char* Name;
        bool Maximise;
    } rows[] = {{"normal", false}, {"maximised", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TfrmMain frm({});
        frm.resize(900, 600);
        frm.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
        const bool maximise = row.Maximise;
        WhenModal<TfrmPreview>([&frm, maximise](TfrmPreview& preview) {
            EXPECT_FALSE(frm.isVisible());
            EXPECT_EQ(preview.windowTitle(), frm.windowTitle());
            EXPECT_EQ(preview.size(), QSize(900, 600));
            if (maximise)
                preview.showMaximized();
            else
                preview.resize(1000, 650);
            Click(preview.btnClose);
        });
        frm.RunCommand("miPreview");
        EXPECT_TRUE(frm.isVisible());
        EXPECT_EQ(frm.isMaximized(), row.Maximise);
        if (!row.Maximise) {
            EXPECT_EQ(frm.size(), QSize(1000, 650));
        }
        EXPECT_TRUE(Quit(frm));
    }
}

TEST_F(PrintTest, ThePageModeOfTheLastPreviewIsKeptInTheConfiguration) {
    {
        TfrmMain frm({});
        frm.show();
        WhenModal<TfrmPreview>([](TfrmPreview& preview) {
            EXPECT_FALSE(preview.TwoPages());
            Click(preview.btnPageMode);
            QTest::keyClick(&preview, Qt::Key_Escape);
        });
        frm.RunCommand("miPreview");
        EXPECT_EQ(frm.State().PreviewPageMode, 1);
        EXPECT_TRUE(Quit(frm));
    }
    TIniData ini(folder / "RK36.ini");
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadInt("PAGE", 0), 1);
    TfrmMain again({});
    WhenModal<TfrmPreview>([](TfrmPreview& preview) {
        EXPECT_TRUE(preview.TwoPages());
        preview.close();
    });
    again.RunCommand("miPreview");
}

} // namespace
