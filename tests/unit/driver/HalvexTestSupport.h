#pragma once

#include "driver/Halvex.h"
#include "tests/drivers/HalvexEntries.h"
#include "tests/drivers/TestDriverEnvironment.h"

#include <dlfcn.h>

#include <cstdlib>
#include <string>
#include <vector>

// One of the binding's references as it stands: the entry's name and the address it holds.
struct TReference {
    std::string Name;
    void* Address = nullptr;
    bool operator==(const TReference&) const = default;
};

inline std::vector<TReference> CurrentReferences()
{
#define HALVEX_TEST_REFERENCE(name) TReference{#name, reinterpret_cast<void*>(Halvex::name)},
    return {HALVEX_FOR_EACH_ENTRY(HALVEX_TEST_REFERENCE)};
#undef HALVEX_TEST_REFERENCE
}

// The exported name the loader knows for an address, or "" when the address lies in no library.
inline std::string ExportedNameAt(void* address)
{
    Dl_info info{};
    if (address == nullptr || dladdr(address, &info) == 0 || info.dli_sname == nullptr)
        return {};
    return info.dli_sname;
}

// The file of the library an address lies in, as the loader mapped it.
inline std::string LibraryFileAt(void* address)
{
    Dl_info info{};
    if (address == nullptr || dladdr(address, &info) == 0 || info.dli_fname == nullptr)
        return {};
    return info.dli_fname;
}

// The files of every stand-in library whose code ran in this process, separated by ':'.
inline std::string StandInsThatRan()
{
    const char* record = std::getenv(LoadedFromVariable);
    return record != nullptr ? record : "";
}
