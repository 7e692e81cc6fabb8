#include "ui/shownfont.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>

namespace keruna {

namespace {

const char* const kPending = "kerunaPendingFont";

class ApplyOnShow final : public QObject {
public:
    static ApplyOnShow& instance()
    {
        static ApplyOnShow filter;
        return filter;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* w = static_cast<QWidget*>(watched);
            const QVariant pending = w->property(kPending);
            w->removeEventFilter(this);
            if (pending.isValid()) {
                w->setProperty(kPending, QVariant());
                w->setFont(pending.value<QFont>());
            }
        }
        return false;
    }
};

} // namespace

void setFontWhenShown(QWidget* widget, const QFont& font)
{
    if (widget->isVisible()) {
        widget->setFont(font);
        return;
    }
    if (!widget->property(kPending).isValid())
        widget->installEventFilter(&ApplyOnShow::instance());
    widget->setProperty(kPending, font);
}

QFont fontWhenShown(const QWidget* widget)
{
    const QVariant pending = widget->property(kPending);
    return pending.isValid() ? pending.value<QFont>() : widget->font();
}

} // namespace keruna
