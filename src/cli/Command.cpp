#include "cli/Command.h"

#include <QCommandLineParser>

bool Command::takes(const QCommandLineOption& option) const
{
    const QString& name = option.names().constLast();
    return std::any_of(m_declaration.switches.cbegin(), m_declaration.switches.cend(),
                       [&](const QCommandLineOption& own) { return own.names().constLast() == name; });
}

GivenSwitches::GivenSwitches(const QCommandLineParser& parser, const QList<QCommandLineOption>& known)
{
    for (const QCommandLineOption& option : known)
        if (parser.isSet(option))
            m_given.insert(option.names().constLast(),
                           option.valueName().isEmpty() ? QString() : parser.value(option));
}

bool GivenSwitches::isSet(const QCommandLineOption& option) const
{
    return m_given.contains(option.names().constLast());
}

std::optional<QString> GivenSwitches::value(const QCommandLineOption& option) const
{
    const auto found = m_given.constFind(option.names().constLast());
    return found == m_given.cend() || option.valueName().isEmpty() ? std::nullopt : std::optional(*found);
}
