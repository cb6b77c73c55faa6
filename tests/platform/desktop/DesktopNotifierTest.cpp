#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantMap>
#include <csignal>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop/qt/DesktopNotifier.h"

namespace ostrelin::platform::desktop {
namespace {

// A notification service as a desktop runs one, with the capabilities a test gives it.
class FakeNotificationService final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

  public:
    struct Call {
        QString Summary;
        QString Body;
        uint Replaces = 0;
        uint Id = 0;
    };

    QStringList Capabilities = {QStringLiteral("body")};
    int CapabilityQuestions = 0;
    std::vector<Call> Calls;

  public slots:
    uint Notify(const QString& /*application*/, uint replaces, const QString& /*icon*/,
                const QString& summary, const QString& body, const QStringList& /*actions*/,
                const QVariantMap& /*hints*/, int /*timeout*/) {
        const uint id = replaces != 0 ? replaces : ++last_;
        Calls.push_back({summary, body, replaces, id});
        return id;
    }
    QStringList GetCapabilities() {
        ++CapabilityQuestions;
        return Capabilities;
    }

  private:
    uint last_ = 100;
};

// A private bus with nothing on it that could be started on demand, a connection for the
// service and one for the notifier.
class DesktopNotifierTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) {
            GTEST_SKIP() << "dbus-daemon is missing";
        }
        const QString config = dir_.filePath(QStringLiteral("bus.conf"));
        std::ofstream(config.toStdString())
            << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
               "1.0//EN\"\n"
               " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig><type>session</type><listen>unix:dir="
            << dir_.path().toStdString()
            << "</listen><policy context=\"default\"><allow send_destination=\"*\"/>"
               "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>\n";
        daemon_.start(daemon, {QStringLiteral("--nofork"), QStringLiteral("--print-address"),
                               QStringLiteral("--config-file=") + config});
        ASSERT_TRUE(daemon_.waitForStarted());
        ASSERT_TRUE(QTest::qWaitFor([&] { return daemon_.canReadLine(); }, 10000));
        const QString address = QString::fromUtf8(daemon_.readLine()).trimmed();
        serviceBus_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(address, QStringLiteral("service")));
        notifierBus_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(address, QStringLiteral("notifier")));
        ASSERT_TRUE(serviceBus_->isConnected() && notifierBus_->isConnected());
        notifier_ = std::make_unique<DesktopNotifier>("Tarvok Calc Ostrelin", *notifierBus_);
        notifier_->SetFallback([this](const std::string& summary, const std::string& body) {
            balloons_.push_back(summary + " / " + body);
        });
    }
    // A private connection is closed before its last handle goes, as libdbus wants.
    void TearDown() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("service"));
        QDBusConnection::disconnectFromBus(QStringLiteral("notifier"));
        notifier_.reset();
        serviceBus_.reset();
        notifierBus_.reset();
        if (daemon_.state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(daemon_.processId()), SIGCONT);
            daemon_.kill();
            daemon_.waitForFinished();
        }
    }
    void StartService() {
        ASSERT_TRUE(serviceBus_->registerObject(QStringLiteral("/org/freedesktop/Notifications"),
                                                &service_, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(serviceBus_->registerService(QStringLiteral("org.freedesktop.Notifications")));
    }
    bool CallsReach(std::size_t count) {
        return QTest::qWaitFor([&] { return service_.Calls.size() >= count; }, 10000);
    }

    QTemporaryDir dir_;
    QProcess daemon_;
    std::unique_ptr<QDBusConnection> serviceBus_;
    std::unique_ptr<QDBusConnection> notifierBus_;
    FakeNotificationService service_;
    std::unique_ptr<DesktopNotifier> notifier_;
    std::vector<std::string> balloons_;
};

// A printer's newer notice replaces its older one; a job's notice, and another printer's, are
// notices of their own. A service that reads markup gets the body escaped.
TEST_F(DesktopNotifierTest, APrintersNoticeReplacesItsOlderOneAndBodiesAreEscapedForMarkup) {
    service_.Capabilities = {QStringLiteral("body"), QStringLiteral("body-markup")};
    StartService();
    notifier_->Notify("printer:Laser", "Tiskárna „Laser“ potřebuje pozornost",
                      "Tiskárna „Laser“: zastavena – hlásí „x<y>&z“");
    notifier_->Notify({}, "Úlohu „A.QSF“ nelze vytisknout", "Složka ~/R&D/<PDF> je plná.");
    ASSERT_TRUE(CallsReach(2));
    QTest::qWait(50);  // the service's numbers come back
    notifier_->Notify("printer:Laser", "Tiskárna „Laser“ potřebuje pozornost", "došel papír");
    notifier_->Notify("printer:Dilna", "Tiskárna „Dilna“ potřebuje pozornost", "došel toner");
    notifier_->Notify({}, "Úlohu „B.QSF“ nelze vytisknout", "Tiskárna nepřijímá úlohy.");
    ASSERT_TRUE(CallsReach(5));

    const std::vector<FakeNotificationService::Call>& calls = service_.Calls;
    EXPECT_EQ(calls[0].Body, "Tiskárna „Laser“: zastavena – hlásí „x&lt;y&gt;&amp;z“");
    EXPECT_EQ(calls[1].Body, "Složka ~/R&amp;D/&lt;PDF&gt; je plná.");
    EXPECT_EQ(calls[0].Summary, "Tiskárna „Laser“ potřebuje pozornost");
    EXPECT_EQ(calls[0].Replaces, 0u);
    EXPECT_EQ(calls[1].Replaces, 0u);
    EXPECT_EQ(calls[2].Replaces, calls[0].Id) << "the printer's newer notice replaces its older";
    EXPECT_EQ(calls[3].Replaces, 0u) << "another printer's notice is its own";
    EXPECT_EQ(calls[4].Replaces, 0u) << "a job's notice is its own";
    EXPECT_EQ(service_.CapabilityQuestions, 1) << "asked once";
    EXPECT_TRUE(balloons_.empty());
}

TEST_F(DesktopNotifierTest, AServiceThatReadsNoMarkupGetsTheBodyAsItIs) {
    StartService();
    notifier_->Notify({}, "Úlohu „A.QSF“ nelze vytisknout", "Složka ~/R&D/<PDF> je plná.");
    ASSERT_TRUE(CallsReach(1));
    EXPECT_EQ(service_.Calls[0].Body, "Složka ~/R&D/<PDF> je plná.");
}

// A bus that stops answering, as a hung session does, holds up nothing: each notice returns at
// once and is delivered when the bus answers again. Notices about one printer given meanwhile
// come as one, the newest, replacing the first.
TEST_F(DesktopNotifierTest, ABusThatDoesNotAnswerNeverHoldsUpTheCaller) {
    StartService();
    ASSERT_EQ(::kill(static_cast<pid_t>(daemon_.processId()), SIGSTOP), 0);
    QElapsedTimer clock;
    clock.start();
    for (const char* body : {"došel papír", "uvízl papír", "je otevřený kryt"}) {
        notifier_->Notify("printer:Laser", "Tiskárna „Laser“ potřebuje pozornost", body);
    }
    EXPECT_LT(clock.elapsed(), 1000);
    QTest::qWait(100);
    EXPECT_TRUE(service_.Calls.empty());
    ASSERT_EQ(::kill(static_cast<pid_t>(daemon_.processId()), SIGCONT), 0);

    ASSERT_TRUE(CallsReach(2));
    QTest::qWait(100);
    ASSERT_EQ(service_.Calls.size(), 2u);
    EXPECT_EQ(service_.Calls[0].Body, "došel papír");
    EXPECT_EQ(service_.Calls[1].Body, "je otevřený kryt");
    EXPECT_EQ(service_.Calls[1].Replaces, service_.Calls[0].Id);
    EXPECT_EQ(service_.CapabilityQuestions, 1);
    EXPECT_TRUE(balloons_.empty());
}

// Without a notification service the notices go to the balloon, as they were given.
TEST_F(DesktopNotifierTest, WithoutAServiceNoticesGoToTheBalloon) {
    notifier_->Notify({}, "Úlohu „A.QSF“ nelze vytisknout", "R&D <PDF>");
    notifier_->Notify("printer:Laser", "Tiskárna „Laser“ potřebuje pozornost", "došel papír");
    ASSERT_TRUE(QTest::qWaitFor([&] { return balloons_.size() == 2; }, 10000));
    EXPECT_EQ(balloons_,
              (std::vector<std::string>{"Úlohu „A.QSF“ nelze vytisknout / R&D <PDF>",
                                        "Tiskárna „Laser“ potřebuje pozornost / došel papír"}));

    StartService();
    notifier_->Notify({}, "Úlohu „B.QSF“ nelze vytisknout", "došel papír");
    EXPECT_TRUE(CallsReach(1)) << "a service that starts later is found";
}

}  // namespace
}  // namespace ostrelin::platform::desktop

#include "DesktopNotifierTest.moc"
