#include "base/QtTexts.h"

#include "base/Log.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

bool loadQtGermanTexts()
{
    auto* qtTexts = new QTranslator(QCoreApplication::instance());
    if (!qtTexts->load(QLocale(QLocale::German), u"qtbase"_s, u"_"_s,
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qtTexts;
        Log::line(u"Qt's German texts were not found; its own messages stay in English."_s);
        return false;
    }
    QCoreApplication::installTranslator(qtTexts);
    return true;
}
