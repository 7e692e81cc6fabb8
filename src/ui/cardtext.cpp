#include "ui/cardtext.h"

#include <QAccessible>
#include <QLabel>

namespace keruna {

void showCardText(QLabel* label, const QString& text)
{
    if (label->text() == text)
        return;
    // setText tells of the new name itself, but QLabel::clear() tells nothing: a screen
    // reader would go on reading the last answer under the next question. Emptying goes
    // through setText for that reason.
    label->setText(text);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // A name change is spoken only for the focused control; the card never has the focus.
    if (!text.isEmpty() && QAccessible::isActive()) {
        QAccessibleAnnouncementEvent announcement(label, text);
        QAccessible::updateAccessibility(&announcement);
    }
#endif
}

} // namespace keruna
