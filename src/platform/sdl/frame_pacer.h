// Keeps presents at most one per display period when the renderer does not
// wait for vertical sync, so the game never spins a core. Works on a
// microsecond clock the caller reads; returns how long to wait.
#pragma once

#include <cstdint>

class kwFramePacer {
public:
    void setPeriod(uint64_t periodMicros) { period = periodMicros; }
    uint64_t getPeriod() const { return period; }
    // Called just before a present at time now: the wait (in microseconds)
    // that puts this present on its slot. A late present is not made up
    // for by rushing later ones: a pacer that fell behind starts afresh.
    uint64_t waitBeforePresent(uint64_t now);
    void restart() { started = false; }

    // The period for a display refresh rate in Hz (60 Hz when unknown).
    static uint64_t periodForRate(int hz);

private:
    uint64_t period = 0;
    uint64_t nextSlot = 0;
    bool started = false;
};
