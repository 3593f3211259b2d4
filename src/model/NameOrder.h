#pragma once

#include <QString>

// Plain, case-sensitive order of names by Unicode code point ("Zeta" before "alpha").
// QString's own operator< compares UTF-16 code units, which puts characters beyond the
// Basic Multilingual Plane before U+E000..U+FFFF.
bool precedesByCodePoint(const QString& a, const QString& b);
