#pragma once

#include <string>
#include <vector>

#include "protocol/CommLog.h"

// Captures every WriteLog and LogEvent text while it exists, instead of the log file.
class LogCapture : public LogSink {
  public:
    LogCapture() : previous_(SetLogSink(this)) {}
    ~LogCapture() override { SetLogSink(previous_); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    bool Write(const std::string& text) override {
        text_ += text;
        return true;
    }

    // Everything written, line feeds included.
    const std::string& Text() const { return text_; }
    // The lines written, without their line feeds.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end = text_.find('\n'); end != std::string::npos;
             end = text_.find('\n', start)) {
            lines.push_back(text_.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    }
    void Clear() { text_.clear(); }

  private:
    LogSink* previous_;
    std::string text_;
};
