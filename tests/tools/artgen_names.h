// Every record the game loads, by archive: the checklist the generated data
// is held to. Written from what the game's code loads (the scenes, the
// cursor, the glyph table, the alarm clock, the piece art sets, the sounds),
// not from the generators, so a generator that misspells a name or makes
// one frame too few is caught here.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace artnames {

// A named animation: frames 01..frames, each the triple b_NAME_NN.eye,
// a_NAME_NN.eye and a_NAME_m_NN.msk.
struct Anim {
    std::string name;
    int frames;
};

// A single picture the game binds as a run-length image, and what the code
// adds to its stored position (panels shift their pictures, the volume
// panel draws its chips a second time 140 px lower). No offsets: the code
// places the picture itself and its stored position is never used.
struct Picture {
    std::string name;
    std::vector<std::pair<int, int>> offsets = {{0, 0}};
};

enum class SoundKind { Effect, Music };
struct Sound {
    std::string name;
    SoundKind kind;
};

struct Archive {
    std::string file;
    std::vector<Anim> anims;
    std::vector<Picture> pictures;
    std::vector<Sound> sounds;
};

// Archives the game loads into one list: a name may live in any archive of
// its group, and the first record of a name wins, so a name must occur once
// per group.
struct Group {
    std::string label;
    std::vector<Archive> archives;
};

inline std::string numbered(const char* pattern, int n) {
    char buf[64];
    std::snprintf(buf, sizeof buf, pattern, n);
    return buf;
}

// Piece animations, in the order the art sets load them.
inline void addLooks(std::vector<Anim>& v, const std::string& stem) {
    for (const char* d : {"down", "up", "left", "right"}) v.push_back({stem + "_look_" + d, 3});
}

inline Archive piece(const std::string& stem, int ambientC, int ambientD, bool looks, bool shock) {
    Archive a{stem + ".lfl", {}, {}, {}};
    a.anims.push_back({stem + "_ambient_a", 1});
    a.anims.push_back({stem + "_ambient_b", 3});
    a.anims.push_back({stem + "_ambient_c", ambientC});
    if (ambientD) a.anims.push_back({stem + "_ambient_d", ambientD});
    if (looks) addLooks(a.anims, stem);
    a.anims.push_back({stem + "_selected", 1});
    if (shock) a.anims.push_back({stem + "_shock", 1});
    return a;
}

inline std::vector<Archive> pieceArchives() {
    std::vector<Archive> v;
    Archive apple = piece("apple", 11, 0, true, false);
    apple.anims.insert(apple.anims.end() - 1, {"apple_eaten", 1});
    apple.anims.push_back({"apple_shock", 1});
    v.push_back(apple);
    v.push_back(piece("orange", 32, 0, true, true));
    v.push_back(piece("lemon", 36, 0, true, true));
    v.push_back(piece("banana", 5, 0, true, true));
    v.push_back(piece("pear", 5, 0, true, true));
    v.push_back(piece("wamelon", 17, 0, true, true));
    v.push_back(piece("choco", 22, 21, false, false));
    v.push_back(piece("rhc", 25, 0, true, false));
    v.push_back(piece("ohc", 16, 0, true, false));
    v.push_back(piece("yhc", 22, 21, true, false));
    Archive donut = piece("donut", 10, 3, true, true);
    donut.anims.insert(donut.anims.begin() + 4, {"donut_roll", 10});
    v.push_back(donut);
    Archive cone = piece("cone", 5, 5, true, true);
    for (const char* d : {"down", "up", "left", "right"})
        cone.anims.insert(cone.anims.end() - 2, {std::string("cone_fr") + d, 5});
    v.push_back(cone);
    v.push_back(piece("chomp", 5, 0, false, false));
    v.push_back(
        {"brush.lfl",
         {{"brush_appears", 6}, {"brush_cursor", 1}, {"brush_used", 6}, {"brush_disappears", 10}},
         {},
         {}});
    return v;
}

inline std::vector<Picture> numberedPictures(const char* pattern, int from, int to,
                                             std::vector<std::pair<int, int>> offsets = {{0, 0}}) {
    std::vector<Picture> v;
    for (int i = from; i <= to; ++i) v.push_back({numbered(pattern, i), offsets});
    return v;
}

