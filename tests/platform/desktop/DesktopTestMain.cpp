// Runs the desktop tests inside a QApplication on the offscreen platform, with a private runtime
// directory so that window-class sockets never meet those of a real session.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>

#include "platform/TempDir.h"

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    const ostrelin::testing::TempDir
        runtimeDir;  // mkdtemp makes it 0700, as the runtime dir must be
    ::setenv("XDG_RUNTIME_DIR", runtimeDir.Path().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ostrelin-test"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ostrelin Test"));
    return RUN_ALL_TESTS();
}
