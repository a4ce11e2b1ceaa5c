#pragma once
// The per-user class registry: an INI file that maps class identifiers to
// the libraries that serve them and programmatic identifiers to classes.
//
//   [CLSID\{...}]            Name, ProgID, InprocServer32 (absolute path),
//                            ThreadingModel, TypeLib, Version, Control,
//                            MiscStatus, ToolboxBitmap32
//   [ProgID\VatroOCX.Vatro]  CLSID
//   [TypeLib\{...}]          Version, Name, HelpString, LCID, Path, Flags
//   [Interface\{...}]        Name, TypeLib, Version

#include "vatro/ini.h"
#include "vatro/vatro_com.h"

#include <functional>
#include <string>

namespace vatro {

// $VATRO_REGISTRY when set, else $XDG_CONFIG_HOME/vatro/registry.ini, else
// $HOME/.config/vatro/registry.ini.
std::string registryPath();

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
