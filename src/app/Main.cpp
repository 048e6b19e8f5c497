#include "app/Main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "app/D_About.h"
#include "app/D_Compare.h"
#include "app/D_Config.h"
#include "app/D_FData.h"
#include "app/D_Pass.h"
#include "app/D_Radio.h"
#include "app/D_Visible.h"
#include "app/dc_ChannelGrid.h"
#include "app/dc_CsvCommands.h"
#include "app/dc_DialogCommands.h"
#include "app/dc_EditorState.h"
#include "app/dc_FileCommands.h"
#include "app/dc_GuiSeams.h"
#include "app/dc_Help.h"
#include "app/dc_LockKeys.h"
#include "app/dc_MainMenu.h"
#include "app/dc_Settings.h"
#include "dialogs/D_Model.h"
#include "model/dc_Ini.h"

#include "image/dc_DataFile.h"
#include "model/dc_Access.h"
#include "model/dc_MessageBox.h"
#include "model/dc_ReportLayout.h"
#include "model/dc_Rules.h"
#include "model/dc_Text.h"
#include "print/D_Preview.h"
#include "print/D_PrintSetup.h"
#include "print/dc_PrtImg.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kDefaultHint = "F1 for Help  F2 for Next Group  F3 for DCS Complement  F10 for Menus";

std::string WithTrailingSlash(const fs::path& folder) {
    std::string text = folder.string();
    if (text.empty() || text.back() != '/') text += '/';
    return text;
}

// Short and long part of a hint: "short|long"; without "|" both are the whole text.
QString LongHint(const char* hint) {
    const QString text = ToQ(hint);
    const auto bar = text.indexOf(u'|');
    return bar < 0 ? text : text.mid(bar + 1);
}

QString ShortHint(const char* hint) {
    const QString text = ToQ(hint);
    const auto bar = text.indexOf(u'|');
    return bar < 0 ? text : text.left(bar);
}

QIcon ToolIcon(const std::string& tool, QStyle* style) {
    static const std::map<std::string, QStyle::StandardPixmap> icons = {
        {"toolNew", QStyle::SP_FileIcon},
        {"toolOpen", QStyle::SP_DialogOpenButton},
        {"toolSave", QStyle::SP_DialogSaveButton},
        {"toolCopy", QStyle::SP_FileDialogDetailedView},
        {"toolPaste", QStyle::SP_FileDialogContentsView},
        {"toolPrint", QStyle::SP_ComputerIcon},
        {"toolUpload", QStyle::SP_ArrowUp},
        {"toolDownload", QStyle::SP_ArrowDown},
        {"toolMS", QStyle::SP_BrowserReload},
        {"toolTopic", QStyle::SP_MessageBoxInformation},
    };
    const auto it = icons.find(tool);
    return it == icons.end() ? QIcon() : style->standardIcon(it->second);
}

} // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
    TCommandLine result;
    if (args.empty()) return result;
    const std::string first = UpperCase(args.front());
    if (first == "-D" || first == "/D")
        result.StartupMode = 1;
    else if (first == "-M" || first == "/M")
        result.StartupMode = 2;
    else if (first.find("K36") != std::string::npos)
        result.FileName = args.front();
    return result;
}

// ---- Start-up ----------------------------------------------------------------

TfrmMain::TfrmMain(const std::vector<std::string>& args, QWidget* parent)
    : QMainWindow(parent), state_(std::make_unique<TEditorState>()) {
    setObjectName(QStringLiteral("frmMain"));
    TEditorState& state = *state_;

    // Command line, then manufacture-mode access.
    const TCommandLine commandLine = ParseCommandLine(args);
    state.StartupMode = commandLine.StartupMode;
    if (state.StartupMode == 2) {
        TfrmPass pass(this);
        if (pass.exec() != QDialog::Accepted || !IsManufactureAccessCode(pass.Password()))
            state.StartupMode = 0;
    }

    files_ = std::make_unique<TFileCommands>(
        state, TFileCommands::THooks{[this] { RefreshAll(); }, [this] { RebuildRecentMenu(); },
                                     [this] { UpdateSaveActions(); },
                                     [this](TEditorState& s) { return ExecuteModelDialog(this, s); }});

    BuildMenus();
    BuildToolBar();
    BuildSystemPanels();
    BuildStatusBar();
    setMinimumSize(835, 540);
    WireCommands();
    state.HistoryChanged = [this] { UpdateUndoActions(); };

    // Clock and lock keys.
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] {
        statusPanels_[4]->setText(QTime::currentTime().toString(QStringLiteral("HH:mm")));
        RefreshLockPanels();
    });
    Timer1->start();
    statusPanels_[4]->setText(QTime::currentTime().toString(QStringLiteral("HH:mm")));
    RefreshLockPanels();
    qApp->installEventFilter(this);

    LoadConfiguration();

    state.Model.SetNewConfiguration();
    files_->LoadStartupFile(commandLine.FileName);
    RefreshAll();
    ApplyColumnLayout();
}

