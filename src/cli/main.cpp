// quorvane-cli: what the window does, from a shell, on the same store.
#include "base/Language.h"
#include "base/Log.h"
#include "cli/CliSession.h"
#include "cli/CommandLine.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(u"Quorvane"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));
    // Results alone go to standard output; log lines join the messages.
    Log::setSink(Log::standardErrorSink());
    Language::install();

    const QStringList arguments = application.arguments().mid(1);
    // The completion the package installs is made from the declarations themselves.
    if (arguments == QStringList{u"--bash-completion"_s}) {
        QTextStream(stdout) << CommandLine::bashCompletion();
        return ExitCode::success;
    }
    auto parsed = CommandLine::parse(arguments);
    if (const int* answered = std::get_if<int>(&parsed))
        return *answered;
    const ParsedCommandLine& line = std::get<ParsedCommandLine>(parsed);
    CliSession session(line.json, line.endpoints, line.switches);
    if (const int opened = session.open(line.command->declaration().readsHubItems);
        opened != ExitCode::success)
        return opened;
    return line.command->run(session, line.arguments);
}
