#include "ui/Faces.h"

#include <string>

#include "app/Folders.h"

QString FacePath(const char* fileName) {
    std::string folder;
    if (!GetModuleFolder(folder)) return {};
    return QString::fromStdString(folder + fileName);
}
