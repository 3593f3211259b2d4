#include "QuorvaneApp.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"Quorvane"_s);
    QApplication::setApplicationDisplayName(u"Quorvane"_s);
    QApplication::setDesktopFileName(u"quorvane"_s);

    QuorvaneApp quorvane;
    return quorvane.run();
}
