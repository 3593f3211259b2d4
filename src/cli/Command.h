#pragma once

#include <QCommandLineOption>
#include <QHash>
#include <QList>
#include <QStringList>

#include <optional>

class CliSession;
class QCommandLineParser;

// What a command is, as the reader of usage, help and completion sees it.
struct CommandDeclaration
{
    QStringList words;
    QString arguments = {};
    QString summary;
    QString example;
    int minimumArguments = 0;
    int maximumArguments = 0;                // -1: any number
    QList<QCommandLineOption> switches = {}; // besides the common options
    bool readsHubItems = false;              // it shows or changes the hub's items, which are read first
};

// One command of the tool, declared once: usage, `--help`, the argument check and the shell
// completion are made from its declaration.
class Command
{
public:
    explicit Command(CommandDeclaration declaration)
        : m_declaration(std::move(declaration))
    {}
    virtual ~Command() = default;
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    const CommandDeclaration& declaration() const { return m_declaration; }
    bool takes(const QCommandLineOption& option) const;
    // Prints the results and returns the exit status.
    virtual int run(CliSession& session, const QStringList& args) const = 0;

private:
    CommandDeclaration m_declaration;
};

// The switches a command line gave, as the parser read them.
class GivenSwitches
{
public:
    GivenSwitches() = default;
    GivenSwitches(const QCommandLineParser& parser, const QList<QCommandLineOption>& known);

    bool isSet(const QCommandLineOption& option) const;
    // Its value, for a switch that takes one and was given.
    std::optional<QString> value(const QCommandLineOption& option) const;

private:
    QHash<QString, QString> m_given; // by name: the value, or nothing for a switch without one
};
