#pragma once

#include "tests/drivers/HalvexEntries.h"
#include "tests/drivers/TestDriverEnvironment.h"

#include <type_traits>

#ifdef _WIN32
#define HALVEX_TEST_EXPORT __declspec(dllexport)
#else
#define HALVEX_TEST_EXPORT __attribute__((visibility("default")))
#endif

// Each export is declared with the type of the binding's reference, so a definition whose argument
// list or result differs from the binding's does not compile.
#define HALVEX_TEST_DECLARE_EXPORT(name) HALVEX_TEST_EXPORT std::remove_pointer_t<decltype(Halvex::name)> name;

extern "C" {
HALVEX_FOR_EACH_ENTRY(HALVEX_TEST_DECLARE_EXPORT)
}

#undef HALVEX_TEST_DECLARE_EXPORT
