#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCursor>
#include <QMenu>
#include <QPixmap>
#include <QSignalSpy>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/tray/AutoPopup.h"
#include "app/tray/TTrayIconKelmor.h"
#include "platform/Error.h"
#include "platform/desktop/TrayIconRecorder.h"
#include "platform/desktop/fake/RecordingErrorReport.h"

namespace ostrelin::app {
namespace {

namespace desktop = platform::desktop;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

QIcon SomeIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::darkBlue);
    return QIcon(pixmap);
}

class TrayIconTest : public ::testing::Test {
  protected:
    // The component as the main window sets it up.
    void SetUpAsTheSpooler() {
        tray->SetIcon(SomeIcon());
        tray->SetHint(QStringLiteral("Tarvok Calc Ostrelin"));
        tray->Loaded();
    }

    const desktop::TrayIconRecorder::Call& LastCall() const { return area.Calls().back(); }

    // The names of the events the component raised, in order.
    void RecordEvents() {
        const auto record = [this](const char* name) {
            return [this, name](QObject* sender) {
                EXPECT_EQ(sender, tray.get());
                events.emplace_back(name);
            };
        };
        tray->SetOnMouseMove(record("move"));
        tray->SetOnMouseDown(record("down"));
        tray->SetOnMouseUp(record("up"));
        tray->SetOnDblClick(record("dblclick"));
    }

    QWidget owner;
    desktop::TrayIconRecorder area;
    desktop::RecordingErrorReport errors;
    std::unique_ptr<TTrayIconKelmor> tray = std::make_unique<TTrayIconKelmor>(&owner, area, errors);
    std::vector<std::string> events;
};

TEST_F(TrayIconTest, ConstructionPresetsTheRecordAndShowsNothingYet) {
    EXPECT_TRUE(tray->Visible());
    EXPECT_TRUE(tray->ApplicationVisible());
    EXPECT_TRUE(tray->Icon().isNull());
    EXPECT_TRUE(tray->Hint().isEmpty());
    EXPECT_EQ(tray->PopupMenu(), nullptr);
    const desktop::NOTIFYICONDATA& data = tray->IconData();
    EXPECT_EQ(data.cbSize, 88u);
    EXPECT_NE(data.hWnd, nullptr);
    EXPECT_EQ(data.uID, 0u);
    EXPECT_EQ(data.uCallbackMessage, 1034u);
    EXPECT_THAT(area.Calls(), IsEmpty());
    EXPECT_FALSE(owner.isVisible());
}

TEST_F(TrayIconTest, LoadingShowsTheOwnerAndAddsTheIcon) {
    SetUpAsTheSpooler();
    EXPECT_TRUE(owner.isVisible());
    EXPECT_EQ(LastCall().Message, desktop::NIM_ADD);
    EXPECT_TRUE(LastCall().Result);
    ASSERT_EQ(area.Icons().size(), 1u);
    EXPECT_EQ(area.Icons()[0].szTip, "Tarvok Calc Ostrelin");
    EXPECT_FALSE(area.Icons()[0].hIcon.isNull());
}

TEST_F(TrayIconTest, LoadingAfterSettingsHonoursThem) {
    tray->SetVisible(false);
    tray->HideApplication();
    area.ClearCalls();
    tray->Loaded();
    EXPECT_FALSE(owner.isVisible());
    EXPECT_THAT(area.Calls(), IsEmpty());
}

// The record names the window always, the icon and tip only when there are any; every change
// of icon or hint is sent, also before the icon is shown (and then refused).
TEST_F(TrayIconTest, FlagsNameWhatTheRecordHolds) {
    struct Case {
        bool WithIcon;
        QString Hint;
        std::uint32_t Flags;
    };
    const Case cases[] = {
        {false, QString(), desktop::NIF_MESSAGE},
        {true, QString(), desktop::NIF_MESSAGE | desktop::NIF_ICON},
        {false, QStringLiteral("tip"), desktop::NIF_MESSAGE | desktop::NIF_TIP},
        {true, QStringLiteral("tip"), desktop::NIF_MESSAGE | desktop::NIF_ICON | desktop::NIF_TIP},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Flags);
        TTrayIconKelmor fresh(&owner, area, errors);
        area.ClearCalls();
        fresh.SetIcon(c.WithIcon ? SomeIcon() : QIcon());
        fresh.SetHint(c.Hint);
        ASSERT_EQ(area.Calls().size(), 2u);
        for (const desktop::TrayIconRecorder::Call& call : area.Calls()) {
            EXPECT_EQ(call.Message, desktop::NIM_MODIFY);
            EXPECT_FALSE(call.Result);
        }
        EXPECT_EQ(LastCall().Data.uFlags, c.Flags);
        fresh.Loaded();
        EXPECT_EQ(LastCall().Data.uFlags, c.Flags);
        fresh.HideIcon();
    }
}

