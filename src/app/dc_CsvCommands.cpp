#include "app/dc_CsvCommands.h"

#include <filesystem>
#include <string>

#include "app/dc_ChannelCsv.h"
#include "app/dc_EditorState.h"
#include "app/dc_GuiSeams.h"
#include "image/dc_DataFile.h"
#include "model/dc_MessageBox.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kCsvFilter = "CSV Files(*.csv)|*.csv";
constexpr const char* kCsvExt = "csv";
// A channel list is a small text; anything this large is not one.
constexpr size_t kCsvLimit = 16u << 20;
// More lines than fit a message box on a screen help nobody.
constexpr size_t kProblemsShown = 20;

std::string ProblemList(const TCsvImportResult& r) {
    std::string text;
    for (size_t i = 0; i < r.Problems.size() && i < kProblemsShown; ++i)
        text += "\r\n" + CsvProblemText(r.Problems[i]);
    if (r.Problems.size() > kProblemsShown)
        text += "\r\n... and " + std::to_string(r.Problems.size() - kProblemsShown) + " more";
    return text;
}

} // namespace

void ImportChannelsCsvClick(TEditorState& state, int32_t currentGroup,
                            const std::function<void(int32_t)>& refresh) {
    const auto chosen = FileDialogs().OpenFile(
        {QStringLiteral("Import Channels (CSV)"), fs::path(state.CurrentFolder), kCsvFilter, kCsvExt});
    if (!chosen) return;
    std::string csv, reason;
    if (!ReadRegularFile(*chosen, csv, kCsvLimit, reason)) {
        ShowMessageBox("File read error  File Name = " + chosen->string() + "\r\n" + reason, TMsgType::Error);
        return;
    }
    TCsvImportOptions options;
    options.Group = -1;
    options.CommonGroup = currentGroup;
    options.Grid = GridOptions(state.Model, state.FileFormat);
    options.TemplateChannel = state.TemplateChannel;
    options.Ask = [](std::string_view format, std::string_view argument) {
        return ShowMessageBoxF(format, argument, TMsgType::Information, TMsgButtons::YesCancel, 1) ==
               TMsgResult::Yes;
    };
    TCsvImportResult r = ImportChannelsCsv(state.Model, csv, options);
    const std::string name = chosen->filename().string();
    if (!r.Applied && !r.Problems.empty()) {
        if (ShowMessageBox(name + ": " + r.Refusal + ProblemList(r) +
                               "\r\n\r\nImport the other rows and skip these?",
                           TMsgType::Confirmation, TMsgButtons::YesNo, 2) != TMsgResult::Yes)
            return;
        options.SkipInvalid = true;
        r = ImportChannelsCsv(state.Model, csv, options);
    }
    if (!r.Applied) {
        ShowMessageBox(name + ": " + r.Refusal, TMsgType::Error);
        return;
    }
    state.FileModified = true;
    refresh(r.FirstGroup);
}

void ExportChannelsCsvClick(TEditorState& state) {
    const TMsgResult native =
        ShowMessageBox("Export every grid column with its group (native, for RK36)?\r\n"
                       "No exports the common columns other programmers and spreadsheets read.",
                       TMsgType::Confirmation, TMsgButtons::YesNoCancel, 2);
    if (native == TMsgResult::Cancel) return;
    const auto chosen = FileDialogs().SaveFile(
        {QStringLiteral("Export Channels (CSV)"), fs::path(state.CurrentFolder), kCsvFilter, kCsvExt});
    if (!chosen) return;
    const std::string csv =
        ExportChannelsCsv(state.Model, native == TMsgResult::Yes ? TCsvDialect::Native : TCsvDialect::Common,
                          GridOptions(state.Model, state.FileFormat));
    std::string reason;
    if (!WriteFileAtomically(*chosen, csv, reason))
        ShowMessageBox("File write error  File Name = " + chosen->string() + "\r\n" + reason,
                       TMsgType::Error);
}
