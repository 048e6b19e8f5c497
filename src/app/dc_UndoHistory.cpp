#include "app/dc_UndoHistory.h"

#include <utility>

namespace {
const std::string kNone;
}

void TUndoHistory::Record(std::string name, TUndoSnapshot before) {
    undo_.push_back(TStep{std::move(name), std::move(before), current_});
    current_ = ++next_;
    redo_.clear();
    while (undo_.size() > kMaxSteps)
        undo_.pop_front();
}

const std::string& TUndoHistory::UndoName() const {
    return undo_.empty() ? kNone : undo_.back().Name;
}

const std::string& TUndoHistory::RedoName() const {
    return redo_.empty() ? kNone : redo_.back().Name;
}

TUndoSnapshot TUndoHistory::Undo(TUndoSnapshot current) {
    return Move(undo_, redo_, std::move(current));
}

TUndoSnapshot TUndoHistory::Redo(TUndoSnapshot current) {
    return Move(redo_, undo_, std::move(current));
}

TUndoSnapshot TUndoHistory::Move(std::deque<TStep>& from, std::deque<TStep>& to, TUndoSnapshot current) {
    if (from.empty()) return current;
    TStep step = std::move(from.back());
    from.pop_back();
    // The step's name goes with it: Redo offers again what Undo took back.
    to.push_back(TStep{step.Name, std::move(current), current_});
    current_ = step.Serial;
    if (current_ == saved_) step.State.FileModified = false;
    return std::move(step.State);
}

void TUndoHistory::MarkSaved(const std::string& fileName) {
    saved_ = current_;
    for (auto* list : {&undo_, &redo_})
        for (TStep& step : *list) {
            step.State.FileModified = true;
            step.State.CurrentFileName = fileName;
        }
}

void TUndoHistory::Clear() {
    undo_.clear();
    redo_.clear();
    current_ = saved_ = ++next_;
}
