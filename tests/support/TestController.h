#pragma once

#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "sim/SimResponder.h"

// A small controller for the session tests: parameter n is read with "52nn" and
// written with "57nn" + four hex digits; parameter 4 takes writes only in write
// mode ("6C01" on, "6C00" off).  Every command text is recorded.
class TestController : public SimResponder {
  public:
    static constexpr int kRefused = 0x0401;

    explicit TestController(std::string model = "TS01-A") : m_model(std::move(model)) {}

    std::optional<SimReply> Respond(const SimCommand& command) override {
        std::lock_guard<std::mutex> lock(m_lock);
        m_commands.push_back(command.Text());
        const std::string& code = command.Code;
        if (code == "0503") return SimReply{m_model};
        const int n = static_cast<int>(std::strtol(code.substr(2).c_str(), nullptr, 16));
        if (code.rfind("52", 0) == 0) {
            if (m_unreadable.count(n)) return Refused();
            char data[8];
            std::snprintf(data, sizeof data, "%04X", m_values[n] & 0xFFFF);
            return SimReply{data};
        }
        if (code.rfind("57", 0) == 0) {
            if (n == 4 && !m_writeMode) return Refused();
            m_values[n] = static_cast<int>(std::strtol(command.Data.c_str(), nullptr, 16));
            return SimReply{};
        }
        if (code == "6C01" || code == "6C00") {
            m_writeMode = code == "6C01";
            return SimReply{};
        }
        if (code == "7100" || code == "7101") return SimReply{};
        return Refused();
    }

    // The values a fresh controller of the test model holds.
    void SetFactoryValues() {
        for (auto [number, value] :
             {std::pair{1, 250}, {2, 1}, {3, 40}, {4, 3}, {5, 0x0102}, {6, 123}})
            Set(number, value);
    }
    void Set(int number, int value) {
        std::lock_guard<std::mutex> lock(m_lock);
        m_values[number] = value;
    }
    int Get(int number) {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_values[number];
    }
    void MakeUnreadable(int number) {
        std::lock_guard<std::mutex> lock(m_lock);
        m_unreadable.insert(number);
    }
    std::vector<std::string> Commands() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_commands;
    }
    // The command texts that start with prefix, in the order they came.
    std::vector<std::string> Commands(const std::string& prefix) {
        std::vector<std::string> out;
        for (const std::string& c : Commands())
            if (c.rfind(prefix, 0) == 0) out.push_back(c);
        return out;
    }

  private:
    static SimReply Refused() {
        SimReply reply;
        reply.ResponseCode = kRefused;
        return reply;
    }

    std::mutex m_lock;
    std::string m_model;
    std::map<int, int> m_values;
    std::set<int> m_unreadable;
    std::vector<std::string> m_commands;
    bool m_writeMode = false;
};
