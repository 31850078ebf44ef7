#include "velsor/binding.h"

#include <dlfcn.h>

#include <cstdlib>
#include <map>
#include <string>

namespace tavrik::velsor {

namespace {

struct Library {
    void *handle = nullptr;
    std::map<int, void *> symbols;
};

Library &library()
{
    static Library lib;
    return lib;
}

}  // namespace

void *symbol(int ordinal)
{
    Library &lib = library();
    if (!lib.handle) {
        const char *path = std::getenv("TAVRIK_VELSOR");
        lib.handle = dlopen(path && *path ? path : "libVelsor.so", RTLD_NOW | RTLD_LOCAL);
        if (!lib.handle) return nullptr;
    }
    const auto found = lib.symbols.find(ordinal);
    if (found != lib.symbols.end()) return found->second;
    void *address = dlsym(lib.handle, ("Velsor_" + std::to_string(ordinal)).c_str());
    lib.symbols.emplace(ordinal, address);
    return address;
}

void unload()
{
    Library &lib = library();
    if (lib.handle) dlclose(lib.handle);
    lib.handle = nullptr;
    lib.symbols.clear();
}

}  // namespace tavrik::velsor
