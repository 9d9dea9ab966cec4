// Control geometry is given in twips; 15 twips make one pixel.
#pragma once

class QWidget;

namespace vm::ui {

constexpr int twips(int tw) { return tw / 15; }

// Places w at left/top with width/height, all in twips.
void place_twips(QWidget* w, int left, int top, int width, int height);

}  // namespace vm::ui
