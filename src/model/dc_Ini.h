#pragma once
// The configuration file: flat "KEY=value" lines. Comments, blank lines and
// headers survive a rewrite in place, so a hand-edited file stays readable.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class TIniData {
  public:
    explicit TIniData(std::filesystem::path fileName);

    // Reads the file when it exists; true when it held at least one entry.
    bool Load();
    // The value as an integer; `def` when absent or not a whole number.
    int32_t ReadInt(std::string_view key, int32_t def) const;
    // The trimmed value; `def` when absent or empty.
    std::string ReadStr(std::string_view key, std::string_view def) const;
    // Sets the first entry of `key` (any letter case) or appends one; the key
    // is stored upper-case and an empty value as one blank.
    void WriteStr(std::string_view key, std::string_view value);
    void WriteInt(std::string_view key, int32_t value);
    // Rewrites the file: entry lines in place as "entry;comment", new entries
    // appended, every other line untouched. False when it cannot be written.
    bool Save() const;

    const std::filesystem::path& FileName() const { return fileName_; }

  private:
    struct TEntry {
        std::string Key;
        std::string Value;
        int Line; // index into lines_, -1 for an entry not read from the file
    };

    const TEntry* Find(std::string_view key) const;

    std::filesystem::path fileName_;
    std::vector<std::string> lines_;
    std::vector<TEntry> entries_;
};
