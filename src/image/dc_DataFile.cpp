#include "image/dc_DataFile.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>
#include <random>
#include <system_error>

#include "model/dc_Errors.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char* kFormatMessage = "The file cannot be opened.\r\nThe file format is not correct.";
constexpr const char* kReadError = "File read error  File Name = %s";
constexpr const char* kWriteError = "File write error  File Name = %s";

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using TFilePtr = std::unique_ptr<std::FILE, TFileCloser>;

enum class TReadResult { Ok, Short, Error };

TReadResult ReadImage(const fs::path& fileName, TMap& image) {
    // A directory opens fine on some systems and then fails to read: only
    // ferror tells that apart from a short file.
    std::error_code ec;
    if (fs::is_directory(fileName, ec)) return TReadResult::Error;
    TFilePtr f(std::fopen(fileName.string().c_str(), "rb"));
    if (!f) return TReadResult::Error;
    const size_t got = std::fread(image.Buf.data(), 1, image.Buf.size(), f.get());
    if (std::ferror(f.get())) return TReadResult::Error;
    return got < image.Buf.size() ? TReadResult::Short : TReadResult::Ok;
}

bool FlushToDisk(std::FILE* f) {
    if (std::fflush(f) != 0) return false;
#if defined(_WIN32)
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

// Makes the rename itself survive a power cut; failure to do so is not an
// error of the save (the data is already complete under its final name).
void SyncFolder([[maybe_unused]] const fs::path& folder) {
#if !defined(_WIN32)
    const int fd = open(folder.empty() ? "." : folder.string().c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
#endif
}

// Opens a new file next to `target` that nobody else can have opened: the
// "x" mode refuses an existing name.
TFilePtr CreateTempBeside(const fs::path& target, fs::path& tempName) {
    static std::mt19937_64 rng{std::random_device{}()};
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%08llx.tmp",
                      static_cast<unsigned long long>(rng() & 0xFFFFFFFFu));
        tempName = target;
        tempName += suffix;
        if (TFilePtr f{std::fopen(tempName.string().c_str(), "wbx")}) return f;
        std::error_code ec;
        if (!fs::exists(tempName, ec)) break; // not a name clash: the folder refuses us
    }
    tempName.clear();
    return nullptr;
}

} // namespace

bool WriteFileAtomically(const fs::path& fileName, std::string_view bytes) {
    fs::path target = fileName;
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        // Replace the file the link points at, not the link.
        const fs::path resolved = fs::canonical(target, ec);
        if (ec) return false;
        target = resolved;
    }
    const bool existed = fs::exists(target, ec);
    if (existed) {
        // A file the user may not write stays as it is, as a plain overwrite
        // would have failed on it; r+ opens without truncating anything.
        TFilePtr probe(std::fopen(target.string().c_str(), "r+b"));
        if (!probe) return false;
    }

    fs::path tempName;
    TFilePtr f = CreateTempBeside(target, tempName);
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
    ok = ok && FlushToDisk(f.get());
    ok = (std::fclose(f.release()) == 0) && ok;
    if (ok && existed) {
        fs::permissions(tempName, fs::status(target, ec).permissions(), ec);
        ec.clear();
    }
    if (ok) {
        fs::rename(tempName, target, ec);
        ok = !ec;
    }
    if (!ok) {
        fs::remove(tempName, ec);
        return false;
    }
    SyncFolder(target.parent_path());
    return true;
}

namespace {

std::optional<fs::path>& ProgramFolderOverride() {
    static std::optional<fs::path> folder;
    return folder;
}

} // namespace

bool LoadDataFile(const fs::path& fileName, TRKmem& model, TMap36& image, const TCodecContext& context) {
    // Scratch objects: the caller's model and image change only on success.
    auto scratchModel = std::make_unique<TRKmem>();
    auto scratchImage = std::make_unique<TMap36>();
    switch (ReadImage(fileName, *scratchImage)) {
    case TReadResult::Error:
        ShowMessageBoxF(kReadError, fileName.string(), TMsgType::Error);
        return false;
    case TReadResult::Short:
        ShowMessageBox(kFormatMessage, TMsgType::Error);
        return false;
    case TReadResult::Ok:
        break;
    }
    if (!scratchImage->Decode(*scratchModel, context)) {
        ShowMessageBoxF(kReadError, fileName.string(), TMsgType::Error);
        return false;
    }
    model.Assign(*scratchModel);
    image.Assign(*scratchImage);
    return true;
}

