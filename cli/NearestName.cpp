#include "cli/NearestName.h"

#include <algorithm>
#include <cctype>

namespace {

size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string FoldedName(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t");
    std::string folded = first == std::string::npos ? "" : text.substr(first, last - first + 1);
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

std::string NearestName(const std::string& typed, const std::vector<std::string>& names) {
    const std::string folded = FoldedName(typed);
    std::string nearest;
    size_t best = std::max<size_t>(2, folded.size() / 3) + 1;  // farther is no typing slip
    for (const std::string& name : names) {
        if (const size_t distance = EditDistance(folded, FoldedName(name)); distance < best) {
            best = distance;
            nearest = name;
        }
    }
    return nearest;
}
