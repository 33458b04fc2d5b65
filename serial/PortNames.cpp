#include "serial/PortNames.h"

#include <cstddef>

namespace {

constexpr std::size_t kMaxDescriptionPart = 120;

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Keeps printable bytes (and bytes of multibyte characters), trims blanks, bounds the size
// without cutting a UTF-8 sequence in two.
std::string Clean(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c != 0x7F) out.push_back(static_cast<char>(c));
    }
    std::size_t begin = out.find_first_not_of(' ');
    if (begin == std::string::npos) return {};
    std::size_t end = out.find_last_not_of(' ');
    out = out.substr(begin, end - begin + 1);
    if (out.size() > kMaxDescriptionPart) {
        std::size_t cut = kMaxDescriptionPart;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) --cut;
        out.resize(cut);
    }
    return out;
}

std::string BaseName(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool NaturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        unsigned char ca = a[i], cb = b[j];
        if (IsDigit(ca) && IsDigit(cb)) {
            std::size_t ia = i, jb = j;
            while (ia < a.size() && a[ia] == '0') ++ia;
            while (jb < b.size() && b[jb] == '0') ++jb;
            std::size_t ea = ia, eb = jb;
            while (ea < a.size() && IsDigit(a[ea])) ++ea;
            while (eb < b.size() && IsDigit(b[eb])) ++eb;
            // Without leading zeros, the longer run is the larger number.
            if (ea - ia != eb - jb) return ea - ia < eb - jb;
            int order = a.compare(ia, ea - ia, b, jb, eb - jb);
            if (order != 0) return order < 0;
            // Equal values: fewer leading zeros first, so that the order stays strict.
            if (ia - i != jb - j) return ia - i < jb - j;
            i = ea;
            j = eb;
            continue;
        }
        if (ca != cb) return ca < cb;
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

int TrailingPortNumber(const std::string& name) {
    std::size_t begin = name.size();
    while (begin > 0 && IsDigit(name[begin - 1])) --begin;
    if (begin == name.size()) return -1;
    long long value = 0;
    for (std::size_t k = begin; k < name.size(); ++k) {
        value = value * 10 + (name[k] - '0');
        if (value > 0x7FFFFFFF) return -1;
    }
    return static_cast<int>(value);
}

std::string DescribePort(const std::string& name, const std::string& product,
                         const std::string& manufacturer, const std::string& systemDescription) {
    std::string cleanProduct = Clean(product);
    if (!cleanProduct.empty()) {
        std::string maker = Clean(manufacturer);
        if (maker.empty() || cleanProduct.find(maker) != std::string::npos) return cleanProduct;
        return cleanProduct + " - " + maker;
    }
    std::string described = Clean(systemDescription);
    if (described == BaseName(name)) return {};
    return described;
}
