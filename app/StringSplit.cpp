#include "app/StringSplit.h"

void SplitString(const std::string& text, char delimiter, std::vector<std::string>& pieces) {
    pieces.clear();
    size_t start = 0;
    for (size_t pos = text.find(delimiter); pos != std::string::npos;
         pos = text.find(delimiter, start)) {
        pieces.push_back(text.substr(start, pos - start));
        start = pos + 1;
    }
    if (start < text.size()) pieces.push_back(text.substr(start));
}
