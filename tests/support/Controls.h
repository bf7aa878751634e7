#pragma once

#include <QApplication>
#include <QWidget>
#include <QtTest>

namespace sorvane::test {

// A window's control by the object name the program gives it, the one way
// tests reach controls. A name that is not there ends the test run at once
// with the name, rather than crashing somewhere later on a null pointer.
template <typename W = QObject> W* ControlNamed(const QObject* window, const QString& name) {
    W* control = window->findChild<W*>(name);
    if (!control)
        qFatal("no control %s of type %s in %s", qPrintable(name), W::staticMetaObject.className(),
               qPrintable(window->objectName()));
    return control;
}

// The program's window of that object name on screen, or null.
inline QWidget* OpenWindow(const QString& name) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == name && window->isVisible())
            return window;
    return nullptr;
}

// A left click where a box's or button's caption begins, where a user
// clicks a check box (its middle may lie past the caption's end).
inline void ClickControl(const QObject* window, const QString& name) {
    auto* control = ControlNamed<QWidget>(window, name);
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, control->height() / 2));
}

} // namespace sorvane::test
