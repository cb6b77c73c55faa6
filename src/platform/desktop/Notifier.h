#pragma once

#include <string>

namespace ostrelin::platform::desktop {

// Desktop notifications: a short message the desktop shows for a while, also when the program's
// window is hidden.
class Notifier {
  public:
    virtual ~Notifier() = default;

    // Shows `summary` (one line) with `body` under it. Never waits for the desktop.
    virtual void Notify(const std::string& summary, const std::string& body) = 0;
};

}  // namespace ostrelin::platform::desktop