bool SaveDataFile(const fs::path& fileName, const TRKmem& model, TMap36& image,
                  const TCodecContext& context) {
    try {
        image.Encode(model, false, context);
    } catch (const EConvertError&) {
        ShowMessageBoxF(kWriteError, fileName.string(), TMsgType::Error);
        return false;
    }
    // A file never read from a radio has no identity copy; one is made as a
    // full write would, so the file can stand for a radio. A copy a radio
    // gave is never touched.
    if (IdentityCopyBlank(image)) SealIdentityCopy(image);
    return WriteDataFile(fileName, image);
}

bool WriteDataFile(const fs::path& fileName, const TMap& image) {
    const std::string_view bytes(reinterpret_cast<const char*>(image.Buf.data()), image.Buf.size());
    if (!WriteFileAtomically(fileName, bytes)) {
        ShowMessageBoxF(kWriteError, fileName.string(), TMsgType::Error);
        return false;
    }
    return true;
}

fs::path ProgramFolder() {
    if (const auto& folder = ProgramFolderOverride()) return *folder;
    std::error_code ec;
#if defined(__linux__)
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return exe.parent_path();
#endif
    return fs::current_path(ec);
}

void SetProgramFolder(const fs::path& folder) {
    if (folder.empty())
        ProgramFolderOverride().reset();
    else
        ProgramFolderOverride() = folder;
}

fs::path BackupFolder() {
    fs::path data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg && fs::path(xdg).is_absolute())
        data = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        data = fs::path(home) / ".local" / "share";
    else
        data = fs::temp_directory_path();
    return data / "RK36" / "Backup";
}

fs::path WriteBackupFile(const TMap& image, const std::string& fileName) {
    const fs::path folder = BackupFolder();
    std::error_code ec;
    fs::create_directories(folder, ec);
    const fs::path name = fileName;
    fs::path target = folder / name;
    // Two backups within one second keep both images.
    for (int n = 2; fs::exists(target, ec) && n < 1000; ++n)
        target = folder / (name.stem().string() + "-" + std::to_string(n) + name.extension().string());
    return WriteDataFile(target, image) ? target : fs::path();
}

fs::path KeepFileBackup(const fs::path& file) {
    TMap image;
    if (ReadImage(file, image) == TReadResult::Error) return {};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "_%Y%m%d_%H%M%S", &local);
    return WriteBackupFile(image, file.stem().string() + stamp + file.extension().string());
}

std::string ProductFolder(const std::string& productType) {
    if (productType == "TR-2100") return "TR2100";
    if (productType == "TR-2200") return "TR2200";
    return "TR2300";
}

fs::path BandTemplatePath(int controlHead, int bandType, const std::string& productType) {
    const std::string name = std::string("sing") + (controlHead != 0 ? "mot" : "nor") +
                             BandTemplateCode(bandType, productType) + ".k36";
    return ProgramFolder() / "NewFile" / ProductFolder(productType) / name;
}

bool LoadBandTemplate(int controlHead, int bandType, const std::string& productType, bool takeChannel,
                      int32_t& lowerEdge, int32_t& upperEdge, TChannel* templateChannel) {
    auto model = std::make_unique<TRKmem>();
    auto image = std::make_unique<TMap36>();
    if (!LoadDataFile(BandTemplatePath(controlHead, bandType, productType), *model, *image)) return false;
    lowerEdge = model->BandLowerEdge;
    upperEdge = model->BandUpperEdge;
    if (takeChannel && templateChannel) {
        templateChannel->Assign(model->Channels[0]);
        templateChannel->Blank = 1;
    }
    return true;
}
