#include "platform/desktop/qt/HelpViewer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

namespace ostrelin::platform::desktop {
namespace {

QString ViewerName() {
    return QStringLiteral("HelpViewer");
}

std::vector<QTextBrowser*> ViewersOf(QWidget* owner) {
    if (owner != nullptr) {
        const QList<QTextBrowser*> children =
            owner->findChildren<QTextBrowser*>(ViewerName(), Qt::FindDirectChildrenOnly);
        return {children.begin(), children.end()};
    }
    std::vector<QTextBrowser*> viewers;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* viewer = qobject_cast<QTextBrowser*>(widget);
        if (viewer != nullptr && viewer->objectName() == ViewerName()) {
            viewers.push_back(viewer);
        }
    }
    return viewers;
}

QTextBrowser* ViewerFor(QWidget* owner) {
    const std::vector<QTextBrowser*> viewers = ViewersOf(owner);
    if (!viewers.empty()) {
        return viewers.front();
    }
    // A top-level window of its own that the owner deletes with itself; closing it deletes it too.
    auto* viewer = new QTextBrowser(owner);
    viewer->setWindowFlag(Qt::Window);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setObjectName(ViewerName());
    viewer->setOpenExternalLinks(true);
    viewer->resize(640, 520);
    return viewer;
}

void ShowBook(QTextBrowser& viewer, const std::string& path, unsigned command, unsigned data) {
    viewer.setSource(QUrl::fromLocalFile(QString::fromStdString(path)),
                     QTextDocument::HtmlResource);
    if (command == HELP_CONTEXT && data != 0) {
        viewer.scrollToAnchor(QStringLiteral("context-%1").arg(data));
    } else {
        viewer.moveCursor(QTextCursor::Start);
        viewer.ensureCursorVisible();
    }
    const QString title = viewer.documentTitle();
    viewer.setWindowTitle(title.isEmpty() ? QStringLiteral("Nápověda") : title);
}

void ShowMissingBook(QTextBrowser& viewer, const std::string& helpFile) {
    viewer.setSource(QUrl());
    viewer.setPlainText(
        QStringLiteral("Soubor nápovědy %1 nebyl nalezen.").arg(QString::fromStdString(helpFile)));
    viewer.setWindowTitle(QStringLiteral("Nápověda"));
}

}  // namespace

std::vector<std::string> HelpBookSearchPath() {
    const QDir executableDir(QCoreApplication::applicationDirPath());
    return {executableDir.absolutePath().toStdString(),
            QDir::cleanPath(executableDir.absoluteFilePath(QStringLiteral("../share/ostrelin")))
                .toStdString()};
}

std::optional<std::string> FindHelpBook(const std::string& helpFile,
                                        const std::vector<std::string>& directories) {
    const QString name = QString::fromStdString(helpFile);
    if (name.isEmpty()) {
        return std::nullopt;
    }
    if (name.contains(QLatin1Char('/'))) {
        return QFileInfo(name).isFile() ? std::optional(helpFile) : std::nullopt;
    }
    for (const std::string& directory : directories) {
        const QFileInfo candidate(QDir(QString::fromStdString(directory)), name);
        if (candidate.isFile()) {
            return candidate.absoluteFilePath().toStdString();
        }
    }
    return std::nullopt;
}

QWidget* WinHelp(QWidget* owner, const std::string& helpFile, unsigned command, unsigned data) {
    if (command == HELP_QUIT) {
        for (QTextBrowser* viewer : ViewersOf(owner)) {
            viewer->close();
        }
        return nullptr;
    }
    QTextBrowser* const viewer = ViewerFor(owner);
    if (const std::optional<std::string> book = FindHelpBook(helpFile, HelpBookSearchPath())) {
        ShowBook(*viewer, *book, command, data);
    } else {
        ShowMissingBook(*viewer, helpFile);
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

}  // namespace ostrelin::platform::desktop
