#pragma once
// The main window: owns the editor's state (the live configuration and the
// program-wide variables), builds its menu and tool bar from the menu table
// and wires every command to the unit that runs it.

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "print/dc_Printers.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class TChannelGrid;
class TEditorState;
class TFileCommands;
class TIniData;
struct TDialogCommand;
struct TTransferResult;

constexpr const char* kAppTitle = "RK36Win for TR-2100_2200_2300 Series";

// What the first command-line argument asks for.
struct TCommandLine {
    int StartupMode = 0;  // 0 normal, 1 data mode ("-D"), 2 manufacture mode ("-M")
    std::string FileName; // an argument holding "K36", as given
};
TCommandLine ParseCommandLine(const std::vector<std::string>& args);

class TfrmMain : public QMainWindow {
    Q_OBJECT
  public:
    // `args`: the command-line arguments after the program name.
    explicit TfrmMain(const std::vector<std::string>& args, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The live configuration and the program-wide state.
    TEditorState& State() { return *state_; }
    const TEditorState& State() const { return *state_; }
    const TPrintSettings& PrintSettings() const { return printSettings_; }

    // ---- Operations other windows use ----------------------------------------
    // Title, menus, panels, the grid on `group` and its columns.
    void RefreshAll(int group = 0);
    void RefreshMenus();
    void StoreGridPage();
    void CommitBeforeCommand();
    bool SaveCurrentFile();
    // Runs a menu command by item name, with the commit the menu table asks for.
    void RunCommand(const std::string& name);
    // Wires a command of a window that lives elsewhere; until then its item is disabled.
    void SetCommand(const std::string& name, std::function<void()> handler);
    // The model dialog New opens: fills the live configuration, true on OK.
    // Without one, New ends after the unsaved-changes prompt.
    void SetModelDialog(std::function<bool(TEditorState& state)> dialog);
    // The configuration dialog: edits port number and help language, true on
    // OK. Configure is offered once it is set.
    void SetConfigDialog(std::function<bool(int& comPortNo, int& helpLanguage)> dialog);

    QAction* Action(const std::string& name) const;
    QMenu* Menu(const std::string& name) const;
    QLabel* StatusPanel(int i) const { return statusPanels_[static_cast<size_t>(i)]; }
    QLabel* SystemPanel(const std::string& name) const;
    // The item whose hint the status bar shows, "" when none.
    const std::string& HintItem() const { return hintItem_; }
    QString DefaultHint() const;

    // Help for F1 as the status bar's hint tells.
    void HelpForHint();
    // The lock-key panels; exposed so a key press can refresh them.
    void RefreshLockPanels();

    // ---- Widgets -----------------------------------------------------------------
    // The channel grid in the window's centre.
    TChannelGrid* Grid = nullptr;
    QToolBar* barTool = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void BuildSystemPanels();
    void WireCommands();
    void LoadConfiguration();
    void SaveConfiguration();
    void RebuildRecentMenu();
    void SetItemEnabled(const std::string& name, bool enabled);
    void RefreshSystemPanels();
    void ShowHint(const QString& text);
    void ApplyColumnLayout();
    void ShowGroupPage();
    void UpdateSaveActions();
    // Undo and Redo enabled and named after the steps they would take.
    void UpdateUndoActions();
    void UndoRedoClick(bool undo);
    void UpdateItemChecks();
    // The keyboard back to the grid when nothing visible in this window has it.
    void RestoreGridFocus();
    // A settings dialog and what its row says to show again after OK.
    void RunSettingsDialog(const TDialogCommand& command);
    // A Radio menu command's result made live when it was accepted.
    void TakeTransferResult(const TTransferResult* result);

    // Commands.
    void FormatClick(int format);
    void miConfClick();
    void misVisibleClick();
    void ShowFileData();
    void miToolbarClick();
    void miStatusBarClick();
    void ItemClick(int group);

    std::unique_ptr<TEditorState> state_;
    std::unique_ptr<TFileCommands> files_;
    std::unique_ptr<TIniData> ini_;
    TPrintSettings printSettings_;
    std::map<std::string, QAction*> actions_;
    std::map<std::string, QMenu*> menus_;
    std::map<std::string, std::function<void()>> commands_;
    std::map<std::string, QLabel*> sysPanels_;
    std::array<QLabel*, 5> statusPanels_{};
    QTimer* Timer1 = nullptr;
    std::function<bool(int&, int&)> configDialog_;
    std::string hintItem_;
    bool closing_ = false;
};
