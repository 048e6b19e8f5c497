#pragma once
// What the dialog tests share: one QApplication, the program-wide state a
// dialog is lent, a scratch program folder with band templates, and a
// user's pick in a drop-down list.

#include <QApplication>
#include <QComboBox>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/DlgBase.h"
#include "image/dc_Map36.h"
#include "model/dc_RKmem.h"

// Creates the application once when the test program's main has not.
void EnsureApp();

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
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
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
// fresh state each time. An untouched OK leaves FileModified clear; each row
// changed alone and OK sets it as the row says. Every enabled control of the
// dialog must have a row, so a row added later cannot be forgotten.
void ExpectCompareOnOk(const std::function<TDlgBase*(TDlgState&)>& open,
                       const std::vector<TCompareRow>& rows);
