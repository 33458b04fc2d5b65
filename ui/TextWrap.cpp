#include "ui/TextWrap.h"

namespace {

void WrapParagraph(const std::string& para, int width,
                   const std::function<int(const std::string&)>& measure,
                   std::vector<std::string>& lines) {
    std::size_t start = 0;
    while (start < para.size()) {
        std::size_t end = start;     // end of the part that fits
        std::size_t afterBlank = 0;  // break position after the last blank, 0 if none
        while (end < para.size()) {
            std::size_t next = end + Utf8CharLength(para, end);
            if (next - start > Utf8CharLength(para, start) &&
                measure(para.substr(start, next - start)) > width) {
                break;
            }
            if (para[end] == ' ' && end > start) afterBlank = next;
            end = next;
        }
        if (end < para.size() && afterBlank > start) end = afterBlank;
        std::string line = para.substr(start, end - start);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        lines.push_back(line);
        start = end;
        while (start < para.size() && para[start] == ' ') ++start;
    }
}

}  // namespace

std::size_t Utf8CharLength(const std::string& text, std::size_t pos) {
    unsigned char lead = static_cast<unsigned char>(text[pos]);
    std::size_t want = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t n = 1;
    while (n < want && pos + n < text.size() &&
           (static_cast<unsigned char>(text[pos + n]) & 0xC0) == 0x80) {
        ++n;
    }
    return n;
}

std::vector<std::string> WrapText(const std::string& text, int width,
                                  const std::function<int(const std::string&)>& measure) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (true) {
        std::size_t nl = text.find('\n', begin);
        std::string para = text.substr(begin, nl == std::string::npos ? nl : nl - begin);
        if (!para.empty() && para.back() == '\r') para.pop_back();
        if (para.empty()) {
            lines.push_back({});
        } else {
            WrapParagraph(para, width, measure, lines);
        }
        if (nl == std::string::npos) break;
        begin = nl + 1;
    }
    return lines;
}
