#include "app/dc_EditorState.h"

#include <algorithm>
#include <utility>

#include "image/dc_DataFile.h"
#include "model/dc_Rules.h"

namespace {

enum class TNameRule { Keep, Untitled, Given };

// What each way in leaves behind; std::nullopt keeps the flag as it was.
struct TOriginRule {
    bool ReloadTemplate;
    std::optional<bool> FileModified;
    bool ClearHardwareChanged;
    bool EnableSave;
    TNameRule Name;
    bool NewBaseline;
    bool ToRecent;
};

TOriginRule RuleFor(TModelOrigin origin) {
    switch (origin) {
    case TModelOrigin::Startup:
        return {true, false, true, false, TNameRule::Given, true, false};
    case TModelOrigin::New: // the model dialog took the template channel with the template
        return {false, false, true, false, TNameRule::Untitled, true, false};
    case TModelOrigin::Open:
        return {true, false, true, false, TNameRule::Given, true, true};
    case TModelOrigin::Upload: // the radio's data are in no file yet
        return {true, true, true, true, TNameRule::Untitled, true, false};
    case TModelOrigin::Download:
        return {true, std::nullopt, false, false, TNameRule::Keep, true, false};
    case TModelOrigin::FileData:
        return {false, true, false, false, TNameRule::Keep, false, false};
    case TModelOrigin::Hardware: // the dialog set the template channel and HardwareChanged
        return {false, std::nullopt, false, false, TNameRule::Keep, true, false};
    }
    return {};
}

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

} // namespace

TEditorState::TEditorState() {
    ItemVisible.fill(true);
}

void TEditorState::Adopt(const TRKmem& model, const TMap36& image, TModelOrigin origin,
                         const std::string& fileName) {
    if (&model != &Model) Model.Assign(model);
    if (&image != &Image) Image.Assign(image);
    const TOriginRule rule = RuleFor(origin);
    if (rule.ReloadTemplate) ReloadTemplateChannel();
    if (rule.FileModified) FileModified = *rule.FileModified;
    if (rule.ClearHardwareChanged) HardwareChanged = false;
    if (rule.EnableSave) SaveEnabled = true;
    if (rule.Name == TNameRule::Untitled || (rule.Name == TNameRule::Given && fileName.empty()))
        CurrentFileName = kUntitled;
    else if (rule.Name == TNameRule::Given)
        CurrentFileName = fileName;
    if (rule.ToRecent && !fileName.empty()) MoveToFrontOfRecent(fileName);
    if (rule.NewBaseline) TakeSavedChannels();
    if (origin == TModelOrigin::Startup) CopiedChannel.reset();
    // A configuration from a file or the model dialog starts a history of
    // its own; the other ways in are steps their callers record.
    if (origin == TModelOrigin::Startup || origin == TModelOrigin::New || origin == TModelOrigin::Open) {
        History.Clear();
        NotifyHistory();
    }
}

void TEditorState::Saved(const std::string& fileName) {
    CurrentFileName = fileName;
    HardwareChanged = false;
    // What was saved is what an unsaved-changes check compares with from now on.
    FileModified = false;
    TakeSavedChannels();
    History.MarkSaved(fileName);
    NotifyHistory();
}

void TEditorState::NoteChannelChanges() {
    if (!Model.Channels.Equals(SavedChannels)) FileModified = true;
}

void TEditorState::ReloadTemplateChannel() {
    int32_t lower = 0, upper = 0;
    TemplateChannel = TChannel();
    LoadBandTemplate(Model.ControlHeadType, BandType(Model), Model.ProductType, true, lower, upper,
                     &TemplateChannel);
}

void TEditorState::TakeSavedChannels() {
    // The grid writes back only what its columns show, so values no column
    // shows may change on the first write-back of a page. The baseline is the
    // table as the first page (the one shown after every load and save) will
    // leave it; otherwise a file that was only looked at would count as
    // changed. The live model stays as loaded.
    const TGridOptions options = GridOptions(Model, FileFormat);
    TRKmem settled;
    settled.Assign(Model);
    TGridPage page;
    FillPage(settled, 0, options, page);
    StorePage(settled, page, options);
    SavedChannels.Assign(settled.Channels);
}

void TEditorState::MoveToFrontOfRecent(const std::string& fileName) {
    const std::string key = UpperCase(fileName);
    RecentFiles.erase(std::remove_if(RecentFiles.begin(), RecentFiles.end(),
                                     [&](const std::string& f) { return UpperCase(f) == key; }),
                      RecentFiles.end());
    RecentFiles.insert(RecentFiles.begin(), fileName);
}

// ---- Undo and redo -------------------------------------------------------------

TUndoSnapshot TEditorState::Snapshot() const {
    TUndoSnapshot s;
    s.Model.Assign(Model);
    s.Image.Assign(Image);
    s.FileModified = FileModified;
    s.HardwareChanged = HardwareChanged;
    s.FileFormat = FileFormat;
    s.CurrentFileName = CurrentFileName;
    s.TemplateChannel = TemplateChannel;
    s.SavedChannels.Assign(SavedChannels);
    return s;
}

void TEditorState::Restore(TUndoSnapshot snapshot) {
    Model = std::move(snapshot.Model);
    Image.Assign(snapshot.Image);
    FileModified = snapshot.FileModified;
    HardwareChanged = snapshot.HardwareChanged;
    FileFormat = snapshot.FileFormat;
    CurrentFileName = std::move(snapshot.CurrentFileName);
    TemplateChannel = snapshot.TemplateChannel;
    SavedChannels.Assign(snapshot.SavedChannels);
    // Back at what the file holds the baseline is that file's again;
    // elsewhere a cell edit not yet noted still counts as a change.
    if (History.AtSavedState())
        TakeSavedChannels();
    else
        NoteChannelChanges();
}

bool TEditorState::Matches(const TUndoSnapshot& s) const {
    return HardwareChanged == s.HardwareChanged && FileFormat == s.FileFormat &&
           CurrentFileName == s.CurrentFileName && TemplateChannel == s.TemplateChannel &&
           Image.Equals(s.Image) && Model == s.Model;
}

void TEditorState::RecordStep(std::string name, TUndoSnapshot before) {
    if (Matches(before)) return;
    History.Record(std::move(name), std::move(before));
    NotifyHistory();
}

bool TEditorState::Undo() {
    if (!History.CanUndo()) return false;
    Restore(History.Undo(Snapshot()));
    NotifyHistory();
    return true;
}

bool TEditorState::Redo() {
    if (!History.CanRedo()) return false;
    Restore(History.Redo(Snapshot()));
    NotifyHistory();
    return true;
}

void TEditorState::NotifyHistory() {
    if (HistoryChanged) HistoryChanged();
}

TUndoStep::TUndoStep(TEditorState& state, std::string name) : state_(state), name_(std::move(name)) {
    if (state_.openSteps_++ == 0) before_ = state_.Snapshot();
}

TUndoStep::~TUndoStep() {
    --state_.openSteps_;
    if (before_) state_.RecordStep(std::move(name_), std::move(*before_));
}
