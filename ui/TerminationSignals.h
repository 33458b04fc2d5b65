#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// SIGTERM and SIGHUP (logging out, systemd, kill) close the window as its close box does: a
// running operation stops and the controller is put back before the program ends, where the
// default action would end it in the middle of an exchange.  One window per program.
class CTerminationSignals : public QObject {
  public:
    explicit CTerminationSignals(QWidget* window);
    ~CTerminationSignals() override;
    CTerminationSignals(const CTerminationSignals&) = delete;
    CTerminationSignals& operator=(const CTerminationSignals&) = delete;

  private:
    QSocketNotifier* m_notifier = nullptr;
};
