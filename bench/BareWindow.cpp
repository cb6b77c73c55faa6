// bare-window MARKER: the least a Qt desktop program does before it first waits for events.
// Shows an empty main window and, when the event loop is first about to wait, creates the file
// MARKER and quits. bench/startup.py times it against the spooler's start.

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bare-window MARKER\n");
        return 2;
    }
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(400, 300);
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
