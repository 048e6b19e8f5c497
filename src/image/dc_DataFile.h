#pragma once
// Data files: the 32768-byte memory image, byte for byte, nothing added.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "image/dc_Map36.h"
#include "model/dc_RKmem.h"

// Reads and decodes `fileName`; on success replaces `model` and `image` and
// returns true. On failure shows a message and leaves both untouched.
bool LoadDataFile(const std::filesystem::path& fileName, TRKmem& model, TMap36& image,
                  const TCodecContext& context = {});

// Encodes `model` into `image` (file form) and writes it to `fileName`
// without ever destroying the previous file on failure. Returns false after a
// message.
bool SaveDataFile(const std::filesystem::path& fileName, const TRKmem& model, TMap36& image,
                  const TCodecContext& context = {});

// Writes `image` as it is (already encoded, e.g. in radio form) with the
// same guarantees and message as SaveDataFile.
bool WriteDataFile(const std::filesystem::path& fileName, const TMap& image);

// Writes `bytes` under `fileName` so that a reader sees either the old file
// or the complete new one, never a truncated mix; a file the user may not
// write stays as it is. No message; false on failure.
bool WriteFileAtomically(const std::filesystem::path& fileName, std::string_view bytes);

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
