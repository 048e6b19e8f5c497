#include "dialogs/dc_SignalRules.h"
#include "model/dc_Text.h"

#include <algorithm>

#include "dialogs/dc_DlgHelpers.h"
#include "model/dc_Rules.h"
#include "model/dc_TwoTone.h"

namespace {
constexpr size_t kSelToneDcsCount = 85;
}

const std::vector<std::string>& SelToneCtcssItems() {
    static const std::vector<std::string> items(CtcssList().begin() + 1, CtcssList().end());
    return items;
}

const std::vector<std::string>& SelToneDcsItems() {
    static const std::vector<std::string> items(DcsList().begin() + 1,
                                                DcsList().begin() + 1 + kSelToneDcsCount);
    return items;
}

int32_t SelToneItemOf(bool ctcss, int32_t code) {
    if (ctcss) return code >= 0 && code < static_cast<int32_t>(SelToneCtcssItems().size()) ? code : -1;
    std::string text = DcsCodeToText(code);
    if (code < 0 || text.size() > 3) return -1;
    text.insert(0, 3 - text.size(), '0');
    const auto& items = SelToneDcsItems();
    const auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int32_t>(it - items.begin());
}

int32_t SelToneCodeOf(bool ctcss, int32_t item) {
    const auto& items = ctcss ? SelToneCtcssItems() : SelToneDcsItems();
    if (item < 0 || item >= static_cast<int32_t>(items.size())) return -1;
    return ctcss ? item : DcsTextToCode(items[static_cast<size_t>(item)]);
}

std::string SelToneTag(std::string_view text) {
    std::string tag = UpperCase(text.substr(0, 4));
    tag.resize(4, ' ');
    return tag;
}

std::vector<std::string> TwoToneGroupItems(int32_t format) {
    std::vector<std::string> items{"OFF"};
    if (format == 1) {
        items.emplace_back("USER");
    } else {
        for (const TTwoToneGroup& g : TwoToneList().Groups)
            items.push_back(g.Name);
    }
    return items;
}

void WritePagingEntry(TPaging& entry, std::string_view code, int32_t encDec) {
    const std::string trimmed = TrimText(code);
    if (trimmed.empty()) {
        entry.Mode = 3;
        entry.Empty = 1;
        entry.EncDec = 0;
        entry.Code.clear();
    } else {
        entry.Mode = 0;
        entry.Empty = 0;
        entry.EncDec = encDec;
        entry.Code = (trimmed + "000").substr(0, 3);
    }
    std::string* digits[3] = {&entry.Digit1, &entry.Digit2, &entry.Digit3};
    for (size_t k = 0; k < 3; ++k)
        *digits[k] = k < entry.Code.size() ? entry.Code.substr(k, 1) : std::string();
}
