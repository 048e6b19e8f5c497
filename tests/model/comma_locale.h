#pragma once
// Switches the C locale to one with a decimal comma, if the machine has one,
// for the lifetime of the object: number texts must not notice.

#include <clocale>

class TCommaLocale {
  public:
    TCommaLocale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE", "C.UTF-8"}) {
            if (std::setlocale(LC_NUMERIC, name)) {
                active_ = std::localeconv()->decimal_point[0] == ',';
                if (active_) return;
            }
        }
        std::setlocale(LC_NUMERIC, "C");
    }
    ~TCommaLocale() { std::setlocale(LC_NUMERIC, "C"); }
    TCommaLocale(const TCommaLocale&) = delete;
    TCommaLocale& operator=(const TCommaLocale&) = delete;
    bool Active() const { return active_; }

  private:
    bool active_ = false;
};
