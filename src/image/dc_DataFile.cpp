#include "image/dc_DataFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char* kFormatMessage = "The file cannot be opened.\r\nThe file format is not correct.";
constexpr const char* kReadError = "File read error  File Name = %s";
constexpr const char* kWriteError = "File write error  File Name = %s";
constexpr const char* kNotRegular = "Not a regular file";

// The fixed message, and the system's reason on a line of its own.
void ShowFileError(const char* format, const fs::path& fileName, const std::string& reason) {
    std::string text = FormatS(format, {fileName.string()});
    if (!reason.empty()) text += "\r\n" + reason;
    ShowMessageBox(text, TMsgType::Error);
}

std::string ErrnoText(int err) {
    return std::generic_category().message(err);
}

TDiskSync& DiskSyncHook() {
    static TDiskSync hook;
    return hook;
}

int SyncToDisk([[maybe_unused]] int fd, TSyncTarget what) {
    if (const auto& hook = DiskSyncHook()) return hook(fd, what);
#if defined(_WIN32)
    return what == TSyncTarget::File && _commit(fd) != 0 ? errno : 0;
#else
    return fsync(fd) == 0 ? 0 : errno;
#endif
}

#if !defined(_WIN32)

int RetryOpen(const char* name, int flags, mode_t mode = 0) {
    int fd;
    do
        fd = ::open(name, flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// Why `st` cannot be read or replaced as a data file, or empty. A FIFO
// would block the open for ever, a device node would be destroyed by the
// rename, and a folder is never a data file.
std::string NotADataFile(const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return ErrnoText(EISDIR);
    if (!S_ISREG(st.st_mode)) return kNotRegular;
    return {};
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// ---- Temporary files of the atomic save -----------------------------------------
// "<name>.rk36-<host>-<pid>-<random>.tmp": the host and process tell a later
// save whether the writer is gone, so a killed save's leftover is removed
// without ever touching the temporary file of a save still running.

constexpr std::string_view kTempTag = ".rk36-";
constexpr std::string_view kTempExt = ".tmp";

const std::string& HostTag() {
    static const std::string tag = [] {
        char host[256] = {};
        gethostname(host, sizeof host - 1);
        uint32_t h = 2166136261u; // FNV-1a
        for (const char* p = host; *p; ++p)
            h = (h ^ static_cast<uint8_t>(*p)) * 16777619u;
        char buf[16];
        std::snprintf(buf, sizeof buf, "%08x", h);
        return std::string(buf);
    }();
    return tag;
}

// The process id of one of our temporary files of this host, or 0.
pid_t TempFileOwner(std::string_view name) {
    if (name.size() <= kTempExt.size() || name.substr(name.size() - kTempExt.size()) != kTempExt) return 0;
    name.remove_suffix(kTempExt.size());
    const size_t tag = name.rfind(kTempTag);
    if (tag == std::string_view::npos) return 0;
    std::string_view rest = name.substr(tag + kTempTag.size()); // host-pid-random
    const std::string& host = HostTag();
    if (rest.size() < host.size() + 1 || rest.substr(0, host.size()) != host || rest[host.size()] != '-')
        return 0;
    rest.remove_prefix(host.size() + 1);
    const size_t dash = rest.find('-');
    if (dash == std::string_view::npos || dash == 0 || rest.size() - dash - 1 != 8) return 0;
    long pid = 0;
    for (const char c : rest.substr(0, dash)) {
        if (c < '0' || c > '9' || pid > 4194304) return 0;
        pid = pid * 10 + (c - '0');
    }
    return static_cast<pid_t>(pid);
}

void RemoveStaleTemps(const fs::path& folder) {
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const pid_t owner = TempFileOwner(it->path().filename().string());
        if (owner <= 0 || owner == getpid()) continue;
        if (kill(owner, 0) == 0 || errno != ESRCH) continue; // alive, or not ours to judge
        struct stat st {};
        if (lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) continue;
        fs::remove(it->path(), ec);
        ec.clear();
    }
}

mode_t ProcessUmask() {
    static const mode_t mask = [] {
        const mode_t m = umask(022);
        umask(m);
        return m;
    }();
    return mask;
}

// Creates a temporary file next to `target` that nobody else can have
// opened (O_EXCL), readable by nobody the target does not admit.
int CreateTempBeside(const fs::path& target, mode_t mode, fs::path& tempName) {
    static std::mt19937_64 rng{std::random_device{}()};
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[64];
        std::snprintf(suffix, sizeof suffix, "%s%s-%ld-%08llx.tmp", std::string(kTempTag).c_str(),
                      HostTag().c_str(), static_cast<long>(getpid()),
                      static_cast<unsigned long long>(rng() & 0xFFFFFFFFu));
        tempName = target;
        tempName += suffix;
        const int fd = RetryOpen(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, mode);
        if (fd >= 0) return fd;
        if (errno != EEXIST) break;
    }
    tempName.clear();
    return -1;
}

#endif

enum class TReadResult { Ok, Short, Error };

TReadResult ReadImage(const fs::path& fileName, TMap& image, std::string& reason) {
    std::string bytes;
    if (!ReadRegularFile(fileName, bytes, image.Buf.size(), reason)) return TReadResult::Error;
    std::memcpy(image.Buf.data(), bytes.data(), bytes.size());
    return bytes.size() < image.Buf.size() ? TReadResult::Short : TReadResult::Ok;
}

} // namespace

