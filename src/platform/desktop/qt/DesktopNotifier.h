#pragma once

#include <functional>
#include <string>
#include <utility>

#include "platform/desktop/Notifier.h"

namespace ostrelin::platform::desktop {

// Notifications through the freedesktop notification service on the session bus; where no such
// service runs, through `fallback` (the tray icon's balloon).
class DesktopNotifier final : public Notifier {
  public:
    using Fallback = std::function<void(const std::string& summary, const std::string& body)>;

    explicit DesktopNotifier(std::string applicationName);

    // Sets where notices go when no notification service runs.
    void SetFallback(Fallback fallback) { fallback_ = std::move(fallback); }

    void Notify(const std::string& summary, const std::string& body) override;

  private:
    std::string applicationName_;
    Fallback fallback_;
};

}  // namespace ostrelin::platform::desktop
