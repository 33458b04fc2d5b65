#pragma once

#include <string>

// Where VEXA looks for its files.  The module folder is the folder of the running executable
// (always with a trailing "/"); the common data folder is the installation's shared data
// folder, and the model data folder "ZELT" inside it holds controller models that are not
// beside the executable.

inline constexpr const char* kModelDataFolderName = "ZELT";

// The module folder with a trailing "/"; false (and `folder` untouched) when the executable's
// path cannot be obtained.
bool GetModuleFolder(std::string& folder);

// Points the module folder at `folder` ("/" is appended when missing) for the rest of the run,
// as `vexa-cli --home DIR` and the tests need.  An empty text returns to the executable's folder.
void SetModuleFolder(const std::string& folder);

// The installation's shared data folder, without a trailing "/".
std::string GetCommonDataFolder();

// Replaces the shared data folder (tests, relocated installations); empty restores the default.
void SetCommonDataFolder(const std::string& folder);

// A relative name is taken in the module folder; an absolute one is returned as it is.
std::string ResolveInModuleFolder(const std::string& name);

// The first of module folder + name and common data folder/ZELT/name that exists, or "".  A name
// with a ".." step gives "".
std::string FindModelFile(const std::string& name);

// True when `path` names something that exists (no read test).
bool PathExists(const std::string& path);

// The user's folder for VEXA's state (its log when the module folder is not writable):
// $XDG_STATE_HOME/vexa, else ~/.local/state/vexa, created when missing.  False when neither
// variable names a folder or the folder cannot be created.
bool GetUserStateFolder(std::string& folder);
