#include "ui/Faces.h"

#include "app/Folders.h"

QString FacePath(const char* fileName) {
    if (!*fileName) return {};
    return QString::fromStdString(ResolveInModuleFolder(fileName));
}
