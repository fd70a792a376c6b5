// The maker's logo on the start picture fades in and out, shown every
// other pulse, until a panel is opened.
#pragma once

#include <cstdint>

#include "render/drawable.h"
#include "render/eye.h"

class kwLogoPulseScript : public kwScript {
public:
    static constexpr uint32_t kIntervalMs = 30;
    static constexpr int32_t kStep = 5;
    static constexpr int32_t kOpaque = 255;

    // `logo` may be null (a missing picture); `openPanel` is read each run.
    kwLogoPulseScript(kwEyeTransparencyConstantAlpha* logo, const int32_t* openPanel)
        : logo(logo), openPanel(openPanel) {}
    void run() override;

    int32_t alpha = kOpaque;
    int32_t step = -kStep;

private:
    kwEyeTransparencyConstantAlpha* logo;
    const int32_t* openPanel;
};
