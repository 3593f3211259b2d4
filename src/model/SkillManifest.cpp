#include "model/SkillManifest.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>

#include <yaml-cpp/depthguard.h>
#include <yaml-cpp/yaml.h>

using namespace Qt::StringLiterals;

namespace {

// The frontmatter's lines, without the "---" lines around them; nothing when there are none.
std::optional<QByteArray> frontmatterOf(QByteArrayView beginning)
{
    if (beginning.startsWith("\xEF\xBB\xBF"))
        beginning = beginning.sliced(3);
    // Only a text that opens with the marker line is looked at further: a hub holds many
    // files, and most of them are not skills with frontmatter.
    if (!beginning.startsWith("---\n") && !beginning.startsWith("---\r\n"))
        return std::nullopt;
    QByteArray text = beginning.toByteArray();
    if (text.contains('\r'))
        text.replace("\r\n", "\n");
    const qsizetype end = text.indexOf("\n---", 3);
    if (end < 0)
        return std::nullopt;
    const qsizetype afterMarker = end + 4;
    if (afterMarker < text.size() && text[afterMarker] != '\n' && text[afterMarker] != ' ')
        return std::nullopt;
    return text.mid(4, end - 4 + 1);
}

// A scalar field as text; an error when it is there but not text.
Result<std::optional<QString>, QString> textField(const YAML::Node& document, const char* key)
{
    const YAML::Node node = document[key];
    if (!node || node.IsNull())
        return std::optional<QString>();
    if (!node.IsScalar())
        return SkillManifest::tr("'%1' muss Text sein.").arg(QString::fromLatin1(key));
    return std::optional(QString::fromStdString(node.Scalar()).trimmed());
}

} // namespace

Result<SkillManifest, QString> SkillManifest::read(QByteArrayView skillFile)
{
    const auto frontmatter =
        frontmatterOf(skillFile.first(std::min<qsizetype>(skillFile.size(), maximumFrontmatterSize + 8)));
    if (!frontmatter) {
        if (skillFile.size() > maximumFrontmatterSize)
            return SkillManifest::tr("Das Frontmatter ist länger als 64 KiB.");
        return SkillManifest::tr("Kein Frontmatter: Die SKILL.md beginnt nicht mit einem '---'-Block.");
    }
    YAML::Node document;
    try {
        document = YAML::Load(frontmatter->toStdString());
    } catch (const YAML::DeepRecursion&) {
        return SkillManifest::tr("Das Frontmatter ist zu tief verschachtelt.");
    } catch (const YAML::Exception& error) {
        return SkillManifest::tr("Das Frontmatter ist kein gültiges YAML (Zeile %1).")
            .arg(error.mark.line + 2);
    }
    if (!document.IsMap())
        return SkillManifest::tr("Das Frontmatter ist keine Zuordnung von Schlüsseln zu Werten.");
    SkillManifest manifest;
    for (auto [field, key] :
         {std::pair{&manifest.name, "name"}, std::pair{&manifest.description, "description"},
          std::pair{&manifest.compatibility, "compatibility"}}) {
        auto value = textField(document, key);
        if (!value)
            return value.error();
        *field = value.value();
    }
    return manifest;
}

QList<SkillFinding> SkillManifest::check(const std::optional<QByteArray>& skillFile,
                                         const QString& folderName)
{
    if (!skillFile)
        return {{SkillFinding::Level::error, SkillManifest::tr("Keine SKILL.md im Ordner.")}};
    return check(read(*skillFile), folderName);
}

QList<SkillFinding> SkillManifest::check(const Result<SkillManifest, QString>& manifest,
                                         const QString& folderName)
{
    using Level = SkillFinding::Level;
    if (!manifest)
        return {{Level::error, manifest.error()}};

    QList<SkillFinding> findings;
    static const QRegularExpression allowed(u"^[a-z0-9-]+$"_s);
    if (const auto& name = manifest->name; !name || name->isEmpty()) {
        findings.append({Level::error, SkillManifest::tr("'name' fehlt.")});
    } else if (name->size() > 64) {
        findings.append({Level::error, SkillManifest::tr("'name' ist länger als 64 Zeichen.")});
    } else if (!allowed.match(*name).hasMatch()) {
        findings.append({Level::error, SkillManifest::tr("'name' darf nur a–z, 0–9 und '-' enthalten.")});
    } else if (name->startsWith(u'-') || name->endsWith(u'-') || name->contains(u"--"_s)) {
        findings.append(
            {Level::error,
             SkillManifest::tr("'name' darf nicht mit '-' beginnen oder enden und kein '--' enthalten.")});
    } else if (*name != folderName) {
        findings.append(
            {Level::error,
             SkillManifest::tr("'name' ('%1') weicht vom Ordnernamen '%2' ab.").arg(*name, folderName)});
    }
    if (const auto& description = manifest->description; !description || description->isEmpty())
        findings.append({Level::error, SkillManifest::tr("'description' fehlt.")});
    else if (description->size() > 1024)
        findings.append({Level::error, SkillManifest::tr("'description' ist länger als 1024 Zeichen.")});
    if (manifest->compatibility && manifest->compatibility->size() > 500)
        findings.append({Level::warning, SkillManifest::tr("'compatibility' ist länger als 500 Zeichen.")});
    return findings;
}
