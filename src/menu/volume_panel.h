// The volume panel of the menu: a row of eleven chips (0..10) for the music
// and the same row 140 px lower for the sound effects. The chosen chip of
// each row glows, and so does any chip under the mouse. A new music volume
// reaches the playing menu music at once.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "assets/linked_file.h"
#include "render/drawable.h"
#include "render/eye.h"
#include "shell/game_state.h"

class kwSound;

class kwVolumePanel : public kwDrawable {
public:
    static constexpr float kDepth = 100.0f;
    static constexpr int32_t kSteps = kMaxVolume + 1;  // chips 0..10
    static constexpr float kSoundRowDrop = 140.0f;     // the sound row stands this much lower
    static constexpr float kVolumeStep = 0.1f;         // music volume per chip
    static constexpr const char* kMusicLabelName = "music_volume_01.eye";
    static constexpr const char* kSoundLabelName = "soundfx_volume_01.eye";

    // The pictures come from `archive` (the menu scene's, which must outlive
    // the panel) at the first call that needs them. Hidden until shown.
    explicit kwVolumePanel(kwLinkedFileList* archive);
    kwVolumePanel(const kwVolumePanel&) = delete;
    kwVolumePanel& operator=(const kwVolumePanel&) = delete;

    // The menu music (not owned), or null when none was loaded.
    void setMusic(kwSound* playing) { music = playing; }

    // Binds every picture once; false when any is missing (those are not
    // drawn and take no clicks; the rest of the panel works).
    bool load();
    // Chips under (x, y) glow, and so do the chosen ones.
    void updateHover(int32_t x, int32_t y);
    // A chip under (x, y) sets its row's volume; true when a chip was hit.
    bool handleClick(int32_t x, int32_t y);
    void draw() override;

    struct Chip {
        std::unique_ptr<kwEyeTransparency> normal;
        std::unique_ptr<kwEyeTransparency> glow;
    };
    using Row = std::array<Chip, kSteps>;

    std::unique_ptr<kwEyeTransparency> musicLabel;
    std::unique_ptr<kwEyeTransparency> soundLabel;
    Row musicRow;
    Row soundRow;
    bool loaded = false;

private:
    bool bind(std::unique_ptr<kwEyeTransparency>& slot, const char* name, float drop);
    bool bindRow(Row& row, float drop);
    static bool hits(const Chip& c, int32_t x, int32_t y);
    static void hover(Row& row, int32_t x, int32_t y);
    static void markChosen(Row& row, int32_t volume);
    static void drawImage(kwEyeTransparency* image);
    void setMusicVolume(int32_t volume);

    kwLinkedFileList* archive;
    kwSound* music = nullptr;
    bool complete = false;
};
