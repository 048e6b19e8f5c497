#include "dialogs/dc_KeyRules.h"

#include "model/dc_KeyFunc.h"
#include "model/dc_RKmem.h"

namespace {
bool Changed(const TKeyBoxChoice& box) {
    return box.Now >= 0 && (box.Chosen || box.Now != box.Shown);
}
} // namespace

void StoreKeyPress(TRKmem& m, int32_t key, TKeyBoxChoice shortBox, TKeyBoxChoice longBox) {
    if (key < 0 || key >= kKeyCount) return;
    const TKeyFields& f = KeyFields()[static_cast<size_t>(key)];
    if (Changed(shortBox)) {
        const int32_t before = m.*f.Short;
        m.*f.Short = KeyCodeForRow(shortBox.Now, key);
        if (IsDirectChCode(before) && !IsDirectChCode(m.*f.Short)) {
            m.*f.DirectGroup = kNoDirectEntry;
            m.*f.DirectChannel = kNoDirectEntry;
        }
    }
    if (Changed(longBox)) m.*f.Long = KeyCodeForRow(longBox.Now, key);
}

void StoreDirectKey(TRKmem& m, int32_t key, int32_t group, int32_t channel) {
    if (key < 0 || key >= kKeyCount) return;
    const TKeyFields& f = KeyFields()[static_cast<size_t>(key)];
    m.*f.DirectGroup = group;
    m.*f.DirectChannel = channel;
    if (channel != kNoDirectEntry) {
        m.*f.Short = DirectChCode(key);
        m.*f.Long = DirectChCode(key);
    }
}
