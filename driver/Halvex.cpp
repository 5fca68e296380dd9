#include "driver/Halvex.h"

#include "platform/DynamicLibrary.h"

#include <type_traits>

namespace Halvex {

namespace {

constexpr char LibraryName[] = "Halvex.dll";

// One entry point of the library: its exported name and how to store its address in the reference
// of the same name.
struct TEntry {
    const char* Name = nullptr;
    void (*Store)(void* address) = nullptr;
};

template <auto& Reference>
void StoreAddress(void* address)
{
    Reference = reinterpret_cast<std::remove_reference_t<decltype(Reference)>>(address);
}

// The name is spelt once, so a reference can only ever receive the entry of its own name.
#define HALVEX_ENTRY(name) TEntry{#name, &StoreAddress<name>}

// Every entry point, in the order the look-ups run.
constexpr TEntry Entries[] = {
    HALVEX_ENTRY(GetNumCards),
    HALVEX_ENTRY(QueryCardInfo),
    HALVEX_ENTRY(QueryBARBase),
    HALVEX_ENTRY(WaitForIRQ),
    HALVEX_ENTRY(COSWaitForIRQ),
    HALVEX_ENTRY(WDGHandleIRQ),
    HALVEX_ENTRY(AbortRequest),
    HALVEX_ENTRY(CloseCard),
    HALVEX_ENTRY(WDGInit),
    HALVEX_ENTRY(WDGSetTimeout),
    HALVEX_ENTRY(WDGSetResetDuration),
    HALVEX_ENTRY(WDGPet),
    HALVEX_ENTRY(WDGReadTemp),
    HALVEX_ENTRY(WDGReadStatus),
    HALVEX_ENTRY(WDGStart),
    HALVEX_ENTRY(WDGStop),
    HALVEX_ENTRY(EmergencyReboot),
    HALVEX_ENTRY(InPortB),
    HALVEX_ENTRY(OutPortB),
    HALVEX_ENTRY(InPort),
    HALVEX_ENTRY(OutPort),
    HALVEX_ENTRY(InPortL),
    HALVEX_ENTRY(OutPortL),
    HALVEX_ENTRY(InPortDWord),
    HALVEX_ENTRY(OutPortDWord),
    HALVEX_ENTRY(RelInPortB),
    HALVEX_ENTRY(RelOutPortB),
    HALVEX_ENTRY(RelInPort),
    HALVEX_ENTRY(RelOutPort),
    HALVEX_ENTRY(RelInPortL),
    HALVEX_ENTRY(RelOutPortL),
    HALVEX_ENTRY(RelInPortDWord),
    HALVEX_ENTRY(RelOutPortDWord),
};

#undef HALVEX_ENTRY

} // namespace

void LoadDriverLibrary()
{
    if (DriverLoaded)
        return;
    // The handle is dropped on purpose: the library stays loaded until the process ends.
    TLibraryHandle library = SafeLoadLibrary(LibraryName);
    if (library == nullptr)
        return;
    bool allFound = true;
    for (const TEntry& entry : Entries) {
        void* address = GetProcAddress(library, entry.Name);
        entry.Store(address);
        allFound = allFound && address != nullptr;
    }
    DriverLoaded = allFound;
}

} // namespace Halvex
