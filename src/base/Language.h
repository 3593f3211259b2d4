#pragma once

#include <QLocale>
#include <QString>

// The language the programs speak: German for a German locale, English otherwise. The
// order of LANGUAGE comes first, then LC_ALL, LC_MESSAGES and LANG, as Qt reads them.
namespace Language {

// The locale the user's settings ask for, narrowed to the languages Quorvane speaks; dates
// and numbers are formatted for it.
QLocale chosen();

// Makes `chosen()` the default locale and loads the program's texts for it from
// textsFolder (as "quorvane_de.qm") together with Qt's own, so its dialogs and its file
// and network errors speak the same language. English needs no files. Logs a line for a
// missing file; returns whether every file was found.
bool install(const QString& textsFolder = QStringLiteral(":/i18n"));

} // namespace Language
