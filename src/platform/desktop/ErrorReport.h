#pragma once

#include <string>

namespace ostrelin::platform::desktop {

// The application's general error report: where an error that escaped an event handler ends up.
class ErrorReport {
  public:
    virtual ~ErrorReport() = default;

    // Tells the user about a failure; `message` is the error's own text.
    virtual void Report(const std::string& message) = 0;
};

}  // namespace ostrelin::platform::desktop
