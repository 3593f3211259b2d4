#include "CliPlatform.h"

#include <QTextStream>

std::optional<QString> ArgumentPanels::next()
{
    if (m_answers.isEmpty())
        return std::nullopt;
    return m_answers.takeFirst();
}

void StandardErrorAlerts::inform(const QString& title, const QString& text, AlertStyle)
{
    QTextStream(stderr) << title << ": " << text << '\n';
}