void TfrmMain::WireCommands() {
    // Every command this window runs itself; the rest are wired by their windows.
    commands_["miNew"] = [this] { files_->miNewClick(); };
    commands_["miOpen"] = [this] { files_->miOpenClick(); };
    commands_["miSave"] = [this] { files_->miSaveClick(); };
    commands_["miSaveAs"] = [this] { files_->miSaveAsClick(); };
    commands_["miCompare"] = [this] { CompareWithFile(this, *state_); };
    commands_["miImportCsv"] = [this] {
        TUndoStep step(*state_, "Import Channels");
        ImportChannelsCsvClick(*state_, Grid->CurrentGroup, [this](int32_t group) {
            RefreshAll();
            Grid->ShowGroupPage(group);
        });
    };
    commands_["miExportCsv"] = [this] { ExportChannelsCsvClick(*state_); };
    commands_["miOriginalformat"] = [this] { FormatClick(0); };
    commands_["miFleetformat"] = [this] { FormatClick(1); };
    for (int i = 1; i <= 4; ++i)
        commands_["miFile" + std::to_string(i)] = [this, i] { files_->RecentFileClick(i); };
    commands_["miExit"] = [this] { close(); };
    commands_["miToolbar"] = [this] { miToolbarClick(); };
    commands_["miStatusBar"] = [this] { miStatusBarClick(); };
    // Copy and paste belong to the grid, and only while it is in use.
    commands_["miCopy"] = [this] {
        if (Grid->HasFocusOrEditing()) Grid->Copy();
    };
    commands_["miPaste"] = [this] {
        if (Grid->HasFocusOrEditing()) Grid->Paste();
    };
    commands_["miUndo"] = [this] { UndoRedoClick(true); };
    commands_["miRedo"] = [this] { UndoRedoClick(false); };
    for (const TMenuEntry& e : MainMenuTable())
        if (e.Group > 0) commands_[e.Name] = [this, g = e.Group] { ItemClick(g); };
    commands_["miTopic"] = [] { ShowHelp(0); };
    commands_["miGetStart"] = [] { ShowHelp(500); };
    // Reading a radio replaces the live model: unsaved edits are asked about first.
    commands_["miUpload"] = [this] {
        if (files_->AskSaveChanges(TMsgButtons::YesNoCancel))
            TakeTransferResult(miUploadClick(*state_, this).get());
    };
    commands_["miDownload"] = [this] { TakeTransferResult(miDownloadClick(*state_, this).get()); };
    commands_["miVerify"] = [this] { miVerifyClick(*state_, this); };
    commands_["miAbout"] = [this] { TfrmAbout::Execute(this); };
    commands_["misVisible"] = [this] { misVisibleClick(); };
    // The configuration dialog keeps the port device paths in the same file.
    configDialog_ = [this](int& port, int& language) {
        return ini_ && TfrmConfig::Execute(this, port, language, *ini_);
    };
    commands_["miConf"] = [this] { miConfClick(); };
    for (const TDialogCommand& command : DialogCommands())
        commands_[command.Name] = [this, &command] { RunSettingsDialog(command); };
    // The report's document: the current file's name in the current folder,
    // where a PDF of it is suggested.
    const auto document = [this] {
        return fs::path(state_->CurrentFolder) / fs::path(state_->CurrentFileName).filename();
    };
    const auto report = [this] {
        return BuildReport(state_->Model, state_->CurrentFileName, state_->FileFormat);
    };
    commands_["miPrint"] = [this, document, report] {
        if (PrintWithSetup(this, printSettings_, report(), document())) RefreshSystemPanels();
    };
    commands_["miPrintPdf"] = [document, report] {
        PrintReportToPdfWithDialog(report(), fs::path(document()).replace_extension("pdf"));
    };
    commands_["miPreview"] = [this, document, report] {
        TfrmPreview::Execute(this, report(), printSettings_, state_->PreviewPageMode, document());
        RefreshSystemPanels(); // its Print button may have chosen another printer
    };
    commands_["miSetup"] = [this] {
        if (TfrmPrintSetup::Execute(this, printSettings_, kPrintSetupCaption)) RefreshSystemPanels();
    };
}

