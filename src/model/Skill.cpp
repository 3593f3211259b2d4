#include "model/Skill.h"

size_t qHash(const Skill& skill, size_t seed)
{
    return qHashMulti(seed, skill.path, skill.name, skill.contentSnippet, skill.fileExtension,
                      skill.isDirectory);
}
