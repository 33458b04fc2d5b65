#pragma once

#include <string>

// The program's version, compiled in, as "major.minor.patch.tweak".
std::string GetVersionNumber();
// The same as the About box shows it: "V major.minor.patch.tweak".
std::string GetVersionText();