TfrmMain::~TfrmMain() {
    qApp->removeEventFilter(this);
}

void TfrmMain::BuildMenus() {
    for (const TMenuEntry& e : MainMenuTable()) {
        const std::string name = e.Name;
        QMenu* parentMenu = *e.Parent ? menus_.at(e.Parent) : nullptr;
        switch (e.Kind) {
        case TMenuKind::Menu: {
            QMenu* menu =
                parentMenu ? parentMenu->addMenu(ToQ(e.Caption)) : menuBar()->addMenu(ToQ(e.Caption));
            menu->setObjectName(ToQ(e.Name));
            menu->menuAction()->setStatusTip(LongHint(e.Hint));
            menu->setToolTipsVisible(false);
            // A menu left with Esc hands the keyboard to the menu bar, where it
            // shows nowhere; once no other menu took over, it goes back to the grid.
            connect(menu, &QMenu::aboutToHide, this, [this] {
                QTimer::singleShot(0, this, [this] {
                    if (!QApplication::activePopupWidget()) RestoreGridFocus();
                });
            });
            menus_[name] = menu;
            break;
        }
        case TMenuKind::Separator:
            parentMenu->addSeparator();
            break;
        case TMenuKind::Item:
        case TMenuKind::Check: {
            auto* action = new QAction(ToQ(e.Caption), this);
            action->setObjectName(ToQ(e.Name));
            action->setCheckable(e.Kind == TMenuKind::Check);
            if (*e.ShortCut) action->setShortcuts(QKeySequence::listFromString(ToQ(e.ShortCut)));
            action->setStatusTip(LongHint(e.Hint));
            action->setToolTip(ShortHint(e.Hint));
            action->setData(e.HelpContext);
            parentMenu->addAction(action);
            connect(action, &QAction::triggered, this, [this, name] { RunCommand(name); });
            actions_[name] = action;
            break;
        }
        }
    }
    // Recent-file captions and check marks are set when the configuration is read.
    actions_.at("miRecentFile")->setEnabled(false);
    actions_.at("miToolbar")->setChecked(true);
    actions_.at("miStatusBar")->setChecked(true);
}

void TfrmMain::BuildToolBar() {
    barTool = addToolBar(QStringLiteral("Toolbar"));
    barTool->setObjectName(QStringLiteral("barTool"));
    barTool->setFloatable(true);
    barTool->setMovable(true);
    for (const TToolEntry& t : ToolBarTable()) {
        if (std::string_view(t.Name) == "-") {
            barTool->addSeparator();
            continue;
        }
        QAction* action = actions_.at(t.MenuItem);
        if (action->icon().isNull()) action->setIcon(ToolIcon(t.Name, style()));
        barTool->addAction(action);
        if (QWidget* button = barTool->widgetForAction(action)) button->setObjectName(ToQ(t.Name));
    }
    // A tool bar closed while floating hides for good, until the menu shows it again.
    connect(barTool, &QToolBar::visibilityChanged, this, [this](bool visible) {
        // A minimized window hides its tool bar too; only an explicit hide counts.
        if (!closing_ && !visible && barTool->isHidden()) actions_.at("miToolbar")->setChecked(false);
    });
}

