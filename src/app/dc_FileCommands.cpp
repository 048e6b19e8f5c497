#include "app/dc_FileCommands.h"

#include <filesystem>

#include "app/dc_EditorState.h"
#include "app/dc_GuiSeams.h"
#include "image/dc_DataFile.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kAskSave = "Do you want to save the file?\r\n%s";
constexpr const char* kDataExt = "K36";
// Filters in the "description|patterns" form the program has always used.
constexpr const char* kOpenFilterFormat = "%s Files(*.%s, *.%s)|*.%s;*.%s";
constexpr const char* kSaveFilterFormat = "%s Files(*.%s)|*.%s";

std::string WithTrailingSlash(const fs::path& folder) {
    std::string text = folder.string();
    if (text.empty() || text.back() != '/') text += '/';
    return text;
}

bool FileExists(const std::string& name) {
    std::error_code ec;
    return fs::is_regular_file(fs::path(name), ec);
}

} // namespace

std::string OpenDataFilter() {
    return FormatS(kOpenFilterFormat, {kDataExt, kDataExt, "cps", kDataExt, "cps"});
}

TFileCommands::TFileCommands(TEditorState& state, THooks hooks) : state_(state), hooks_(std::move(hooks)) {}

std::string TFileCommands::DefaultFileName() const {
    return WithTrailingSlash(ProgramFolder()) + "default" + "." + kDataExt;
}

void TFileCommands::LoadStartupFile(const std::string& commandLineFile) {
    const std::string name = commandLineFile.empty() ? DefaultFileName() : commandLineFile;
    bool loaded = false;
    if (FileExists(name)) {
        state_.SaveEnabled = true;
        loaded = LoadDataFile(name, state_.Model, state_.Image, state_.CodecContext());
    }
    state_.Adopt(state_.Model, state_.Image, TModelOrigin::Startup, loaded ? name : std::string());
}

void TFileCommands::RememberFolder(const std::string& fileName) {
    state_.CurrentFolder = WithTrailingSlash(fs::path(fileName).parent_path());
}

bool TFileCommands::AskFileName(std::string& name) {
    TFileDialogRequest request{QStringLiteral("Save As"), fs::path(state_.CurrentFolder),
                               FormatS(kSaveFilterFormat, {kDataExt, kDataExt, kDataExt}), kDataExt};
    const auto chosen = FileDialogs().SaveFile(request);
    if (!chosen) return false;
    name = chosen->string();
    RememberFolder(name);
    return true;
}

bool TFileCommands::SaveCurrentFile() {
    std::string name = state_.CurrentFileName;
    if (name == kUntitled) {
        if (!AskFileName(name)) return false;
    } else if (name == DefaultFileName()) {
        if (ShowMessageBox("Do you want to overwrite the default file?", TMsgType::Confirmation,
                           TMsgButtons::YesNo, 1) == TMsgResult::No &&
            !AskFileName(name))
            return false;
    }
    // The name only becomes the current file once it holds the data.
    if (!SaveDataFile(name, state_.Model, state_.Image, state_.CodecContext())) return false;
    state_.Saved(name);
    hooks_.Refresh();
    return true;
}

bool TFileCommands::AskSaveChanges(TMsgButtons buttons) {
    if (!state_.FileModified) return true;
    switch (ShowMessageBoxF(kAskSave, state_.CurrentFileName, TMsgType::Confirmation, buttons, 1)) {
    case TMsgResult::Yes:
        return SaveCurrentFile();
    case TMsgResult::Cancel:
        return false;
    default:
        return true;
    }
}

bool TFileCommands::LoadInto(const std::string& fileName) {
    if (!LoadDataFile(fileName, state_.Model, state_.Image, state_.CodecContext())) return false;
    state_.Adopt(state_.Model, state_.Image, TModelOrigin::Open, fileName);
    hooks_.RecentChanged();
    hooks_.Refresh();
    return true;
}

void TFileCommands::miNewClick() {
    if (!AskSaveChanges()) return;
    if (!hooks_.ModelDialog || !hooks_.ModelDialog(state_)) return;
    state_.Adopt(state_.Model, state_.Image, TModelOrigin::New);
    hooks_.Refresh();
}

void TFileCommands::miOpenClick() {
    if (!AskSaveChanges()) return;
    TFileDialogRequest request{QStringLiteral("Open"), fs::path(state_.CurrentFolder), OpenDataFilter(),
                               "cps"};
    const auto chosen = FileDialogs().OpenFile(request);
    if (!chosen) return;
    RememberFolder(chosen->string());
    LoadInto(chosen->string());
}

void TFileCommands::miSaveClick() {
    SaveCurrentFile();
}

void TFileCommands::miSaveAsClick() {
    std::string name;
    if (!AskFileName(name)) return;
    // A save that fails leaves the window on the file it had.
    const std::string previous = state_.CurrentFileName;
    state_.CurrentFileName = name;
    if (!SaveCurrentFile()) state_.CurrentFileName = previous;
}

void TFileCommands::RecentFileClick(int index) {
    if (index < 1 || static_cast<size_t>(index) > state_.RecentFiles.size()) return;
    const std::string fileName = state_.RecentFiles[static_cast<size_t>(index - 1)];
    if (!FileExists(fileName)) {
        ShowMessageBox("File Not Found", TMsgType::Warning);
        state_.RecentFiles.erase(state_.RecentFiles.begin() + (index - 1));
        hooks_.RecentChanged();
        return;
    }
    if (!AskSaveChanges()) return;
    state_.SaveEnabled = true;
    hooks_.SaveEnabledChanged();
    LoadInto(fileName);
}
