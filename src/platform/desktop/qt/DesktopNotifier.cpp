#include "platform/desktop/qt/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>
#include <utility>

namespace ostrelin::platform::desktop {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

// How long the desktop shows a notice: its own choice.
constexpr int kDesktopsTimeout = -1;

}  // namespace

DesktopNotifier::DesktopNotifier(std::string applicationName)
    : applicationName_(std::move(applicationName)) {}

void DesktopNotifier::Notify(const std::string& summary, const std::string& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    // A desktop may start its service only when it is first called.
    const QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
    if (daemon == nullptr || (!daemon->isServiceRegistered(kService).value() &&
                              !daemon->activatableServiceNames().value().contains(kService))) {
        if (fallback_) {
            fallback_(summary, body);
        }
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    call << QString::fromStdString(applicationName_) << 0u << QStringLiteral("printer")
         << QString::fromStdString(summary) << QString::fromStdString(body) << QStringList()
         << QVariantMap() << kDesktopsTimeout;
    // Sent without waiting for the answer: a slow desktop never holds up the spooler.
    bus.asyncCall(call);
}

}  // namespace ostrelin::platform::desktop