void TfrmMain::BuildSystemPanels() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);

    auto* pnlSysType = new QFrame(central);
    pnlSysType->setObjectName(QStringLiteral("pnlSysType"));
    pnlSysType->setFrameShape(QFrame::StyledPanel);
    auto* sysLayout = new QHBoxLayout(pnlSysType);
    sysLayout->setContentsMargins(4, 2, 4, 2);
    struct TPair {
        const char* Caption;
        const char* Value;
    };
    const struct {
        const char* Name;
        TPair Rows[2];
    } columns[] = {
        {"pnlSysLeft", {{"Serial No", "pnlSerialNo"}, {"Freq Band", "pnlBand"}}},
        {"pnlSysCentre", {{"Product Type", "pnlProduct"}, {"FW Version", "pnlFWVer"}}},
        {"pnlSysRight", {{"COM Port", "pnlComPort"}, {"Printer", "pnlPrinter"}}},
    };
    for (const auto& column : columns) {
        auto* sub = new QFrame(pnlSysType);
        sub->setObjectName(ToQ(column.Name));
        auto* grid = new QGridLayout(sub);
        grid->setContentsMargins(2, 2, 2, 2);
        int row = 0;
        for (const TPair& pair : column.Rows) {
            auto* caption = new QLabel(ToQ(pair.Caption), sub);
            caption->setFrameShape(QFrame::Panel);
            caption->setFrameShadow(QFrame::Raised);
            caption->setMinimumWidth(90);
            auto* value = new QLabel(sub);
            value->setObjectName(ToQ(pair.Value));
            value->setFrameShape(QFrame::Panel);
            value->setFrameShadow(QFrame::Sunken);
            grid->addWidget(caption, row, 0);
            grid->addWidget(value, row, 1);
            grid->setColumnStretch(1, 1);
            sysPanels_[pair.Value] = value;
            ++row;
        }
        // The three sub-panels share the width equally.
        sysLayout->addWidget(sub, 1);
    }
    layout->addWidget(pnlSysType);

    // The channel grid takes the window's centre.
    Grid = new TChannelGrid(*state_, central);
    layout->addWidget(Grid, 1);
    setCentralWidget(central);
}

void TfrmMain::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("barStatus"));
    bar->setSizeGripEnabled(false);
    const int widths[5] = {650, 30, 30, 35, 60};
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("barStatusPanel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i >= 1 && i <= 3) panel->setAlignment(Qt::AlignCenter);
        statusPanels_[static_cast<size_t>(i)] = panel;
        if (i == 0) {
            panel->setMinimumWidth(100);
            bar->addWidget(panel, 1);
        } else {
            panel->setFixedWidth(widths[i]);
            bar->addPermanentWidget(panel);
        }
    }
    ShowHint(QString());

    // Keys the window handles whatever control has the focus.
    const struct {
        QKeySequence Key;
        std::function<void()> Action;
    } keys[] = {
        {QKeySequence(Qt::Key_F1), [this] { HelpForHint(); }},
        {QKeySequence(Qt::Key_F2), [this] { Grid->NextGroupPage(); }},
        {QKeySequence(Qt::Key_F3), [this] { Grid->DcsComplement(); }},
        {QKeySequence(Qt::SHIFT | Qt::Key_F9), [this] { ShowFileData(); }},
        {QKeySequence(Qt::Key_F10),
         [this] { menuBar()->setActiveAction(menus_.at("mnuFile")->menuAction()); }},
    };
    for (const auto& k : keys) {
        auto* shortcut = new QShortcut(k.Key, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, k.Action);
    }
}

QLabel* TfrmMain::SystemPanel(const std::string& name) const {
    const auto it = sysPanels_.find(name);
    return it == sysPanels_.end() ? nullptr : it->second;
}

