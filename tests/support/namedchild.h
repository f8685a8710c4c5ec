#pragma once

#include <QObject>
#include <QString>

// A named widget of a window, or the end of the test program with that name: a widget renamed by
// mistake fails loudly instead of crashing on a null pointer.
template<typename T> T *namedChild(const QObject *root, const QString &name)
{
    T *found = root->findChild<T *>(name);
    if (!found)
        qFatal("no child named %s", qPrintable(name));
    return found;
}
