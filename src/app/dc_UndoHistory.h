#pragma once
// Undo and redo as whole snapshots of the live configuration: a step keeps
// the state it started from, so taking it back can never leave a mix of old
// and new tables behind, whatever the step touched. The editor state owns
// one history; Open and New begin a fresh one.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "image/dc_Map36.h"
#include "model/dc_RKmem.h"

// The live configuration and the program-wide values that change with it.
struct TUndoSnapshot {
    TRKmem Model;
    TMap36 Image;
    bool FileModified = false;
    bool HardwareChanged = false; // a Download refuses a standard write while it is set
    int FileFormat = 0;
    std::string CurrentFileName; // an Upload leaves the data in no file
    TChannel TemplateChannel;
    TChannels SavedChannels; // the unsaved-changes baseline
};

class TUndoHistory {
  public:
    static constexpr size_t kMaxSteps = 100;

    // A step named `name` that started from `before`; drops the redo list
    // and, beyond kMaxSteps, the oldest step.
    void Record(std::string name, TUndoSnapshot before);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    size_t UndoCount() const { return undo_.size(); }
    size_t RedoCount() const { return redo_.size(); }
    // The name of the step Undo / Redo would take back or do again; "" when none.
    const std::string& UndoName() const;
    const std::string& RedoName() const;
    // The state to make live in place of `current`, which moves to the other
    // list. Its FileModified already tells what that state means now: false
    // exactly when it is the one last saved. Nothing to take: `current` back.
    TUndoSnapshot Undo(TUndoSnapshot current);
    TUndoSnapshot Redo(TUndoSnapshot current);
    // The live state is what the file `fileName` now holds: every other state
    // differs from the file, and all of them belong to it now.
    void MarkSaved(const std::string& fileName);
    // A fresh history whose live state is an unmodified one.
    void Clear();
    bool AtSavedState() const { return current_ == saved_; }

  private:
    struct TStep {
        std::string Name;
        TUndoSnapshot State;
        uint64_t Serial; // which state it is, for the saved mark
    };
    TUndoSnapshot Move(std::deque<TStep>& from, std::deque<TStep>& to, TUndoSnapshot current);

    std::deque<TStep> undo_; // the next to take back at the back
    std::deque<TStep> redo_; // the next to do again at the back
    uint64_t current_ = 0;
    uint64_t saved_ = 0;
    uint64_t next_ = 0;
};