QAction* TfrmMain::Action(const std::string& name) const {
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* TfrmMain::Menu(const std::string& name) const {
    const auto it = menus_.find(name);
    return it == menus_.end() ? nullptr : it->second;
}

QString TfrmMain::DefaultHint() const {
    return ToQ(kDefaultHint);
}

// ---- Configuration -------------------------------------------------------------

void TfrmMain::LoadConfiguration() {
    ini_ = std::make_unique<TIniData>(ProgramFolder() / "RK36.ini");
    ini_->Load();
    TWindowPlacement placement;
    ReadSettings(*ini_, WithTrailingSlash(ProgramFolder()), *state_, placement);
    if (placement.Top >= 0) move(x(), placement.Top);
    if (placement.Left >= 0) move(placement.Left, y());
    if (placement.Width >= 0) resize(placement.Width, height());
    if (placement.Height >= 0) resize(width(), placement.Height);
    if (placement.Maximized == 1) setWindowState(windowState() | Qt::WindowMaximized);
    actions_.at("miFleetformat")->setChecked(state_->FileFormat == 1);
    actions_.at("miOriginalformat")->setChecked(state_->FileFormat != 1);
    SetHelpLanguage(state_->HelpLanguage);
    RebuildRecentMenu();
    UpdateItemChecks();
}

void TfrmMain::SaveConfiguration() {
    if (!ini_) return;
    const bool normal = !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    WriteSettings(*ini_, *state_, TWindowPlacement{x(), y(), width(), height(), -1}, normal);
    // A configuration that cannot be written must not keep the program open.
    (void)ini_->Save();
    ini_.reset();
}

void TfrmMain::UpdateItemChecks() {
    for (const TMenuEntry& e : MainMenuTable())
        if (e.Group > 0) actions_.at(e.Name)->setChecked(state_->ItemVisible[static_cast<size_t>(e.Group)]);
}

// ---- Refresh -------------------------------------------------------------------

void TfrmMain::RefreshAll(int group) {
    std::string title = " - ";
    title += kAppTitle;
    if (state_->StartupMode == 2) title += "(Manufacture mode)";
    title += " -";
    setWindowTitle(PathToQ(state_->CurrentFileName) + ToQ(title));
    RefreshMenus();
    RefreshSystemPanels();
    Grid->ShowGroupPage(group);
    ApplyColumnLayout();
}

void TfrmMain::RefreshSystemPanels() {
    const TRKmem& m = state_->Model;
    sysPanels_.at("pnlSerialNo")->setText(ToQ(m.SerialNumber));
    sysPanels_.at("pnlProduct")->setText(ToQ(m.ProductType));
    sysPanels_.at("pnlFWVer")->setText(ToQ(m.FirmwareVersion));
    sysPanels_.at("pnlComPort")->setText(QStringLiteral("COM%1").arg(state_->ComPortNo));
    sysPanels_.at("pnlBand")->setText(ToQ(BandName(BandType(m), m.ProductType)));
    sysPanels_.at("pnlPrinter")->setText(printSettings_.CurrentPrinter());
}

void TfrmMain::SetItemEnabled(const std::string& name, bool enabled) {
    actions_.at(name)->setEnabled(enabled && commands_.count(name) > 0);
}

void TfrmMain::RefreshMenus() {
    // Option boards that leave out paging (P), 2-tone (T) or both.
    static const std::map<std::string, std::string, std::less<>> disabledByBoard = {
        {"No", "PT"},
        {"OB-21 (2-TONE)", "P"},
        {"OB-51 (5-TONE)", "PT"},
        {"OB-81 (TR-TRUNK)", "PT"},
        {"OB-31 (ENC/DTMF/PAGE)", "T"},
        {"MDC1200(ANI)", "PT"},
        {"OB-41 (Hi Level Encr)", "PT"},
        {"OB-71(ANI)", "PT"},
    };
    for (const char* name : {"miSTone", "miAni", "miPCode", "mi2Tone", "mi2TTable"})
        SetItemEnabled(name, true);
    const auto it = disabledByBoard.find(OptionBoardName(state_->Model));
    const std::string off = it == disabledByBoard.end() ? "" : it->second;
    if (off.find('P') != std::string::npos) SetItemEnabled("miPCode", false);
    if (off.find('T') != std::string::npos) {
        SetItemEnabled("mi2Tone", false);
        SetItemEnabled("mi2TTable", false);
    }

    const bool mdc = IsMdcAni(state_->Model, state_->FileFormat == 1);
    QAction* miMdc1200 = actions_.at("miMdc1200");
    if (state_->FileFormat == 1) {
        actions_.at("misPage")->setText(QStringLiteral("Page/Sig/MDC1200"));
        miMdc1200->setVisible(true);
        SetItemEnabled("miMdc1200", mdc);
    } else {
        actions_.at("misPage")->setText(QStringLiteral("Page/Sig"));
        miMdc1200->setVisible(false);
    }
    SetItemEnabled("misAni", !mdc);
    UpdateSaveActions();

    // Items that have no window yet stay disabled; everything else is on.
    static const char* const kManaged[] = {"miSTone",   "miAni",        "miPCode", "mi2Tone",
                                           "mi2TTable", "miMdc1200",    "misAni",  "miSave",
                                           "miUndo",    "miRecentFile", "miRedo"};
    for (const auto& [name, action] : actions_) {
        if (std::find_if(std::begin(kManaged), std::end(kManaged),
                         [&](const char* m) { return name == m; }) != std::end(kManaged))
            continue;
        action->setEnabled(commands_.count(name) > 0);
    }
}

void TfrmMain::RestoreGridFocus() {
    if (closing_ || !Grid) return;
    QWidget* focus = focusWidget();
    if (focus && focus != menuBar() && focus->isVisible()) return;
    Grid->TakeFocus();
}

void TfrmMain::UpdateSaveActions() {
    SetItemEnabled("miSave", state_->SaveEnabled);
    UpdateUndoActions();
}

void TfrmMain::UpdateUndoActions() {
    const TUndoHistory& history = state_->History;
    const struct {
        const char* Name;
        const char* Verb;
        bool Enabled;
        const std::string& Step;
    } items[] = {
        {"miUndo", "&Undo", history.CanUndo(), history.UndoName()},
        {"miRedo", "&Redo", history.CanRedo(), history.RedoName()},
    };
    for (const auto& item : items) {
        QAction* action = actions_.at(item.Name);
        action->setText(ToQ(StepCaption(item.Verb, item.Step)));
        SetItemEnabled(item.Name, item.Enabled);
    }
}

void TfrmMain::UndoRedoClick(bool undo) {
    if (!(undo ? state_->Undo() : state_->Redo())) return;
    // The configuration is shown again as after an Adopt, on the group the
    // user was on; the history stays.
    const int group = Grid->CurrentGroup;
    const int col = Grid->CurrentCol(), row = Grid->CurrentRow();
    actions_.at("miFleetformat")->setChecked(state_->FileFormat == 1);
    actions_.at("miOriginalformat")->setChecked(state_->FileFormat != 1);
    RefreshAll(group);
    if (row >= 0 && row < Grid->RowCount() && col >= 0) Grid->SetCurrentCell(col, row);
}

void TfrmMain::RebuildRecentMenu() {
    const std::vector<std::string>& recent = state_->RecentFiles;
    actions_.at("miRecentFile")->setVisible(recent.empty());
    const std::string cwd = WithTrailingSlash(fs::current_path());
    for (size_t i = 0; i < 4; ++i) {
        QAction* item = actions_.at("miFile" + std::to_string(i + 1));
        if (i >= recent.size()) {
            item->setVisible(false);
            continue;
        }
        const fs::path file(recent[i]);
        const std::string folder = WithTrailingSlash(file.parent_path());
        const std::string shown = folder == cwd ? file.filename().string() : recent[i];
        item->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(PathToQ(shown)));
        item->setVisible(true);
    }
}

