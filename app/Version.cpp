#include "app/Version.h"

#include <cstdio>

std::string GetVersionNumber() {
    char text[64];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", VEXA_VERSION_MAJOR, VEXA_VERSION_MINOR,
                  VEXA_VERSION_PATCH, VEXA_VERSION_TWEAK);
    return text;
}

std::string GetVersionText() { return "V " + GetVersionNumber(); }
