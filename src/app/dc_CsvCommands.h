#pragma once
// File > "Import Channels (CSV)..." and "Export Channels (CSV)...": the file
// dialogs, questions and messages around the channel CSV unit.

#include <cstdint>
#include <functional>

class TEditorState;

// Imports a chosen file; the common dialect goes into `currentGroup`, the
// native one by its Group column. `refresh` shows the first group imported.
void ImportChannelsCsvClick(TEditorState& state, int32_t currentGroup,
                            const std::function<void(int32_t)>& refresh);
void ExportChannelsCsvClick(TEditorState& state);
