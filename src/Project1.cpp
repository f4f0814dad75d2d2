// The program body: the application, its one window, and the message loop.
#include "Unit1.h"
#include "platform/QtPlatform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Project1"));
    QtPlatform platform;
    TForm1 Form1(platform);
    Form1.show();
    return QApplication::exec();
}
