#pragma once
// The main window: owns the live model and image and the state every
// dialog and the grid share, builds its menu and tool bar from the menu
// table, and runs the file commands.

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "image/dc_Map36.h"
#include "model/dc_MessageBox.h"
#include "model/dc_RKmem.h"
#include "print/dc_Printers.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;
class TIniData;
class TChannelGrid;
struct TDialogContext;

constexpr const char* kAppTitle = "RK36Win for TR-2100_2200_2300 Series";
constexpr const char* kUntitled = "Untitled";
constexpr int kItemGroupCount = 19;

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

    // ---- Program-wide state --------------------------------------------------
    std::string CurrentFileName;
    bool FileModified = false;
    bool SaveEnabled = false;
    bool HardwareChanged = false;
    int StartupMode = 0;
    int ComPortNo = 1;
    std::string CurrentFolder;
    int FileFormat = 0;
    int HelpLanguage = 0;
    int PreviewPageMode = 0;
    TPrintSettings PrintSettings;
    std::vector<std::string> RecentFiles;
    std::array<bool, kItemGroupCount + 1> ItemVisible{}; // 1..19
    TChannels SavedChannels;
    TChannel TemplateChannel;
    TChannel CopiedChannel;
    int CopiedChannelNo = -1;
    int CopiedChannelIndex = -1;
    // The channel grid in the window's centre.
    TChannelGrid* Grid = nullptr;

    TRKmem& Model() { return *model_; }
    TMap36& Image() { return *image_; }
    TCodecContext CodecContext() const { return TCodecContext{StartupMode}; }
    std::string DefaultFileName() const;

    // ---- Operations other windows use ----------------------------------------
    void RefreshAll();
    void RefreshMenus();
    void StoreGridPage();
    void CommitBeforeCommand();
    bool SaveCurrentFile();
    // SavedChannels from the live table as the shown page will leave it: the
    // baseline of unsaved changes after a load, New, a save or a transfer.
    void TakeSavedChannels();
    // TemplateChannel from the template file of the live model's product, head and band.
    void ReloadTemplateChannel();
    // Runs a menu command by item name, with the commit the menu table asks for.
    void RunCommand(const std::string& name);
    // Wires a command of a window that lives elsewhere; until then its item is disabled.
    void SetCommand(const std::string& name, std::function<void()> handler);
    // The model dialog New opens: fills the live model, true on OK. Until it
    // is set, New ends after the unsaved-changes prompt with a message.
    void SetModelDialog(std::function<bool(TRKmem& model)> dialog) { modelDialog_ = std::move(dialog); }
    // The configuration dialog: edits port number and help language, true on
    // OK. Configure is offered once it is set.
    void SetConfigDialog(std::function<bool(int& comPortNo, int& helpLanguage)> dialog);

    QAction* Action(const std::string& name) const;
    QMenu* Menu(const std::string& name) const;
    QToolBar* barTool = nullptr;
    QLabel* StatusPanel(int i) const { return statusPanels_[static_cast<size_t>(i)]; }
    QLabel* SystemPanel(const std::string& name) const;
    // The item whose hint the status bar shows, "" when none.
    const std::string& HintItem() const { return hintItem_; }
    QString DefaultHint() const;

    // Help for F1 as the status bar's hint tells.
    void HelpForHint();
    // The lock-key panels; exposed so a key press can refresh them.
    void RefreshLockPanels();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void BuildSystemPanels();
    void LoadConfiguration();
    void SaveConfiguration();
    void RebuildRecentMenu();
    void SetItemEnabled(const std::string& name, bool enabled);
    void RefreshSystemPanels();
    void ShowHint(const QString& text);
    void ApplyColumnLayout();
    void ShowGroupPage();
    void UpdateSaveActions();
    // The keyboard back to the grid when nothing visible in this window has it.
    void RestoreGridFocus();
    void RememberFolder(const std::string& fileName);
    // The unsaved-changes prompt; false: do not go on (Cancel, or a failed save).
    bool AskSaveChanges(TMsgButtons buttons = TMsgButtons::YesNo);
    bool LoadInto(const std::string& fileName);
    void MoveToFrontOfRecent(const std::string& fileName);

    // Commands.
    void miNewClick();
    void miOpenClick();
    void miSaveClick();
    void miSaveAsClick();
    void FormatClick(int format);
    void miConfClick();
    void miHardwareClick();
    TDialogContext DialogContext();
    void RecentFileClick(int index);
    void misVisibleClick();
    void ShowFileData();
    void miToolbarClick();
    void miStatusBarClick();
    void ItemClick(int group);

    std::unique_ptr<TRKmem> model_;
    std::unique_ptr<TMap36> image_;
    std::unique_ptr<TIniData> ini_;
    std::map<std::string, QAction*> actions_;
    std::map<std::string, QMenu*> menus_;
    std::map<std::string, std::function<void()>> commands_;
    std::map<std::string, QLabel*> sysPanels_;
    std::array<QLabel*, 5> statusPanels_{};
    QTimer* Timer1 = nullptr;
    std::function<bool(TRKmem&)> modelDialog_;
    std::function<bool(int&, int&)> configDialog_;
    std::string hintItem_;
    bool closing_ = false;
};
