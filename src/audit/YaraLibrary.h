#pragma once

#include <QString>

#include <yara.h>

// libyara, loaded the first time a rule is compiled rather than when the program starts: most
// runs audit nothing (a placement of items found clean before needs no rules), and the library
// brings OpenSSL, libmagic and libjansson with it: a quarter of the time a command takes to start.
// Set up once and kept until the process ends: compiled rules live as long, in caches that are
// let go only after every other static.
class YaraLibrary
{
public:
    // The library, set up; nothing when it cannot be loaded or set up (see `failure()`).
    static const YaraLibrary* get();
    // Why `get()` gave nothing, in the loader's words.
    static QString failure();

    // The functions the audit calls, by their names in yara.h.
#define QUORVANE_YARA_FUNCTIONS(X)                                                                           \
    X(yr_initialize)                                                                                         \
    X(yr_compiler_create)                                                                                    \
    X(yr_compiler_destroy)                                                                                   \
    X(yr_compiler_set_callback)                                                                              \
    X(yr_compiler_add_string)                                                                                \
    X(yr_compiler_define_boolean_variable)                                                                   \
    X(yr_compiler_define_string_variable)                                                                    \
    X(yr_compiler_get_rules)                                                                                 \
    X(yr_rules_destroy)                                                                                      \
    X(yr_rule_disable)                                                                                       \
    X(yr_scanner_create)                                                                                     \
    X(yr_scanner_destroy)                                                                                    \
    X(yr_scanner_set_callback)                                                                               \
    X(yr_scanner_set_timeout)                                                                                \
    X(yr_scanner_define_boolean_variable)                                                                    \
    X(yr_scanner_define_string_variable)                                                                     \
    X(yr_scanner_scan_mem)
#define QUORVANE_YARA_DECLARE(name) decltype(&::name) name = nullptr;
    QUORVANE_YARA_FUNCTIONS(QUORVANE_YARA_DECLARE)
#undef QUORVANE_YARA_DECLARE

    YaraLibrary(const YaraLibrary&) = delete;
    YaraLibrary& operator=(const YaraLibrary&) = delete;

private:
    YaraLibrary() = default;
    struct Loaded;
    static const Loaded& loaded();
};
