#pragma once

#include "base/Log.h"

#include <QStringList>

// Collects every log line written while it lives, then puts the previous sink back.
class LogCapture
{
public:
    LogCapture()
        : m_previous(Log::setSink([this](const QString& line) { m_lines.append(line); }))
    {}
    ~LogCapture() { Log::setSink(std::move(m_previous)); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const QStringList& lines() const { return m_lines; }
    void clear() { m_lines.clear(); }

private:
    QStringList m_lines;
    Log::Sink m_previous;
};
