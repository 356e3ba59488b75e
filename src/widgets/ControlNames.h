// Every control carries its design name as objectName, so tests and screenshots find it; an element
// of a control array is named with an underscore and its index ("Label1_2").
#pragma once

#include <QString>
#include <QWidget>

namespace tavrin {

template <typename W>
W* Named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

template <typename W>
W* Named(W* widget, const char* name) {
    return Named(widget, QString::fromLatin1(name));
}

inline QString Indexed(const char* name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

}  // namespace tavrin
