#include "app/dc_LockKeys.h"

#include <QGuiApplication>

#if defined(__linux__) && QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
#include <dlfcn.h>
#define RK36_X11_LOCK_KEYS 1
#endif

#ifdef RK36_X11_LOCK_KEYS
namespace {

// Looked up at run time, so the editor needs no X11 link of its own and runs
// unchanged on other platforms.
using TGetIndicatorState = int (*)(void* display, unsigned device, unsigned* state);

TGetIndicatorState IndicatorFunction() {
    static TGetIndicatorState fn = [] {
        void* lib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
        if (!lib) lib = dlopen("libX11.so.6", RTLD_LAZY);
        return lib ? reinterpret_cast<TGetIndicatorState>(dlsym(lib, "XkbGetIndicatorState")) : nullptr;
    }();
    return fn;
}

} // namespace
#endif

TLockKeys ReadLockKeys() {
    TLockKeys keys;
#ifdef RK36_X11_LOCK_KEYS
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!app || !app->display()) return keys;
    const TGetIndicatorState fn = IndicatorFunction();
    constexpr unsigned kUseCoreKeyboard = 0x0100;
    unsigned state = 0;
    if (!fn || fn(app->display(), kUseCoreKeyboard, &state) != 0) return keys;
    // The usual indicator order of X keyboards: Caps, Num, Scroll.
    keys.CapsLock = (state & 1u) != 0;
    keys.NumLock = (state & 2u) != 0;
    keys.ScrollLock = (state & 4u) != 0;
#endif
    return keys;
}
