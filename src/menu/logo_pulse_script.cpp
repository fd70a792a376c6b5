#include "menu/logo_pulse_script.h"

void kwLogoPulseScript::run() {
    if (state == 0) {
        interval = kIntervalMs;
        state = 1;
    }
    alpha += step;
    if (alpha < 0) {
        alpha = 0;
        step = kStep;
        if (logo) logo->visible = !logo->visible;
    } else if (alpha > kOpaque) {
        alpha = kOpaque;
        step = -kStep;
    }
    if (!logo) return;
    logo->opacity = uint32_t(alpha);
    if (openPanel && *openPanel != 0) logo->visible = false;
}
