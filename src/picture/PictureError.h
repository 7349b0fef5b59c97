#pragma once
// Raised by every picture service that cannot do its job: a file that does not
// decode, a vanished file, an absurd size, a target that cannot be written, an
// empty clipboard.
#include <stdexcept>
#include <string>

class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
