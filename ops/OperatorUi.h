#pragma once

#include <string>

#include "app/Reason.h"

// Everything the device session shows to, or asks of, the operator.  The desktop
// program answers with widgets, vexa-cli with the terminal, tests with a script;
// the session itself never opens a window.
class COperatorUi {
  public:
    // OkCancelWarning and YesNoWarning: questions whose careful answer, and default, is Cancel
    // or No; Yes answers Ok.
    enum class BoxStyle { Ok, OkCancelWarning, YesNoWarning };
    enum class BoxAnswer { Ok, Cancel };

    virtual ~COperatorUi() = default;

    virtual BoxAnswer MessageBox(const std::string& text, BoxStyle style) = 0;
    // A box that tells why something failed, or asks what to do about it; a front end may word
    // it in its own language.
    virtual BoxAnswer ShowReason(const SReason& why, BoxStyle style = BoxStyle::Ok) {
        return MessageBox(English(why), style);
    }

    // The stop offer during a long operation.  PollCancel answers true once per
    // stop request and keeps the front end alive (repaints, queued input) meanwhile.
    virtual void StartCancel() = 0;
    virtual bool PollCancel() = 0;
    virtual void CloseCancel() = 0;
    // "parameter done of total" while a whole-set operation or a search runs.
    virtual void Progress(int done, int total) = 0;
    // What the operation waits for while it can do nothing else (a lost line to come back); it
    // asks nothing of the operator, and stopping ends the wait.
    virtual void WaitNotice(const SReason& /*what*/) {}
    // The model request to `unit` begins its try `attempt` of `attempts`; attempt 0: it ended.
    // A front end may show what is waited for and offer the stop meanwhile.
    virtual void AskingForModel(int /*unit*/, int /*attempt*/, int /*attempts*/) {}

    // The session's state changed: redraw the views, the status line and the lamps.
    virtual void RefreshView() = 0;
    // Let queued window events through while the session waits.
    virtual void PumpEvents() = 0;
    // Whether there are window events to let through at all; without them the wait for a byte
    // blocks for its whole time-out instead of waking every few milliseconds.
    virtual bool HasEventsToPump() const { return true; }
    // A descriptor that turns readable on a stop request, so that a wait on the line ends at
    // once instead of at its time-out; -1 when stops are only seen between pumped slices.
    virtual int StopWakeDescriptor() const { return -1; }
    // An operation starts (true) or has ended (false): the front end disables and
    // enables its window.  Input queued meanwhile was pumped while still busy.
    virtual void BusyChanged(bool busy) = 0;
};
