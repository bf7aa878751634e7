#include "sorting/WindowArrangement.h"

#include "settings/Module1.h"

namespace sorvane {
namespace {

using Out = std::vector<Placement>;
using Opt = std::optional<float>;

void Add(Out& out, Control c, int i, Opt l, Opt t, Opt w = {}, Opt h = {}) {
    out.push_back(Placement{c, i, l, t, w, h});
}

void ButtonRow(Out& out, float W, float buttonTop, float undoTop, float labelTop) {
    const float u = (W - 200) / 10;
    for (int i = 0; i < 10; ++i)
        Add(out, Control::Command4, i, 100 + u * float(i), buttonTop, u);
    Add(out, Control::Command4, 10, 100 + 9 * u, undoTop, u);
    for (int i = 0; i < 10; ++i)
        Add(out, Control::Label1, i, 100 + u * float(i), labelTop, u);
}

void Ordinary(Out& out, float W, float H) {
    Add(out, Control::Picture1, 0, 0, 2900, W, H - 3200);
    ButtonRow(out, W, 1920, 2400, 1680);
    Add(out, Control::Command1, 0, W - 1450, 120, 1335, 495);
    Add(out, Control::Command2, 0, W - 1450, 720, 1335, 495);
    Add(out, Control::Label8, 0, W - 1450, 1320, 1335, 255);
    Add(out, Control::Label3, 0, {}, 2400);
    Add(out, Control::Label4, 0, {}, 2640);
    Add(out, Control::Text1, 0, 120, 2400);
    Add(out, Control::Command4, 11, 120, 2400);
}

void ExtendRow(Out& out, float W, float H) {
    const float u = (W - 200) / 10;
    Add(out, Control::Picture1, 0, 0, 1200, W, H - 1500);
    ButtonRow(out, W, 240, 720, 0);
    Add(out, Control::Command1, 0, 100 + 7 * u, 720, (W - 200) / 5, 375);
    Add(out, Control::Label3, 0, {}, 720);
    Add(out, Control::Label4, 0, {}, 940);
    Add(out, Control::Text1, 0, {}, 720);
    Add(out, Control::Command4, 11, {}, 720);
}

void ExtendColumn(Out& out, float W, float H) {
    const float v = (H - 1100) / 11;
    Add(out, Control::Picture1, 0, 0, 0, W - 1500, H - 300);
    for (int i = 0; i <= 10; ++i)
        Add(out, Control::Command4, i, W - 1400, 800 + v * float(i), 1300, 375);
    for (int i = 0; i < 10; ++i)
        Add(out, Control::Label1, i, W - 1400, 630 + v * float(i), 1300, 375);
    Add(out, Control::Command1, 0, W - 1400, 0, 1300, 375);
    Add(out, Control::Text1, 0, W - 1400, 375);
    Add(out, Control::Command4, 11, W - 1400, 375);
    Add(out, Control::Label3, 0, {}, 720);
    Add(out, Control::Label4, 0, {}, 940);
}

} // namespace

std::vector<Placement> ArrangeWindow(float W, float H, RunLayout layout) {
    Out out;
    switch (layout) {
    case RunLayout::Ordinary:
        Ordinary(out, W, H);
        break;
    case RunLayout::ExtendRow:
        ExtendRow(out, W, H);
        break;
    case RunLayout::ExtendColumn:
        ExtendColumn(out, W, H);
        break;
    }
    return out;
}

RunLayout RunLayoutOf(const Module1& options) {
    return RunLayoutFor(options.ExtendMode == 1, options.CopyMode == 1,
                        options.VerticalButtons == 1);
}

RunLayout RunLayoutFor(bool extendMode, bool copyMode, bool verticalButtons) {
    if (!extendMode || copyMode)
        return RunLayout::Ordinary;
    return verticalButtons ? RunLayout::ExtendColumn : RunLayout::ExtendRow;
}

} // namespace sorvane
