#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ops/OperatorUi.h"

// The operator as a test scripts it: answers given beforehand, everything shown recorded.
class FakeOperatorUi : public COperatorUi {
  public:
    BoxAnswer MessageBox(const std::string& text, BoxStyle style) override {
        messages.push_back(text);
        return style == BoxStyle::Ok ? BoxAnswer::Ok : boxAnswer;
    }
    void StartCancel() override { ++cancelStarts; }
    bool PollCancel() override {
        if (stopRequests == 0) return false;
        --stopRequests;
        return true;
    }
    void CloseCancel() override { ++cancelCloses; }
    void Progress(int done, int total) override {
        progress.push_back({done, total});
        if (onProgress) onProgress(done);
    }
    void RefreshView() override {}
    void PumpEvents() override {}
    void BusyChanged(bool) override {}

    // Scripted answers.
    BoxAnswer boxAnswer = BoxAnswer::Ok;
    int stopRequests = 0;  // presses of the stop button not yet polled
    std::function<void(int)> onProgress;

    // What the session showed.
    std::vector<std::string> messages;
    std::vector<std::pair<int, int>> progress;
    int cancelStarts = 0;
    int cancelCloses = 0;
};