bool WriteFileAtomically(const fs::path& fileName, std::string_view bytes, std::string& reason) {
    fs::path target = fileName;
#if defined(_WIN32)
    reason.clear();
    std::FILE* f = std::fopen(target.string().c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && SyncToDisk(_fileno(f), TSyncTarget::File) == 0 && ok;
    return std::fclose(f) == 0 && ok;
#else
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        // Replace the file the link points at, not the link.
        const fs::path resolved = fs::canonical(target, ec);
        if (ec) {
            reason = ec.message();
            return false;
        }
        target = resolved;
    }
    struct stat st {};
    const bool existed = ::stat(target.c_str(), &st) == 0;
    if (!existed && errno != ENOENT) {
        reason = ErrnoText(errno);
        return false;
    }
    if (existed) {
        reason = NotADataFile(st);
        if (!reason.empty()) return false;
        // A file the user may not write stays as it is, as a plain overwrite
        // would have failed on it. Opening for writing truncates nothing.
        const int probe = RetryOpen(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY);
        if (probe < 0) {
            reason = ErrnoText(errno);
            return false;
        }
        ::close(probe);
    }
    const fs::path folder = target.parent_path();
    RemoveStaleTemps(folder);

    // The content is never more visible than the file it replaces: a new
    // file stays private until it is complete under its name.
    const mode_t finalMode = existed ? (st.st_mode & 07777) : (0666 & ~ProcessUmask());
    fs::path tempName;
    const int fd = CreateTempBeside(target, existed ? (st.st_mode & 0777) : 0600, tempName);
    if (fd < 0) {
        reason = ErrnoText(errno);
        return false;
    }
    int err = 0;
    if (!WriteAll(fd, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) err = errno;
    if (err == 0) err = SyncToDisk(fd, TSyncTarget::File);
    if (err == 0 && existed && (st.st_uid != geteuid() || st.st_gid != getegid())) {
        // A file saved by root for its owner stays the owner's; anybody
        // else's save keeps its own ownership, as a new file would.
        [[maybe_unused]] const int ignored = fchown(fd, st.st_uid, st.st_gid);
    }
    if (err == 0 && fchmod(fd, finalMode) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && ::rename(tempName.c_str(), target.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(tempName.c_str());
        reason = ErrnoText(err);
        return false;
    }
    // Makes the rename itself survive a power cut; failure to do so is not an
    // error of the save (the data is already complete under its final name).
    const int dir = RetryOpen(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        SyncToDisk(dir, TSyncTarget::Folder);
        ::close(dir);
    }
    return true;
#endif
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
    std::string reason;
    switch (ReadImage(fileName, *scratchImage, reason)) {
    case TReadResult::Error:
        ShowFileError(kReadError, fileName, reason);
        return false;
    case TReadResult::Short:
        ShowMessageBox(kFormatMessage, TMsgType::Error);
        return false;
    case TReadResult::Ok:
        break;
    }
    if (!scratchImage->Decode(*scratchModel, context)) {
        ShowFileError(kReadError, fileName, {});
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
    } catch (const EConvertError& e) {
        ShowFileError(kWriteError, fileName, e.what());
        return false;
    }
    // A file never read from a radio has no identity copy; one is made as a
    // full write would, so the file can stand for a radio. A copy a radio
    // gave is never touched.
    if (IdentityCopyBlank(image)) SealIdentityCopy(image);
    return WriteDataFile(fileName, image);
}

bool WriteDataFile(const fs::path& fileName, const TMap& image) {
    std::string reason;
    const std::string_view bytes(reinterpret_cast<const char*>(image.Buf.data()), image.Buf.size());
    if (!WriteFileAtomically(fileName, bytes, reason)) {
        ShowFileError(kWriteError, fileName, reason);
        return false;
    }
    return true;
}

bool ReadRegularFile(const fs::path& fileName, std::string& bytes, size_t limit, std::string& reason) {
    bytes.clear();
    reason.clear();
#if defined(_WIN32)
    std::error_code ec;
    if (!fs::is_regular_file(fileName, ec)) {
        reason = ec ? ec.message() : kNotRegular;
        return false;
    }
    std::FILE* f = std::fopen(fileName.string().c_str(), "rb");
    if (!f) {
        reason = ErrnoText(errno);
        return false;
    }
    bytes.resize(limit);
    bytes.resize(std::fread(bytes.data(), 1, limit, f));
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
#else
    // Judged before opening (opening a FIFO blocks, opening a device may act
    // on it), and again on what was opened, in case the name changed hands.
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0) {
        reason = ErrnoText(errno);
        return false;
    }
    if (reason = NotADataFile(st); !reason.empty()) return false;
    const int fd = RetryOpen(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        reason = ErrnoText(errno);
        return false;
    }
    if (::fstat(fd, &st) != 0 || !(reason = NotADataFile(st)).empty()) {
        if (reason.empty()) reason = ErrnoText(errno);
        ::close(fd);
        return false;
    }
    bytes.resize(std::min<uint64_t>(limit, static_cast<uint64_t>(st.st_size) + 1));
    size_t got = 0;
    while (got < limit) {
        if (got == bytes.size()) bytes.resize(std::min(limit, bytes.size() * 2 + 4096));
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            reason = ErrnoText(errno);
            ::close(fd);
            return false;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(got);
    return true;
#endif
}

TDiskSync SetDiskSync(TDiskSync sync) {
    TDiskSync previous = std::move(DiskSyncHook());
    DiskSyncHook() = std::move(sync);
    return previous;
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
    std::string reason;
    if (ReadImage(file, image, reason) == TReadResult::Error) return {};
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
