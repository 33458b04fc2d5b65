#pragma once

#include <QString>

// The path of a button face (a BMP file in the module folder); empty for an empty name,
// which means "no face".
QString FacePath(const char* fileName);
