#pragma once

#include <string>

// Looks `key` (the text the model's "Connect" routine returned) up in a model index file
// ("%s.tbl"): lines "key,table file,display name", double quotes ignored, searched from the top
// up to an "ENDOFTABLE" line (any letter case, at least two fields). On a match `tablePath` is
// the table file found with FindModelFile (empty when it is found nowhere) and `modelName` the
// display name. False when nothing matches or the file cannot be read.
bool LookupModelIndex(const std::string& indexPath, const std::string& key, std::string& tablePath,
                      std::string& modelName);

// The model files are chosen by the first four characters of a text a controller or a file
// gives; a prefix that could step out of the model folders is refused.
bool IsSafeModelPrefix(const std::string& prefix);

// The parameter table of the model a parameter file names (an index entry's display name),
// looked up in the index of the name's first four characters; empty when no index names the
// model or its table is found nowhere.
std::string FindTableOfModel(const std::string& modelName);
