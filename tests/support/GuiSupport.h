#pragma once
// What the widget and dialog tests share: one QApplication, scripted seams,
// scratch program folders (an empty one, or one with every band template),
// the program-wide state a dialog is lent, and a user's clicks and picks.

#include <QApplication>
#include <QComboBox>
#include <QString>
#include <QTest>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/dc_GuiSeams.h"
#include "dialogs/DlgBase.h"
#include "image/dc_DataFile.h"
#include "image/dc_Map36.h"
#include "model/dc_RKmem.h"
#include "support/FileBytes.h"
#include "support/ScratchFolder.h"

// Creates the application once when the test program's main has not.
void EnsureApp();

// Clicks a check box or radio button on its indicator: a button stretched by
// its layout does not take clicks in the empty space right of its caption.
inline void ClickIndicator(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Shows a window and waits until it is the active one, so key events reach it.
inline bool ShowActive(QWidget& w) {
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

// Gives `w` the keyboard as Tab would and lets the focus events run.
inline void Focus(QWidget* w) {
    w->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

// Shows a dialog modelessly and waits until it can take input events.
inline void ShowAndWait(QWidget& w) {
    w.show();
    w.activateWindow();
    (void)QTest::qWaitForWindowExposed(&w);
}

class TScriptedFileDialogs : public IFileDialogs {
  public:
    std::vector<TFileDialogRequest> Opened;
    std::vector<TFileDialogRequest> Saved;
    std::vector<std::optional<std::filesystem::path>> OpenAnswers;
    std::vector<std::optional<std::filesystem::path>> SaveAnswers;

    std::optional<std::filesystem::path> OpenFile(const TFileDialogRequest& request) override {
        Opened.push_back(request);
        return Opened.size() <= OpenAnswers.size() ? OpenAnswers[Opened.size() - 1] : std::nullopt;
    }
    std::optional<std::filesystem::path> SaveFile(const TFileDialogRequest& request) override {
        Saved.push_back(request);
        return Saved.size() <= SaveAnswers.size() ? SaveAnswers[Saved.size() - 1] : std::nullopt;
    }
};

class TScopedFileDialogs {
  public:
    TScopedFileDialogs() : dialogs_(std::make_shared<TScriptedFileDialogs>()) {
        previous_ = SetFileDialogs(dialogs_);
    }
    ~TScopedFileDialogs() { SetFileDialogs(previous_); }
    TScopedFileDialogs(const TScopedFileDialogs&) = delete;
    TScopedFileDialogs& operator=(const TScopedFileDialogs&) = delete;
    TScriptedFileDialogs* operator->() { return dialogs_.get(); }

  private:
    std::shared_ptr<TScriptedFileDialogs> dialogs_;
    std::shared_ptr<IFileDialogs> previous_;
};

// A fresh, empty program folder for one test; restores the real one after.
class TScopedProgramFolder {
  public:
    TScopedProgramFolder();
    ~TScopedProgramFolder();
    TScopedProgramFolder(const TScopedProgramFolder&) = delete;
    TScopedProgramFolder& operator=(const TScopedProgramFolder&) = delete;
    const std::filesystem::path& Path() const { return folder_.Path(); }
    std::filesystem::path operator/(const std::string& name) const { return folder_ / name; }

  private:
    TScratchFolder folder_{"rk36-gui"};
    std::optional<std::string> previousDataHome_;
};

// A valid data file of a new configuration, and the band template that
// loading it will look for.
void WriteNewDataFile(const std::filesystem::path& file);
// A data file of `model`, and the band template that loading it will look for.
void WriteModelFile(const std::filesystem::path& file, const TRKmem& model);
void EnsureBandTemplateFor(const std::filesystem::path& file);
// The band template of a new configuration, which start-up and every load read.
void WriteNewConfigurationTemplate();

// The main window's state as the dialogs see it.
struct TDlgState {
    TEditorState Ctx;
    TRKmem& Model = Ctx.Model;
    TMap36& Image = Ctx.Image;
    TChannel& TemplateChannel = Ctx.TemplateChannel;
    bool& FileModified = Ctx.FileModified;
    bool& HardwareChanged = Ctx.HardwareChanged;
};

// A configuration for a band position and product as a template holds it:
// band fields and synthesizer settings of the band, channel 1 inside the
// band with its PLL words, every standby entry encoded.
void MakeBandModel(TRKmem& m, int head, int bandPosition, int productPosition);

// A temporary program folder with every band template (both heads, every
// product and band) and a default file; the real folder is restored after.
class TTemplateFolder {
  public:
    TTemplateFolder();
    ~TTemplateFolder();
    TTemplateFolder(const TTemplateFolder&) = delete;
    TTemplateFolder& operator=(const TTemplateFolder&) = delete;
    const std::filesystem::path& Path() const { return folder_.Path(); }

  private:
    TScratchFolder folder_{"rk36-dlg"};
};

// Chooses item `index` the way a user does: open the list, move to the item,
// press Enter.
void Pick(QComboBox* combo, int index);

// One row of a dialog's compare-on-OK table: a control, and whether
// changing it alone and pressing OK sets FileModified. A list with a
// single item or a read-only edit cannot change: its row does not mark.
struct TCompareRow {
    const char* Control;
    bool Marks = true;
};

// Changes a control the way a user does: the next item of a list (the
// first after the last), a tick toggled, another number typed into an edit
// (then left). Questions are answered Yes.
void ChangeLikeAUser(TDlgBase& dialog, QWidget* control);

// Compare-on-OK over a dialog's rows: `open` shows a fresh dialog over a
// fresh state each time. An untouched OK leaves FileModified clear and, with
// `okKeepsTheFile`, every byte a save writes, also over a configuration of
// odd stored values no control lists; each row changed alone and OK sets
// FileModified as the row says. Every enabled control of the dialog must
// have a row, so a row added later cannot be forgotten.
void ExpectCompareOnOk(const std::function<TDlgBase*(TDlgState&)>& open, const std::vector<TCompareRow>& rows,
                       bool okKeepsTheFile = true);
