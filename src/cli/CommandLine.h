#pragma once

#include "cli/CliSession.h"
#include "cli/Command.h"

#include <QCommandLineOption>
#include <QStringList>

#include <memory>
#include <variant>

// What a command line asks for, once it is known to be well formed.
struct ParsedCommandLine
{
    const Command* command = nullptr;
    QStringList arguments; // the command's own, after its words
    bool json = false;
    StoreEndpoints endpoints;
    GivenSwitches switches;
};

// The tool's command line on QCommandLineParser: its commands, each declaring its switches.
class CommandLine
{
public:
    static const QList<std::shared_ptr<const Command>>& commands();
    // The options every command takes, each with its description.
    static const QList<QCommandLineOption>& commonOptions();

    // The parsed line, or the exit code after the answer (help, version) or the usage error
    // has been written.
    static std::variant<ParsedCommandLine, int> parse(const QStringList& arguments);

    static QString usage();
    static QString help(const CommandDeclaration& command);
    // A bash completion script for the commands, their words and switches.
    static QString bashCompletion();
};
