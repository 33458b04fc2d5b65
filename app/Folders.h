#pragma once

#include <string>

// Where VEXA looks for its files (the rule itself: app/FolderRule.h).  The module folder stands
// for the program folder and holds what VEXA ships: the folder named with --home, else the
// executable's folder when it holds "VEXA.cap", else the installation's shared data folder.  The
// site folder holds the site's own files: the module folder in the first two cases, else the
// user's configuration folder.  The model data folder "ZELT" inside the shared data folder holds
// further controller models.  Every folder is given with a trailing "/".

inline constexpr const char* kModelDataFolderName = "ZELT";

// The module folder; false (and `folder` untouched) when it cannot be known.
bool GetModuleFolder(std::string& folder);

// Makes `folder` ("/" is appended when missing) the program folder for every file for the rest
// of the run, as `vexa-cli --home DIR` and the tests need.  An empty text restores the rule.
void SetModuleFolder(const std::string& folder);

// The site folder; false (and `folder` untouched) when it cannot be known.
bool GetSiteFolder(std::string& folder);

// The folder of the communication log; false for an installed program, whose log belongs in the
// user's state folder (GetUserStateFolder).
bool GetLogFolder(std::string& folder);

// The installation's shared data folder, without a trailing "/": share/vexa beside the
// executable's bin/ folder; empty when the executable's path cannot be obtained.
std::string GetCommonDataFolder();

// Replaces the shared data folder (tests); empty restores the default.
void SetCommonDataFolder(const std::string& folder);

// A relative name is taken in the module folder (shipped files) or in the site folder (the site's
// own files); an absolute one is returned as it is.
std::string ResolveInModuleFolder(const std::string& name);
std::string ResolveInSiteFolder(const std::string& name);

// The first folder of the search order that holds `name`, with the name, or "".  The order is
// the site's models, the shipped ones, then the model data folder.  A name with a ".." step
// gives "".
std::string FindModelFile(const std::string& name);

// True when `path` names something that exists (no read test).
bool PathExists(const std::string& path);

// The user's folder for VEXA's state (the log of an installed program, or of one whose log
// folder is not writable): $XDG_STATE_HOME/vexa, else ~/.local/state/vexa, created when
// missing.  False when neither variable names a folder or the folder cannot be created.
bool GetUserStateFolder(std::string& folder);
