#pragma once

#include <stdexcept>
#include <string>

namespace tri {

// Any failure of the program: bad switches, bad input, a mesh that cannot be made,
// a file that cannot be written. main() prints the message and exits non-zero.
class Error : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

}  // namespace tri
