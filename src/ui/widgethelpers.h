#pragma once

#include <QList>
#include <QString>

class QToolButton;
class QWidget;

namespace keruna {

// Every control carries its name as objectName: tests and other screens find it by it.
template <class W> W* named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

// A flat button showing one of our own SVG pictures, drawn when first shown; with the
// focus it wears a frame in the highlight colour.
QToolButton* pictureButton(
    QWidget* parent, const QString& name, const QString& icon, const QString& tooltip);

// Tab and Shift+Tab visit the widgets in this order (the order they stand on the screen).
void setTabChain(const QList<QWidget*>& widgets);

} // namespace keruna
