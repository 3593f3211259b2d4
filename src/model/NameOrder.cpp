#include "model/NameOrder.h"

#include <algorithm>

namespace {

// Moves surrogates above U+E000..U+FFFF so code units compare as code points do.
char32_t codePointOrderKey(char16_t unit)
{
    if (unit >= 0xE000)
        return unit - 0x800;
    if (unit >= 0xD800)
        return unit + 0x2000;
    return unit;
}

} // namespace

bool precedesByCodePoint(const QString& a, const QString& b)
{
    const auto [left, right] = std::mismatch(a.cbegin(), a.cend(), b.cbegin(), b.cend());
    if (right == b.cend())
        return false;
    if (left == a.cend())
        return true;
    return codePointOrderKey(left->unicode()) < codePointOrderKey(right->unicode());
}
