#pragma once

#include <string>

// A parameter file's model against a parameter table: names and values would be read by
// parameter number as another model's parameters.

// Warns when `tablePath` is not the table the model index gives the set's model; says nothing
// when no index names the model.
void WarnOfOtherModelsTable(const std::string& setPath, const std::string& modelName,
                            const std::string& tablePath);
// Warns when two sets were made for different models.
void WarnOfOtherModels(const std::string& pathA, const std::string& modelA,
                       const std::string& pathB, const std::string& modelB);