void TfrmMain::StoreGridPage() {
    Grid->StoreGridPage();
}
void TfrmMain::ShowGroupPage() {
    Grid->ShowGroupPage(Grid->CurrentGroup);
}
void TfrmMain::ApplyColumnLayout() {
    Grid->ApplyColumnLayout();
}

void TfrmMain::CommitBeforeCommand() {
    Grid->CommitEditor();
    StoreGridPage();
    state_->NoteChannelChanges();
}

bool TfrmMain::SaveCurrentFile() {
    return files_->SaveCurrentFile();
}

void TfrmMain::SetModelDialog(std::function<bool(TEditorState&)> dialog) {
    files_->Hooks().ModelDialog = std::move(dialog);
}

// ---- Commands ------------------------------------------------------------------

void TfrmMain::SetCommand(const std::string& name, std::function<void()> handler) {
    if (handler)
        commands_[name] = std::move(handler);
    else
        commands_.erase(name);
    RefreshMenus();
}

void TfrmMain::RunCommand(const std::string& name) {
    const TMenuEntry* entry = FindMenuEntry(name.c_str());
    const auto command = commands_.find(name);
    if (!entry || command == commands_.end()) return;
    if (entry->Commit == TCommit::Full) {
        CommitBeforeCommand();
        if (std::string_view(entry->Parent) == "mnuFile") {
            state_->SaveEnabled = true;
            UpdateSaveActions();
        }
    } else if (entry->Commit == TCommit::Page) {
        StoreGridPage();
    }
    command->second();
    RestoreGridFocus();
}

