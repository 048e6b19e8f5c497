#include "model/dc_TwoTone.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

namespace {

// Just enough JSON for the data file: objects, arrays, strings (with the
// simple escapes), integers, null and the two booleans.
struct TJson {
    enum TKind { Null, Bool, Number, String, Array, Object } Kind = Null;
    std::string Text; // string contents or the number's digits
    std::vector<TJson> Items;
    // Object members; a vector of pairs would need TJson complete here.
    std::vector<std::string> Keys;
    std::vector<TJson> Values;

    const TJson* Find(std::string_view name) const {
        for (size_t i = 0; i < Keys.size(); ++i)
            if (Keys[i] == name) return &Values[i];
        return nullptr;
    }
};

class TJsonReader {
  public:
    explicit TJsonReader(std::string_view text) : s_(text) {}

    bool Read(TJson& out) {
        if (!Value(out, 0)) return false;
        Blanks();
        return pos_ == s_.size();
    }

  private:
    void Blanks() {
        while (pos_ < s_.size() &&
               (s_[pos_] == ' ' || s_[pos_] == '\n' || s_[pos_] == '\r' || s_[pos_] == '\t'))
            ++pos_;
    }
    bool Take(char c) {
        Blanks();
        if (pos_ < s_.size() && s_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool Word(std::string_view w) {
        if (s_.substr(pos_, w.size()) != w) return false;
        pos_ += w.size();
        return true;
    }
    bool Str(std::string& out) {
        if (!Take('"')) return false;
        while (pos_ < s_.size()) {
            const char c = s_[pos_++];
            if (c == '"') return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= s_.size()) return false;
            const char e = s_[pos_++];
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                return false; // \u and the rest are not needed here
            }
        }
        return false;
    }
    bool Value(TJson& out, int depth) {
        if (depth > 8) return false;
        Blanks();
        if (pos_ >= s_.size()) return false;
        const char c = s_[pos_];
        if (c == '"') {
            out.Kind = TJson::String;
            return Str(out.Text);
        }
        if (c == '{') {
            ++pos_;
            out.Kind = TJson::Object;
            if (Take('}')) return true;
            do {
                std::string key;
                TJson value;
                if (!Str(key) || !Take(':') || !Value(value, depth + 1)) return false;
                out.Keys.push_back(std::move(key));
                out.Values.push_back(std::move(value));
            } while (Take(','));
            return Take('}');
        }
        if (c == '[') {
            ++pos_;
            out.Kind = TJson::Array;
            if (Take(']')) return true;
            do {
                out.Items.emplace_back();
                if (!Value(out.Items.back(), depth + 1)) return false;
            } while (Take(','));
            return Take(']');
        }
        if (Word("null")) return true;
        if (Word("true") || Word("false")) {
            out.Kind = TJson::Bool;
            return true;
        }
        out.Kind = TJson::Number;
        while (pos_ < s_.size() && ((s_[pos_] >= '0' && s_[pos_] <= '9') || s_[pos_] == '-'))
            out.Text += s_[pos_++];
        return !out.Text.empty();
    }

    std::string_view s_;
    size_t pos_ = 0;
};

std::optional<int32_t> IntOf(const TJson* v) {
    if (!v || v->Kind != TJson::Number) return std::nullopt;
    int32_t n = 0;
    const char* end = v->Text.data() + v->Text.size();
    const auto r = std::from_chars(v->Text.data(), end, n);
    if (r.ec != std::errc() || r.ptr != end) return std::nullopt;
    return n;
}

// "330.5": a whole number of Hz without leading zeros, a point, one decimal.
bool IsFrequencyText(std::string_view t) {
    const size_t point = t.find('.');
    if (point == std::string_view::npos || point == 0 || point + 2 != t.size() || t[0] == '0') return false;
    return std::all_of(t.begin(), t.end(), [](char c) { return c == '.' || (c >= '0' && c <= '9'); });
}

// Tenths of a Hz, for ordering.
int64_t Tenths(const std::string& t) {
    int64_t whole = 0;
    std::from_chars(t.data(), t.data() + t.find('.'), whole);
    return whole * 10 + (t.back() - '0');
}

bool Fail(std::string& error, std::string reason) {
    error = std::move(reason);
    return false;
}

} // namespace

std::string TTwoToneList::Text(int32_t index) const {
    if (index < 0 || index >= static_cast<int32_t>(Standard.size())) return {};
    return Standard[static_cast<size_t>(index)];
}

