#pragma once

#include <QString>

namespace sorvane {

// A text written for slot 0 ("フォルダ０", "０キーで…") made for the slot of
// index: the Japanese texts name the slot with a full-width digit, which the
// slot's own full-width digit replaces; a translation names it with an ASCII
// "0", which the slot's ASCII digit replaces.
QString ForSlot(QString slotZeroText, int index);

} // namespace sorvane