TEST_F(TrayIconTest, TheTipIsTheHintCutToSixtyThreeCharacters) {
    const QString czech = QString(62, QChar(0x017E)) + QString::fromUtf8("😀") + "xyz";
    struct Case {
        QString Hint;
        QString Tip;
    };
    const Case cases[] = {
        {QString(63, 'a'), QString(63, 'a')},
        {QString(64, 'a'), QString(63, 'a')},
        {czech, czech.left(64)},  // the emoji is one character in two UTF-16 units
    };
    SetUpAsTheSpooler();
    for (const Case& c : cases) {
        tray->SetHint(c.Hint);
        EXPECT_EQ(tray->Hint(), c.Hint);
        ASSERT_EQ(area.Icons().size(), 1u);
        EXPECT_EQ(QString::fromStdString(area.Icons()[0].szTip), c.Tip);
    }
}

TEST_F(TrayIconTest, VisibleAddsAgainWhenShownAndRemovesOnce) {
    SetUpAsTheSpooler();
    area.ClearCalls();
    tray->SetVisible(true);
    EXPECT_EQ(LastCall().Message, desktop::NIM_ADD);
    EXPECT_FALSE(LastCall().Result);
    EXPECT_TRUE(tray->Visible());
    EXPECT_EQ(area.Icons().size(), 1u);

    tray->HideIcon();
    EXPECT_EQ(LastCall().Message, desktop::NIM_DELETE);
    EXPECT_FALSE(tray->Visible());
    EXPECT_THAT(area.Icons(), IsEmpty());
    area.ClearCalls();
    tray->SetVisible(false);
    EXPECT_THAT(area.Calls(), IsEmpty());
}

TEST_F(TrayIconTest, DoubleClickCallsTheHandlerOrShowsAHiddenProgram) {
    struct Case {
        bool WithHandler;
        bool ShownBefore;
        bool ShownAfter;
        int HandlerCalls;
    };
    const Case cases[] = {
        {true, true, true, 1},
        {true, false, false, 1},
        {false, false, true, 0},
        {false, true, true, 0},
    };
    SetUpAsTheSpooler();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.WithHandler << c.ShownBefore);
        int calls = 0;
        tray->SetOnDblClick(
            c.WithHandler ? TTrayIconKelmor::TNotifyEvent([&](QObject*) { ++calls; }) : nullptr);
        c.ShownBefore ? tray->ShowApplication() : tray->HideApplication();
        area.MouseAction(desktop::WM_LBUTTONDBLCLK);
        EXPECT_EQ(calls, c.HandlerCalls);
        EXPECT_EQ(tray->ApplicationVisible(), c.ShownAfter);
        EXPECT_EQ(owner.isVisible(), c.ShownAfter);
    }
}

TEST_F(TrayIconTest, OtherMouseActionsRaiseTheirEventsAndNothingElse) {
    SetUpAsTheSpooler();
    RecordEvents();
    tray->HideApplication();
    for (const std::uint32_t action :
         {desktop::WM_MOUSEMOVE, desktop::WM_LBUTTONDOWN, desktop::WM_LBUTTONUP,
          desktop::WM_RBUTTONDOWN, desktop::WM_RBUTTONUP, desktop::WM_MBUTTONDOWN,
          desktop::WM_MBUTTONUP, std::uint32_t{518}}) {
        area.MouseAction(action);
    }
    EXPECT_THAT(events, ElementsAre("move", "down", "up"));
    EXPECT_FALSE(tray->ApplicationVisible());
    EXPECT_FALSE(owner.isVisible());
}

TEST_F(TrayIconTest, OnlyTheCallbackMessageIsHandled) {
    SetUpAsTheSpooler();
    RecordEvents();
    EXPECT_EQ(tray->TrayWndProc(1035, 0, desktop::WM_LBUTTONDBLCLK), 0);
    EXPECT_EQ(tray->TrayWndProc(1034, 0, desktop::WM_LBUTTONDBLCLK), 0);
    EXPECT_THAT(events, ElementsAre("dblclick"));
}

TEST_F(TrayIconTest, RightButtonReleasePopsTheMenuUpAtTheCursor) {
    SetUpAsTheSpooler();
    QMenu menu;
    menu.addAction(QStringLiteral("&Otevřít..."));
    tray->SetPopupMenu(&menu);
    QCursor::setPos(QPoint(40, 50));

    area.MouseAction(desktop::WM_RBUTTONDOWN);
    EXPECT_FALSE(menu.isVisible());
    area.MouseAction(desktop::WM_RBUTTONUP);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), QCursor::pos());
    menu.hide();

    SetAutoPopup(menu, false);
    area.MouseAction(desktop::WM_RBUTTONUP);
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(TrayIconTest, AMenuThatIsGoneIsNotUsed) {
    SetUpAsTheSpooler();
    area.MouseAction(desktop::WM_RBUTTONUP);
    auto menu = std::make_unique<QMenu>();
    tray->SetPopupMenu(menu.get());
    menu.reset();
    EXPECT_EQ(tray->PopupMenu(), nullptr);
    area.MouseAction(desktop::WM_RBUTTONUP);
    EXPECT_THAT(errors.Messages(), IsEmpty());
}

