#include "app/dc_Help.h"

#include <QApplication>
#include <QEvent>
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
    case 0:
        CurrentFolder() = ProgramFolder() / "help" / "en";
        break;
    case 1:
        CurrentFolder() = ProgramFolder() / "help" / "es";
        break;
    default:
        CurrentFolder().clear();
        break;
    }
}

std::filesystem::path HelpFolder() {
    return CurrentFolder();
}

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

namespace {

// A modal dialog blocks every window that is not its own. While one is up,
// the help window becomes a window of that dialog, so help opened from it
// can be read beside it; when the dialog goes, the help window stays open
// on its own (or with the dialog below, when that is modal too).
class THelpKeeper : public QObject {
  public:
    QPointer<QTextBrowser> Browser;

    void FollowModal() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!Browser || Browser->parentWidget() == modal) return;
        Reparent(modal);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && Browser && watched == Browser->parentWidget()) {
            auto* dialog = static_cast<QWidget*>(watched);
            QWidget* below = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
            Reparent(below && below->isModal() ? below : nullptr);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void Reparent(QWidget* owner) {
        if (QWidget* old = Browser->parentWidget()) old->removeEventFilter(this);
        const bool shown = Browser->isVisible();
        const QRect geometry = Browser->geometry();
        Browser->setParent(owner, Qt::Window);
        Browser->setGeometry(geometry);
        if (owner) owner->installEventFilter(this);
        if (shown) Browser->show();
    }
};

THelpKeeper& Keeper() {
    static auto* keeper = new THelpKeeper;
    return *keeper;
}

} // namespace

void ShowHelp(uint32_t context) {
    const auto page = HelpPagePath(context);
    if (page.empty()) return;
    QPointer<QTextBrowser>& browser = Keeper().Browser;
    if (!browser) {
        browser = new QTextBrowser;
        browser->setAttribute(Qt::WA_DeleteOnClose);
        browser->setWindowTitle(QStringLiteral("RK36 Help"));
        browser->setOpenExternalLinks(true);
        browser->resize(640, 520);
        // Beside the dialog that asked for it rather than over it.
        if (QWidget* modal = QApplication::activeModalWidget())
            browser->move(modal->frameGeometry().topRight() + QPoint(8, 0));
    }
    Keeper().FollowModal();
    browser->setSource(QUrl::fromLocalFile(PathToQ(page)));
    browser->show();
    browser->raise();
}

QWidget* HelpWindow() {
    return Keeper().Browser;
}

void InstallDialogHelp() {
    SetHelpHandler([](int command, uint32_t context) { ShowHelp(command == 1 ? context : 0); });
}
