// The volume panel: two rows of chips over the music and sound settings.
#include "menu/volume_panel.h"

#include <cstdio>

#include "audio/sound.h"
#include "shell/log.h"

kwVolumePanel::kwVolumePanel(kwLinkedFileList* list) : archive(list) {
    depth = kDepth;
    visible = false;
}

bool kwVolumePanel::bind(std::unique_ptr<kwEyeTransparency>& slot, const char* name, float drop) {
    slot = std::make_unique<kwEyeTransparency>();
    kwLinkedFile* f = archive ? archive->find(name) : nullptr;
    if (f) slot->setLinkedFile(f);
    if (!slot->file) {
        debugFail("kwVolumePanel::load - missing or unusable file", name);
        slot.reset();
        return false;
    }
    slot->y -= drop;
    return true;
}

bool kwVolumePanel::bindRow(Row& row, float drop) {
    bool ok = true;
    char name[32];
    for (int32_t i = 0; i < kSteps; ++i) {
        Chip& c = row[size_t(i)];
        std::snprintf(name, sizeof name, "chip_%2.2d.eye", int(i));
        ok = bind(c.normal, name, drop) && ok;
        std::snprintf(name, sizeof name, "chip_glow_%2.2d.eye", int(i));
        ok = bind(c.glow, name, drop) && ok;
        if (c.glow) c.glow->visible = false;
    }
    return ok;
}

bool kwVolumePanel::load() {
    if (loaded) return complete;
    loaded = true;
    bool ok = bind(musicLabel, kMusicLabelName, 0.0f);
    ok = bind(soundLabel, kSoundLabelName, 0.0f) && ok;
    ok = bindRow(musicRow, 0.0f) && ok;
    ok = bindRow(soundRow, kSoundRowDrop) && ok;
    // The chosen chips glow from the first frame, before any hover.
    markChosen(musicRow, gameState.musicVolume);
    markChosen(soundRow, gameState.soundVolume);
    complete = ok;
    return complete;
}

bool kwVolumePanel::hits(const Chip& c, int32_t qx, int32_t qy) {
    return c.normal && c.normal->hitTest(qx, qy, false);
}

void kwVolumePanel::hover(Row& row, int32_t qx, int32_t qy) {
    for (Chip& c : row) {
        const bool over = hits(c, qx, qy);
        if (c.normal) c.normal->visible = !over;
        if (c.glow) c.glow->visible = over;
    }
}

void kwVolumePanel::markChosen(Row& row, int32_t volume) {
    // A damaged setting chooses no chip rather than reading past the row.
    if (volume < 0 || volume >= kSteps) return;
    Chip& c = row[size_t(volume)];
    if (c.normal) c.normal->visible = false;
    if (c.glow) c.glow->visible = true;
}

void kwVolumePanel::updateHover(int32_t qx, int32_t qy) {
    load();
    hover(musicRow, qx, qy);
    hover(soundRow, qx, qy);
    markChosen(musicRow, gameState.musicVolume);
    markChosen(soundRow, gameState.soundVolume);
}

void kwVolumePanel::setMusicVolume(int32_t volume) {
    gameState.musicVolume = volume;
    if (music && music->isPlaying()) music->setVolume(float(volume) * kVolumeStep);
}

bool kwVolumePanel::handleClick(int32_t qx, int32_t qy) {
    load();
    for (int32_t i = 0; i < kSteps; ++i) {
        if (hits(musicRow[size_t(i)], qx, qy)) {
            setMusicVolume(i);
            return true;
        }
        if (hits(soundRow[size_t(i)], qx, qy)) {
            gameState.soundVolume = i;
            return true;
        }
    }
    return false;
}

void kwVolumePanel::drawImage(kwEyeTransparency* image) {
    if (image && image->visible && image->place()) image->draw();
}

void kwVolumePanel::draw() {
    load();
    drawImage(musicLabel.get());
    drawImage(soundLabel.get());
    for (int32_t i = 0; i < kSteps; ++i) {
        drawImage(musicRow[size_t(i)].glow.get());
        drawImage(musicRow[size_t(i)].normal.get());
        drawImage(soundRow[size_t(i)].glow.get());
        drawImage(soundRow[size_t(i)].normal.get());
    }
}
