#include "controls/SlotText.h"

namespace sorvane {

QString ForSlot(QString slotZeroText, int index) {
    static const QString fullWidthDigits = QStringLiteral("０１２３４５６７８９");
    if (index < 0 || index > 9)
        return slotZeroText;
    if (slotZeroText.contains(fullWidthDigits[0]))
        return slotZeroText.replace(fullWidthDigits[0], fullWidthDigits[index]);
    return slotZeroText.replace(QLatin1Char('0'), QLatin1Char(char('0' + index)));
}

} // namespace sorvane
