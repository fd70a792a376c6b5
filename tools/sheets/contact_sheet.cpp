#include "contact_sheet.h"

#include <algorithm>
#include <memory>

#include "assets/eye_format.h"
#include "render/eye.h"
#include "render/layered_sprite.h"
#include "render/png_writer.h"
#include "render/render_target.h"
#include "tiny_font.h"

namespace {

constexpr int kMaxWidth = 1536;  // 32 board squares
constexpr int kMargin = 12;
constexpr int kGap = 6;
constexpr int kSquare = 48;  // the board's cell
constexpr int kPad = 6;      // around a frame inside its cell
constexpr int kLabelScale = 2;
constexpr int kSmallScale = 1;
constexpr int kLabelH = kTinyGlyphH * kLabelScale + 8;
constexpr int kSmallLabelH = kTinyGlyphH * kSmallScale + 4;
constexpr int kScreenW = 800, kScreenH = 600;
constexpr size_t kCompositeMinPictures = 2;

constexpr uint16_t rgb(int r, int g, int b) {
    return uint16_t((r & 0xF8) << 8 | (g & 0xFC) << 3 | (b & 0xF8) >> 3);
}
// Two soft greens for the board squares, a deep green around them.
constexpr uint16_t kLightSquare = rgb(152, 208, 108);
constexpr uint16_t kDarkSquare = rgb(124, 184, 86);
constexpr uint16_t kBackdrop = rgb(34, 54, 40);
constexpr uint16_t kInk = rgb(244, 238, 204);
constexpr uint16_t kDimInk = rgb(170, 190, 160);
constexpr uint16_t kMissing = rgb(232, 40, 40);

int roundUpToSquare(int v) {
    return (v + kSquare - 1) / kSquare * kSquare;
}

// Width and height of a stored picture, 0 x 0 when it cannot be read.
void pictureSize(kwLinkedFileList& list, const std::string& name, int* w, int* h) {
    *w = *h = 0;
    kwEyeHeader header;
    kwLinkedFile* f = name.empty() ? nullptr : list.find(name.c_str());
    if (!f || !readEyeHeader(f->data, f->payloadSize(), &header)) return;
    if (header.width <= 0 || header.height <= 0 || header.width > kEyeMaxSide ||
        header.height > kEyeMaxSide)
        return;
    *w = header.width;
    *h = header.height;
}

// Pictures the game keeps hidden until the mouse is over them: the second
// of a numbered pair ("x_02.eye" beside "x_01.eye" and no "x_03.eye") and
// the glows. Numbered series (chips 00..10, name boxes 01..03) are not pairs.
bool isHighlightOf(const std::string& name, const std::vector<std::string>& all) {
    if (name.find("_glow") != std::string::npos) return true;
    const std::string tail = "_02.eye";
    if (name.size() <= tail.size() || name.compare(name.size() - tail.size(), tail.size(), tail))
        return false;
    const std::string stem = name.substr(0, name.size() - tail.size());
    auto has = [&](const std::string& n) {
        return std::find(all.begin(), all.end(), n) != all.end();
    };
    return has(stem + "_01.eye") && !has(stem + "_03.eye");
}

// Floor division, so the checker keeps its phase left of and above zero.
int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

ContactSheet::ContactSheet(std::string sheetTitle, kwLinkedFileList& archive)
    : title(std::move(sheetTitle)), list(archive), records(sortRecords(archive)) {
    if (records.animations.empty() && records.pictures.empty()) return;
    cursorY = kMargin;
    flowX = kMargin;
    std::string heading = title + "  " + std::to_string(records.animations.size()) +
                          " animations, " + std::to_string(records.pictures.size()) + " pictures";
    if (records.others) heading += ", " + std::to_string(records.others) + " other records";
    addLabel(heading);
    cursorY += kGap;
    for (const SheetAnimation& a : records.animations) layoutAnimation(a);
    endFlow();
    if (!records.pictures.empty()) layoutPictures();
    if (records.pictures.size() >= kCompositeMinPictures) layoutComposite();
    sheetW = usedW + kMargin;
    sheetH = cursorY + kMargin;
}

void ContactSheet::addLabel(const std::string& text) {
    items.push_back({Kind::Label, kMargin, cursorY, 0, kLabelH, text, {}});
    usedW = std::max(usedW, kMargin + tinyTextWidth(text, kLabelScale));
    cursorY += kLabelH;
}

// Animations flow left to right as blocks (name, details, then the frames
// in rows of at most kMaxWidth), so the many one-frame poses share a line.
void ContactSheet::layoutAnimation(const SheetAnimation& a) {
    int maxW = 1, maxH = 1;
    for (const auto& [n, f] : a.frames) {
        for (const std::string* part : {&f.base, &f.alpha}) {
            int w, h;
            pictureSize(list, *part, &w, &h);
            maxW = std::max(maxW, w);
            maxH = std::max(maxH, h);
        }
    }
    const int last = a.frames.empty() ? 0 : a.frames.rbegin()->first;
    const std::string details = std::to_string(last) + (last == 1 ? " frame  " : " frames  ") +
                                std::to_string(maxW) + "x" + std::to_string(maxH);
    const int cellW = roundUpToSquare(maxW + 2 * kPad), cellH = roundUpToSquare(maxH + 2 * kPad);
    const int perRow = std::max(1, (kMaxWidth - 2 * kMargin + kGap) / (cellW + kGap));
    const int columns = std::min(perRow, std::max(last, 1));
    const int rows = (std::max(last, 1) + perRow - 1) / perRow;
    const int blockW =
        std::max({columns * (cellW + kGap) - kGap, tinyTextWidth(a.name, kLabelScale),
                  tinyTextWidth(details, kSmallScale)});
    const int blockH = kLabelH + kSmallLabelH + rows * (cellH + kGap);
    if (flowX > kMargin && flowX + blockW > kMaxWidth - kMargin) {
        cursorY += flowRowH + kGap;
        flowX = kMargin;
        flowRowH = 0;
    }
    items.push_back({Kind::Label, flowX, cursorY, blockW, kLabelH, a.name, {}});
    items.push_back(
        {Kind::SmallLabel, flowX, cursorY + kLabelH - 3, blockW, kSmallLabelH, details, {}});
    // Every number from 1 to the last gets a cell, so a gap in the frames shows.
    const int top = cursorY + kLabelH + kSmallLabelH;
    for (int n = 1; n <= last; ++n) {
        const int column = (n - 1) % perRow, row = (n - 1) / perRow;
        auto it = a.frames.find(n);
        items.push_back({Kind::Frame, flowX + column * (cellW + kGap), top + row * (cellH + kGap),
                         cellW, cellH, a.name, it == a.frames.end() ? SheetFrame{} : it->second});
    }
    usedW = std::max(usedW, flowX + blockW);
    flowRowH = std::max(flowRowH, blockH);
    flowX += blockW + 3 * kGap;
}

// Ends a row of flowing animation blocks.
void ContactSheet::endFlow() {
    if (flowX > kMargin) cursorY += flowRowH + kGap;
    flowX = kMargin;
    flowRowH = 0;
}

void ContactSheet::layoutPictures() {
    addLabel("pictures");
    int x = kMargin, rowH = 0;
    for (const std::string& name : records.pictures) {
        int w, h;
        pictureSize(list, name, &w, &h);
        const int cellW = std::max(roundUpToSquare(w + 2 * kPad), tinyTextWidth(name, kSmallScale));
        const int cellH = roundUpToSquare(h + 2 * kPad);
        if (x > kMargin && x + cellW > kMaxWidth - kMargin) {
            x = kMargin;
            cursorY += rowH + kGap;
            rowH = 0;
        }
        items.push_back({Kind::SmallLabel, x, cursorY, cellW, kSmallLabelH, name, {}});
        items.push_back({Kind::Picture, x, cursorY + kSmallLabelH, cellW, cellH, name, {}});
        usedW = std::max(usedW, x + cellW);
        rowH = std::max(rowH, kSmallLabelH + cellH);
        x += cellW + kGap;
    }
    cursorY += rowH + kGap + kGap;
}

void ContactSheet::layoutComposite() {
    addLabel("as placed on the screen (stored x, y and depth)");
    items.push_back({Kind::Composite, kMargin, cursorY, kScreenW, kScreenH, "", {}});
    usedW = std::max(usedW, kMargin + kScreenW);
    cursorY += kScreenH + kGap;
}

bool ContactSheet::writePng(const std::string& path) {
    if (items.empty()) return false;
    render();
    return ::writePng(path, pixels.data(), sheetW, sheetH, sheetW * 2, kLayout565);
}

void ContactSheet::render() {
    pixelFormat = makePixelFormat(0xF800, 0x07E0, 0x001F, 16);
    pixels.assign(size_t(sheetW) * sheetH, kBackdrop);
    for (const Item& item : items) drawItem(item);
    screenSlot = kwRenderTarget{};
    renderTarget = kwRenderTarget{};
}

void ContactSheet::drawItem(const Item& item) {
    switch (item.kind) {
        case Kind::Label:
            drawTinyText(pixels.data(), sheetW, sheetH, sheetW, item.x, item.y + 2, item.text, kInk,
                         kLabelScale);
            break;
        case Kind::SmallLabel:
            drawTinyText(pixels.data(), sheetW, sheetH, sheetW, item.x, item.y, item.text, kDimInk,
                         kSmallScale);
            break;
        case Kind::Frame:
            drawFrame(item);
            break;
        case Kind::Picture:
            drawPicture(item);
            break;
        case Kind::Composite:
            drawComposite(item);
            break;
    }
}

// Squares of the board, one of them centred in the cell as a piece's cell is.
void ContactSheet::drawChecker(const Item& item) {
    const int cx = item.w / 2 - kSquare / 2, cy = item.h / 2 - kSquare / 2;
    for (int y = 0; y < item.h; ++y) {
        uint16_t* row = pixels.data() + size_t(item.y + y) * sheetW + item.x;
        for (int x = 0; x < item.w; ++x)
            row[x] = (floorDiv(x - cx, kSquare) + floorDiv(y - cy, kSquare)) & 1 ? kDarkSquare
                                                                                 : kLightSquare;
    }
}

void ContactSheet::aimAt(const Item& item) {
    uint8_t* topLeft = reinterpret_cast<uint8_t*>(pixels.data() + size_t(item.y) * sheetW + item.x);
    screenSlot = kwRenderTarget{topLeft, sheetW * 2, item.w, item.h};
    targetScreen();
}

void ContactSheet::drawFrame(const Item& item) {
    drawChecker(item);
    const SheetFrame& f = item.frame;
    if (f.base.empty() || f.alpha.empty() || f.mask.empty()) {
        drawCross(item);
        return;
    }
    kwLayeredSprite sprite(f.base.c_str(), f.alpha.c_str(), f.mask.c_str(), &list);
    if (!sprite.isComplete() || !sprite.baseLayer->changeBPP(16) ||
        !sprite.alphaLayer->changeBPP(16)) {
        drawCross(item);
        return;
    }
    aimAt(item);
    sprite.x = sprite.y = 0;
    sprite.draw();
}

void ContactSheet::drawPicture(const Item& item) {
    drawChecker(item);
    kwLinkedFile* f = list.find(item.text.c_str());
    kwEyeTransparency image;
    if (f) image.setLinkedFile(f);
    if (!f || !image.changeBPP(16)) {
        drawCross(item);
        return;
    }
    aimAt(item);
    image.x = image.y = 0;
    if (image.place()) image.draw();
}

// The archive's pictures at their stored places, furthest back first, as a
// scene sorts its drawables; highlights start hidden in the game, so here too.
void ContactSheet::drawComposite(const Item& item) {
    drawChecker(item);
    std::vector<std::unique_ptr<kwEyeTransparency>> images;
    for (const std::string& name : records.pictures) {
        if (isHighlightOf(name, records.pictures)) continue;
        kwLinkedFile* f = list.find(name.c_str());
        if (!f) continue;
        auto image = std::make_unique<kwEyeTransparency>();
        image->setLinkedFile(f);
        if (image->changeBPP(16)) images.push_back(std::move(image));
    }
    // Panels draw their big picture first and their buttons over it; at
    // equal depth the larger picture goes first, which shows the same.
    std::stable_sort(images.begin(), images.end(), [](const auto& a, const auto& b) {
        if (a->depth != b->depth) return a->depth > b->depth;
        return int64_t{a->width} * a->height > int64_t{b->width} * b->height;
    });
    aimAt(item);
    for (auto& image : images)
        if (image->place()) image->draw();
}

void ContactSheet::drawCross(const Item& item) {
    ++broken;
    const int n = std::min(item.w, item.h);
    for (int i = 0; i < n; ++i) {
        for (int t = 0; t < 2; ++t) {
            pixels[size_t(item.y + i) * sheetW + item.x + std::min(item.w - 1, i + t)] = kMissing;
            pixels[size_t(item.y + i) * sheetW + item.x + std::max(0, n - 1 - i - t)] = kMissing;
        }
    }
}
