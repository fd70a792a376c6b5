// A text the player edits: a caret that blinks while the field has the
// focus, typing, Backspace and Delete, and the caret keys. Enter and Tab ask
// the owner to move the focus on.
#pragma once

#include <cstdint>

#include "render/text.h"

class kwTextField : public kwText {
public:
    static constexpr uint32_t kBlinkPhase = 500;  // ms each way
    static constexpr uint32_t kBackspace = 8, kTab = 9, kEnter = 13;
    // Typing inserts printable characters only: the names end up in the
    // settings record and in letter pictures, which know nothing else.
    static constexpr uint32_t kFirstPrintable = 32, kLastPrintable = 126;

    kwTextField(kwFont* font, int32_t maxLength);

    void draw() override;
    void setText(const char* s) override;  // the caret goes to the end

    // True asks the owner to move the focus to the next field.
    bool typeChar(uint32_t code);
    void caretLeft();
    void caretRight();
    void deleteAtCaret();
    void setFocused(bool on) { focused = on; }
    void setCaretColor(int32_t r, int32_t g, int32_t b);

    int32_t caret = 0;  // 0..length, before the character of that index
    int32_t maxLength = 0;
    uint32_t blinkTime = 0;
    uint8_t caretShown = 1;
    uint8_t focused = 1;
    int32_t caretRed = 255, caretGreen = 255, caretBlue = 255;

private:
    void restartBlink();
    int32_t caretOffset();  // width of the text before the caret
    void drawCaret();
};
