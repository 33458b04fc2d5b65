#pragma once

#include <string>

// Looks `key` (the text the model's "Connect" routine returned) up in a model index file
// ("%s.tbl"): lines "key,table file,display name", double quotes ignored, searched from the top
// up to an "ENDOFTABLE" line (any letter case, at least two fields). On a match `tablePath` is
// the table file found with FindModelFile (empty when it is found nowhere) and `modelName` the
// display name. False when nothing matches or the file cannot be read.
bool LookupModelIndex(const std::string& indexPath, const std::string& key, std::string& tablePath,
                      std::string& modelName);
