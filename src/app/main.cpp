#include "app/QuorvaneApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QuorvaneApp::prepareApplication();
    QuorvaneApp quorvane;
    return quorvane.run();
}
