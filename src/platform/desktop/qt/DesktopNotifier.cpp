#include "platform/desktop/qt/DesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>
#include <utility>

namespace ostrelin::platform::desktop {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

// How long the desktop shows a notice: its own choice.
constexpr int kDesktopsTimeout = -1;

// Calls `method` on the notification service without waiting; `answered` gets the reply from
// the event loop. A desktop may start its service only when it is first called: the bus starts
// it for this call.
void CallService(QDBusConnection& bus, QObject* context, const QString& method,
                 const QList<QVariant>& arguments,
                 std::function<void(const QDBusPendingCallWatcher&)> answered) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [watcher, answered = std::move(answered)] {
                         answered(*watcher);
                         watcher->deleteLater();
                     });
}

}  // namespace

DesktopNotifier::DesktopNotifier(std::string applicationName, QDBusConnection bus)
    : applicationName_(std::move(applicationName)), bus_(std::move(bus)) {}

void DesktopNotifier::Notify(const std::string& topic, const std::string& summary,
                             const std::string& body) {
    const Notice notice{topic, summary, body};
    if (!bus_.isConnected()) {
        Fall(notice);
        return;
    }
    if (service_ == Service::Answering) {
        Send(notice);
        return;
    }
    waiting_.push_back(notice);
    if (service_ == Service::Unknown) {
        AskCapabilities();
    }
}

void DesktopNotifier::AskCapabilities() {
    service_ = Service::Asked;
    CallService(bus_, this, QStringLiteral("GetCapabilities"), {},
                [this](const QDBusPendingCallWatcher& answer) {
                    const QDBusPendingReply<QStringList> capabilities = answer;
                    const std::vector<Notice> waiting = std::exchange(waiting_, {});
                    if (capabilities.isError()) {
                        // No service now; one that starts later is asked at the next notice.
                        service_ = Service::Unknown;
                        for (const Notice& notice : waiting) {
                            Fall(notice);
                        }
                        return;
                    }
                    service_ = Service::Answering;
                    readsMarkup_ = capabilities.value().contains(QStringLiteral("body-markup"));
                    for (const Notice& notice : waiting) {
                        Send(notice);
                    }
                });
}

void DesktopNotifier::Send(const Notice& notice) {
    if (!notice.Topic.empty() && !sending_.insert(notice.Topic).second) {
        // The service's number for the notice under way is not known yet: the newest notice
        // about the topic waits for it, and replaces that one.
        next_.insert_or_assign(notice.Topic, notice);
        return;
    }
    const QString body = QString::fromStdString(notice.Body);
    const auto last = shown_.find(notice.Topic);
    const uint replaces = notice.Topic.empty() || last == shown_.end() ? 0u : last->second;
    CallService(bus_, this, QStringLiteral("Notify"),
                {QString::fromStdString(applicationName_), replaces, QStringLiteral("printer"),
                 QString::fromStdString(notice.Summary), readsMarkup_ ? body.toHtmlEscaped() : body,
                 QStringList(), QVariantMap(), kDesktopsTimeout},
                [this, notice](const QDBusPendingCallWatcher& answer) {
                    const QDBusPendingReply<uint> id = answer;
                    if (id.isError()) {
                        service_ = Service::Unknown;
                        Fall(notice);
                    } else if (!notice.Topic.empty()) {
                        shown_[notice.Topic] = id.value();
                    }
                    if (notice.Topic.empty()) {
                        return;
                    }
                    sending_.erase(notice.Topic);
                    if (const auto waiting = next_.find(notice.Topic); waiting != next_.end()) {
                        const Notice newest = waiting->second;
                        next_.erase(waiting);
                        Notify(newest.Topic, newest.Summary, newest.Body);
                    }
                });
}

void DesktopNotifier::Fall(const Notice& notice) const {
    if (fallback_) {
        fallback_(notice.Summary, notice.Body);
    }
}

}  // namespace ostrelin::platform::desktop
