#include "Skill.h"

bool operator==(const Skill& a, const Skill& b)
{
    return a.url.toString() == b.url.toString() && a.name == b.name && a.contentSnippet == b.contentSnippet &&
           a.fileExtension == b.fileExtension && a.isDirectory == b.isDirectory;
}

size_t qHash(const Skill& skill, size_t seed)
{
    return qHashMulti(seed, skill.url.toString(), skill.name, skill.contentSnippet, skill.fileExtension,
                      skill.isDirectory);
}
