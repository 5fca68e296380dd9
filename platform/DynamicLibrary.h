#pragma once

// Loading a library at run time and looking up its entry points: the only place in the program that
// asks the operating system's loader for a library.
//
// Safe loading. A library named without a path (such as the board-driver library "Halvex.dll") is found
// through the platform's search order, but never in the current working directory: whoever can put a
// file into the directory the program was started from must not get code run inside the program.
//
// - Windows searches the current directory in its standard order, so the load asks for the safe default
//   directories (the program's own directory and the system directories) instead. Where the system
//   lacks that search mode, the current directory is taken out of the process's search order first.
// - The Linux loader never looks in the current directory by itself, but it does through every relative
//   or empty entry of LD_LIBRARY_PATH (and of a relative run path). A check after loading would come too
//   late: loading a library runs its initialisers. So when the loader's own list of search directories
//   holds a relative entry, the binding walks that list itself, in the loader's order, skipping the
//   relative entries and loading the first file it finds by its full path. Otherwise the loader searches
//   as usual. The list comes from the loader rather than from the environment, because the loader read
//   the environment once at start-up and ignores it for privileged programs. The walk does not consult
//   the loader's cache, which holds only libraries whose names follow the "lib" naming convention.
//
// A name that contains a path loads exactly that path, as the platform does.

using TLibraryHandle = void*;

// Loads the library, or returns nullptr when it is missing or can't be loaded. Reports nothing, shows
// no system error box and never throws. The library stays loaded until the process ends.
TLibraryHandle SafeLoadLibrary(const char* fileName) noexcept;

// The address of the entry point the library exports under exactly this name, or nullptr when it
// doesn't export it (or when the library is nullptr).
void* GetProcAddress(TLibraryHandle library, const char* procName) noexcept;
