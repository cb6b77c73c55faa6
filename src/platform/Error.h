#pragma once

#include <new>
#include <stdexcept>
#include <string>

namespace ostrelin {

// The one kind of failure the program raises. The message is the text the user sees in the
// general error report, so it is complete on its own.
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The text the user is told for a failure caught at the top: the program's own message, or in
// words for what the standard library raises (its own texts are for programmers).
inline std::string ErrorText(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return "Na tuto úlohu nestačí paměť.";
    }
    return error.what();
}

}  // namespace ostrelin
