#pragma once

#include <QString>

namespace ostrelin::app {

// `folder` with the user's home folder `home` at its start written as "~" ("~/PDF"); other
// folders as they are.
QString HomeAsTilde(const QString& folder, const QString& home);

// The tray icon's tip: the program's name, then the printer's state `state`, within `limit`
// characters. `folder`, a part of `state`, loses its middle first, then the state its end.
QString TrayTip(const QString& programName, const QString& state, const QString& folder, int limit);

}  // namespace ostrelin::app
