#pragma once
// The one failure the core may raise: a value that cannot be converted
// (a frequency that is not a whole number of Hz, a serial number that is not
// a number). It never leaves the core's callers: the data-file save, the
// write to the radio and the grid commit catch it and report it to the user.

#include <stdexcept>
#include <string>

class EConvertError : public std::runtime_error {
  public:
    explicit EConvertError(const std::string& what) : std::runtime_error(what) {}
};
