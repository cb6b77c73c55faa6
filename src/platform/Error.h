#pragma once

#include <stdexcept>
#include <string>

namespace ostrelin {

// The one kind of failure the program raises. The message is the text the user sees in the
// general error report, so it is complete on its own.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace ostrelin
