#include "app/QuorvaneApp.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    // Answered before anything needs a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("quorvane " QUORVANE_VERSION);
        return 0;
    }
    QApplication application(argc, argv);
    QuorvaneApp::prepareApplication();
    QuorvaneApp quorvane;
    return quorvane.run();
}
