#include "ui/widgethelpers.h"

#include "ui/lazyicon.h"

#include <QToolButton>
#include <QWidget>

namespace keruna {

QToolButton* pictureButton(
    QWidget* parent, const QString& name, const QString& icon, const QString& tooltip)
{
    auto* b = named(new QToolButton(parent), name);
    b->setIcon(lazyIcon(QStringLiteral(":/icons/") + icon + QStringLiteral(".svg")));
    b->setIconSize(QSize(24, 24));
    b->setAutoRaise(true);
    b->setToolTip(tooltip);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

void setTabChain(const QList<QWidget*>& widgets)
{
    for (qsizetype i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

} // namespace keruna
