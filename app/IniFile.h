#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An INI-style profile file held in memory, read with the semantics of a profile-string
// service: section and key names compared without regard to case, the first section of a name
// and its first matching key win, names and values trimmed of white space.  Lookups scan the
// text, so a hostile file of millions of lines costs no more memory than its bytes.
class IniFile {
  public:
    // Reads `path` (a relative name in the module folder).  False when it cannot be read; the
    // object is then empty.
    bool Load(const std::string& path);
    void SetText(std::string text) { m_text = std::move(text); }

    // The value of `key` in `section`; nothing when the section, the key or its "=" is missing.
    std::optional<std::string> Find(const std::string& section, const std::string& key) const;

    // The value as a profile-string read into `bufferSize` bytes gives it: `defaultText` when
    // missing, at most bufferSize - 1 characters.
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultText, size_t bufferSize) const;

    // One entry of a section: a key with its value, or a line without "=" (hasValue false).
    struct Entry {
        std::string_view key;
        std::string_view value;
        bool hasValue;
    };
    // Calls `onEntry` for the entries of the first section named `section`, in file order, while
    // it answers true.  Comment lines are entries too; the caller filters them.
    void ForEachEntry(const std::string& section,
                      const std::function<bool(const Entry&)>& onEntry) const;

    // The entries of `section` in file order: "key=value", or the line itself without "=".
    std::vector<std::string> SectionEntries(const std::string& section) const;

  private:
    std::string m_text;
};

// Case-insensitive comparison of ASCII names.
bool EqualsNoCase(std::string_view a, std::string_view b);

// `text` without white space at either end.
std::string TrimWhiteSpace(const std::string& text);
