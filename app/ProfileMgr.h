#pragma once

#include <string>

// A profile file name and the reads made from it.  Relative names are taken in the module folder.
class CProfileMgr {
  public:
    void SetFileName(const std::string& fileName) { m_fileName = fileName; }
    const std::string& GetFileName() const { return m_fileName; }

    // The value of `key` in `section` (at most 2047 characters), from `otherFile` when it is given,
    // else from the held file; `defaultText` when the key is missing.
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultText, const std::string& otherFile = "") const;

    // True when `otherFile` (when given) or the held file exists.
    bool FileExists(const std::string& otherFile = "") const;

  private:
    const std::string& Target(const std::string& otherFile) const {
        return otherFile.empty() ? m_fileName : otherFile;
    }

    std::string m_fileName;
};
