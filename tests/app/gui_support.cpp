#include "gui_support.h"
#include <cstdlib>

#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

#include "image/dc_Map36.h"
#include "model/dc_RKmem.h"
#include "model/dc_Rules.h"

TScopedProgramFolder::TScopedProgramFolder() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("rk36-gui-" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
    SetProgramFolder(path_);
    // Backups go to the user's data folder: a scratch one here.
    if (const char* xdg = std::getenv("XDG_DATA_HOME")) previousDataHome_ = xdg;
    setenv("XDG_DATA_HOME", (path_ / "data").c_str(), 1);
}

TScopedProgramFolder::~TScopedProgramFolder() {
    SetProgramFolder({});
    if (previousDataHome_)
        setenv("XDG_DATA_HOME", previousDataHome_->c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string ReadFileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void WriteNewDataFile(const std::filesystem::path& file) {
    TRKmem model;
    model.SetNewConfiguration();
    TMap36 image;
    ASSERT_TRUE(SaveDataFile(file, model, image));
    EnsureBandTemplateFor(file);
}

void EnsureBandTemplateFor(const std::filesystem::path& file) {
    TRKmem model;
    TMap36 image;
    ASSERT_TRUE(LoadDataFile(file, model, image));
    const auto tmpl = BandTemplatePath(model.ControlHeadType, BandType(model), model.ProductType);
    if (std::filesystem::exists(tmpl)) return;
    std::filesystem::create_directories(tmpl.parent_path());
    std::filesystem::copy_file(file, tmpl);
}
