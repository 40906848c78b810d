#pragma once

#include "gui/pages/Page.h"

#include <QObject>
#include <QString>
#include <QtGlobal>

// Builds every page below root that is not built yet.
inline void buildEveryPage(const QObject &root)
{
    for (QWidget *widget : root.findChildren<QWidget *>())
        if (auto *page = dynamic_cast<Page *>(widget))
            page->build();
}

// The one control below root with that objectName, as T. A wrong name, a second control of
// the same name or another type ends the program with a message naming it: tests, tools and
// benchmarks reach controls only through their objectNames, so a renamed control must fail
// loudly rather than be skipped.
//
// A page that the window has not shown yet has no controls until it is built, as bringing it
// up would build it: a control not found is looked for again once every page is built.
template <typename T> T *control(const QObject &root, const QString &name)
{
    QList<QObject *> found = root.findChildren<QObject *>(name);
    if (found.isEmpty()) {
        buildEveryPage(root);
        found = root.findChildren<QObject *>(name);
    }
    if (found.size() != 1)
        qFatal("%d controls named \"%s\" below \"%s\"", int(found.size()), qPrintable(name),
               qPrintable(root.objectName()));
    T *typed = qobject_cast<T *>(found.first());
    if (!typed)
        qFatal("control \"%s\" is a %s, not the type asked for", qPrintable(name),
               found.first()->metaObject()->className());
    return typed;
}
