#include "app/QuorvaneApp.h"
#include "base/Language.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

// The usage, for --help on standard output or after a wrong argument on standard error, in
// the user's language; it needs no display.
int tellUsage(int argc, char* argv[], const char* unknown)
{
    QCoreApplication texts(argc, argv);
    Language::install();
    const QString usage = QCoreApplication::translate(
        "main", "Usage: quorvane [--help] [--version]\n"
                "Opens the Quorvane window; a second start brings the open window to the front.\n"
                "quorvane-cli does the same work from a shell.\n");
    if (!unknown) {
        std::fputs(usage.toLocal8Bit().constData(), stdout);
        return 0;
    }
    const QString wrong = QCoreApplication::translate("main", "quorvane: unknown argument %1\n")
                              .arg(QString::fromLocal8Bit(unknown));
    std::fputs((wrong + usage).toLocal8Bit().constData(), stderr);
    return 2;
}

// Qt's own options for the window system, which QApplication takes out of the arguments:
// how many arguments each one spans (itself and its value), or 0 for any other.
int qtOptionSpan(std::string_view argument)
{
    constexpr std::string_view withValue[] = {
        "-platform",     "-platformpluginpath", "-platformtheme", "-plugin",     "-qwindowgeometry",
        "-qwindowtitle", "-qwindowicon",        "-style",         "-stylesheet", "-display",
        "-session"};
    constexpr std::string_view alone[] = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};
    for (std::string_view option : withValue) {
        if (argument == option)
            return 2;
        if (argument.starts_with(option) && argument.substr(option.size()).starts_with('='))
            return 1;
    }
    for (std::string_view option : alone)
        if (argument == option)
            return 1;
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    // Answered before anything needs a display.
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h")
            return tellUsage(argc, argv, nullptr);
        if (argument == "--version") {
            std::puts("quorvane " QUORVANE_VERSION);
            return 0;
        }
        if (const int span = qtOptionSpan(argument); span > 0) {
            i += span - 1;
            continue;
        }
        return tellUsage(argc, argv, argv[i]);
    }
    QApplication application(argc, argv);
    QuorvaneApp::prepareApplication();
    QuorvaneApp quorvane;
    return quorvane.run();
}
