#pragma once

#include <string>
#include <vector>

// Which folders stand for the program folder.  A folder named with `--home`, or an executable's
// folder that holds "VEXA.cap" (the build tree, a portable copy), holds every file, shipped and
// the site's own.  An installed program takes what VEXA ships from the installation's data
// folder, the site's own files ("Maintain01.txt", "Skyloom.set", models a site adds) from the
// user's configuration folder, and keeps its log in the user's state folder.

// What the rule looks at; every folder with a trailing "/" or empty when unknown.
struct SFolderFacts {
    std::string homeFolder;        // named with --home
    std::string executableFolder;  // the running executable's folder
    bool executableFolderHoldsConfig = false;
    std::string dataFolder;  // the installation's shared data folder
    std::string configHome;  // $XDG_CONFIG_HOME
    std::string userHome;    // $HOME
};

// Every folder with a trailing "/"; empty when it cannot be known.
struct SFolders {
    std::string shipped;              // "VEXA.cap", the button faces, the shipped models
    std::string site;                 // "Maintain01.txt", "Skyloom.set"
    std::string log;                  // empty: the user's state folder
    std::vector<std::string> models;  // searched for model files in this order
};

inline constexpr const char* kUserConfigFolderName = "VEXA";

SFolders ChooseFolders(const SFolderFacts& facts);

// The user's configuration folder of VEXA: $XDG_CONFIG_HOME/VEXA/, else $HOME/.config/VEXA/;
// relative variables are ignored, as the XDG rules ask.  Empty when neither names a folder.
std::string UserConfigFolder(const std::string& configHome, const std::string& userHome);
