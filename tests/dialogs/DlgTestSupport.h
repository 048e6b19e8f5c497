#pragma once
// What the dialog tests share: one QApplication, the program-wide state a
// dialog is lent, a scratch program folder with band templates, and a
// user's pick in a drop-down list.

#include <QApplication>
#include <QComboBox>

#include <filesystem>
#include <memory>
#include <string>

#include "dialogs/DlgBase.h"
#include "image/dc_Map36.h"
#include "model/dc_RKmem.h"

// Creates the application once when the test program's main has not.
void EnsureApp();

// The main window's state as the dialogs see it.
struct TDlgState {
    TRKmem Model;
    TMap36 Image;
    TChannel TemplateChannel;
    bool FileModified = false;
    bool HardwareChanged = false;
    TDialogContext Ctx{Model, Image, TemplateChannel, FileModified, HardwareChanged, 0, 0};
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
