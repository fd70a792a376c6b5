// kwTextForm: a chain of named fields, the focus among them, and the
// forwarding of keys. Names compare without regard to letter case.
#include "render/text_form.h"

#include <cctype>
#include <cstdio>

namespace {

// Equal names ignoring case, the query cut to the length a name can hold.
bool sameName(const char* stored, const char* query) {
    for (int32_t i = 0; i < kwNamedTextField::kNameSize - 1; ++i) {
        const int a = std::tolower(uint8_t(stored[i])), b = std::tolower(uint8_t(query[i]));
        if (a != b) return false;
        if (!a) return true;
    }
    return true;
}

}  // namespace

kwNamedTextField::kwNamedTextField(const char* name_, kwFont* font, int32_t maxLength)
    : kwTextField(font, maxLength) {
    std::snprintf(name, sizeof name, "%s", name_ ? name_ : "");
}

// Unlinks one field at a time so a long chain does not recurse.
kwTextForm::~kwTextForm() {
    while (first) first = std::move(first->next);
}

kwNamedTextField* kwTextForm::addField(const char* name, float x, float y, kwFont* font,
                                       int32_t maxLength) {
    auto field = std::make_unique<kwNamedTextField>(name, font, maxLength);
    field->x = x;
    field->y = y;
    field->prev = last;
    kwNamedTextField* added = field.get();
    if (last)
        last->next = std::move(field);
    else
        first = std::move(field);
    last = added;
    if (!focusedField) focusedField = added;
    return added;
}

kwNamedTextField* kwTextForm::findField(const char* name) {
    if (!name) return nullptr;
    for (kwNamedTextField* p = first.get(); p; p = p->next.get())
        if (sameName(p->name, name)) return p;
    return nullptr;
}

void kwTextForm::focus(const char* name) {
    if (kwNamedTextField* f = findField(name)) focusedField = f;
}

bool kwTextForm::isFocused(const char* name) {
    kwNamedTextField* f = findField(name);
    return f && f == focusedField;
}

bool kwTextForm::typeChar(uint32_t code) {
    if (!focusedField || !focusedField->typeChar(code)) return false;
    focusedField = focusedField->next ? focusedField->next.get() : first.get();
    return true;
}

void kwTextForm::caretLeft() {
    if (focusedField) focusedField->caretLeft();
}

void kwTextForm::caretRight() {
    if (focusedField) focusedField->caretRight();
}

void kwTextForm::deleteAtCaret() {
    if (focusedField) focusedField->deleteAtCaret();
}

void kwTextForm::setText(const char* name, const char* s) {
    if (kwNamedTextField* f = findField(name)) f->setText(s);
}

void kwTextForm::getText(const char* name, char* buffer, size_t size) {
    if (kwNamedTextField* f = findField(name)) f->getText(buffer, size);
}

void kwTextForm::setColor(int32_t r, int32_t g, int32_t b) {
    forEach([&](kwNamedTextField& f) { f.setColor(r, g, b); });
}

void kwTextForm::setCaretColor(int32_t r, int32_t g, int32_t b) {
    forEach([&](kwNamedTextField& f) { f.setCaretColor(r, g, b); });
}

void kwTextForm::setShadow(bool on) {
    forEach([&](kwNamedTextField& f) { f.setShadow(on); });
}

void kwTextForm::setShadowColor(int32_t r, int32_t g, int32_t b) {
    forEach([&](kwNamedTextField& f) { f.setShadowColor(r, g, b); });
}

void kwTextForm::setShadowOffset(float dx, float dy) {
    forEach([&](kwNamedTextField& f) { f.setShadowOffset(dx, dy); });
}

// The fields are drawn without being placed, each told first whether it
// holds the focus (only the focused one shows a caret).
void kwTextForm::draw() {
    forEach([&](kwNamedTextField& f) {
        f.focused = &f == focusedField;
        f.draw();
    });
}
