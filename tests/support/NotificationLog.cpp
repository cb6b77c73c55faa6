// notification-log: a freedesktop notification service for tests. Owns
// org.freedesktop.Notifications on the session bus and writes every notice it is given to
// standard output as one line, "summary<TAB>body", flushed at once; "ready" comes first, once
// the name is owned.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

namespace {

class NotificationLog final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

  public:
    using QObject::QObject;

  public slots:
    uint Notify(const QString& /*application*/, uint /*replaces*/, const QString& /*icon*/,
                const QString& summary, const QString& body, const QStringList& /*actions*/,
                const QVariantMap& /*hints*/, int /*timeout*/) {
        std::printf("%s\t%s\n", summary.toUtf8().constData(), body.toUtf8().constData());
        std::fflush(stdout);
        return ++last_;
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }
    QString GetServerInformation(QString& vendor, QString& version, QString& specVersion) {
        vendor = QStringLiteral("ostrelin-tests");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("notification-log");
    }
    void CloseNotification(uint /*id*/) {}

  private:
    uint last_ = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    NotificationLog log;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &log,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        std::fprintf(stderr, "notification-log: cannot own the service on the session bus\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

#include "NotificationLog.moc"
