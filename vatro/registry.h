#pragma once
// The class registries: INI files that map class identifiers to the
// libraries that serve them and programmatic identifiers to classes. The
// user's own registry is the one registration writes; hosts search it first,
// then the machine's, then any the host ships with itself.
//
//   [CLSID\{...}]            Name, ProgID, InprocServer32 (a path; one not
//                            starting with "/" is relative to the folder of
//                            the registry file that names it),
//                            ThreadingModel, TypeLib, Version, Control,
//                            MiscStatus, ToolboxBitmap32
//   [ProgID\VatroOCX.Vatro]  CLSID
//   [TypeLib\{...}]          Version, Name, HelpString, LCID, Path, Flags
//   [Interface\{...}]        Name, TypeLib, Version

#include "vatro/ini.h"
#include "vatro/vatro_com.h"

#include <functional>
#include <string>
#include <vector>

namespace vatro {

// The user's registry: $VATRO_REGISTRY when set, else
// $XDG_CONFIG_HOME/vatro/registry.ini, else $HOME/.config/vatro/registry.ini.
std::string registryPath();

// The registries a host searches, in order; the first that names a class
// (or programmatic identifier) decides, as the user's keys hide the
// machine's on Windows. $VATRO_REGISTRY, when set, is the only one (a
// private world for tests and experiments). Otherwise: the user's registry,
// then vatro/registry.ini in each absolute folder of $XDG_CONFIG_DIRS
// (default /etc/xdg), then the host registries in the order added.
std::vector<std::string> registrySearchPath();

// Adds a registry searched after the user's and the machine's: a program
// names the one installed beside it, so that a copy unpacked anywhere finds
// its components.
void addHostRegistry(const std::string &path);

// A registered library path as a file: one not starting with "/" is taken
// relative to the folder of `registry` (never looked up on the library path).
std::string libraryFile(const std::string &registry, const std::string &value);

// Creates the folders above `path` that do not exist yet.
bool makeParentFolders(const std::string &path);

// Changes the registry: reads it, lets `change` edit its text (a registry
// not made yet is empty; `change` returns false to leave it alone) and
// writes it back, all under an exclusive lock (flock on "<file>.lock"
// beside the file), so that concurrent registrations lose nothing. A
// registry that is a symbolic link is changed at its target. `create`
// makes a missing registry and its folders. False when the registry could
// not be read, locked or written.
bool updateRegistry(bool create, const std::function<bool(IniText &)> &change);

std::string clsidSection(const CLSID &clsid);
std::string progIdSection(const std::string &progId);
std::string typeLibSection(const GUID &libid);
std::string interfaceSection(const IID &iid);

} // namespace vatro
