// What an archive holds, sorted for a contact sheet: named animations (the
// b_/a_/a_..._m_ triples, by animation name and frame number), single
// pictures, and how many other records (sounds) there are.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "assets/linked_file.h"

struct SheetFrame {
    std::string base, alpha, mask;  // empty where the archive lacks the file
};

struct SheetAnimation {
    std::string name;
    std::map<int, SheetFrame> frames;  // by frame number (01 = 1)
};

struct SheetRecords {
    std::vector<SheetAnimation> animations;  // in the order the archive first names them
    std::vector<std::string> pictures;       // single .eye records, in archive order
    int others = 0;                          // sounds and anything else not drawn
};

SheetRecords sortRecords(const kwLinkedFileList& list);

// "b_apple_look_up_03.eye" -> part 'b', animation "apple_look_up", frame 3
// (part 'a' for the alpha layer, 'm' for its mask). False for a name that is
// not part of a named animation.
bool parseFrameName(const std::string& name, char* part, std::string* animation, int* frame);
