#include "app/dc_Settings.h"

#include <charconv>
#include <functional>

#include "app/dc_EditorState.h"
#include "model/dc_Ini.h"

namespace {

constexpr int kRecentFileKeys = 4;

struct TTarget {
    TEditorState& State;
    TWindowPlacement& Placement;
    const std::string& ProgramFolder;
};

// One key: integer keys have GetInt/SetInt, text keys GetText/SetText.
struct TSettingRow {
    TSettingKey Key;
    std::function<int(const TEditorState&, const TWindowPlacement&)> GetInt;
    std::function<void(TTarget&, int)> SetInt;
    std::function<std::string(const TEditorState&)> GetText;
    std::function<void(TTarget&, const std::string&)> SetText;
};

TSettingRow PlacementRow(const char* key, int TWindowPlacement::*field, TSettingWrite write) {
    return {{key, "-1", write},
            [field](const TEditorState&, const TWindowPlacement& p) { return p.*field; },
            [field](TTarget& t, int v) { t.Placement.*field = v; },
            {},
            {}};
}

TSettingRow IntRow(const char* key, const char* def, int TEditorState::*field) {
    return {{key, def, TSettingWrite::Always},
            [field](const TEditorState& s, const TWindowPlacement&) { return s.*field; },
            [field](TTarget& t, int v) { t.State.*field = v; },
            {},
            {}};
}

const std::vector<TSettingRow>& Rows() {
    static const std::vector<TSettingRow> rows = [] {
        std::vector<TSettingRow> r = {
            PlacementRow("FRMY", &TWindowPlacement::Top, TSettingWrite::NormalWindow),
            PlacementRow("FRMX", &TWindowPlacement::Left, TSettingWrite::NormalWindow),
            PlacementRow("FRMW", &TWindowPlacement::Width, TSettingWrite::NormalWindow),
            PlacementRow("FRMH", &TWindowPlacement::Height, TSettingWrite::NormalWindow),
            PlacementRow("FRMMAX", &TWindowPlacement::Maximized, TSettingWrite::Never),
            IntRow("COM_PORT", "1", &TEditorState::ComPortNo),
            // An empty default stands for the program folder.
            {{"CURFOLD", "", TSettingWrite::Always},
             {},
             {},
             [](const TEditorState& s) { return s.CurrentFolder; },
             [](TTarget& t, const std::string& v) {
                 t.State.CurrentFolder = v.empty() ? t.ProgramFolder : v;
             }},
            // Anything but 1 is the original format.
            {{"FILEFMT", "0", TSettingWrite::Always},
             [](const TEditorState& s, const TWindowPlacement&) { return s.FileFormat; },
             [](TTarget& t, int v) { t.State.FileFormat = v == 1 ? 1 : 0; },
             {},
             {}},
            IntRow("HLANG", "0", &TEditorState::HelpLanguage),
            IntRow("PAGE", "0", &TEditorState::PreviewPageMode),
        };
        // Empty slots are skipped when reading, so the list closes up.
        for (int i = 0; i < kRecentFileKeys; ++i)
            r.push_back({{"FILE" + std::to_string(i + 1), "", TSettingWrite::Always},
                         {},
                         {},
                         [i](const TEditorState& s) {
                             return static_cast<size_t>(i) < s.RecentFiles.size()
                                        ? s.RecentFiles[static_cast<size_t>(i)]
                                        : std::string();
                         },
                         [](TTarget& t, const std::string& v) {
                             if (!v.empty()) t.State.RecentFiles.push_back(v);
                         }});
        for (int g = 1; g <= kColumnGroupCount; ++g)
            r.push_back({{"ITEM" + std::to_string(g), "1", TSettingWrite::Always},
                         [g](const TEditorState& s, const TWindowPlacement&) {
                             return s.ItemVisible[static_cast<size_t>(g)] ? 1 : 0;
                         },
                         [g](TTarget& t, int v) { t.State.ItemVisible[static_cast<size_t>(g)] = v == 1; },
                         {},
                         {}});
        return r;
    }();
    return rows;
}

int IntDefault(const std::string& text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

const std::vector<TSettingKey>& SettingKeys() {
    static const std::vector<TSettingKey> keys = [] {
        std::vector<TSettingKey> k;
        for (const TSettingRow& row : Rows())
            k.push_back(row.Key);
        return k;
    }();
    return keys;
}

void ReadSettings(const TIniData& ini, const std::string& programFolder, TEditorState& state,
                  TWindowPlacement& placement) {
    TTarget target{state, placement, programFolder};
    state.RecentFiles.clear();
    for (const TSettingRow& row : Rows()) {
        if (row.SetInt)
            row.SetInt(target, ini.ReadInt(row.Key.Key, IntDefault(row.Key.Default)));
        else
            row.SetText(target, ini.ReadStr(row.Key.Key, row.Key.Default));
    }
}

void WriteSettings(TIniData& ini, const TEditorState& state, const TWindowPlacement& placement,
                   bool normalWindow) {
    for (const TSettingRow& row : Rows()) {
        if (row.Key.Write == TSettingWrite::Never ||
            (row.Key.Write == TSettingWrite::NormalWindow && !normalWindow))
            continue;
        if (row.GetInt)
            ini.WriteInt(row.Key.Key, row.GetInt(state, placement));
        else
            ini.WriteStr(row.Key.Key, row.GetText(state));
    }
}
