#include "store/SkillStoreError.h"

#include <QCoreApplication>

QString SkillStoreError::description() const
{
    switch (kind) {
    case Kind::networkError:
        return QCoreApplication::translate("SkillStoreError", "Netzwerkfehler: ") + underlying;
    case Kind::decodingError:
        return QCoreApplication::translate("SkillStoreError", "Dekodierungsfehler: ") + underlying;
    case Kind::invalidURL:
        return QCoreApplication::translate("SkillStoreError", "Ungültige URL");
    case Kind::invalidResponse:
        return QCoreApplication::translate("SkillStoreError", "Ungültige Serverantwort");
    case Kind::noSKILLfileFound:
        return QCoreApplication::translate("SkillStoreError",
                                           "Die SKILL.md Datei wurde im GitHub Repository nicht gefunden.");
    }
    return {};
}
