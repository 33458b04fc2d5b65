#pragma once

#include <cstdint>
#include <string>

// SHA-256 of bytes, as 64 lower-case hex digits: what a record says of the file it read or wrote.
std::string Sha256Hex(const std::string& bytes);

// The digest of a file's bytes; false when it cannot be read.
bool Sha256OfFile(const std::string& path, std::string& hex);
