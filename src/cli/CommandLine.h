#pragma once

#include "cli/CliSession.h"

#include <QCommandLineOption>
#include <QStringList>

#include <functional>
#include <variant>

// One command of the tool as it is declared once: usage, `--help`, the argument check and
// the shell completion are all made from these declarations.
struct CommandDeclaration
{
    QStringList words;
    QString arguments;
    QString summary;
    QString example;
    int minimumArguments;
    int maximumArguments; // -1: any number
    std::function<int(CliSession&, const QStringList&)> run;
    QStringList switches = {};  // the names of the switches it takes besides the common options
    bool readsHubItems = false; // whether it shows or changes the hub's items, which are read first
};

// What a command line asks for, once it is known to be well formed.
struct ParsedCommandLine
{
    const CommandDeclaration* command = nullptr;
    QStringList arguments; // the command's own, after its words
    bool json = false;
    StoreEndpoints endpoints;
    CommandFlags flags;
};

// The tool's command line on QCommandLineParser: every command and switch declared once.
class CommandLine
{
public:
    static const QList<CommandDeclaration>& commands();
    // Every switch a command may take, and the common options, each with its description.
    static const QList<QCommandLineOption>& switches();
    static const QList<QCommandLineOption>& commonOptions();

    // The parsed line, or the exit code after the answer (help, version) or the usage error
    // has been written.
    static std::variant<ParsedCommandLine, int> parse(const QStringList& arguments);

    static QString usage();
    static QString help(const CommandDeclaration& command);
    // A bash completion script for the commands, their words and switches.
    static QString bashCompletion();
};
