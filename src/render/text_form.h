// Named text fields grouped into a form that routes typed keys to the
// focused field and moves the focus on Enter or Tab (the name-entry panel).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "render/drawable.h"
#include "render/text_field.h"

class kwNamedTextField : public kwTextField {
public:
    static constexpr int32_t kNameSize = 40;

    kwNamedTextField(const char* name, kwFont* font, int32_t maxLength);

    kwNamedTextField* prev = nullptr;
    std::unique_ptr<kwNamedTextField> next;  // the form's chain owns its fields
    char name[kNameSize] = "";
};

class kwTextForm : public kwDrawable {
public:
    kwTextForm() = default;
    ~kwTextForm() override;
    kwTextForm(const kwTextForm&) = delete;
    kwTextForm& operator=(const kwTextForm&) = delete;

    void draw() override;
    bool place() override { return true; }

    // Appends a field at (x, y); the first field added takes the focus.
    kwNamedTextField* addField(const char* name, float x, float y, kwFont* font, int32_t maxLength);
    // The first field whose name matches, ignoring letter case; or null.
    kwNamedTextField* findField(const char* name);
    void focus(const char* name);
    bool isFocused(const char* name);

    // Forwarded to the focused field; nothing (and false) without one.
    bool typeChar(uint32_t code);
    void caretLeft();
    void caretRight();
    void deleteAtCaret();

    // On the named field; nothing if there is none.
    void setText(const char* name, const char* s);
    void getText(const char* name, char* buffer, size_t size);

    // On every field.
    void setColor(int32_t r, int32_t g, int32_t b);
    void setCaretColor(int32_t r, int32_t g, int32_t b);
    void setShadow(bool on);
    void setShadowColor(int32_t r, int32_t g, int32_t b);
    void setShadowOffset(float dx, float dy);

    std::unique_ptr<kwNamedTextField> first;
    kwNamedTextField* last = nullptr;
    kwNamedTextField* focusedField = nullptr;

private:
    template <typename F>
    void forEach(F f) {
        for (kwNamedTextField* p = first.get(); p; p = p->next.get()) f(*p);
    }
};
