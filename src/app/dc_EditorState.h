#pragma once
// The editor's one state: the live model and image and the program-wide
// variables the main window, the grid, the settings dialogs and the transfer
// window share. A new configuration becomes live only through Adopt, so that
// every way in (start-up, New, Open, a read from the radio, typed image
// bytes, a new band template) leaves the same flags behind.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/dc_GridRules.h"
#include "app/dc_UndoHistory.h"
#include "image/dc_Map36.h"
#include "model/dc_RKmem.h"

inline constexpr const char* kUntitled = "Untitled";

// Where the configuration that becomes live comes from.
enum class TModelOrigin {
    Startup,  // the default or command-line file, or the defaults
    New,      // the model dialog's template
    Open,     // a data file (Open and the recent files)
    Upload,   // read from the radio and accepted
    Download, // written to the radio and read back
    FileData, // raw image bytes typed in
    Hardware, // the hardware dialog's new band template
};

// The channel Copy took last, with its shown channel number and table index.
struct TCopiedChannel {
    TChannel Channel;
    int ChannelNo = -1;
    int ChannelIndex = -1;
};

class TEditorState {
  public:
    TEditorState();
    TEditorState(const TEditorState&) = delete;
    TEditorState& operator=(const TEditorState&) = delete;

    // ---- The live configuration ------------------------------------------------
    TRKmem Model;
    TMap36 Image;

    // ---- Program-wide state ----------------------------------------------------
    std::string CurrentFileName = kUntitled;
    bool FileModified = false;
    bool SaveEnabled = false;
    bool HardwareChanged = false;
    int StartupMode = 0; // 0 normal, 1 data mode, 2 manufacture mode
    int FileFormat = 0;  // 0 original, 1 Fleet
    int ComPortNo = 1;
    std::string CurrentFolder;
    int HelpLanguage = 0;
    int PreviewPageMode = 0;
    std::vector<std::string> RecentFiles; // most recent first
    TGroupFlags ItemVisible{};
    TChannel TemplateChannel;
    TChannels SavedChannels;
    std::optional<TCopiedChannel> CopiedChannel;

    TCodecContext CodecContext() const { return TCodecContext{StartupMode}; }

    // ---- Undo and redo ---------------------------------------------------------
    // Steps are recorded with TUndoStep around each change of the live
    // configuration; Startup, New and Open begin a fresh history, a save
    // moves its saved mark.
    TUndoHistory History;
    // After every change of History, so that the menus follow it.
    std::function<void()> HistoryChanged;

    TUndoSnapshot Snapshot() const;
    // Makes `before` a step named `name` when the live state differs from it.
    void RecordStep(std::string name, TUndoSnapshot before);
    // Takes the last step back / does the last step taken back again; false
    // when there is none. The caller shows the configuration again.
    bool Undo();
    bool Redo();

    // Makes `model` and `image` live (either may be the live object itself)
    // and sets what `origin` implies. `fileName` names the file of Startup
    // and Open; Startup without one is "Untitled".
    void Adopt(const TRKmem& model, const TMap36& image, TModelOrigin origin,
               const std::string& fileName = {});
    // After the live configuration was saved as `fileName`.
    void Saved(const std::string& fileName);
    // The unsaved-changes check before a command: the channel table no longer
    // the one last loaded or saved.
    void NoteChannelChanges();
    // TemplateChannel from the template file of the live product, head and band.
    void ReloadTemplateChannel();
    // SavedChannels from the live table as the grid's first page will leave it.
    void TakeSavedChannels();
    // `fileName` at the front of RecentFiles, any earlier entry of it
    // (letter case aside) dropped.
    void MoveToFrontOfRecent(const std::string& fileName);

  private:
    friend class TUndoStep;
    // Whether the live state is `s` as far as a step is concerned: the
    // modified mark and its baseline follow the rest and are not compared.
    bool Matches(const TUndoSnapshot& s) const;
    void Restore(TUndoSnapshot snapshot);
    void NotifyHistory();
    int openSteps_ = 0;
};

// One user action as one undo step: the state on construction is where the
// step starts; on destruction the step is kept when anything changed.
// Steps nest: only the outermost one records, so an action made of smaller
// ones is taken back as a whole.
//
//     TUndoStep step(state, "Import Channels");
class TUndoStep {
  public:
    TUndoStep(TEditorState& state, std::string name);
    ~TUndoStep();
    TUndoStep(const TUndoStep&) = delete;
    TUndoStep& operator=(const TUndoStep&) = delete;
    // The name once the action knows what it did.
    void Rename(std::string name) { name_ = std::move(name); }

  private:
    TEditorState& state_;
    std::string name_;
    std::optional<TUndoSnapshot> before_;
};
