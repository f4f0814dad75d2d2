// The program body: the application, its one window, and the message loop.
#include "Unit1.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QFont>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Project1"));
    // The design font is narrow; where it is missing, a narrow face keeps captions whole.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow"),
                                QStringLiteral("Nimbus Sans Narrow")});
    QtPlatform platform;
    TForm1 Form1(platform);
    Form1.show();
    return QApplication::exec();
}
