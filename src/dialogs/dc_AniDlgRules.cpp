#include "dialogs/dc_AniDlgRules.h"

#include "model/dc_AniRules.h"

const TIntEditRule& MdcDelayRule() {
    static const TIntEditRule rule{0, 0, 1000, "msec", 20, TIntEditRule::Down, 10, 0};
    return rule;
}

const TIntEditRule& MdcPttIdRule() {
    static const TIntEditRule rule{1, 1, 0xDEEE, "", 1, TIntEditRule::Nearest, 16, 4};
    return rule;
}

TDTMFMemFormat AniCodeFromText(std::string_view text) {
    TDTMFMemFormat code;
    code.Digits = NormalizeDtmfText(text).substr(0, kAniCodeMaxLength);
    code.Length = static_cast<int32_t>(code.Digits.size());
    return code;
}
