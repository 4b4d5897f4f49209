#include "mainwindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    int result = 0;
    {
        Velmora::MainWindow window;
        window.showMaximized();
        result = app.exec();
    }
    return result;
}
