#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

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

} // namespace sorvane::test
