// Digits are laid out from the field's first position; a value wider than
// the field keeps its last digits where a fitting value would have them and
// grows to the left, so a huge score shows whole instead of cut.
#include "play/number_display.h"

#include <cstdio>

#include "render/glyph_text.h"
#include "render/render_target.h"
#include "shell/game_state.h"

namespace {

constexpr float kStatusY = 282.0f;
constexpr float kScoreX = -10.0f, kLevelX = 280.0f, kMinutesX = -272.0f, kSecondsX = -240.0f;
constexpr int32_t kScoreDigits = 7, kLevelDigits = 2, kMinutesDigits = 1, kSecondsDigits = 2;
constexpr int32_t kSecondsPerMinute = 60;

// The current player's entry of a per-player field; 0 between games.
int32_t currentOf(const kwGameState::PerPlayer& field) {
    const int32_t p = gameState.currentPlayer;
    return p >= 0 && p < kMaxPlayers ? field[size_t(p)] : 0;
}

// A clock never shows a negative time.
int32_t timeLeft() {
    return gameState.timeLeft > 0 ? gameState.timeLeft : 0;
}

}  // namespace

kwNumberDisplay::kwNumberDisplay(float px, float py, int32_t fieldDigits) : digits(fieldDigits) {
    x = px;
    y = py;
    depth = kDefaultDepth;
}

int32_t kwNumberDisplay::format(char (&text)[kMaxText]) const {
    int32_t width = digits < 1 ? 1 : digits;
    if (width > kMaxText - 1) width = kMaxText - 1;
    const int n = std::snprintf(text, sizeof text, "%0*d", int(width), int(value));
    return n < 0 ? 0 : (n < kMaxText ? n : kMaxText - 1);
}

void kwNumberDisplay::drawGlyph(uint8_t c, float gx, float gy) {
    kwLayeredSprite* glyph = glyphFor(c);
    if (!glyph) return;
    glyph->x = gx;
    glyph->y = gy;
    targetScreen();
    if (glyph->place()) glyph->draw();
}

void kwNumberDisplay::draw() {
    refresh();
    char text[kMaxText];
    const int32_t n = format(text);
    const int32_t x0 = static_cast<int32_t>(x);
    const int32_t overflow = n > digits ? n - digits : 0;
    for (int32_t i = 0; i < n; ++i)
        drawGlyph(uint8_t(text[i]), static_cast<float>(x0) + spacing * float(i - overflow), y);
}

kwScoreDisplay::kwScoreDisplay() : kwNumberDisplay(kScoreX, kStatusY, kScoreDigits) {}
void kwScoreDisplay::refresh() {
    value = currentOf(gameState.score);
}

kwLevelDisplay::kwLevelDisplay() : kwNumberDisplay(kLevelX, kStatusY, kLevelDigits) {}
void kwLevelDisplay::refresh() {
    value = currentOf(gameState.level);
}

kwMinutesDisplay::kwMinutesDisplay() : kwNumberDisplay(kMinutesX, kStatusY, kMinutesDigits) {}
void kwMinutesDisplay::refresh() {
    value = timeLeft() / kSecondsPerMinute;
}

kwSecondsDisplay::kwSecondsDisplay() : kwNumberDisplay(kSecondsX, kStatusY, kSecondsDigits) {}
void kwSecondsDisplay::refresh() {
    value = timeLeft() % kSecondsPerMinute;
}

void kwSecondsDisplay::draw() {
    drawGlyph(':', x - kColonOffset, y);
    kwNumberDisplay::draw();
}
