#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

// The one control below root with that objectName, as T. A wrong name, a second control of
// the same name or another type ends the program with a message naming it: tests, tools and
// benchmarks reach controls only through their objectNames, so a renamed control must fail
// loudly rather than be skipped.
template <typename T> T *control(const QObject &root, const QString &name)
{
    const QList<QObject *> found = root.findChildren<QObject *>(name);
    if (found.size() != 1)
        qFatal("%d controls named \"%s\" below \"%s\"", int(found.size()), qPrintable(name),
               qPrintable(root.objectName()));
    T *typed = qobject_cast<T *>(found.first());
    if (!typed)
        qFatal("control \"%s\" is a %s, not the type asked for", qPrintable(name),
               found.first()->metaObject()->className());
    return typed;
}
