#pragma once
// What OK of the key dialogs writes, without the widgets: a box the user
// neither changed nor chose writes nothing, so a code no list shows (0x07, a
// code past the table, another key's Direct CH code) survives open + OK.

#include <cstdint>

class TRKmem;

// One key box as shown on opening and as found on OK: rows of the key
// function table, -1 for no selection. Chosen: the user picked an item (even
// the one shown) or the short/long rule moved the box on a user's pick.
struct TKeyBoxChoice {
    int32_t Shown = -1;
    int32_t Now = -1;
    bool Chosen = false;
};

// OK of the key function dialog for key 0..5. A changed or chosen box
// stores its row's code (for "Direct CH" the key's own code). A short press
// that held a Direct CH code and now holds another function loses its
// channel: the key's Direct CH group and channel become 255. Choosing
// "Direct CH" again only corrects the code; the channel stays.
void StoreKeyPress(TRKmem& m, int32_t key, TKeyBoxChoice shortBox, TKeyBoxChoice longBox);

// OK of the Direct CH dialog for a key whose choice the user changed: group
// and channel (255 for none) are stored, and a key that gets a channel has
// both presses set to its Direct CH code.
void StoreDirectKey(TRKmem& m, int32_t key, int32_t group, int32_t channel);
