// The report rendered: page images, PDF files from the editor and from the
// command line, and the failures that must never look like success.

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPdfWriter>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/Main.h"
#include "image/dc_DataFile.h"
#include "model/dc_MessageBox.h"
#include "print/dc_PrtImg.h"
#include "support/GuiSupport.h"

namespace fs = std::filesystem;

namespace {

const fs::path kDefaultFile = RK36_BINARY_DIR "/src/default.K36";

TReport DefaultReport() {
    TRKmem m;
    TMap36 image;
    EXPECT_TRUE(LoadDataFile(kDefaultFile, m, image));
    return BuildReport(m, kDefaultFile, 0);
}

// Pages of a PDF: its page objects, "/Type /Page" but not "/Type /Pages".
int PdfPageCount(const fs::path& file) {
    const std::string bytes = ReadFileBytes(file);
    int count = 0;
    const std::string key = "/Type /Page";
    for (size_t p = bytes.find(key); p != std::string::npos; p = bytes.find(key, p + 1))
        if (p + key.size() < bytes.size() && bytes[p + key.size()] != 's') ++count;
    return count;
}

// Rows of the image that hold any ink.
std::vector<bool> InkedRows(const QImage& image) {
    std::vector<bool> rows(static_cast<size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width() && !rows[static_cast<size_t>(y)]; ++x)
            rows[static_cast<size_t>(y)] = qGray(image.pixel(x, y)) < 128;
    return rows;
}

class FailingNewPage : public QPdfWriter {
  public:
    using QPdfWriter::QPdfWriter;
    bool newPage() override { return false; }
};

TEST(PrtImg, PageImagesAreTopAlignedInAFixedPitchFont) {
    EXPECT_TRUE(QFontInfo(ReportFont()).fixedPitch());
    const TPrtImg prt(DefaultReport());
    ASSERT_EQ(prt.PageCount(), 3);
    EXPECT_TRUE(prt.PageImage(3).isNull());
    const QImage page = prt.PageImage(0);
    EXPECT_EQ(page.size(), QSize(827, 1169));
    const int h = ReportLineHeight(TPrtImg::kImageDpi);
    EXPECT_EQ(h, 12);
    const auto rows = InkedRows(page);
    // Line 0 (the stars) lies inside its own band, line 3 is empty.
    const auto inked = [&](int from, int to) {
        for (int y = from; y < to; ++y)
            if (rows[static_cast<size_t>(y)]) return true;
        return false;
    };
    EXPECT_TRUE(inked(0, h));
    EXPECT_TRUE(inked(h, 2 * h));
    EXPECT_FALSE(inked(3 * h + 2, 4 * h - 2));
    EXPECT_EQ(TPrtImg(DefaultReport(), TPaperKind::Letter).PageImage(0).size(), QSize(850, 1100));
}

TEST(PrtImg, FailuresSayPrintErrorAndNeverSucceed) {
    TScopedProgramFolder folder;
    {
        TScopedMessages messages;
        EXPECT_FALSE(PrintReportToPdf(folder / "no-such-folder/report.pdf", DefaultReport()));
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Print error"});
    }
    TScopedMessages messages;
    FailingNewPage writer(QString::fromStdString((folder / "two.pdf").string()));
    EXPECT_FALSE(TPrtImg(DefaultReport()).Print(writer));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Print error"});
}

TEST(PrtImg, PrintToPdfFromTheFileMenu) {
    TScopedProgramFolder folder;
    TScopedMessages messages;
    TScopedFileDialogs dialogs;
    const fs::path file = folder / "van.K36";
    WriteNewDataFile(file);
    TfrmMain frm({file.string()});
    dialogs->SaveAnswers = {std::nullopt, folder / "van.pdf"};
    frm.RunCommand("miPrintPdf");
    EXPECT_FALSE(fs::exists(folder / "van.pdf"));
    frm.RunCommand("miPrintPdf");
    ASSERT_EQ(dialogs->Saved.size(), 2u);
    EXPECT_EQ(dialogs->Saved[1].Folder.filename(), "van.pdf");
    EXPECT_EQ(PdfPageCount(folder / "van.pdf"), 3);
    EXPECT_TRUE(messages.Texts().empty());
}

TEST(PrtImg, CommandLinePdfHasTheTextReportsPageCount) {
    TScopedProgramFolder folder;
    const fs::path pdf = folder / "default.pdf";
    const std::string command = "QT_QPA_PLATFORM=offscreen '" RK36_BINARY_DIR "/src/RK36' --print-pdf '" +
                                pdf.string() + "' '" + kDefaultFile.string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(PdfPageCount(pdf), static_cast<int>(DefaultReport().size()));
}

} // namespace
