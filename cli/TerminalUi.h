#pragma once

#include <string>

#include "ops/OperatorUi.h"

// The operator interface of vexa-cli: messages go to standard error, questions are
// answered from the command line, Ctrl-C is the stop button, and progress is a bar
// on a terminal.
class CTerminalUi : public COperatorUi {
  public:
    explicit CTerminalUi(bool quiet);

    // Ctrl-C, SIGTERM and SIGHUP ask the running operation to stop between two parameters;
    // SIGPIPE is ignored.
    static void InstallInterruptHandler();
    static bool Interrupted();
    // The first of those signals that came, 0 before any.
    static int InterruptSignal();
    // How many came: a second one also ends putting the controller back.
    static int StopCount();
    // 128 + that signal, as a shell reports a program the signal ended.
    static int InterruptedExitCode() { return 128 + InterruptSignal(); }
    // Readable after Ctrl-C (an eventfd): ends a wait on the line that began just after the
    // last check.  -1 before InstallInterruptHandler.
    static int WakeDescriptor();

    BoxAnswer MessageBox(const std::string& text, BoxStyle style) override;
    void StartCancel() override {}
    bool PollCancel() override;
    void CloseCancel() override;
    void Progress(int done, int total) override;
    void WaitNotice(const SReason& what) override;
    void RefreshView() override {}
    void PumpEvents() override {}
    bool HasEventsToPump() const override { return false; }
    int StopWakeDescriptor() const override { return WakeDescriptor(); }
    void BusyChanged(bool) override {}

  private:
    bool m_showBar;
    bool m_barShown = false;
};
