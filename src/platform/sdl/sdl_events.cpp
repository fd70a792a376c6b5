// Event translation and the mouse for the SDL backend. Only Escape, Left,
// Right and Delete arrive as keys; typed text arrives as printable ASCII
// characters, with Backspace, Enter and Tab as the codes 8, 13 and 9.
// Alt+Enter is taken here and never reaches the game. Mouse buttons are
// tracked from their events so the game's poll sees every press.
#include "platform/sdl/sdl_events.h"

#include "platform/sdl/letterbox.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_state.h"

namespace {

constexpr char kFirstPrintable = 0x20, kLastPrintable = 0x7E;
constexpr uint32_t kCharBackspace = 8, kCharTab = 9, kCharEnter = 13;

// --- the queue of translated events ---

void pushPending(const kwEvent& e) {
    kwSdlState& g = sdlState;
    if (g.pendingCount == kSdlPendingCapacity) return;  // cannot happen: filled only when empty
    g.pending[(g.pendingHead + g.pendingCount) % kSdlPendingCapacity] = e;
    ++g.pendingCount;
}

bool popPending(kwEvent* out) {
    kwSdlState& g = sdlState;
    if (g.pendingCount == 0) return false;
    if (out) *out = g.pending[g.pendingHead];
    g.pendingHead = (g.pendingHead + 1) % kSdlPendingCapacity;
    --g.pendingCount;
    return true;
}

void pushKey(kwKey key) {
    pushPending({.type = kwEventType::KeyDown, .key = key});
}

void pushChar(uint32_t code) {
    pushPending({.type = kwEventType::Char, .code = code});
}

// --- translation ---

int buttonIndex(uint8_t sdlButton) {
    if (sdlButton == SDL_BUTTON_LEFT) return 0;
    if (sdlButton == SDL_BUTTON_RIGHT) return 1;
    return -1;
}

void onMouseButton(const SDL_MouseButtonEvent& e) {
    int i = buttonIndex(e.button);
    if (i < 0) return;
    kwSdlButton& b = sdlState.buttons[i];
    bool down = e.state == SDL_PRESSED;
    if (down && !b.held) b.pressedSince = true;
    b.held = down;
}

void onKeyDown(const SDL_KeyboardEvent& e) {
    SDL_Keycode key = e.keysym.sym;
    bool enter = key == SDLK_RETURN || key == SDLK_KP_ENTER;
    if (enter && (e.keysym.mod & KMOD_ALT)) {
        if (!e.repeat) sdlToggleFullscreen();
        return;
    }
    switch (key) {
        case SDLK_ESCAPE:
            pushKey(kwKey::Escape);
            break;
        case SDLK_LEFT:
            pushKey(kwKey::Left);
            break;
        case SDLK_RIGHT:
            pushKey(kwKey::Right);
            break;
        case SDLK_DELETE:
            pushKey(kwKey::Delete);
            break;
        case SDLK_BACKSPACE:
            pushChar(kCharBackspace);
            break;
        case SDLK_TAB:
            pushChar(kCharTab);
            break;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            pushChar(kCharEnter);
            break;
        default:
            break;  // no other key means anything to the game
    }
}

// Typed text arrives as UTF-8; the game's names hold printable ASCII only.
void onText(const SDL_TextInputEvent& e) {
    for (const char* p = e.text; p < e.text + sizeof e.text && *p; ++p)
        if (*p >= kFirstPrintable && *p <= kLastPrintable) pushChar(uint8_t(*p));
}

void onWindowEvent(const SDL_WindowEvent& e) {
    switch (e.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            pushPending({.type = kwEventType::FocusGained});
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // A release outside the window would otherwise leave a button held.
            for (kwSdlButton& b : sdlState.buttons) b.held = false;
            pushPending({.type = kwEventType::FocusLost});
            break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            sdlDrawTexture();  // the last picture, also while no frames run
            break;
        case SDL_WINDOWEVENT_DISPLAY_CHANGED:
            sdlUpdatePacing();
            break;
        default:
            break;
    }
}

void handleSdlEvent(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT:
            pushPending({.type = kwEventType::Quit});
            break;
        case SDL_WINDOWEVENT:
            onWindowEvent(e.window);
            break;
        case SDL_KEYDOWN:
            onKeyDown(e.key);
            break;
        case SDL_TEXTINPUT:
            onText(e.text);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            onMouseButton(e.button);
            break;
        default:
            break;
    }
}

kwLetterbox currentLetterbox() {
    int ww = 0, wh = 0;
    if (sdlState.window) SDL_GetWindowSize(sdlState.window, &ww, &wh);
    return kwLetterbox::fit(ww, wh, sdlState.width, sdlState.height);
}

uint32_t windowId() {
    return sdlState.window ? SDL_GetWindowID(sdlState.window) : 0;
}

}  // namespace

bool sdlPollEvent(kwEvent* out) {
    SDL_Event e;
    while (sdlState.pendingCount == 0 && sdlState.videoUp && SDL_PollEvent(&e)) handleSdlEvent(e);
    return popPending(out);
}

// Blocks until an event the game cares about arrives (the loop calls it
// while the window has no focus, so nothing spins).
bool sdlWaitEvent(kwEvent* out) {
    SDL_Event e;
    while (sdlState.pendingCount == 0) {
        if (!sdlState.videoUp || !SDL_WaitEvent(&e)) return false;
        handleSdlEvent(e);
    }
    return popPending(out);
}

void sdlGetMousePos(int* x, int* y) {
    int wx = 0, wy = 0;
    SDL_GetMouseState(&wx, &wy);
    int px = 0, py = 0;
    currentLetterbox().windowToPicture(wx, wy, &px, &py);
    if (x) *x = px;
    if (y) *y = py;
}

void sdlSetMousePos(int x, int y) {
    if (!sdlState.window) return;
    int wx = 0, wy = 0;
    currentLetterbox().pictureToWindow(x, y, &wx, &wy);
    SDL_WarpMouseInWindow(sdlState.window, wx, wy);
}

// GetAsyncKeyState: bit 15 held now, bit 0 pressed since the last query.
uint16_t sdlMouseButton(int physicalButton) {
    if (physicalButton < 0 || physicalButton >= kSdlButtons) return 0;
    kwSdlButton& b = sdlState.buttons[physicalButton];
    uint16_t state = (b.held ? kButtonHeld : 0) | (b.pressedSince ? kButtonPressedSince : 0);
    b.pressedSince = false;
    return state;
}

// --- test support ---

void sdlTestKey(const char* keyName, bool alt, bool repeat) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.sym = SDL_GetKeyFromName(keyName);
    e.key.keysym.scancode = SDL_GetScancodeFromKey(e.key.keysym.sym);
    e.key.keysym.mod = alt ? KMOD_LALT : KMOD_NONE;
    e.key.windowID = windowId();
    SDL_PushEvent(&e);
}

void sdlTestText(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
    e.text.windowID = windowId();
    SDL_PushEvent(&e);
}

void sdlTestMouseButton(int physicalButton, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = physicalButton == 0 ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.windowID = windowId();
    SDL_PushEvent(&e);
}

void sdlTestMouseMove(int windowX, int windowY) {
    if (sdlState.window) SDL_WarpMouseInWindow(sdlState.window, windowX, windowY);
}

void sdlTestFocus(bool gained) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    e.window.windowID = windowId();
    SDL_PushEvent(&e);
}
