#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <tuple>
#include <vector>

#include "platform/desktop/qt/SystemTrayArea.h"

namespace ostrelin::platform::desktop {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Received = std::tuple<std::uint32_t, std::uint64_t, std::int64_t>;

// Keeps every message it receives; may act on the first one.
class RecordingWindow final : public MessageWindow {
  public:
    std::int64_t WindowProc(std::uint32_t message, std::uint64_t wParam,
                            std::int64_t lParam) override {
        received.emplace_back(message, wParam, lParam);
        if (onMessage) {
            std::exchange(onMessage, nullptr)();
        }
        return 0;
    }

    std::vector<Received> received;
    std::function<void()> onMessage;
};

QIcon SomeIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::darkGreen);
    return QIcon(pixmap);
}

class SystemTrayAreaTest : public ::testing::Test {
  protected:
    NOTIFYICONDATA Record(std::uint32_t flags, const std::string& tip = "Tarvok Calc Ostrelin",
                          std::uint32_t id = 0) {
        NOTIFYICONDATA data;
        data.cbSize = 88;
        data.hWnd = &window;
        data.uID = id;
        data.uFlags = flags;
        data.uCallbackMessage = 1034;
        data.hIcon = SomeIcon();
        data.szTip = tip;
        return data;
    }

    std::vector<QSystemTrayIcon*> Icons() const {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QList<QSystemTrayIcon*> icons = area.findChildren<QSystemTrayIcon*>();
        return {icons.begin(), icons.end()};
    }

    bool available = true;
    SystemTrayArea area{nullptr, [this] { return available; }};
    RecordingWindow window;
};

TEST_F(SystemTrayAreaTest, WithoutANotificationAreaNothingIsShown) {
    available = false;
    SystemTrayArea none(nullptr, [] { return false; });
    EXPECT_FALSE(none.Available());
    EXPECT_FALSE(none.Shell_NotifyIcon(NIM_ADD, Record(NIF_MESSAGE | NIF_ICON | NIF_TIP)));
    EXPECT_FALSE(none.Shell_NotifyIcon(NIM_MODIFY, Record(NIF_TIP)));
    EXPECT_FALSE(none.Shell_NotifyIcon(NIM_DELETE, Record(0)));
    EXPECT_THAT(none.findChildren<QSystemTrayIcon*>(), IsEmpty());
}

TEST_F(SystemTrayAreaTest, IconsAreAddedChangedAndRemovedByWindowAndId) {
    ASSERT_TRUE(area.Shell_NotifyIcon(NIM_ADD, Record(NIF_MESSAGE | NIF_ICON | NIF_TIP)));
    EXPECT_FALSE(area.Shell_NotifyIcon(NIM_ADD, Record(NIF_MESSAGE)));
    ASSERT_EQ(Icons().size(), 1u);
    QSystemTrayIcon* icon = Icons()[0];
    EXPECT_TRUE(icon->isVisible());
    EXPECT_FALSE(icon->icon().isNull());
    EXPECT_EQ(icon->toolTip(), QStringLiteral("Tarvok Calc Ostrelin"));

    EXPECT_TRUE(area.Shell_NotifyIcon(NIM_MODIFY, Record(NIF_MESSAGE, "ignored")));
    EXPECT_EQ(icon->toolTip(), QStringLiteral("Tarvok Calc Ostrelin"));
    EXPECT_TRUE(area.Shell_NotifyIcon(NIM_MODIFY, Record(NIF_TIP, "Tiskárna")));
    EXPECT_EQ(icon->toolTip(), QStringLiteral("Tiskárna"));
    EXPECT_FALSE(area.Shell_NotifyIcon(NIM_MODIFY, Record(NIF_TIP, "x", 7)));

    EXPECT_TRUE(area.Shell_NotifyIcon(NIM_ADD, Record(NIF_TIP, "second", 7)));
    EXPECT_EQ(Icons().size(), 2u);
    EXPECT_TRUE(area.Shell_NotifyIcon(NIM_DELETE, Record(0)));
    EXPECT_FALSE(area.Shell_NotifyIcon(NIM_DELETE, Record(0)));
    ASSERT_EQ(Icons().size(), 1u);
    EXPECT_EQ(Icons()[0]->toolTip(), QStringLiteral("second"));
}

TEST_F(SystemTrayAreaTest, ActivationsArriveAsMouseActions) {
    struct Case {
        QSystemTrayIcon::ActivationReason Reason;
        std::vector<Received> Expected;
    };
    const std::vector<Case> cases = {
        {QSystemTrayIcon::Trigger, {{1034, 3, WM_LBUTTONDOWN}, {1034, 3, WM_LBUTTONUP}}},
        {QSystemTrayIcon::DoubleClick, {{1034, 3, WM_LBUTTONDBLCLK}, {1034, 3, WM_LBUTTONUP}}},
        {QSystemTrayIcon::Context, {{1034, 3, WM_RBUTTONDOWN}, {1034, 3, WM_RBUTTONUP}}},
        {QSystemTrayIcon::MiddleClick, {{1034, 3, WM_MBUTTONDOWN}, {1034, 3, WM_MBUTTONUP}}},
        {QSystemTrayIcon::Unknown, {}},
    };
    ASSERT_TRUE(area.Shell_NotifyIcon(NIM_ADD, Record(NIF_MESSAGE | NIF_ICON, "", 3)));
    QSystemTrayIcon* icon = Icons()[0];
    for (const Case& c : cases) {
        window.received.clear();
        emit icon->activated(c.Reason);
        EXPECT_EQ(window.received, c.Expected) << c.Reason;
    }
}

TEST_F(SystemTrayAreaTest, OnlyIconsThatAskedForCallbacksDeliverThem) {
    ASSERT_TRUE(area.Shell_NotifyIcon(NIM_ADD, Record(NIF_ICON)));
    QSystemTrayIcon* icon = Icons()[0];
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_THAT(window.received, IsEmpty());

    ASSERT_TRUE(area.Shell_NotifyIcon(NIM_MODIFY, Record(NIF_MESSAGE)));
    emit icon->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(window.received.size(), 2u);
}

// A window that removes its icon on the first action of a click gets no further action, and the
// icon goes safely once the click has been handled.
TEST_F(SystemTrayAreaTest, AnIconRemovedWhileItsClickIsHandledGoesSafely) {
    ASSERT_TRUE(area.Shell_NotifyIcon(NIM_ADD, Record(NIF_MESSAGE | NIF_ICON)));
    window.onMessage = [this] { EXPECT_TRUE(area.Shell_NotifyIcon(NIM_DELETE, Record(0))); };
    emit Icons()[0]->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_THAT(window.received, ElementsAre(Received{1034, 0, WM_LBUTTONDBLCLK}));
    EXPECT_THAT(Icons(), IsEmpty());
}

TEST_F(SystemTrayAreaTest, ChangesOfAvailabilityAreToldOnce) {
    std::vector<bool> told;
    area.SetAvailabilityHandler([&](bool now) { told.push_back(now); });
    area.CheckAvailability();
    available = false;
    area.CheckAvailability();
    area.CheckAvailability();
    EXPECT_FALSE(area.Available());
    EXPECT_FALSE(area.Shell_NotifyIcon(NIM_ADD, Record(NIF_ICON)));
    available = true;
    area.CheckAvailability();
    EXPECT_TRUE(area.Shell_NotifyIcon(NIM_ADD, Record(NIF_ICON)));
    EXPECT_THAT(told, ElementsAre(false, true));
}

}  // namespace
}  // namespace ostrelin::platform::desktop
