#include "store/SkillStoreError.h"

#include <QCoreApplication>

QString SkillStoreError::description() const
{
    switch (kind) {
    case Kind::networkError:
        return tr("Netzwerkfehler: ") + underlying;
    case Kind::decodingError:
        return tr("Dekodierungsfehler: ") + underlying;
    case Kind::invalidURL:
        return tr("Ungültige URL");
    case Kind::invalidResponse:
        return tr("Ungültige Serverantwort");
    case Kind::noSKILLfileFound:
        return tr("Die SKILL.md Datei wurde im GitHub Repository nicht gefunden.");
    }
    return {};
}
