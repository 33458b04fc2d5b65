#pragma once

#include <string>

// The program's version, compiled in, as "V major.minor.patch.tweak".
std::string GetVersionText();
