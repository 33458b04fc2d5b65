#pragma once

#include <cstddef>
#include <string>

// Data files are untrusted: none is read beyond this many bytes, so a hostile file cannot
// exhaust memory.  Real profile, script and table files are far smaller.
inline constexpr size_t kMaxTextFileBytes = 16u * 1024u * 1024u;

// Opens `path` for reading only when it is a regular file, and looks before it opens: open() of
// a FIFO blocks until a writer comes, and a device may act on being opened or never end.  The
// descriptor, or -1 with errno set: EINVAL when the path is no regular file.
int OpenRegularFile(const std::string& path);

// Reads at most `maxBytes` bytes of the regular file `path` as raw bytes into `text`.  False when
// the file cannot be opened or read, or is not a regular file; errno then says why (as above).
bool ReadTextFile(const std::string& path, std::string& text, size_t maxBytes = kMaxTextFileBytes);

// Calls `onLine` for every line of `text` without its line feed.
template <typename OnLine>
void ForEachLine(const std::string& text, OnLine onLine) {
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string::npos) eol = text.size();
        onLine(text.substr(pos, eol - pos));
        pos = eol + 1;
    }
}
