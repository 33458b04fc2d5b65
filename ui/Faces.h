#pragma once

#include <QString>

// The path of a button face (a BMP file in the module folder).
QString FacePath(const char* fileName);
