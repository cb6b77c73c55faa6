#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTextBrowser>
#include <filesystem>
#include <fstream>

#include "platform/TempDir.h"
#include "platform/desktop/qt/HelpViewer.h"

namespace ostrelin::platform::desktop {
namespace {

using ostrelin::testing::TempDir;

// The book is copied next to this test program by the build, as it is next to the spooler.
TEST(WinHelp, ShowsTheBookFromTheTopInAWindowOfTheOwner) {
    QWidget owner;
    QWidget* const shown = WinHelp(&owner, "Ostrelin.hlp", HELP_CONTEXT, 0);
    auto* const viewer = qobject_cast<QTextBrowser*>(shown);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->parentWidget(), &owner);
    EXPECT_TRUE(viewer->isWindow());
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->windowModality(), Qt::NonModal);
    EXPECT_EQ(viewer->objectName(), QStringLiteral("HelpViewer"));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Tarvok Calc Ostrelin – nápověda"));
    const QString text = viewer->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Tarvok Calc Ostrelin")))
        << text.left(80).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Příkazy a klávesové zkratky")));
    EXPECT_EQ(viewer->textCursor().position(), 0);

    // Asking again reuses the window; HELP_QUIT closes it.
    EXPECT_EQ(WinHelp(&owner, "Ostrelin.hlp", HELP_CONTEXT, 0), shown);
    const QPointer<QWidget> watch = shown;
    EXPECT_EQ(WinHelp(&owner, "Ostrelin.hlp", HELP_QUIT, 0), nullptr);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
}

TEST(WinHelp, MissingBookIsReportedInTheViewer) {
    QWidget owner;
    auto* const viewer = qobject_cast<QTextBrowser*>(WinHelp(&owner, "Chybi.hlp", HELP_CONTEXT, 0));
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->toPlainText(), QStringLiteral("Soubor nápovědy Chybi.hlp nebyl nalezen."));
}

TEST(FindHelpBook, FirstFolderThatHoldsTheBookWins) {
    const TempDir first;
    const TempDir second;
    std::ofstream(second / "Book.hlp") << "<p>second</p>";
    const std::vector<std::string> folders = {first.Path().string(), second.Path().string()};

    EXPECT_EQ(FindHelpBook("Book.hlp", folders), second / "Book.hlp");
    std::ofstream(first / "Book.hlp") << "<p>first</p>";
    EXPECT_EQ(FindHelpBook("Book.hlp", folders), first / "Book.hlp");
    EXPECT_EQ(FindHelpBook("Other.hlp", folders), std::nullopt);
    EXPECT_EQ(FindHelpBook(second / "Book.hlp", {}), second / "Book.hlp");
    std::filesystem::create_directory(first / "Folder.hlp");
    EXPECT_EQ(FindHelpBook("Folder.hlp", {first.Path().string()}), std::nullopt);
}

}  // namespace
}  // namespace ostrelin::platform::desktop
