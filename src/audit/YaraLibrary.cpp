#include "audit/YaraLibrary.h"

#include <bit>
#include <memory>

#include <dlfcn.h>

struct YaraLibrary::Loaded
{
    const YaraLibrary* library = nullptr;
    QString failure;
};

const YaraLibrary* YaraLibrary::get()
{
    return loaded().library;
}

QString YaraLibrary::failure()
{
    return loaded().failure;
}

const YaraLibrary::Loaded& YaraLibrary::loaded()
{
    static const Loaded once = []() -> Loaded {
        // The library the program was built against, by its shared-object name.
        void* handle = ::dlopen(QUORVANE_YARA_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return {nullptr, QString::fromLocal8Bit(::dlerror())};
        std::unique_ptr<YaraLibrary> library(new YaraLibrary);
#define QUORVANE_YARA_RESOLVE(name)                                                                          \
    library->name = std::bit_cast<decltype(&::name)>(::dlsym(handle, #name));                                \
    if (!library->name)                                                                                      \
        return {nullptr, QStringLiteral(QUORVANE_YARA_LIBRARY ": ") + QString::fromLocal8Bit(::dlerror())};
        QUORVANE_YARA_FUNCTIONS(QUORVANE_YARA_RESOLVE)
#undef QUORVANE_YARA_RESOLVE
        if (library->yr_initialize() != ERROR_SUCCESS)
            return {nullptr, QStringLiteral(QUORVANE_YARA_LIBRARY ": yr_initialize failed")};
        return {library.release(), {}}; // kept for the process, as its handle is
    }();
    return once;
}
