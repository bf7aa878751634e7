#pragma once

#include "controls/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace sorvane {

// Twips at the primary screen's logical resolution.
inline Twips ScreenTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return Twips(screen ? float(screen->logicalDotsPerInch()) : 96.0f);
}

} // namespace sorvane
