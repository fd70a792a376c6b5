// The in-memory backend. Everything the SDL backend gets from the system is
// held here as plain state the caller drives: the clock, the mouse, the
// event queue and the frame buffer. The work buffer has a padded pitch and
// present() copies it, row by row, into a tightly packed "presented" frame.
#include "platform/headless/headless.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>

#include "platform/headless/headless_audio.h"
#include "platform/sdl/ttf_text.h"  // the same letters as the window
#include "shell/log.h"

namespace {

constexpr int kQueueCapacity = 256;
constexpr int kRowPaddingBytes = 64;  // pitch != width * 2 on purpose
constexpr int kButtons = 2;
constexpr int kFrameDepth = 16;

struct Button {
    bool held = false;
    bool pressedSince = false;  // cleared when the button is queried
};

struct FrameBuffer {
    int width = 0, height = 0, pitch = 0;
    std::unique_ptr<uint8_t[]> work;
    std::unique_ptr<uint16_t[]> presented;
    bool locked = false;
};

struct HeadlessState {
    uint32_t time = 0;
    int mouseX = kScreenWidth / 2, mouseY = kScreenHeight / 2;
    std::array<Button, kButtons> buttons{};
    bool swapped = false;
    std::array<kwEvent, kQueueCapacity> queue{};
    int queueHead = 0, queueCount = 0;
    bool focused = true;
    bool failNextLock = false;
    int presents = 0;
    std::string lastMessage;
};

HeadlessState g_state;
FrameBuffer g_frame;
kwPixelLayout g_layout = kLayout565;

void clampToPicture(int* x, int* y) {
    int w = g_frame.width ? g_frame.width : kScreenWidth;
    int h = g_frame.height ? g_frame.height : kScreenHeight;
    *x = std::clamp(*x, 0, w - 1);
    *y = std::clamp(*y, 0, h - 1);
}

bool popEvent(kwEvent* out) {
    if (g_state.queueCount == 0) return false;
    if (out) *out = g_state.queue[g_state.queueHead];
    g_state.queueHead = (g_state.queueHead + 1) % kQueueCapacity;
    --g_state.queueCount;
    return true;
}

// --- the table's entries ---

bool openWindow(const kwPlatformConfig& config) {
    g_layout = config.layout;
    return true;
}

void closeWindow() {}
bool pollEvent(kwEvent* out) {
    return popEvent(out);
}
// Nothing could arrive while waiting, so an empty queue returns at once.
bool waitEvent(kwEvent* out) {
    return popEvent(out);
}
uint32_t ticks() {
    return g_state.time;
}

void showMessage(const char* caption, const char* text) {
    g_state.lastMessage = std::string(caption ? caption : "") + ": " + (text ? text : "");
    debugLogf("%s\r\n", g_state.lastMessage.c_str());
}

void destroyFrameBuffer() {
    g_frame = FrameBuffer{};
}

bool createFrameBuffer(int width, int height, int bpp, kwPixelLayout* layout) {
    if (bpp != kFrameDepth || width <= 0 || height <= 0 || width > 8192 || height > 8192)
        return false;
    destroyFrameBuffer();
    g_frame.width = width;
    g_frame.height = height;
    g_frame.pitch = width * 2 + kRowPaddingBytes;
    size_t workBytes = size_t(g_frame.pitch) * size_t(height);
    g_frame.work = std::make_unique<uint8_t[]>(workBytes);
    g_frame.presented = std::make_unique<uint16_t[]>(size_t(width) * size_t(height));
    if (layout) *layout = g_layout;
    return true;
}

uint8_t* lockFrame(int* pitch) {
    if (!g_frame.work) return nullptr;
    if (g_state.failNextLock) {
        g_state.failNextLock = false;
        return nullptr;
    }
    g_frame.locked = true;
    if (pitch) *pitch = g_frame.pitch;
    return g_frame.work.get();
}

void unlockFrame() {
    g_frame.locked = false;
}

bool present() {
    if (!g_frame.work) return false;
    size_t rowBytes = size_t(g_frame.width) * 2;
    for (int y = 0; y < g_frame.height; ++y)
        std::memcpy(g_frame.presented.get() + size_t(y) * g_frame.width,
                    g_frame.work.get() + size_t(y) * g_frame.pitch, rowBytes);
    ++g_state.presents;
    return true;
}

void getMousePos(int* x, int* y) {
    if (x) *x = g_state.mouseX;
    if (y) *y = g_state.mouseY;
}

void setMousePos(int x, int y) {
    headlessMoveMouse(x, y);
}

// GetAsyncKeyState: bit 15 held now, bit 0 pressed since the last query.
uint16_t mouseButton(int physicalButton) {
    if (physicalButton < 0 || physicalButton >= kButtons) return 0;
    Button& b = g_state.buttons[physicalButton];
    uint16_t state = (b.held ? kButtonHeld : 0) | (b.pressedSince ? kButtonPressedSince : 0);
    b.pressedSince = false;
    return state;
}

bool buttonsSwapped() {
    return g_state.swapped;
}
void hideWindow() {}

const kwPlatform kHeadless = {
    .name = "headless",
    .openWindow = openWindow,
    .closeWindow = closeWindow,
    .pollEvent = pollEvent,
    .waitEvent = waitEvent,
    .ticks = ticks,
    .showMessage = showMessage,
    .createFrameBuffer = createFrameBuffer,
    .destroyFrameBuffer = destroyFrameBuffer,
    .lockFrame = lockFrame,
    .unlockFrame = unlockFrame,
    .present = present,
    .getMousePos = getMousePos,
    .setMousePos = setMousePos,
    .mouseButton = mouseButton,
    .buttonsSwapped = buttonsSwapped,
    .hideWindow = hideWindow,
    .openAudio = headlessOpenAudio,
    .closeAudio = headlessCloseAudio,
    .lockAudio = headlessLockAudio,
    .unlockAudio = headlessUnlockAudio,
    .audioPresent = headlessAudioPresent,
    .audioDefaultSpec = headlessAudioDefaultSpec,
    .openFont = ttfOpenFont,
    .closeFont = ttfCloseFont,
    .textWidth = ttfTextWidth,
    .renderText = ttfRenderText,
};

}  // namespace

