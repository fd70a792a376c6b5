// The logo's pulse: opacity steps of 5 between 0 and 255, visibility
// flipping at each trough, and hidden for good once a panel is open.
#include <gtest/gtest.h>

#include "menu/logo_pulse_script.h"

TEST(LogoPulse, FadesAndFlipsAtEachTroughUntilAPanelOpens) {
    kwEyeTransparencyConstantAlpha logo;
    logo.visible = false;
    int32_t panel = 0;
    kwLogoPulseScript pulse(&logo, &panel);
    pulse.run();
    EXPECT_EQ(logo.opacity, 250u);
    EXPECT_EQ(pulse.interval, kwLogoPulseScript::kIntervalMs);
    for (int i = 0; i < 50; ++i) pulse.run();  // down to 0
    EXPECT_EQ(logo.opacity, 0u);
    EXPECT_FALSE(logo.visible);
    pulse.run();  // below 0: clamped, turns, the first flip shows it
    EXPECT_EQ(logo.opacity, 0u);
    EXPECT_TRUE(logo.visible);
    for (int i = 0; i < 51; ++i) pulse.run();  // up to 255
    EXPECT_EQ(logo.opacity, 255u);
    pulse.run();  // above 255: clamped and turns down
    EXPECT_EQ(logo.opacity, 255u);
    pulse.run();
    EXPECT_EQ(logo.opacity, 250u);
    panel = 2;
    pulse.run();
    EXPECT_FALSE(logo.visible);
    for (int i = 0; i < 200; ++i) {
        pulse.run();
        ASSERT_FALSE(logo.visible) << i;
    }
}
