#pragma once

#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

// The one JSON object a command prints with --json.
inline void PrintJson(const nlohmann::json& object) {
    // Texts from controllers and files are bytes, not always UTF-8: replace what is not.
    std::cout << object.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

inline void PrintError(const std::string& text) { std::cerr << "vexa-cli: " << text << "\n"; }