int32_t TTwoToneList::GroupOf(int32_t index) const {
    if (index < 0 || index >= kTwoToneCount) return -1;
    int32_t found = -1;
    for (size_t g = 0; g < Groups.size() && Groups[g].First <= index; ++g)
        found = static_cast<int32_t>(g);
    return found;
}

std::vector<std::string> TTwoToneList::GroupTexts(int32_t group) const {
    std::vector<std::string> out;
    if (group < 0 || group >= static_cast<int32_t>(Groups.size())) return out;
    const TTwoToneGroup& g = Groups[static_cast<size_t>(group)];
    for (int32_t i = g.First; i <= g.Last; ++i)
        if (!Text(i).empty()) out.push_back(Text(i));
    return out;
}

int32_t TTwoToneList::IndexOf(std::string_view text) const {
    if (text.empty()) return kTwoToneNone;
    const auto it = std::find(Standard.begin(), Standard.end(), text);
    return it == Standard.end() ? kTwoToneNone : static_cast<int32_t>(it - Standard.begin());
}

bool ParseTwoToneList(std::string_view json, TTwoToneList& list, std::string& error) {
    TJson root;
    if (!TJsonReader(json).Read(root) || root.Kind != TJson::Object) return Fail(error, "not a JSON object");
    TTwoToneList out;
    const TJson* groups = root.Find("groups");
    if (!groups || groups->Kind != TJson::Array) return Fail(error, "no \"groups\" list");
    for (const TJson& g : groups->Items) {
        const TJson* name = g.Find("name");
        const auto first = IntOf(g.Find("first"));
        const auto last = IntOf(g.Find("last"));
        if (!name || name->Kind != TJson::String || name->Text.empty() || !first || !last)
            return Fail(error, "a group needs a name, first and last");
        const int32_t previousLast = out.Groups.empty() ? -1 : out.Groups.back().Last;
        if (*first <= previousLast || *last < *first || *last >= kTwoToneCount)
            return Fail(error, "group " + name->Text + ": ranges must ascend inside 0..239");
        out.Groups.push_back({name->Text, *first, *last});
    }
    const TJson* standard = root.Find("standard");
    if (!standard || standard->Kind != TJson::Array || standard->Items.size() != kTwoToneCount)
        return Fail(error, "\"standard\" must hold 240 entries");
    for (int32_t i = 0; i < kTwoToneCount; ++i) {
        const TJson& e = standard->Items[static_cast<size_t>(i)];
        const std::string at = "entry " + std::to_string(i);
        if (IntOf(e.Find("index")) != i) return Fail(error, at + ": index out of order");
        const TJson* hz = e.Find("hz");
        if (!hz || (hz->Kind != TJson::Null && (hz->Kind != TJson::String || !IsFrequencyText(hz->Text))))
            return Fail(error, at + ": hz must be null or a text like \"330.5\"");
        const TJson* group = e.Find("group");
        const int32_t g = out.GroupOf(i);
        const bool inRange = g >= 0 && i <= out.Groups[static_cast<size_t>(g)].Last;
        const bool groupOk = group && (inRange ? group->Kind == TJson::String &&
                                                     group->Text == out.Groups[static_cast<size_t>(g)].Name
                                               : group->Kind == TJson::Null);
        if (!groupOk) return Fail(error, at + ": group does not match the group ranges");
        out.Standard.push_back(hz->Kind == TJson::String ? hz->Text : std::string());
    }
    for (const std::string& t : out.Standard)
        if (!t.empty()) out.User.push_back(t);
    std::sort(out.User.begin(), out.User.end(),
              [](const std::string& a, const std::string& b) { return Tenths(a) < Tenths(b); });
    out.User.erase(std::unique(out.User.begin(), out.User.end()), out.User.end());
    list = std::move(out);
    return true;
}

const TTwoToneList& TwoToneList() {
    static const TTwoToneList list = [] {
        TTwoToneList l;
        std::string error;
        // The built-in file is checked by its test; should it ever be bad,
        // every entry is unknown and stored tones are kept as they are.
        if (!ParseTwoToneList(TwoToneDataText(), l, error)) l = TTwoToneList{};
        if (l.Standard.empty()) l.Standard.assign(kTwoToneCount, std::string());
        return l;
    }();
    return list;
}