const kwPlatform& headlessPlatform() {
    return kHeadless;
}

void headlessReset() {
    g_state = HeadlessState{};
    g_frame.locked = false;
    headlessAudioResetHooks();
    headlessAudioClock(g_state.time);
}

void headlessSetTime(uint32_t ms) {
    g_state.time = ms;
    headlessAudioClock(g_state.time);
}
void headlessAdvance(uint32_t ms) {
    g_state.time += ms;
    headlessAudioClock(g_state.time);
}
uint32_t headlessTime() {
    return g_state.time;
}

void headlessMoveMouse(int x, int y) {
    clampToPicture(&x, &y);
    g_state.mouseX = x;
    g_state.mouseY = y;
}

void headlessButton(int physicalButton, bool down) {
    if (physicalButton < 0 || physicalButton >= kButtons) return;
    Button& b = g_state.buttons[physicalButton];
    if (down && !b.held) b.pressedSince = true;
    b.held = down;
}

void headlessSetSwapped(bool swapped) {
    g_state.swapped = swapped;
}

void headlessPushEvent(const kwEvent& event) {
    if (g_state.queueCount == kQueueCapacity) {
        debugFail("headless::pushEvent - event queue full, event dropped");
        return;
    }
    int tail = (g_state.queueHead + g_state.queueCount) % kQueueCapacity;
    g_state.queue[tail] = event;
    ++g_state.queueCount;
}

void headlessKey(kwKey key) {
    headlessPushEvent({.type = kwEventType::KeyDown, .key = key});
}
void headlessChar(uint32_t code) {
    headlessPushEvent({.type = kwEventType::Char, .code = code});
}

void headlessFocus(bool focused) {
    g_state.focused = focused;
    headlessPushEvent({.type = focused ? kwEventType::FocusGained : kwEventType::FocusLost});
}

bool headlessFocused() {
    return g_state.focused;
}

const uint16_t* headlessPresentedFrame() {
    return g_frame.presented.get();
}

void headlessFrameSize(int* width, int* height) {
    if (width) *width = g_frame.width;
    if (height) *height = g_frame.height;
}

kwPixelLayout headlessLayout() {
    return g_layout;
}
int headlessPresentCount() {
    return g_state.presents;
}
void headlessFailNextLock() {
    g_state.failNextLock = true;
}
const char* headlessLastMessage() {
    return g_state.lastMessage.c_str();
}
