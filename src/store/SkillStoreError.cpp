#include "SkillStoreError.h"

using namespace Qt::StringLiterals;

QString SkillStoreError::description() const
{
    switch (kind) {
    case Kind::networkError:
        return u"Netzwerkfehler: "_s + underlying;
    case Kind::decodingError:
        return u"Dekodierungsfehler: "_s + underlying;
    case Kind::invalidURL:
        return u"Ungültige URL"_s;
    case Kind::invalidResponse:
        return u"Ungültige Serverantwort"_s;
    case Kind::noSKILLfileFound:
        return u"Die SKILL.md Datei wurde im GitHub Repository nicht gefunden."_s;
    }
    return {};
}
