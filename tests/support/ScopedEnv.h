#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

// An environment variable set for the life of the object; what was there before comes back.
class ScopedEnv {
  public:
    ScopedEnv(std::string name, const std::string& value) : m_name(std::move(name)) {
        if (const char* old = std::getenv(m_name.c_str())) m_old = old;
        Set(value);
    }
    ~ScopedEnv() { m_old ? setenv(m_name.c_str(), m_old->c_str(), 1) : unsetenv(m_name.c_str()); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

    void Set(const std::string& value) const { setenv(m_name.c_str(), value.c_str(), 1); }

  private:
    std::string m_name;
    std::optional<std::string> m_old;
};
