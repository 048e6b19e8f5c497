#pragma once
// The editor's side of the replaceable seams: message boxes shown as
// QMessageBox, and the open/save dialogs behind one interface so tests can
// answer them without a file dialog on screen.

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/dc_MessageBox.h"

class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

// The OK and Cancel buttons of a small dialog, right-aligned in a row; OK is
// the default button (the caller connects it), Cancel rejects.
struct TOkCancel {
    QPushButton* Ok;
    QPushButton* Cancel;
    QHBoxLayout* Row;
};
TOkCancel MakeOkCancel(QDialog* dialog, const char* okName, const char* cancelName);

// Model texts are Latin-1 bytes.
QString ToQ(std::string_view latin1);
std::string FromQ(const QString& text);
// An item list of the rules as a combo box takes it.
QStringList ToQ(const std::vector<std::string>& items);
template <size_t N> QStringList ToQList(const char* const (&items)[N]) {
    QStringList out;
    for (const char* item : items)
        out << ToQ(item);
    return out;
}
// File names follow the local file-name encoding, not Latin-1.
QString PathToQ(const std::filesystem::path& path);
std::filesystem::path PathFromQ(const QString& path);

// The window message boxes belong to while it is set (the transfer window
// during a transfer, so its boxes open on top of it); otherwise the active
// window.
QPointer<QWidget>& MessageOwner();
class TScopedMessageOwner {
  public:
    explicit TScopedMessageOwner(QWidget* owner);
    ~TScopedMessageOwner();
    TScopedMessageOwner(const TScopedMessageOwner&) = delete;
    TScopedMessageOwner& operator=(const TScopedMessageOwner&) = delete;

  private:
    QPointer<QWidget> previous_;
};

class TQtMessageSink : public IMessageSink {
  public:
    TMsgResult Show(const TMessage& message) override;
};

struct TFileDialogRequest {
    QString Title;
    std::filesystem::path Folder;
    // "Description|*.a;*.b", as the program's filters are written.
    std::string Filter;
    std::string DefaultExt; // without the dot
};

class IFileDialogs {
  public:
    virtual ~IFileDialogs() = default;
    // The chosen file, or nothing when cancelled.
    virtual std::optional<std::filesystem::path> OpenFile(const TFileDialogRequest& request) = 0;
    virtual std::optional<std::filesystem::path> SaveFile(const TFileDialogRequest& request) = 0;
};

class TQtFileDialogs : public IFileDialogs {
  public:
    std::optional<std::filesystem::path> OpenFile(const TFileDialogRequest& request) override;
    std::optional<std::filesystem::path> SaveFile(const TFileDialogRequest& request) override;
};

// Replaces the current implementation and returns the previous one; nullptr
// restores the Qt dialogs.
std::shared_ptr<IFileDialogs> SetFileDialogs(std::shared_ptr<IFileDialogs> dialogs);
IFileDialogs& FileDialogs();

// "K36 Files(*.K36, *.cps)|*.K36;*.cps" -> a Qt name filter. Patterns are
// offered in both letter cases, since the file system here tells them apart.
QString QtNameFilter(std::string_view filter);
