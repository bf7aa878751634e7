#pragma once

#include <optional>
#include <vector>

namespace sorvane {

struct Module1;

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

// The arrangement during a sorting run; Module1::RunLayout keeps its number.
enum class RunLayout {
    Ordinary = 0,
    ExtendRow = 1,    // extend mode, the button row at the top
    ExtendColumn = 2, // extend mode, the button column at the right
};

// The arrangement a run takes: extend mode (never with copy mode) puts the
// buttons in a row at the top, or in a column at the right.
RunLayout RunLayoutFor(bool extendMode, bool copyMode, bool verticalButtons);
// The same, from the options as they stand.
RunLayout RunLayoutOf(const Module1& options);

// The arrangement of the main window for an inner size of W x H twips, in
// the order the pass applies it. A layout number outside the three places nothing.
std::vector<Placement> ArrangeWindow(float W, float H, RunLayout layout);

} // namespace sorvane
