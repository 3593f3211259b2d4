#pragma once

#include "texts/OutcomeTexts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

namespace OutcomeTexts {

// A text as the form asks: in the user's language, or the English it is written in.
inline QString say(Form form, const char* english)
{
    return form == Form::shown ? QCoreApplication::translate("OutcomeTexts", english)
                               : QString::fromUtf8(english);
}

// A date from the core, as the user's locale writes it; machine-readable output keeps ISO 8601.
inline QString shownDate(const QString& iso, Form form)
{
    const QDateTime date = QDateTime::fromString(iso, Qt::ISODate);
    return form == Form::shown && date.isValid()
               ? QLocale().toString(date.toLocalTime(), QLocale::ShortFormat)
               : iso;
}

// A count from the core, grouped as the user's locale writes it ("8.000"); plain for programs.
inline QString number(const QString& count, Form form)
{
    return form == Form::shown ? QLocale().toString(count.toLongLong()) : count;
}

} // namespace OutcomeTexts
