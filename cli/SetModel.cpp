#include "cli/SetModel.h"

#include <filesystem>

#include "cli/CliOutput.h"
#include "params/ModelIndex.h"

void WarnOfOtherModelsTable(const std::string& setPath, const std::string& modelName,
                            const std::string& tablePath) {
    const std::string own = FindTableOfModel(modelName);
    std::error_code error;
    if (own.empty() || std::filesystem::equivalent(own, tablePath, error)) return;
    PrintWarning(setPath + " was made for model \"" + modelName + "\", whose table is " + own +
                 ", not " + tablePath + ": its values are read by parameter number");
}

void WarnOfOtherModels(const std::string& pathA, const std::string& modelA,
                       const std::string& pathB, const std::string& modelB) {
    if (modelA == modelB) return;
    PrintWarning(pathA + " and " + pathB + " were made for different models (\"" + modelA +
                 "\" and \"" + modelB + "\"): their records are compared by parameter number");
}
