#include "ui/TrafficLamps.h"

#include "ui/LampControl.h"

void CTrafficLamps::Register(Slot slot, CLampControl* lamp) { m_lamps[slot] = lamp; }

void CTrafficLamps::Signal(int signal) {
    for (const auto& lamp : m_lamps) {
        if (!lamp) return;
    }
    switch (signal) {
        case 0:
            m_lamps[kTx]->Light();
            m_lamps[kRx]->Darken();
            break;
        case 1:
            m_lamps[kRx]->Light();
            m_lamps[kTx]->Darken();
            break;
        case 2:
            m_lamps[kErr]->Light();
            break;
        default:
            break;
    }
}
