#pragma once
// Small helpers for building the windows: every control carries the name the
// program gives it as its objectName, so tests and the language switch find it.
#include <QGridLayout>
#include <QLabel>
#include <QString>
#include <QWidget>
#include <utility>

namespace ravik {

// new T(args..., parent) named `name`.
template <class T, class... Args> T* named(const char* name, QWidget* parent, Args&&... args) {
    T* widget = new T(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A named label that shows data (a race name, a class): plain text always, so
// markup in the data is shown as typed and never rendered.
template <class... Args> QLabel* dataLabel(const char* name, QWidget* parent, Args&&... args) {
    QLabel* label = named<QLabel>(name, parent, std::forward<Args>(args)...);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A caption label that the program does not name (and never re-captions).
inline QLabel* plainLabel(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

// Places a label and a control side by side in a grid row.
inline void addRow(QGridLayout* grid, int row, QWidget* label, QWidget* control, int column = 0) {
    grid->addWidget(label, row, column);
    grid->addWidget(control, row, column + 1);
}

} // namespace ravik
