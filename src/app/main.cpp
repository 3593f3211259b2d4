#include "QuorvaneApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QuorvaneApp::nameApplication();
    QuorvaneApp quorvane;
    return quorvane.run();
}
