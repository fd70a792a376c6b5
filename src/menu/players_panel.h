// The players panel of the menu: how many play (one to three) and their
// names, typed into three fields. Every change goes straight into the game
// state; a name box of a player who does not play is greyed and locked.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "assets/linked_file.h"
#include "render/drawable.h"
#include "render/eye.h"
#include "render/font.h"
#include "render/text_form.h"

class kwPlayersPanel : public kwDrawable {
public:
    static constexpr int kSlots = 3;
    static constexpr float kDepth = 100.0f;
    // Added to every picture's stored position.
    static constexpr float kOffsetX = -15.0f, kOffsetY = -11.0f;
    // The name fields, relative to the panel's own position.
    static constexpr std::array<float, kSlots> kFieldX{-279.0f, -79.0f, 120.0f};
    static constexpr float kFieldY = -62.0f;
    static constexpr int32_t kFontHeight = 24;
    static constexpr const char* kFontFace = "Arial";
    static constexpr int32_t kNameLength = 10;  // and the NUL: the 11-byte playerName
    static constexpr uint32_t kCoverOpacity = 200;
    static constexpr std::array<const char*, kSlots> kFieldNames{"player 1", "player 2",
                                                                 "player 3"};

    // `archive` holds sub_players.lfl and must outlive the panel. Created
    // hidden; the pictures load on the first call that needs them.
    explicit kwPlayersPanel(kwLinkedFileList* archive);
    ~kwPlayersPanel() override;
    kwPlayersPanel(const kwPlayersPanel&) = delete;
    kwPlayersPanel& operator=(const kwPlayersPanel&) = delete;

    // Binds the pictures and builds the name form from playerName; only the
    // first call does anything. False when a picture is missing (the rest
    // still works).
    bool load();
    void updateHover(int32_t x, int32_t y);
    // A count button sets playerCount, a name box takes the focus; true
    // when the click hit either.
    bool handleClick(int32_t x, int32_t y);
    // Takes the typed keys into the focused name, then draws.
    void draw() override;

    std::array<std::unique_ptr<kwEyeTransparency>, kSlots> bigPictures;  // by count
    std::array<std::unique_ptr<kwEyeTransparency>, kSlots> countButtons;
    std::array<std::unique_ptr<kwEyeTransparency>, kSlots> countHighlights;
    std::array<std::unique_ptr<kwEyeTransparency>, kSlots> nameBoxes;
    // Over the boxes of players 2 and 3 (index 0 stays empty).
    std::array<std::unique_ptr<kwEyeTransparencyConstantAlpha>, kSlots> covers;
    std::unique_ptr<kwFont> font;
    std::unique_ptr<kwTextForm> form;
    uint8_t loaded = 0;

private:
    template <class T>
    bool bind(std::unique_ptr<T>& slot, const char* name);
    void buildForm();
    void takeKeys();
    void copyNames();
    // A field of a player who does not play never keeps the focus.
    void keepFocusOnPlayers();
    static bool hits(const std::unique_ptr<kwEyeTransparency>& image, int32_t x, int32_t y);
    static void drawImage(kwEye* image);

    kwLinkedFileList* archive;
    bool complete = false;
};
