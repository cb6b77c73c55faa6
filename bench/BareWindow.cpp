// bare-window MARKER [--text]: the least a Qt desktop program does before it first waits for
// events. Shows an empty main window (with --text: one with a menu and a status line, so that
// the fonts are loaded as for any window that shows text) and, when the event loop is first
// about to wait, creates the file MARKER and quits. bench/startup.py times it against the
// spooler's start.

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const bool text = argc == 3 && std::strcmp(argv[2], "--text") == 0;
    if (argc != 2 && !text) {
        std::fprintf(stderr, "usage: bare-window MARKER [--text]\n");
        return 2;
    }
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(400, 300);
    if (text) {
        window.menuBar()->addMenu(QStringLiteral("Soubor"))->addAction(QStringLiteral("Konec"));
        window.statusBar()->showMessage(QStringLiteral("Připraven"));
    }
    window.show();
    const QString marker = QString::fromLocal8Bit(argv[1]);
    QObject::connect(
        QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &application,
        [&marker] {
            QFile file(marker);
            file.open(QIODevice::WriteOnly);
            QCoreApplication::quit();
        },
        Qt::SingleShotConnection);
    return QApplication::exec();
}
