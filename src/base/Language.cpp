#include "base/Language.h"

#include "base/Log.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace Language {

QLocale chosen()
{
    const QLocale system = QLocale::system();
    for (const QString& name : system.uiLanguages()) {
        const QLocale asked(name);
        if (asked.language() == QLocale::German)
            // The region of the user's own locale where it is German (Austria, Switzerland).
            return system.language() == QLocale::German ? system : QLocale(QLocale::German, QLocale::Germany);
        if (asked.language() == QLocale::English)
            return system.language() == QLocale::English ? system
                                                         : QLocale(QLocale::English, QLocale::UnitedStates);
    }
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

namespace {

bool load(const QLocale& locale, const QString& name, const QString& folder)
{
    auto* texts = new QTranslator(QCoreApplication::instance());
    if (!texts->load(locale, name, u"_"_s, folder)) {
        delete texts;
        Log::line(u"No %1 texts for %2 in %3."_s.arg(name, locale.name(), folder));
        return false;
    }
    QCoreApplication::installTranslator(texts);
    return true;
}

} // namespace

bool install(const QString& textsFolder)
{
    const QLocale locale = chosen();
    QLocale::setDefault(locale);
    if (locale.language() == QLocale::English)
        return true;
    const bool own = load(locale, u"quorvane"_s, textsFolder);
    const bool qts = load(locale, u"qtbase"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return own && qts;
}

} // namespace Language
