#pragma once
// Data files: the 32768-byte memory image, byte for byte, nothing added.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "image/dc_Map36.h"
#include "model/dc_RKmem.h"

// Messages of failed reads and writes carry the system's reason ("Permission
// denied", "Not a regular file") as a second line under the fixed text.

// Reads and decodes `fileName`; on success replaces `model` and `image` and
// returns true. On failure shows a message and leaves both untouched.
bool LoadDataFile(const std::filesystem::path& fileName, TRKmem& model, TMap36& image,
                  const TCodecContext& context = {});

// Encodes `model` into `image` (file form) and writes it to `fileName`
// without ever destroying the previous file on failure. Returns false after a
// message. An existing name that is not a regular file (or a link to one) is
// refused. The temporary file has the target's permissions (a new file's are
// private until it is complete) and is named after this host and process, so
// that a later save in the folder removes those of a process that was killed.
bool SaveDataFile(const std::filesystem::path& fileName, const TRKmem& model, TMap36& image,
                  const TCodecContext& context = {});

// Writes `image` as it is (already encoded, e.g. in radio form) with the
// same guarantees and message as SaveDataFile.
bool WriteDataFile(const std::filesystem::path& fileName, const TMap& image);

// Reads at most `limit` bytes of a regular file. Anything else (a FIFO would
// block, a device may act on being opened) is refused before it is opened.
// On failure `reason` holds the system's reason.
bool ReadRegularFile(const std::filesystem::path& fileName, std::string& bytes, size_t limit,
                     std::string& reason);

// What a save forces to disk: the complete temporary file before it takes the
// target's name, then the folder holding the new name. Replaceable so a test
// can watch the order and make it fail; returns 0 or an errno value. An empty
// function restores fsync. Returns the previous one.
enum class TSyncTarget { File, Folder };
using TDiskSync = std::function<int(int fd, TSyncTarget what)>;
TDiskSync SetDiskSync(TDiskSync sync);

// Writes `bytes` under `fileName` so that a reader sees either the old file
// or the complete new one, never a truncated mix; a file the user may not
// write stays as it is. No message; false with the system's reason on failure.
bool WriteFileAtomically(const std::filesystem::path& fileName, std::string_view bytes, std::string& reason);

// The folder of the running program; templates live in its "NewFile" folder.
std::filesystem::path ProgramFolder();
void SetProgramFolder(const std::filesystem::path& folder);

// Where backups go: "RK36/Backup" in the user's data folder ($XDG_DATA_HOME,
// else ~/.local/share), never the program folder, which may be read-only.
std::filesystem::path BackupFolder();
// Writes `image` into the backup folder as `fileName`, or with "-2", "-3" ...
// added when that name is taken: a backup never replaces another. The path
// written, or empty after the write error message.
std::filesystem::path WriteBackupFile(const TMap& image, const std::string& fileName);
// Keeps the bytes of `file` (a short file padded with zeros) in the backup
// folder as "<stem>_yyyymmdd_hhmmss<ext>"; empty when there is no such file.
std::filesystem::path KeepFileBackup(const std::filesystem::path& file);

// "TR2100", "TR2200", or "TR2300" for any other product type.
std::string ProductFolder(const std::string& productType);

// "NewFile/<product folder>/sing<nor|mot><code>.k36" under ProgramFolder().
std::filesystem::path BandTemplatePath(int controlHead, int bandType, const std::string& productType);

// Looks up the band edges (and optionally channel 1, as a blank channel) of
// the template for a head, band type and product. Outputs are left unchanged
// when the template is missing or bad.
bool LoadBandTemplate(int controlHead, int bandType, const std::string& productType, bool takeChannel,
                      int32_t& lowerEdge, int32_t& upperEdge, TChannel* templateChannel);
