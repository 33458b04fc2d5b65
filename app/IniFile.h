#pragma once

#include <string>
#include <vector>

// An INI-style profile file held in memory, read with the semantics of a profile-string
// service: section and key names compared without regard to case, the first matching section
// and the first matching key win, names and values trimmed of white space.
class IniFile {
  public:
    // Reads `path` (a relative name in the module folder).  False when it cannot be read; the
    // object is then empty.
    bool Load(const std::string& path);
    void Parse(const std::string& text);

    // The value of `key` in `section`, or nullptr when the section, the key or its "=" is missing.
    const std::string* Find(const std::string& section, const std::string& key) const;

    // The value as a profile-string read into `bufferSize` bytes gives it: `defaultText` when
    // missing, at most bufferSize - 1 characters.
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultText, size_t bufferSize) const;

    // The entries of `section` in file order: "key=value", or the line itself when it has no "=".
    // Comment lines are entries too; the caller filters them.  Empty when the section is missing.
    std::vector<std::string> SectionEntries(const std::string& section) const;

  private:
    struct Entry {
        std::string key;
        std::string value;
        bool hasValue = false;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    const Section* FindSection(const std::string& name) const;

    std::vector<Section> sections_;
};

// Case-insensitive comparison of ASCII names.
bool EqualsNoCase(const std::string& a, const std::string& b);

// `text` without white space at either end.
std::string TrimWhiteSpace(const std::string& text);
