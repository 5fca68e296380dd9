#pragma once

#include <cstdint>

// The calling convention of the board-driver library's entry points.
#ifdef _WIN32
#define HALVEX_CALL __stdcall
#else
#define HALVEX_CALL
#endif

// Run-time binding of the maker's board-driver library "Halvex.dll". The library may be missing on a
// machine where no board driver was installed, so the program never links to it: LoadDriverLibrary
// loads it on request and resolves its entry points by name into the references below. Each reference
// stays empty until its entry was found; check it before calling through it. Only the GUI thread uses
// the binding. The program calls only GetNumCards; the others are resolved so that DriverLoaded tells
// whether the installed library is complete.
namespace Halvex {

// Card enumeration and interrupts. Card indexes run from 0 to GetNumCards() - 1; results of type
// int32_t are status codes, 0 meaning success.
inline int32_t(HALVEX_CALL* GetNumCards)() = nullptr;
inline int32_t(HALVEX_CALL* QueryCardInfo)(int32_t cardIndex, uint32_t* deviceId, uint32_t* revision) = nullptr;
inline int32_t(HALVEX_CALL* QueryBARBase)(int32_t cardIndex, int32_t barIndex, uint32_t* base) = nullptr;
inline int32_t(HALVEX_CALL* WaitForIRQ)(int32_t cardIndex, uint32_t timeoutMs) = nullptr;
inline int32_t(HALVEX_CALL* COSWaitForIRQ)(int32_t cardIndex, uint32_t timeoutMs, uint32_t* changedBits) = nullptr;
inline int32_t(HALVEX_CALL* WDGHandleIRQ)(int32_t cardIndex) = nullptr;
inline void(HALVEX_CALL* AbortRequest)(int32_t cardIndex) = nullptr;
inline void(HALVEX_CALL* CloseCard)(int32_t cardIndex) = nullptr;

// Watchdog.
inline int32_t(HALVEX_CALL* WDGInit)(int32_t cardIndex) = nullptr;
inline int32_t(HALVEX_CALL* WDGSetTimeout)(int32_t cardIndex, uint32_t milliseconds) = nullptr;
inline int32_t(HALVEX_CALL* WDGSetResetDuration)(int32_t cardIndex, uint32_t milliseconds) = nullptr;
inline int32_t(HALVEX_CALL* WDGPet)(int32_t cardIndex) = nullptr;
inline int32_t(HALVEX_CALL* WDGReadTemp)(int32_t cardIndex, double* celsius) = nullptr;
inline int32_t(HALVEX_CALL* WDGReadStatus)(int32_t cardIndex, uint32_t* status) = nullptr;
inline int32_t(HALVEX_CALL* WDGStart)(int32_t cardIndex) = nullptr;
inline int32_t(HALVEX_CALL* WDGStop)(int32_t cardIndex) = nullptr;
inline int32_t(HALVEX_CALL* EmergencyReboot)(int32_t cardIndex) = nullptr;

// Port input and output at absolute port addresses: bytes, words, signed and unsigned double words.
inline uint8_t(HALVEX_CALL* InPortB)(uint32_t port) = nullptr;
inline void(HALVEX_CALL* OutPortB)(uint32_t port, uint8_t value) = nullptr;
inline uint16_t(HALVEX_CALL* InPort)(uint32_t port) = nullptr;
inline void(HALVEX_CALL* OutPort)(uint32_t port, uint16_t value) = nullptr;
inline int32_t(HALVEX_CALL* InPortL)(uint32_t port) = nullptr;
inline void(HALVEX_CALL* OutPortL)(uint32_t port, int32_t value) = nullptr;
inline uint32_t(HALVEX_CALL* InPortDWord)(uint32_t port) = nullptr;
inline void(HALVEX_CALL* OutPortDWord)(uint32_t port, uint32_t value) = nullptr;

// The same at an offset from a card's base address.
inline uint8_t(HALVEX_CALL* RelInPortB)(int32_t cardIndex, uint32_t offset) = nullptr;
inline void(HALVEX_CALL* RelOutPortB)(int32_t cardIndex, uint32_t offset, uint8_t value) = nullptr;
inline uint16_t(HALVEX_CALL* RelInPort)(int32_t cardIndex, uint32_t offset) = nullptr;
inline void(HALVEX_CALL* RelOutPort)(int32_t cardIndex, uint32_t offset, uint16_t value) = nullptr;
inline int32_t(HALVEX_CALL* RelInPortL)(int32_t cardIndex, uint32_t offset) = nullptr;
inline void(HALVEX_CALL* RelOutPortL)(int32_t cardIndex, uint32_t offset, int32_t value) = nullptr;
inline uint32_t(HALVEX_CALL* RelInPortDWord)(int32_t cardIndex, uint32_t offset) = nullptr;
inline void(HALVEX_CALL* RelOutPortDWord)(int32_t cardIndex, uint32_t offset, uint32_t value) = nullptr;

// True once a load found all the entries above.
inline bool DriverLoaded = false;

// Loads the library and resolves every entry, unless an earlier load already found them all. When the
// library is missing or can't be loaded, nothing changes and nothing is reported. An entry the library
// doesn't export leaves its reference empty and DriverLoaded False; a later call then loads and looks up
// again. The library is never unloaded.
void LoadDriverLibrary();

} // namespace Halvex
