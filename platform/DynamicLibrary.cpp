#include "platform/DynamicLibrary.h"

#include <cstring>

#ifdef _WIN32

#include <windows.h>

namespace {

bool HasPathSeparator(const char* fileName)
{
    return std::strpbrk(fileName, "\\/") != nullptr;
}

// The safe search flags arrived together with AddDllDirectory; its presence is the way to tell.
bool SafeSearchSupported()
{
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel != nullptr && ::GetProcAddress(kernel, "AddDllDirectory") != nullptr;
}

HMODULE LoadOutsideCurrentDirectory(const char* fileName)
{
    if (HasPathSeparator(fileName))
        return LoadLibraryExA(fileName, nullptr, 0);
    if (SafeSearchSupported())
        return LoadLibraryExA(fileName, nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    // An empty library directory removes the current directory from the standard search order of the
    // whole process; the program never wants a library from there.
    SetDllDirectoryA("");
    return LoadLibraryExA(fileName, nullptr, 0);
}

} // namespace

TLibraryHandle SafeLoadLibrary(const char* fileName) noexcept
{
    if (fileName == nullptr || *fileName == '\0')
        return nullptr;
    // A missing or damaged file must not raise the system's error box: the caller learns of it from
    // the empty handle alone.
    DWORD previousMode = 0;
    const BOOL modeSet = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
    HMODULE module = LoadOutsideCurrentDirectory(fileName);
    if (modeSet)
        SetThreadErrorMode(previousMode, nullptr);
    return module;
}

void* GetProcAddress(TLibraryHandle library, const char* procName) noexcept
{
    if (library == nullptr || procName == nullptr)
        return nullptr;
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), procName));
}

#else

#include <dlfcn.h>
#include <link.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int LoadMode = RTLD_NOW | RTLD_LOCAL;

bool HasPathSeparator(const char* fileName)
{
    return std::strchr(fileName, '/') != nullptr;
}

bool IsRelative(const std::string& directory)
{
    return directory.empty() || directory.front() != '/';
}

struct TFreeDeleter {
    void operator()(void* memory) const { std::free(memory); }
};

// The directories the loader searches for a name without a path on behalf of the program, in its
// order (run paths, LD_LIBRARY_PATH, system directories), as the loader itself reports them.
std::vector<std::string> LoaderSearchDirectories()
{
    std::vector<std::string> directories;
    void* program = dlopen(nullptr, RTLD_NOW);
    if (program == nullptr)
        return directories;
    Dl_serinfo size{};
    if (dlinfo(program, RTLD_DI_SERINFOSIZE, &size) == 0) {
        std::unique_ptr<Dl_serinfo, TFreeDeleter> info(static_cast<Dl_serinfo*>(std::malloc(size.dls_size)));
        if (info != nullptr) {
            info->dls_size = size.dls_size;
            info->dls_cnt = size.dls_cnt;
            if (dlinfo(program, RTLD_DI_SERINFO, info.get()) == 0) {
                for (unsigned int i = 0; i < info->dls_cnt; ++i)
                    directories.emplace_back(info->dls_serpath[i].dls_name);
            }
        }
    }
    dlclose(program);
    return directories;
}

// Loads the first file of that name in the loader's search directories that names no directory
// relative to the current one.
TLibraryHandle LoadFromAbsoluteDirectories(const char* fileName, const std::vector<std::string>& directories)
{
    for (const std::string& directory : directories) {
        if (IsRelative(directory))
            continue;
        const std::string path = directory + '/' + fileName;
        if (TLibraryHandle library = dlopen(path.c_str(), LoadMode))
            return library;
    }
    return nullptr;
}

} // namespace

TLibraryHandle SafeLoadLibrary(const char* fileName) noexcept
{
    // An empty name would hand back the program itself.
    if (fileName == nullptr || *fileName == '\0')
        return nullptr;
    if (HasPathSeparator(fileName))
        return dlopen(fileName, LoadMode);
    try {
        const std::vector<std::string> directories = LoaderSearchDirectories();
        for (const std::string& directory : directories) {
            if (IsRelative(directory))
                return LoadFromAbsoluteDirectories(fileName, directories);
        }
        return dlopen(fileName, LoadMode);
    } catch (...) {
        // Only running out of memory gets here; the library then counts as not loadable.
        return nullptr;
    }
}

void* GetProcAddress(TLibraryHandle library, const char* procName) noexcept
{
    // A null handle would make the loader search every loaded object.
    if (library == nullptr || procName == nullptr)
        return nullptr;
    return dlsym(library, procName);
}

#endif
