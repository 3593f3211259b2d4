#include "model/SkillManifest.h"

#include "base/EnumNames.h"

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

SkillFinding error(SkillFinding::Kind kind)
{
    return {SkillFinding::Level::error, kind};
}

// A scalar field as text; an error when it is there but not text.
Result<std::optional<QString>, SkillFinding> textField(const YAML::Node& document, const char* key)
{
    const YAML::Node node = document[key];
    if (!node || node.IsNull())
        return std::optional<QString>();
    if (!node.IsScalar())
        return SkillFinding{
            SkillFinding::Level::error, SkillFinding::Kind::fieldNotText, {QString::fromLatin1(key)}};
    return std::optional(QString::fromStdString(node.Scalar()).trimmed());
}

} // namespace

Result<SkillManifest, SkillFinding> SkillManifest::read(QByteArrayView skillFile)
{
    const auto frontmatter =
        frontmatterOf(skillFile.first(std::min<qsizetype>(skillFile.size(), maximumFrontmatterSize + 8)));
    if (!frontmatter) {
        if (skillFile.size() > maximumFrontmatterSize)
            return error(SkillFinding::Kind::frontmatterTooLong);
        return error(SkillFinding::Kind::noFrontmatter);
    }
    YAML::Node document;
    try {
        document = YAML::Load(frontmatter->toStdString());
    } catch (const YAML::DeepRecursion&) {
        return error(SkillFinding::Kind::frontmatterTooDeep);
    } catch (const YAML::Exception& failure) {
        return SkillFinding{SkillFinding::Level::error,
                            SkillFinding::Kind::frontmatterNotYaml,
                            {QString::number(failure.mark.line + 2)}};
    }
    if (!document.IsMap())
        return error(SkillFinding::Kind::frontmatterNotMapping);
    SkillManifest manifest;
    for (auto [field, key] :
         {std::pair{&manifest.name, "name"}, std::pair{&manifest.description, "description"},
          std::pair{&manifest.compatibility, "compatibility"}}) {
        auto value = textField(document, key);
        if (!value)
            return value.error();
        *field = value.value();
    }
    for (const auto& entry : document)
        if (entry.first.IsScalar())
            manifest.keys.append(QString::fromStdString(entry.first.Scalar()));
    return manifest;
}

QList<SkillFinding> SkillManifest::check(const std::optional<QByteArray>& skillFile,
                                         const QString& folderName)
{
    if (!skillFile)
        return {error(SkillFinding::Kind::noSkillFile)};
    return check(read(*skillFile), folderName);
}

QList<SkillFinding> SkillManifest::check(const Result<SkillManifest, SkillFinding>& manifest,
                                         const QString& folderName)
{
    using Level = SkillFinding::Level;
    using Kind = SkillFinding::Kind;
    if (!manifest)
        return {manifest.error()};

    QList<SkillFinding> findings;
    static const QRegularExpression allowed(u"^[a-z0-9-]+$"_s);
    if (const auto& name = manifest->name; !name || name->isEmpty()) {
        findings.append(error(Kind::nameMissing));
    } else if (name->size() > 64) {
        findings.append(error(Kind::nameTooLong));
    } else if (!allowed.match(*name).hasMatch()) {
        findings.append(error(Kind::nameCharacters));
    } else if (name->startsWith(u'-') || name->endsWith(u'-') || name->contains(u"--"_s)) {
        findings.append(error(Kind::nameHyphens));
    } else if (*name != folderName) {
        findings.append({Level::error, Kind::nameDiffersFromFolder, {*name, folderName}});
    }
    if (const auto& description = manifest->description; !description || description->isEmpty())
        findings.append(error(Kind::descriptionMissing));
    else if (description->size() > 1024)
        findings.append(error(Kind::descriptionTooLong));
    if (manifest->compatibility && manifest->compatibility->size() > 500)
        findings.append({Level::warning, Kind::compatibilityTooLong});
    return findings;
}

QString SkillFinding::kindName(Kind kind)
{
    static constexpr EnumName<Kind> names[] = {
        {Kind::noSkillFile, u"no-skill-file"},
        {Kind::noFrontmatter, u"no-frontmatter"},
        {Kind::frontmatterTooLong, u"frontmatter-too-long"},
        {Kind::frontmatterTooDeep, u"frontmatter-too-deep"},
        {Kind::frontmatterNotYaml, u"frontmatter-not-yaml"},
        {Kind::frontmatterNotMapping, u"frontmatter-not-mapping"},
        {Kind::fieldNotText, u"field-not-text"},
        {Kind::nameMissing, u"name-missing"},
        {Kind::nameTooLong, u"name-too-long"},
        {Kind::nameCharacters, u"name-characters"},
        {Kind::nameHyphens, u"name-hyphens"},
        {Kind::nameDiffersFromFolder, u"name-differs-from-folder"},
        {Kind::descriptionMissing, u"description-missing"},
        {Kind::descriptionTooLong, u"description-too-long"},
        {Kind::compatibilityTooLong, u"compatibility-too-long"},
    };
    return nameIn<Kind>(names, kind);
}
