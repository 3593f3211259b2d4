#pragma once

#include "texts/OutcomeTexts.h"

#include <QCoreApplication>

namespace OutcomeTexts {

// A text as the form asks: in the user's language, or the English it is written in.
inline QString say(Form form, const char* english)
{
    return form == Form::shown ? QCoreApplication::translate("OutcomeTexts", english)
                               : QString::fromUtf8(english);
}

} // namespace OutcomeTexts
