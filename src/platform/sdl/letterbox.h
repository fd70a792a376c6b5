// The mapping between window points and the game's picture when the picture
// is scaled to fit the window with its aspect kept and black bars on two
// sides (what SDL_RenderSetLogicalSize draws). Plain arithmetic, so it is
// tested without a display.
#pragma once

struct kwLetterbox {
    float scale = 1.0f;  // window points per picture pixel
    int offsetX = 0;     // left edge of the picture in the window
    int offsetY = 0;     // top edge of the picture in the window
    int pictureWidth = 0, pictureHeight = 0;

    // The fit of a picture into a window of the given size.
    static kwLetterbox fit(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight);
    // A window point to the picture pixel under it, clamped to the picture.
    void windowToPicture(int wx, int wy, int* px, int* py) const;
    // A picture pixel to the window point at its centre.
    void pictureToWindow(int px, int py, int* wx, int* wy) const;
};