void TfrmMain::RunSettingsDialog(const TDialogCommand& command) {
    // One step for the dialog and what its OK brings along (a new band template).
    TUndoStep step(*state_, PlainCaption(command.Name));
    if (!command.Execute(this, *state_)) return;
    switch (command.After) {
    case TAfterDialog::Nothing:
        break;
    case TAfterDialog::Everything:
        RefreshAll();
        break;
    case TAfterDialog::NewBaseline:
        state_->Adopt(state_->Model, state_->Image, TModelOrigin::Hardware);
        RefreshAll();
        break;
    case TAfterDialog::OptionLayout:
        RefreshMenus();
        ShowGroupPage();
        ApplyColumnLayout();
        break;
    case TAfterDialog::GroupPage:
        ShowGroupPage();
        break;
    case TAfterDialog::SerialNo:
        RefreshSystemPanels();
        break;
    }
}

void TfrmMain::TakeTransferResult(const TTransferResult* result) {
    if (!result) return;
    if (result->Accepted) {
        TUndoStep step(*state_, result->Origin == TModelOrigin::Upload ? "Upload" : "Download");
        state_->Adopt(result->Model, result->Image, result->Origin);
        RefreshAll();
    }
    if (!result->Status.isEmpty()) statusPanels_[0]->setText(result->Status);
}

void TfrmMain::FormatClick(int format) {
    if (format == state_->FileFormat) return;
    if (ShowMessageBox("Are you sure you want to change the format of RK36?", TMsgType::Warning,
                       TMsgButtons::YesNo, 2) != TMsgResult::Yes)
        return;
    // The format resets the option board and the channels' ANI flags.
    TUndoStep step(*state_, PlainCaption(format == 1 ? "miFleetformat" : "miOriginalformat"));
    state_->FileFormat = format;
    actions_.at("miFleetformat")->setChecked(format == 1);
    actions_.at("miOriginalformat")->setChecked(format != 1);
    TRKmem& m = state_->Model;
    SelectOptionBoard(m, "No");
    ResetOptionDependents(m, "No");
    m.AniOnOption = 0;
    for (int32_t i = 0; i < m.Channels.Count(); ++i)
        m.Channels[i].Ani = 0;
    RefreshMenus();
    ShowGroupPage();
    ApplyColumnLayout();
}

void TfrmMain::SetConfigDialog(std::function<bool(int&, int&)> dialog) {
    configDialog_ = std::move(dialog);
    SetCommand("miConf", configDialog_ ? std::function<void()>([this] { miConfClick(); }) : nullptr);
}

void TfrmMain::miConfClick() {
    int port = state_->ComPortNo;
    int language = state_->HelpLanguage;
    if (!configDialog_ || !configDialog_(port, language)) return;
    state_->ComPortNo = port;
    state_->HelpLanguage = language;
    sysPanels_.at("pnlComPort")->setText(QStringLiteral("COM%1").arg(port));
    SetHelpLanguage(language);
}

