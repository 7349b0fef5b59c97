#pragma once
// Raised by the music device when a file cannot be played or nothing is open; the text is
// the one the user sees in the error report (UTF-8).
#include <stdexcept>
#include <string>

class MusicError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
