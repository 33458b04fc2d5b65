#pragma once

#include <QPointer>
#include <array>

class CLampControl;

// The TX, RX and ERR lamps that show the line's traffic.
class CTrafficLamps {
  public:
    enum Slot { kTx = 0, kRx = 1, kErr = 2 };

    void Register(Slot slot, CLampControl* lamp);
    // 0: sending (TX on, RX off); 1: receiving (RX on, TX off); 2: a failed attempt (ERR on).
    // Ignored until all three lamps are registered.
    void Signal(int signal);

  private:
    std::array<QPointer<CLampControl>, 3> m_lamps;
};
