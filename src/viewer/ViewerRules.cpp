#include "viewer/ViewerRules.h"

#include "platform/NativeName.h"

#include <algorithm>

namespace sorvane {

StepTarget StepForward(int index, int count) {
    if (index + 1 > count - 1)
        return {count - 1, false};
    return {index + 1, true};
}

StepTarget StepBack(int index) {
    if (index - 1 < 0)
        return {0, false};
    return {index - 1, true};
}

StepTarget StepToFirst(int index) {
    return {0, index > 0};
}

StepTarget StepToLast(int index, int count) {
    return {count - 1, index < count - 1};
}

StepTarget StepByTick(int index, int count, bool repeat) {
    if (index + 1 <= count - 1)
        return {index + 1, true};
    if (repeat)
        return {0, true};
    return {count - 1, false};
}

ViewerKey ViewerKeyOf(int key, Qt::KeyboardModifiers modifiers) {
    modifiers &= ~Qt::KeypadModifier;
    if (key == Qt::Key_Space && modifiers == Qt::ShiftModifier)
        return ViewerKey::Back;
    if (modifiers != Qt::NoModifier)
        return ViewerKey::None;
    switch (key) {
    case Qt::Key_Space:
    case Qt::Key_Right:
    case Qt::Key_PageDown:
        return ViewerKey::Forward;
    case Qt::Key_Left:
    case Qt::Key_PageUp:
        return ViewerKey::Back;
    case Qt::Key_Home:
        return ViewerKey::First;
    case Qt::Key_End:
        return ViewerKey::Last;
    case Qt::Key_Escape:
        return ViewerKey::Close;
    default:
        return ViewerKey::None;
    }
}

StepTarget KeyStepTarget(ViewerKey key, int index, int count) {
    switch (key) {
    case ViewerKey::Forward:
        return StepForward(index, count);
    case ViewerKey::Back:
        return StepBack(index);
    case ViewerKey::First:
        return StepToFirst(index);
    case ViewerKey::Last:
        return StepToLast(index, count);
    default:
        return {index, false};
    }
}

int KeyStepDirection(ViewerKey key) {
    return key == ViewerKey::Back || key == ViewerKey::Last ? -1 : +1;
}

QString ViewerCaption(const QString& name, int index, int count) {
    // One pass of arg(), so a "%2" in a file name stays as it is.
    return QStringLiteral("SorvaneViewer  %1   (%2/%3)")
        .arg(DisplayName(name), QString::number(index + 1), QString::number(count));
}

qint64 KilobytesOf(qint64 bytes) {
    return (bytes + 1023) / 1024;
}

int SlideshowInterval(int seconds) {
    return seconds > 0 ? seconds * 1000 : 0;
}

std::vector<int> ViewerReadAhead(int index, int count, int direction) {
    std::vector<int> indices{index + direction, index + 2 * direction, index - direction};
    std::erase_if(indices, [count](int i) { return i < 0 || i >= count; });
    return indices;
}

} // namespace sorvane
