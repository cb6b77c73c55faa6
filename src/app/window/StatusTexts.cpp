#include "app/window/StatusTexts.h"

#include <algorithm>

namespace ostrelin::app {

namespace {

const QString kEllipsis = QStringLiteral("…");
const QString kNameSeparator = QStringLiteral(" – ");
// What stays of a shortened folder at the least: its first and last characters.
constexpr qsizetype kKeptAtEachEnd = 4;

// `text` cut to `limit` characters, the cut shown by an ellipsis.
QString CutEnd(const QString& text, qsizetype limit) {
    return text.size() <= limit ? text : text.left(limit - kEllipsis.size()) + kEllipsis;
}

// `text` shortened to `limit` characters, its middle replaced by an ellipsis.
QString CutMiddle(const QString& text, qsizetype limit) {
    if (text.size() <= limit) {
        return text;
    }
    const qsizetype kept = limit - kEllipsis.size();
    const qsizetype head = (kept + 1) / 2;
    return text.left(head) + kEllipsis + text.right(kept - head);
}

}  // namespace

QString HomeAsTilde(const QString& folder, const QString& home) {
    QString root = home;
    while (root.endsWith(QLatin1Char('/'))) {
        root.chop(1);
    }
    if (root.isEmpty()) {
        return folder;
    }
    if (folder == root) {
        return QStringLiteral("~");
    }
    if (folder.startsWith(root + QLatin1Char('/'))) {
        return QLatin1Char('~') + folder.mid(root.size());
    }
    return folder;
}

QString TrayTip(const QString& programName, const QString& state, const QString& folder,
                int limit) {
    const QString whole = programName + kNameSeparator + state;
    if (whole.size() <= limit) {
        return whole;
    }
    const qsizetype at = folder.isEmpty() ? -1 : whole.indexOf(folder, programName.size());
    if (at < 0) {
        return CutEnd(whole, limit);
    }
    const QString before = whole.left(at);
    const QString after = whole.mid(at + folder.size());
    const qsizetype room = limit - before.size() - after.size();
    // The folder keeps its end: its middle goes first, then all of it but its last characters,
    // then what stands before it.
    const QString shortened = room >= 2 * kKeptAtEachEnd + kEllipsis.size()
                                  ? CutMiddle(folder, room)
                                  : kEllipsis + folder.right(kKeptAtEachEnd);
    const qsizetype beforeRoom = limit - shortened.size() - after.size();
    if (beforeRoom <= programName.size() + kNameSeparator.size()) {
        return CutEnd(before + shortened + after, limit);
    }
    return CutEnd(before, beforeRoom) + shortened + after;
}

}  // namespace ostrelin::app