TEST_F(TrayIconTest, HidingTheProgramKeepsTheIcon) {
    SetUpAsTheSpooler();
    area.ClearCalls();
    tray->HideApplication();
    EXPECT_FALSE(owner.isVisible());
    EXPECT_FALSE(tray->ApplicationVisible());
    EXPECT_THAT(area.Calls(), IsEmpty());
    EXPECT_EQ(area.Icons().size(), 1u);
    tray->ShowApplication();
    EXPECT_TRUE(owner.isVisible());
}

TEST_F(TrayIconTest, DestructionRemovesTheIconAndStopsListening) {
    SetUpAsTheSpooler();
    tray.reset();
    EXPECT_EQ(LastCall().Message, desktop::NIM_DELETE);
    EXPECT_THAT(area.Icons(), IsEmpty());
    area.SetAvailable(false);
    area.SetAvailable(true);
    EXPECT_THAT(area.Icons(), IsEmpty());

    auto hidden = std::make_unique<TTrayIconKelmor>(&owner, area, errors);
    hidden->Loaded();
    hidden->HideIcon();
    area.ClearCalls();
    hidden.reset();
    EXPECT_THAT(area.Calls(), IsEmpty());
}

TEST_F(TrayIconTest, ErrorsOfHandlersGoToTheErrorReport) {
    SetUpAsTheSpooler();
    tray->SetOnDblClick([](QObject*) { throw Error("Nelze otevřít okno"); });
    area.MouseAction(desktop::WM_LBUTTONDBLCLK);
    EXPECT_THAT(errors.Messages(), ElementsAre("Nelze otevřít okno"));
}

TEST_F(TrayIconTest, WithoutOwnerTheProgramIsNeitherShownNorHidden) {
    TTrayIconKelmor ownerless(nullptr, area, errors);
    ownerless.HideApplication();
    EXPECT_TRUE(ownerless.ApplicationVisible());
}

// Panels often start after the programs of a session, or not at all.
TEST(TrayIconAvailabilityTest, AnAreaThatAppearsLaterGetsTheIcon) {
    QWidget owner;
    desktop::TrayIconRecorder area(false);
    desktop::RecordingErrorReport errors;
    TTrayIconKelmor tray(&owner, area, errors);
    QSignalSpy changes(&tray, &TTrayIconKelmor::NotificationAreaChanged);
    tray.SetHint(QStringLiteral("Tarvok Calc Ostrelin"));
    tray.Loaded();
    EXPECT_FALSE(tray.NotificationAreaAvailable());
    EXPECT_THAT(area.Icons(), IsEmpty());
    EXPECT_TRUE(tray.Visible());

    area.SetAvailable(true);
    EXPECT_TRUE(tray.NotificationAreaAvailable());
    ASSERT_EQ(area.Icons().size(), 1u);
    EXPECT_EQ(area.Icons()[0].szTip, "Tarvok Calc Ostrelin");

    area.SetAvailable(false);
    tray.HideIcon();
    area.SetAvailable(true);
    EXPECT_THAT(area.Icons(), IsEmpty());
    ASSERT_EQ(changes.size(), 3);
    EXPECT_EQ(changes[0][0].toBool(), true);
    EXPECT_EQ(changes[1][0].toBool(), false);
    EXPECT_EQ(changes[2][0].toBool(), true);
}

// The component as the main window makes it, on the desktop's own notification area; offscreen
// there is none.
TEST(TrayIconAvailabilityTest, TheDesktopsAreaIsUsedByDefault) {
    QWidget owner;
    desktop::RecordingErrorReport errors;
    std::unique_ptr<TTrayIconKelmor> made[] = {std::make_unique<TTrayIconKelmor>(&owner),
                                               std::make_unique<TTrayIconKelmor>(&owner, errors)};
    for (const std::unique_ptr<TTrayIconKelmor>& tray : made) {
        tray->Loaded();
        EXPECT_FALSE(tray->NotificationAreaAvailable());
        EXPECT_TRUE(owner.isVisible());
        tray->HideApplication();
        EXPECT_FALSE(owner.isVisible());
        EXPECT_FALSE(tray->ApplicationVisible());
    }
    made[1]->SetOnDblClick([](QObject*) { throw Error("chyba"); });
    made[1]->TrayWndProc(TTrayIconKelmor::CallbackMessage, 0, desktop::WM_LBUTTONDBLCLK);
    EXPECT_THAT(errors.Messages(), ElementsAre("chyba"));
}

}  // namespace
}  // namespace ostrelin::app
