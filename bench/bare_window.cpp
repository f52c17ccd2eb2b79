// The yardstick of the start-up benchmark: the least a Qt Widgets program with a main window,
// a menu, a toolbar and a status bar costs to show itself on this machine.

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&Plik"));
    QAction* open = file->addAction(window.style()->standardIcon(QStyle::SP_DialogOpenButton),
                                    QStringLiteral("&Otwórz..."));
    QAction* save = file->addAction(window.style()->standardIcon(QStyle::SP_DialogSaveButton),
                                    QStringLiteral("&Zachowaj"));
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("&Koniec"), &app, &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("Pomo&c"))->addAction(QStringLiteral("&O programie..."));
    QToolBar* toolbar = window.addToolBar(QStringLiteral("Standard"));
    toolbar->addAction(open);
    toolbar->addAction(save);
    toolbar->addAction(quit);
    window.statusBar()->showMessage(QStringLiteral("Gotowy"));
    window.resize(640, 480);
    window.show();
    return app.exec();
}