inline void append(std::vector<Picture>& to, const std::vector<Picture>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

inline Archive menuArchive() {
    Archive a{"menu.lfl", {}, {}, {}};
    a.pictures = {{"orange_01.eye"},
                  {"orange_02.eye"},
                  {"title_01.eye"},
                  {"copyright.eye", {{-20, 0}}},
                  {"quenvale_logo.eye"}};
    for (const char* b :
         {"play", "howto", "players", "skill", "volume", "scores", "credits", "split"}) {
        a.pictures.push_back({std::string(b) + "_button_01.eye"});
        a.pictures.push_back({std::string(b) + "_button_02.eye"});
    }
    return a;
}

inline Archive playersArchive() {
    const std::vector<std::pair<int, int>> shift = {{-15, -11}};
    Archive a{"sub_players.lfl", {}, {}, {}};
    for (const char* n :
         {"big_1p_01.eye", "big_2p_01.eye", "big_3p_01.eye", "small_1p_01.eye", "small_1p_02.eye",
          "small_2p_01.eye", "small_2p_02.eye", "small_3p_01.eye", "small_3p_02.eye",
          "grey_space_02.eye", "grey_space_03.eye"})
        a.pictures.push_back({n, shift});
    append(a.pictures, numberedPictures("name_space_%2.2d.eye", 1, 3, shift));
    return a;
}

inline Archive skillArchive() {
    const std::vector<std::pair<int, int>> shift = {{-30, 0}};
    Archive a{"sub_skill.lfl", {}, {}, {}};
    a.pictures = {{"start_level_01.eye", shift}, {"speed_factor_01.eye", shift}};
    append(a.pictures, numberedPictures("start_chip_%2.2d.eye", 1, 6, shift));
    append(a.pictures, numberedPictures("speed_chip_%2.2d.eye", 1, 6, shift));
    for (const char* s : {"easy", "medium", "hard"})
        for (const char* k : {"_small_01.eye", "_small_02.eye", "_big_01.eye"})
            a.pictures.push_back({std::string(s) + k, shift});
    return a;
}

inline Archive volumeArchive() {
    // The sound row is the music row's chips drawn 140 px lower.
    const std::vector<std::pair<int, int>> rows = {{0, 0}, {0, -140}};
    Archive a{"sub_volume.lfl", {}, {}, {}};
    a.pictures = {{"music_volume_01.eye"}, {"soundfx_volume_01.eye"}};
    append(a.pictures, numberedPictures("chip_%2.2d.eye", 0, 10, rows));
    append(a.pictures, numberedPictures("chip_glow_%2.2d.eye", 0, 10, rows));
    return a;
}

inline Group menuGroup() {
    return {
        "the menu scene",
        {menuArchive(),
         playersArchive(),
         skillArchive(),
         volumeArchive(),
         {"sub_credits.lfl", {}, {{"credits_01.eye", {{0, -10}}}}, {}},
         {"sub_howto.lfl", {}, {{"menu_text_01.eye"}}, {}},
         {"sub_hs.lfl", {}, {{"hs_text_01.eye"}, {"hs_clear_01.eye"}, {"hs_clear_02.eye"}}, {}}}};
}

inline Group playGroup() {
    Archive play{"play.lfl", {{"status_bar_star", 1}}, {}, {}};
    // The exit button and its hover image stand 2 px left of their stored
    // place; the sparkle is drawn wherever a piece leaves the board.
    play.pictures = {{"interface_border_01.eye"}, {"x_01.eye", {{-2, 0}}}, {"x_02.eye", {{-2, 0}}},
                     {"new_high_score.eye"},      {"exit_base.eye"},       {"exit_menu.eye"},
                     {"exit_exit.eye"},           {"exit_continue.eye"},   {"bonus_01.eye", {}}};
    Archive frozen{"frozen.lfl", {{"frozen", 1}}, {}, {}};
    return {"the play scene", {play, frozen}};
}

inline std::vector<Group> allGroups() {
    std::vector<Group> groups = {menuGroup(), playGroup()};
    auto single = [&](Archive a) { groups.push_back({a.file, {a}}); };
    single({"clock.lfl",
            {{"alarm_clock", 1},
             {"pause_glow", 1},
             {"paused", 1},
             {"alarm_clock_tick", 11},
             {"alarm_clock_ringing", 12}},
            {{"alarm_clock_hotspot.eye", {}}},
            {}});
    single({"st_cursor.lfl", {{"arrow_cursor", 1}, {"clickable_cursor", 5}}, {}, {}});
    single({"font.lfl",
            {{"interface_number", 10}, {"interface_letter", 26}, {"interface_punc", 14}},
            {},
            {}});
    single({"sfx.lfl",
            {},
            {},
            {{"click_01.noi", SoundKind::Effect}, {"menu_music_01.noi", SoundKind::Music}}});
    Archive playSounds{"play_noi.lfl", {}, {}, {}};
    for (const char* n : {"bell_01.noi", "cross.noi", "eat_bad.noi", "eat_good.noi", "harp_01.noi",
                          "horn_01.noi", "ohyeah.noi", "reproduce_01.noi"})
        playSounds.sounds.push_back({n, SoundKind::Effect});
    single(playSounds);
    Archive loops{"loops.lfl", {}, {}, {}};
    for (int i = 1; i <= 8; ++i)
        loops.sounds.push_back({numbered("loop_%2.2d.noi", i), SoundKind::Music});
    single(loops);
    for (const Archive& a : pieceArchives()) single(a);
    return groups;
}

}  // namespace artnames