void TfrmMain::misVisibleClick() {
    TEditorState& state = *state_;
    TItemVisible flags{};
    for (int g = 1; g <= kColumnGroupCount; ++g)
        flags[static_cast<size_t>(g - 1)] = state.ItemVisible[static_cast<size_t>(g)];
    if (!TfrmVisible::Execute(this, flags, state.FileFormat == 1,
                              IsMdcAni(state.Model, state.FileFormat == 1)))
        return;
    for (int g = 1; g <= kColumnGroupCount; ++g)
        state.ItemVisible[static_cast<size_t>(g)] = flags[static_cast<size_t>(g - 1)] == 1;
    UpdateItemChecks();
    ApplyColumnLayout();
}

void TfrmMain::ShowFileData() {
    StoreGridPage();
    TUndoStep step(*state_, "File Data");
    TfrmFData dialog(*state_, this);
    dialog.exec();
    // Bytes typed into the raw view replace the live configuration.
    if (!dialog.TookOver()) return;
    state_->Adopt(dialog.Model(), dialog.Image(), TModelOrigin::FileData);
    RefreshAll();
}

void TfrmMain::miToolbarClick() {
    const bool show = !barTool->isVisible();
    barTool->setVisible(show);
    actions_.at("miToolbar")->setChecked(show);
}

void TfrmMain::miStatusBarClick() {
    const bool show = !statusBar()->isVisible();
    statusBar()->setVisible(show);
    actions_.at("miStatusBar")->setChecked(show);
}

void TfrmMain::ItemClick(int group) {
    bool& visible = state_->ItemVisible[static_cast<size_t>(group)];
    visible = !visible;
    for (const TMenuEntry& e : MainMenuTable())
        if (e.Group == group) actions_.at(e.Name)->setChecked(visible);
    ApplyColumnLayout();
}

// ---- Hints, keys, help -------------------------------------------------------------

void TfrmMain::ShowHint(const QString& text) {
    const bool none = text.isEmpty();
    statusPanels_[0]->setText(none ? DefaultHint() : text);
    hintItem_.clear();
    if (!none) {
        for (const TMenuEntry& e : MainMenuTable()) {
            if (e.Kind == TMenuKind::Separator) continue;
            if (LongHint(e.Hint) == text) {
                hintItem_ = e.Name;
                break;
            }
        }
    }
    RefreshLockPanels();
}

void TfrmMain::RefreshLockPanels() {
    const TLockKeys keys = ReadLockKeys();
    statusPanels_[1]->setText(keys.CapsLock ? QStringLiteral("CAP") : QString());
    statusPanels_[2]->setText(keys.NumLock ? QStringLiteral("NUM") : QString());
    statusPanels_[3]->setText(keys.ScrollLock ? QStringLiteral("SCRL") : QString());
}

void TfrmMain::HelpForHint() {
    if (hintItem_.empty()) {
        // No item hint showing: the focused control's own help.
        if (Grid->HasFocusOrEditing()) Grid->ColumnHelp();
        return;
    }
    if (hintItem_ == "miAbout") { // the About button shows the box itself
        RunCommand("miAbout");
        return;
    }
    const bool hasTool = std::any_of(ToolBarTable().begin(), ToolBarTable().end(),
                                     [&](const TToolEntry& t) { return hintItem_ == t.MenuItem; });
    const TMenuEntry* entry = FindMenuEntry(hintItem_.c_str());
    ShowHelp(hasTool && entry ? entry->HelpContext : 0);
}

bool TfrmMain::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // The hint goes to panel 0 rather than over the whole status bar.
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_CapsLock || key->key() == Qt::Key_NumLock ||
            key->key() == Qt::Key_ScrollLock)
            QTimer::singleShot(0, this, [this] { RefreshLockPanels(); });
        if (key->key() == Qt::Key_F1) {
            auto* menu = qobject_cast<QMenu*>(watched);
            const bool ours = menu && std::any_of(menus_.begin(), menus_.end(),
                                                  [&](const auto& m) { return m.second == menu; });
            if (ours && menu->activeAction()) {
                const int context = menu->activeAction()->data().toInt();
                ShowHelp(context);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    CommitBeforeCommand();
    if (!files_->AskSaveChanges(TMsgButtons::YesNoCancel)) {
        event->ignore();
        return;
    }
    closing_ = true;
    Timer1->stop();
    SaveConfiguration();
    event->accept();
}
