#pragma once

#include <string>
#include <vector>

// The text without surrounding spaces, in lower case: how an operator's typing is compared.
std::string FoldedName(const std::string& text);

// The one of `names` a typing slip away from `typed` (case and surrounding spaces aside), the
// nearest when several are; empty when none is near enough to be a slip.
std::string NearestName(const std::string& typed, const std::vector<std::string>& names);
