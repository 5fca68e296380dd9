#include "tests/drivers/TestDriverEnvironment.h"

#include <dlfcn.h>

#include <cstdlib>
#include <string>

// Runs when the loader initialises this library, before any entry can be looked up: the record shows
// that code from this file ran in the process even if the library was unloaded again at once.

namespace {

bool RecordLoad()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&RecordLoad), &info) == 0 || info.dli_fname == nullptr)
        return false;
    std::string record;
    if (const char* earlier = std::getenv(LoadedFromVariable))
        record = std::string(earlier) + ':';
    record += info.dli_fname;
    return setenv(LoadedFromVariable, record.c_str(), 1) == 0;
}

const bool Recorded = RecordLoad();

} // namespace
