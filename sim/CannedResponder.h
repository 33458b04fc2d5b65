#pragma once

#include <map>
#include <mutex>
#include <string>

#include "sim/SimProfile.h"
#include "sim/SimResponder.h"

// A unit that answers the model request with the model text and every other command from
// a table of canned answers: the whole command text first, then the code alone. Commands
// it does not know get a rejection (response code 0x0401, at-frame end code "16").
class CannedResponder : public SimResponder {
  public:
    static constexpr int kUnknownCommandCode = 0x0401;
    static constexpr const char* kUnknownAtEndCode = "16";

    explicit CannedResponder(const SimProfile& profile);
    std::optional<SimReply> Respond(const SimCommand& command) override;

    // May be called while the bus runs.
    void SetAnswer(SimProtocol protocol, const std::string& commandText, const std::string& data);
    void SetModelText(const std::string& modelText);

  private:
    std::mutex m_lock;
    std::string m_modelText;
    std::map<std::string, std::string> m_quadrel;
    std::map<std::string, std::string> m_at;
};
