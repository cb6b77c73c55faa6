#pragma once

#include <QDBusConnection>
#include <QObject>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/Notifier.h"

namespace ostrelin::platform::desktop {

// Notifications through the freedesktop notification service on a session bus; where no such
// service answers, through `fallback` (the tray icon's balloon). Every call to the bus is sent
// without waiting: the answers come through the event loop of the thread that notifies. The
// service is asked once what it can do, so that a body is escaped for a service that reads
// markup and given as it is to one that does not.
class DesktopNotifier final : public QObject, public Notifier {
  public:
    using Fallback = std::function<void(const std::string& summary, const std::string& body)>;

    explicit DesktopNotifier(std::string applicationName,
                             QDBusConnection bus = QDBusConnection::sessionBus());

    // Sets where notices go when no notification service answers.
    void SetFallback(Fallback fallback) { fallback_ = std::move(fallback); }

    void Notify(const std::string& topic, const std::string& summary,
                const std::string& body) override;

  private:
    struct Notice {
        std::string Topic;
        std::string Summary;
        std::string Body;
    };
    enum class Service { Unknown, Asked, Answering };

    void AskCapabilities();
    void Send(const Notice& notice);
    void Fall(const Notice& notice) const;

    std::string applicationName_;
    QDBusConnection bus_;
    Fallback fallback_;
    Service service_ = Service::Unknown;
    bool readsMarkup_ = false;
    // Notices that wait for the service's capabilities.
    std::vector<Notice> waiting_;
    // The service's number of the last notice about each topic, which the next one replaces.
    std::map<std::string, uint> shown_;
    // Topics whose notice is under way, and the newest notice about each that waits for it.
    std::set<std::string> sending_;
    std::map<std::string, Notice> next_;
};

}  // namespace ostrelin::platform::desktop
