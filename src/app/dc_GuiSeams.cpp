#include "app/dc_GuiSeams.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>

#include "dialogs/DlgBase.h"

QString ToQ(std::string_view latin1) {
    return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
}

std::string FromQ(const QString& text) {
    return text.toLatin1().toStdString();
}

QStringList ToQ(const std::vector<std::string>& items) {
    QStringList out;
    for (const auto& item : items)
        out << ToQ(item);
    return out;
}

QString PathToQ(const std::filesystem::path& path) {
    return QFile::decodeName(path.string().c_str());
}

std::filesystem::path PathFromQ(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

namespace {

QMessageBox::StandardButton ToQtButton(TMsgResult r) {
    switch (r) {
    case TMsgResult::Ok:
        return QMessageBox::Ok;
    case TMsgResult::Cancel:
        return QMessageBox::Cancel;
    case TMsgResult::Yes:
        return QMessageBox::Yes;
    case TMsgResult::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(TMsgType type) {
    switch (type) {
    case TMsgType::Warning:
        return QMessageBox::Warning;
    case TMsgType::Error:
        return QMessageBox::Critical;
    case TMsgType::Information:
        return QMessageBox::Information;
    case TMsgType::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString TitleOf(TMsgType type) {
    switch (type) {
    case TMsgType::Warning:
        return QStringLiteral("Warning");
    case TMsgType::Error:
        return QStringLiteral("Error");
    case TMsgType::Information:
        return QStringLiteral("Information");
    case TMsgType::Confirmation:
        return QStringLiteral("Confirm");
    }
    return {};
}

std::shared_ptr<IFileDialogs>& CurrentFileDialogs() {
    static std::shared_ptr<IFileDialogs> dialogs = std::make_shared<TQtFileDialogs>();
    return dialogs;
}

std::optional<std::filesystem::path> RunFileDialog(const TFileDialogRequest& request, bool save) {
    QFileDialog dialog(QApplication::activeWindow(), request.Title, PathToQ(request.Folder),
                       QtNameFilter(request.Filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(ToQ(request.DefaultExt));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return PathFromQ(dialog.selectedFiles().front());
}

} // namespace

QPointer<QWidget>& MessageOwner() {
    static QPointer<QWidget> owner;
    return owner;
}

TScopedMessageOwner::TScopedMessageOwner(QWidget* owner) : previous_(MessageOwner()) {
    MessageOwner() = owner;
}
TScopedMessageOwner::~TScopedMessageOwner() {
    MessageOwner() = previous_;
}

TMsgResult TQtMessageSink::Show(const TMessage& message) {
    // "\r\n" is the program's line break; Qt only wants "\n".
    QString text = ToQ(message.Text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QWidget* owner = MessageOwner() ? MessageOwner().data() : QApplication::activeWindow();
    QMessageBox box(IconOf(message.Type), TitleOf(message.Type), text, QMessageBox::NoButton, owner,
                    DialogWindowFlags() | Qt::MSWindowsFixedSizeDialogHint);
    // Over a window that stays on top, a box must too, or it opens behind it.
    if (owner && owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    for (TMsgResult r : ButtonsOf(message.Buttons))
        box.addButton(ToQtButton(r));
    box.setDefaultButton(ToQtButton(DefaultResult(message)));
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const int pressed = box.exec();
    // The keyboard goes back to where it was, not to whatever window the
    // system happens to activate next.
    if (focus) {
        focus->activateWindow();
        focus->setFocus();
    }
    for (TMsgResult r : ButtonsOf(message.Buttons))
        if (pressed == ToQtButton(r)) return r;
    // Closed by Esc or the title bar: the box's escape button decides.
    const auto buttons = ButtonsOf(message.Buttons);
    for (TMsgResult r : buttons)
        if (r == TMsgResult::Cancel || r == TMsgResult::No) return r;
    return buttons.front();
}

std::optional<std::filesystem::path> TQtFileDialogs::OpenFile(const TFileDialogRequest& request) {
    return RunFileDialog(request, false);
}

std::optional<std::filesystem::path> TQtFileDialogs::SaveFile(const TFileDialogRequest& request) {
    return RunFileDialog(request, true);
}

std::shared_ptr<IFileDialogs> SetFileDialogs(std::shared_ptr<IFileDialogs> dialogs) {
    auto previous = CurrentFileDialogs();
    CurrentFileDialogs() = dialogs ? std::move(dialogs) : std::make_shared<TQtFileDialogs>();
    return previous;
}

IFileDialogs& FileDialogs() {
    return *CurrentFileDialogs();
}

QString QtNameFilter(std::string_view filter) {
    const auto bar = filter.find('|');
    const QString description = ToQ(filter.substr(0, bar));
    if (bar == std::string_view::npos) return description;
    QStringList patterns;
    for (const QString& p : ToQ(filter.substr(bar + 1)).split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = p.trimmed();
        for (const QString& variant : {trimmed, trimmed.toLower(), trimmed.toUpper()})
            if (!patterns.contains(variant)) patterns << variant;
    }
    return description + QStringLiteral(" (") + patterns.join(u' ') + u')';
}

TOkCancel MakeOkCancel(QDialog* dialog, const char* okName, const char* cancelName) {
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(ToQ(okName));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(ToQ(cancelName));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return {ok, cancel, row};
}
