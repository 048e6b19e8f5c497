#include "app/dc_Help.h"

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <string>

#include "app/dc_GuiSeams.h"
#include "dialogs/DlgBase.h"
#include "image/dc_DataFile.h"

namespace {

std::filesystem::path& CurrentFolder() {
    static std::filesystem::path folder;
    return folder;
}

} // namespace

void SetHelpLanguage(int language) {
    switch (language) {
    case 0: CurrentFolder() = ProgramFolder() / "help" / "en"; break;
    case 1: CurrentFolder() = ProgramFolder() / "help" / "es"; break;
    default: CurrentFolder().clear(); break;
    }
}

std::filesystem::path HelpFolder() { return CurrentFolder(); }

std::filesystem::path HelpPagePath(uint32_t context) {
    const auto& folder = CurrentFolder();
    if (folder.empty()) return {};
    if (context != 0) {
        auto page = folder / (std::to_string(context) + ".html");
        std::error_code ec;
        if (std::filesystem::exists(page, ec)) return page;
    }
    return folder / "index.html";
}

void ShowHelp(uint32_t context) {
    const auto page = HelpPagePath(context);
    if (page.empty()) return;
    static QPointer<QTextBrowser> browser;
    if (!browser) {
        browser = new QTextBrowser;
        browser->setAttribute(Qt::WA_DeleteOnClose);
        browser->setWindowTitle(QStringLiteral("RK36 Help"));
        browser->setOpenExternalLinks(true);
        browser->resize(640, 520);
    }
    browser->setSource(QUrl::fromLocalFile(PathToQ(page)));
    browser->show();
    browser->raise();
}

void InstallDialogHelp() {
    SetHelpHandler([](int command, uint32_t context) { ShowHelp(command == 1 ? context : 0); });
}
