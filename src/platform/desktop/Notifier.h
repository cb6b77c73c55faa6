#pragma once

#include <string>

namespace ostrelin::platform::desktop {

// Desktop notifications: a short message the desktop shows for a while, also when the program's
// window is hidden.
class Notifier {
  public:
    virtual ~Notifier() = default;

    // Shows `summary` (one line) with `body` under it, both plain text. A notice about a
    // `topic` (such as one printer) replaces the one shown before about the same topic; one
    // with an empty topic stays a notice of its own. Never waits for the desktop.
    virtual void Notify(const std::string& topic, const std::string& summary,
                        const std::string& body) = 0;
};

}  // namespace ostrelin::platform::desktop
