#pragma once
// What "RK36.ini" keeps: one table of keys with their defaults, read into
// the editor's state and the window's placement at start-up and written
// back at exit.

#include <string>
#include <vector>

class TEditorState;
class TIniData;

// The window's position and size as stored; -1 leaves a value as designed.
struct TWindowPlacement {
    int Left = -1;
    int Top = -1;
    int Width = -1;
    int Height = -1;
    int Maximized = -1; // 1 starts the window maximized
};

// When a key is written at exit.
enum class TSettingWrite {
    Always,
    NormalWindow, // only when the window is neither maximized nor minimized
    Never,
};

struct TSettingKey {
    std::string Key;
    std::string Default; // as the file would hold it
    TSettingWrite Write;
};

// Every key in the order start-up applies them.
const std::vector<TSettingKey>& SettingKeys();

// Reads every key (a missing or unreadable one gives its default) into the
// state and the placement. `programFolder` is the default current folder.
void ReadSettings(const TIniData& ini, const std::string& programFolder, TEditorState& state,
                  TWindowPlacement& placement);
// Writes the keys written at exit; the placement only for a normal window.
void WriteSettings(TIniData& ini, const TEditorState& state, const TWindowPlacement& placement,
                   bool normalWindow);
