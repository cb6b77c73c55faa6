#pragma once

#include <QString>

class QTreeView;

namespace ostrelin::app {

// A menu caption made into a tool tip: every ampersand removed.
QString StripAmpersands(const QString& text);

// Gives column `index` of the list the width left over by all other columns (none when they are
// wider than the list). Does nothing without a list or such a column.
void FillColumn(QTreeView* list, int index);

}  // namespace ostrelin::app
