#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The profile-string service: one key or one whole section of an INI-style file.  Relative
// file names are taken in the module folder.  A missing file, section or key gives the default.

// Values are read into a buffer of this many bytes, so a value keeps at most 2047 characters.
inline constexpr size_t kProfileValueBufferSize = 2048;

std::string GetProfileString(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& defaultText = "",
                             size_t bufferSize = kProfileValueBufferSize);

// The value read as "%d" reads it; `defaultValue` when the key is missing or empty, 0 when it
// does not begin with a number.
int32_t GetProfileInt(const std::string& file, const std::string& section, const std::string& key,
                      int32_t defaultValue);
