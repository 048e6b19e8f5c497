#pragma once
// Test doubles for the editor's seams, and a temporary program folder.

#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/dc_GuiSeams.h"
#include "image/dc_DataFile.h"

// Answers the open and save dialogs from a script; an exhausted script cancels.
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
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
    std::optional<std::string> previousDataHome_;
};

std::string ReadFileBytes(const std::filesystem::path& file);
void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes);
// A valid data file of a new configuration.
// A valid data file of a new configuration, and the band template that
// loading it will look for.
void WriteNewDataFile(const std::filesystem::path& file);
void EnsureBandTemplateFor(const std::filesystem::path& file);
