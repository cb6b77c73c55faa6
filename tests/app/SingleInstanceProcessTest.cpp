// Two real spooler processes: a second start makes the first one quit and takes over.

#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>

#include "app/window/TTarvokCalcOstrelin.h"
#include "platform/TempDir.h"
#include "platform/desktop/PostedMessage.h"
#include "platform/desktop/WindowClassRegistry.h"
#include "platform/desktop/fake/RecordingErrorReport.h"
#include "platform/settings/SettingsStore.h"

namespace ostrelin::app {
namespace {

namespace desktop = platform::desktop;
constexpr int kStartTimeoutMs = 20000;

class Spooler {
  public:
    Spooler() {
        process_.setProgram(QStringLiteral(OSTRELIN_SPOOLER));
        process_.setProcessChannelMode(QProcess::ForwardedChannels);
        process_.start();
    }
    Spooler(const Spooler&) = delete;
    Spooler& operator=(const Spooler&) = delete;
    ~Spooler() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    QProcess& Process() { return process_; }

  private:
    QProcess process_;
};

bool RegisteredWithin(int milliseconds) {
    return QTest::qWaitFor([] { return desktop::FindWindowByClass(kWindowClassName); },
                           milliseconds);
}

TEST(SingleInstanceProcessTest, SecondStartMakesTheFirstQuitAndTakesOver) {
    ASSERT_FALSE(desktop::FindWindowByClass(kWindowClassName));
    Spooler first;
    ASSERT_TRUE(first.Process().waitForStarted());
    ASSERT_TRUE(RegisteredWithin(kStartTimeoutMs)) << "the first copy never registered";

    Spooler second;
    ASSERT_TRUE(second.Process().waitForStarted());
    ASSERT_TRUE(first.Process().waitForFinished(kStartTimeoutMs)) << "the first copy did not quit";
    EXPECT_EQ(first.Process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.Process().exitCode(), 0);

    ASSERT_TRUE(RegisteredWithin(kStartTimeoutMs)) << "the second copy did not take over";
    EXPECT_EQ(second.Process().state(), QProcess::Running);

    ASSERT_TRUE(desktop::PostMessageToClass(kWindowClassName, {desktop::WM_QUIT, 0, 0}));
    ASSERT_TRUE(second.Process().waitForFinished(kStartTimeoutMs));
    EXPECT_EQ(second.Process().exitCode(), 0);
    EXPECT_FALSE(desktop::FindWindowByClass(kWindowClassName));
}

TEST(SingleInstanceProcessTest, OldCopyStoresItsSettingsBeforeTheNewOneReadsThem) {
    const testing::TempDir spool;
    desktop::RecordingErrorReport errors;
    const platform::settings::SettingsStore store(
        platform::settings::SettingsStore::PerUserFile("Veldane", "Tarvok Calc Ostrelin"), errors);
    const auto write = [&store, &spool](const std::string& printer, int enabled) {
        platform::settings::SettingsKey key =
            store.OpenKey("Software\\Veldane\\Tarvok Calc Ostrelin");
        key.WriteString("PrinterName", printer);
        key.WriteInteger("PrinterEnable", enabled);
        key.WriteString("SpoolDir", spool.Path().string());
    };
    write("Tisk do PDF", 0);
    Spooler first;
    ASSERT_TRUE(RegisteredWithin(kStartTimeoutMs));
    // Only the old copy's own store at its end can bring these values back.
    write("-Výchozí tiskárna Windows-", 1);

    Spooler second;
    ASSERT_TRUE(first.Process().waitForFinished(kStartTimeoutMs));
    ASSERT_TRUE(RegisteredWithin(kStartTimeoutMs));
    ASSERT_TRUE(desktop::PostMessageToClass(kWindowClassName, {desktop::WM_QUIT, 0, 0}));
    ASSERT_TRUE(second.Process().waitForFinished(kStartTimeoutMs));

    const platform::settings::SettingsKey key =
        store.OpenKey("Software\\Veldane\\Tarvok Calc Ostrelin");
    EXPECT_EQ(key.ReadString("PrinterName"), "Tisk do PDF");
    EXPECT_EQ(key.ReadInteger("PrinterEnable"), 0)
        << "the new copy started with the old one's pause";
    EXPECT_TRUE(errors.Messages().empty());
}

}  // namespace
}  // namespace ostrelin::app
