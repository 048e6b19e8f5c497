// Undo and redo over the editor state without a window: what each sequence
// of steps, saves, undos and redos leaves live, the modified mark above all.

#include <gtest/gtest.h>

#include <string>

#include "app/dc_EditorState.h"

namespace {

// One letter a user action: e edit, h hardware change, n a step that changes
// nothing, m one step made of two edits, s save, u undo, r redo.
void Play(TEditorState& s, const std::string& script) {
    for (const char op : script) {
        switch (op) {
        case 'e': {
            TUndoStep step(s, "Edit");
            s.Model.SerialNumber += 'x';
            s.FileModified = true;
            break;
        }
        case 'h': {
            TUndoStep step(s, "Hardware");
            s.Model.ProductType += 'h';
            s.HardwareChanged = true;
            break;
        }
        case 'n': {
            TUndoStep step(s, "Nothing");
            s.FileModified = true; // a mark alone is no edit
            break;
        }
        case 'm': {
            TUndoStep outer(s, "Both");
            Play(s, "ee");
            break;
        }
        case 's':
            s.Saved("/radios/a.K36");
            break;
        case 'u':
            s.Undo();
            break;
        case 'r':
            s.Redo();
            break;
        }
    }
}

TEST(UndoHistory, StepsSavesUndosAndRedos) {
    const struct {
        const char* Name;
        const char* Script;
        const char* Serial;
        bool FileModified, HardwareChanged;
        size_t Undos, Redos;
        const char* UndoName;
    } rows[] = {
        {"fresh", "", "", false, false, 0, 0, ""},
        {"three undos back to the opened state", "eeeuuu", "", false, false, 0, 3, ""},
        {"three redos after them", "eeeuuurrr", "xxx", true, false, 3, 0, "Edit"},
        {"undo behind a save", "eesu", "x", true, false, 1, 1, "Edit"},
        {"redo onto the saved state", "eesur", "xx", false, false, 2, 0, "Edit"},
        {"redo past a save made after an undo", "eeusr", "xx", true, false, 2, 0, "Edit"},
        {"one more edit after undoing to the saved state", "eue", "x", true, false, 1, 0, "Edit"},
        {"a change of the mark alone is no step", "n", "", true, false, 0, 0, ""},
        {"a new step drops what could be redone", "eeue", "xx", true, false, 2, 0, "Edit"},
        {"nested steps are one", "m", "xx", true, false, 1, 0, "Both"},
        {"nested steps taken back at once", "mu", "", false, false, 0, 1, ""},
        {"hardware change taken back", "hu", "", false, false, 0, 1, ""},
        {"hardware change done again keeps its marks", "hur", "", false, true, 1, 0, "Hardware"},
        {"nothing to undo", "u", "", false, false, 0, 0, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        TEditorState s;
        s.History.Clear();
        int notes = 0;
        s.HistoryChanged = [&] { ++notes; };
        Play(s, r.Script);
        EXPECT_EQ(s.Model.SerialNumber, r.Serial);
        EXPECT_EQ(s.FileModified, r.FileModified);
        EXPECT_EQ(s.HardwareChanged, r.HardwareChanged);
        EXPECT_EQ(s.History.UndoCount(), r.Undos);
        EXPECT_EQ(s.History.RedoCount(), r.Redos);
        EXPECT_EQ(s.History.UndoName(), r.UndoName);
        EXPECT_EQ(notes > 0, r.Undos + r.Redos > 0);
    }
}

TEST(UndoHistory, KeepsTheLastHundredSteps) {
    TEditorState s;
    s.History.Clear();
    Play(s, std::string(TUndoHistory::kMaxSteps + 5, 'e'));
    EXPECT_EQ(s.History.UndoCount(), TUndoHistory::kMaxSteps);
    Play(s, std::string(TUndoHistory::kMaxSteps + 5, 'u'));
    EXPECT_EQ(s.Model.SerialNumber, std::string(5, 'x'));
    EXPECT_EQ(s.History.RedoCount(), TUndoHistory::kMaxSteps);
    // The opened state fell out of the history: what is live differs from its file.
    EXPECT_TRUE(s.FileModified);
}

TEST(UndoHistory, UndoOfAnUploadGivesTheFileItsNameBack) {
    TEditorState s;
    s.History.Clear();
    s.CurrentFileName = "/radios/a.K36";
    {
        TUndoStep step(s, "Upload");
        s.Model.SerialNumber = "1234567";
        s.CurrentFileName = kUntitled;
        s.FileModified = true;
    }
    s.Undo();
    EXPECT_EQ(s.CurrentFileName, "/radios/a.K36");
    EXPECT_FALSE(s.FileModified);
    s.Redo();
    s.Saved("/radios/b.K36");
    s.Undo(); // the earlier state now belongs to the file saved last
    EXPECT_EQ(s.CurrentFileName, "/radios/b.K36");
    EXPECT_TRUE(s.FileModified);
}

} // namespace
