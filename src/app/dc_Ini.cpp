#include "app/dc_Ini.h"

#include <algorithm>
#include <charconv>
#include <fstream>

namespace {

bool IsBlankChar(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool SameKey(std::string_view a, std::string_view b) { return UpperCase(a) == UpperCase(b); }

// The text between the first and the second ";" of a line, trimmed.
std::string CommentOf(std::string_view line) {
    const auto first = line.find(';');
    if (first == std::string_view::npos) return {};
    const auto rest = line.substr(first + 1);
    return TrimText(rest.substr(0, rest.find(';')));
}

} // namespace

std::string TrimText(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlankChar(text[b])) ++b;
    while (e > b && IsBlankChar(text[e - 1])) --e;
    return std::string(text.substr(b, e - b));
}

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
    const std::string trimmed = TrimText(entry->Value);
    std::string_view text = trimmed;
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return def;
    return value;
}

std::string TIniData::ReadStr(std::string_view key, std::string_view def) const {
    const TEntry* entry = Find(key);
    std::string value = entry ? TrimText(entry->Value) : std::string();
    return value.empty() ? std::string(def) : value;
}

void TIniData::WriteStr(std::string_view key, std::string_view value) {
    std::string stored = value.empty() ? std::string(" ") : std::string(value);
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const TEntry& e) { return SameKey(e.Key, key); });
    if (it != entries_.end()) {
        it->Key = UpperCase(key);
        it->Value = std::move(stored);
    } else {
        entries_.push_back(TEntry{UpperCase(key), std::move(stored), -1});
    }
}

void TIniData::WriteInt(std::string_view key, int32_t value) { WriteStr(key, std::to_string(value)); }

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
    for (const std::string& line : out) file << line << "\n";
    file.flush();
    return static_cast<bool>(file);
}
