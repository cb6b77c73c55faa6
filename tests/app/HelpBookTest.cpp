#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTextDocument>
#include <QToolButton>
#include <set>

#include "app/MainWindowFixture.h"
#include "app/queue/QueueEntry.h"
#include "app/window/MainWindowTexts.h"
#include "app/window/TextRoutines.h"

namespace ostrelin::app {
namespace {

// The help book as its reader sees it: the text, without the markup.
QString HelpBookText() {
    QFile book(QStringLiteral(OSTRELIN_SOURCE_DIR "/data/Ostrelin.hlp"));
    if (!book.open(QIODevice::ReadOnly)) {
        return {};
    }
    QTextDocument document;
    document.setHtml(QString::fromUtf8(book.readAll()));
    return document.toPlainText().simplified();
}

// The help book tells of everything the window shows and offers: each state of a document, both
// states of the printing switch, and every command by its caption as the menus, the toolbar's
// tool tips and the tray icon's menu show it; and of the printer's state, the notices, the
// preview and where "Tisk do PDF" writes.
TEST_F(MainWindowTest, TheHelpBookTellsOfEveryStateAndCommandOfTheWindow) {
    const QString book = HelpBookText();
    ASSERT_FALSE(book.isEmpty());
    Create();

    std::set<QString> texts = {texts::kStatusReady, texts::kStatusPaused,
                               StripAmpersands(texts::kCaptionPrinterPause),
                               StripAmpersands(texts::kCaptionPrinterResume)};
    for (const std::string_view state :
         {kStateWaiting, kStatePaused, kStatePrinting, kStateFailed}) {
        texts.insert(QString::fromUtf8(state.data(), static_cast<qsizetype>(state.size())));
    }
    for (const QAction* action : window->findChildren<QAction*>()) {
        if (!action->isSeparator() && !action->text().isEmpty() && action->menu() == nullptr) {
            texts.insert(StripAmpersands(action->text()));
        }
    }
    for (const QMenu* menu : window->findChildren<QMenu*>()) {
        if (!menu->title().isEmpty()) {
            texts.insert(StripAmpersands(menu->title()));
        }
    }
    for (const QToolButton* button : window->findChildren<QToolButton*>()) {
        if (!button->objectName().isEmpty() && !button->toolTip().isEmpty()) {
            texts.insert(button->toolTip());
        }
    }
    ASSERT_GT(texts.size(), 20u) << "the window's commands were found";
    for (const QString& text : texts) {
        EXPECT_TRUE(book.contains(text))
            << "the help book does not tell of \"" << text.toStdString() << "\"";
    }
    for (const char* topic : {"Stavový řádek", "Oznámení", "Náhled", "Tisk do PDF", "~/PDF",
                              "OSTRELIN_PDF_DIR", "systém CUPS"}) {
        EXPECT_TRUE(book.contains(QString::fromUtf8(topic))) << topic;
    }
}

}  // namespace
}  // namespace ostrelin::app
