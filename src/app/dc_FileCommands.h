#pragma once
// The File menu's commands on the editor's state: New, Open, Save, Save As,
// the recent files, the unsaved-changes prompt and the file loaded at
// start-up. The main window supplies what is on screen through hooks.

#include <functional>
#include <string>

#include "model/dc_MessageBox.h"

class TEditorState;

// The open dialog's filter for data files.
std::string OpenDataFilter();

class TFileCommands {
  public:
    struct THooks {
        // The window shown again after the live configuration or file name changed.
        std::function<void()> Refresh;
        // The recent-file menu built again.
        std::function<void()> RecentChanged;
        // miSave and toolSave follow SaveEnabled.
        std::function<void()> SaveEnabledChanged;
        // New's model dialog: fills the live configuration, true on OK.
        std::function<bool(TEditorState&)> ModelDialog;
    };

    TFileCommands(TEditorState& state, THooks hooks);

    THooks& Hooks() { return hooks_; }
    // ProgramFolder()/"default.K36".
    std::string DefaultFileName() const;

    // The named file, or the default file, or a new configuration.
    void LoadStartupFile(const std::string& commandLineFile);
    // Saves under the current name, asking for one when there is none (or
    // the default file is not to be overwritten). False when not saved.
    bool SaveCurrentFile();
    // Asks about unsaved changes; false: do not go on (Cancel, or a failed save).
    bool AskSaveChanges(TMsgButtons buttons = TMsgButtons::YesNo);

    void miNewClick();
    void miOpenClick();
    void miSaveClick();
    void miSaveAsClick();
    // Recent file 1..4.
    void RecentFileClick(int index);

  private:
    bool LoadInto(const std::string& fileName);
    void RememberFolder(const std::string& fileName);
    // The save dialog; false on Cancel.
    bool AskFileName(std::string& name);

    TEditorState& state_;
    THooks hooks_;
};
