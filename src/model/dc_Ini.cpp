#include "model/dc_Ini.h"

#include <algorithm>
#include <fstream>

#include "model/dc_Text.h"

namespace {

bool SameKey(std::string_view a, std::string_view b) {
    return UpperCase(a) == UpperCase(b);
}

// The text between the first and the second ";" of a line, trimmed.
std::string CommentOf(std::string_view line) {
    const auto first = line.find(';');
    if (first == std::string_view::npos) return {};
    const auto rest = line.substr(first + 1);
    return TrimText(rest.substr(0, rest.find(';')));
}

} // namespace

TIniData::TIniData(std::filesystem::path fileName) : fileName_(std::move(fileName)) {}

bool TIniData::Load() {
    lines_.clear();
    entries_.clear();
    std::ifstream in(fileName_, std::ios::binary);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string_view view(line);
        const std::string body = TrimText(view.substr(0, view.find(';')));
        const auto eq = body.find('=');
        if (!body.empty() && eq != std::string::npos) {
            const std::string_view afterEq = std::string_view(body).substr(eq + 1);
            entries_.push_back(TEntry{TrimText(std::string_view(body).substr(0, eq)),
                                      TrimText(afterEq.substr(0, afterEq.find('='))),
                                      static_cast<int>(lines_.size())});
        }
        lines_.push_back(std::move(line));
    }
    return !entries_.empty();
}

const TIniData::TEntry* TIniData::Find(std::string_view key) const {
    const auto it =
        std::find_if(entries_.begin(), entries_.end(), [&](const TEntry& e) { return SameKey(e.Key, key); });
    return it == entries_.end() ? nullptr : &*it;
}

int32_t TIniData::ReadInt(std::string_view key, int32_t def) const {
    const TEntry* entry = Find(key);
    if (!entry) return def;
    return ParseInt(TrimText(entry->Value)).value_or(def);
}

std::string TIniData::ReadStr(std::string_view key, std::string_view def) const {
    const TEntry* entry = Find(key);
    std::string value = entry ? TrimText(entry->Value) : std::string();
    return value.empty() ? std::string(def) : value;
}

void TIniData::WriteStr(std::string_view key, std::string_view value) {
    std::string stored = value.empty() ? std::string(" ") : std::string(value);
    auto it =
        std::find_if(entries_.begin(), entries_.end(), [&](const TEntry& e) { return SameKey(e.Key, key); });
    if (it != entries_.end()) {
        it->Key = UpperCase(key);
        it->Value = std::move(stored);
    } else {
        entries_.push_back(TEntry{UpperCase(key), std::move(stored), -1});
    }
}

void TIniData::WriteInt(std::string_view key, int32_t value) {
    WriteStr(key, std::to_string(value));
}

bool TIniData::Save() const {
    std::vector<std::string> out = lines_;
    std::vector<std::string> appended;
    for (const TEntry& e : entries_) {
        const std::string text = e.Key + "=" + e.Value;
        if (e.Line >= 0)
            out[static_cast<size_t>(e.Line)] = text + ";" + CommentOf(lines_[static_cast<size_t>(e.Line)]);
        else
            appended.push_back(text);
    }
    out.insert(out.end(), appended.begin(), appended.end());
    std::ofstream file(fileName_, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    for (const std::string& line : out)
        file << line << "\n";
    file.flush();
    return static_cast<bool>(file);
}
