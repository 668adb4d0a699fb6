// The registries that come with an installation, read after the user's own, as the platform
// merged the machine's classes with the user's: an installed control is found without anyone
// registering it. Never written.
#pragma once

#include "com/registry.h"

#include <filesystem>
#include <string>
#include <vector>

// "share/korvane/com-registry" of the installation this runtime library was loaded from, then
// of the one the running program belongs to (one or three folders above it), then
// "korvane/com-registry" along XDG_DATA_DIRS; only files that exist. None while
// KORVANE_COM_REGISTRY names a private registry, which stands alone.
std::vector<std::string> systemRegistryFiles();

// The registry of the installation whose library folder holds libraryFile, dataFromLibrary
// being the data folder as seen from there ("../../../share"); empty for a relative file.
std::filesystem::path installationRegistry(const std::filesystem::path &libraryFile,
                                           const std::filesystem::path &dataFromLibrary);

// The file this runtime library was loaded from, as the dynamic linker names it, or empty.
std::filesystem::path loadedLibraryFile();

// Adds to user every key of system that user lacks, with its values; user's keys win, but for
// a key naming a module file ("CLSID\{...}\InprocServer32", a type library's
// "TypeLib\{...}\1.0\0\linux") that no longer exists, where system's values are used (and a
// KORVANE_TRACE=com line says so, once per key).
void mergeSystemKeys(const RegistryTree &system, RegistryTree &user);
