#pragma once
// The Caps Lock, Num Lock and Scroll Lock states, where the window system
// tells them; all off where it does not.

struct TLockKeys {
    bool CapsLock = false;
    bool NumLock = false;
    bool ScrollLock = false;
};

TLockKeys ReadLockKeys();
