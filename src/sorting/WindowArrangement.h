#pragma once

#include <optional>
#include <vector>

namespace sorvane {

// The controls that the layout pass moves.
enum class Control {
    Picture1,
    Command4,
    Label1,
    Command1,
    Command2,
    Label8,
    Label3,
    Label4,
    Text1
};

// One move of the layout pass, in twips; an empty value leaves that edge or
// size as it was.
struct Placement {
    Control control;
    int index = 0; // member of a control array
    std::optional<float> left, top, width, height;
};

// The arrangement of the main window for an inner size of W x H twips:
// 0 ordinary, 1 extend mode with the button row at the top, 2 extend mode
// with the button column at the right. Any other value places nothing.
// Placements come in the order the pass applies them.
std::vector<Placement> ArrangeWindow(float W, float H, int runLayout);

} // namespace sorvane
