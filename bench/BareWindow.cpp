// The yardstick for the program's start-up: the toolkit's own cost of showing a maximized window with a
// "File" and a "Help" menu, and nothing else.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare Window"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Exit"), &window, &QWidget::close);
    QMenu* help = window.menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("H&ow to use this program"));
    window.showMaximized();
    return application.exec();
}
