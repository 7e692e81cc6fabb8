#include "ui/accessiblenames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>

namespace keruna {

namespace {

bool isControl(const QWidget* w)
{
    // Scroll bars belong to their list and are announced with it.
    if (qobject_cast<const QScrollBar*>(w))
        return false;
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w)
        || qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w)
        || qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QAbstractSlider*>(w)
        || qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

// The text field and the drop-down list of a box are the box itself to the user: they
// take its name.
bool isPartOfBox(const QWidget* w)
{
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p))
            return true;
    }
    return false;
}

// The name each control last took from its tool tip; a name that differs from it was
// given by hand. Kept here rather than in a dynamic property, whose every use looks the name
// up through all the properties of the class first.
class DerivedNames final : public QObject {
public:
    static DerivedNames& instance()
    {
        static DerivedNames names;
        return names;
    }

    QString of(const QWidget* w) const { return m_names.value(w); }
    void set(QWidget* w, const QString& name)
    {
        if (!m_names.contains(w))
            connect(w, &QObject::destroyed, this, [this, w] { m_names.remove(w); });
        m_names.insert(w, name);
    }

private:
    QHash<const QObject*, QString> m_names;
};

void nameAfter(QWidget* w, const QString& derived)
{
    DerivedNames& names = DerivedNames::instance();
    const QString current = w->accessibleName();
    if (!current.isEmpty() && current != names.of(w))
        return;
    if (current != derived)
        w->setAccessibleName(derived);
    names.set(w, derived);
}

// Controls whose tool tip is only a key hint, tells what a key does instead, or is absent,
// by name, on every screen that has one.
QString ownName(const QString& objectName)
{
    static const QHash<QString, QString> names {
        {QStringLiteral("syudouMARU"), QCoreApplication::translate("AccessibleNames", "○ 正解")},
        {QStringLiteral("syudouBATU"), QCoreApplication::translate("AccessibleNames", "× 不正解")},
        {QStringLiteral("zidouMARU"),
            QCoreApplication::translate("AccessibleNames", "○ リストに追加")},
        {QStringLiteral("cuttabc"), QCoreApplication::translate("AccessibleNames", "答え")},
        {QStringLiteral("cuttext"), QCoreApplication::translate("AccessibleNames", "答えの入力")},
        {QStringLiteral("testkekka"),
            QCoreApplication::translate("AccessibleNames", "テスト結果を表示")},
        {QStringLiteral("testkekkakesi"),
            QCoreApplication::translate("AccessibleNames", "テスト結果を隠す")},
        {QStringLiteral("Picklist"),
            QCoreApplication::translate("AccessibleNames", "ゲットリスト")},
        {QStringLiteral("Spkbtn"), QCoreApplication::translate("AccessibleNames", "発音")},
        {QStringLiteral("irocom"), QCoreApplication::translate("AccessibleNames", "色の対象")},
    };
    return names.value(objectName);
}

QString derivedName(const QWidget* w)
{
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    if (button && !button->text().isEmpty())
        return {};
    QString name = ownName(w->objectName());
    if (name.isEmpty())
        name = firstPhrase(w->toolTip());
    if (const auto* edit = qobject_cast<const QLineEdit*>(w); edit && name.isEmpty())
        name = edit->placeholderText();
    return name;
}

// The text field and the drop-down list of a box say what the box is for. A box makes its
// list only when the list is first asked for (making ten of them would cost the start-up
// a millisecond and a half), so a list that does not exist yet is named when it comes.
void nameBoxParts(QComboBox* box)
{
    if (box->lineEdit())
        nameAfter(box->lineEdit(), box->accessibleName());
    const QObjectList& children = box->children();
    const bool hasList = std::any_of(children.begin(), children.end(),
        [](const QObject* child) { return child->inherits("QComboBoxPrivateContainer"); });
    if (hasList)
        nameAfter(box->view(), box->accessibleName());
}

void nameFromToolTip(QWidget* w)
{
    const QString derived = derivedName(w);
    nameAfter(w, derived);
    if (auto* box = qobject_cast<QComboBox*>(w))
        nameBoxParts(box);
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
        if (auto* editor = spin->findChild<QLineEdit*>())
            nameAfter(editor, w->accessibleName());
    }
}

class ToolTipFollower final : public QObject {
public:
    static ToolTipFollower& instance()
    {
        static ToolTipFollower follower;
        return follower;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ToolTipChange:
            nameFromToolTip(static_cast<QWidget*>(watched));
            break;
        // A box's list is added half made (its view comes after); it is named once made,
        // and at the latest as it is first shown.
        case QEvent::ChildAdded:
            if (auto* box = qobject_cast<QComboBox*>(watched))
                QTimer::singleShot(0, box, [box] { nameBoxParts(box); });
            break;
        case QEvent::ChildPolished:
            if (auto* box = qobject_cast<QComboBox*>(watched))
                nameBoxParts(box);
            break;
        default:
            break;
        }
        return false;
    }
};

// On Linux Qt's own box says its value as its name, so a screen reader hears "2" and
// "50" and never what they set. This one is named as a button would be (its accessible
// name, else its label) and keeps the value as its value.
class NamedComboBox final : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Value)
            return QAccessibleWidget::text(t);
        const QComboBox* b = box();
        return b->isEditable() && b->lineEdit() ? b->lineEdit()->text() : b->currentText();
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = listShown();
        s.editable = box()->isEditable();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList {showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (listShown())
            box()->hidePopup();
        else
            box()->showPopup();
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(object()); }
    // Asked without making the list: a box makes it only when it is first shown.
    bool listShown() const
    {
        const QObjectList& children = box()->children();
        return std::any_of(children.begin(), children.end(), [](const QObject* child) {
            return child->inherits("QComboBoxPrivateContainer")
                && static_cast<const QWidget*>(child)->isVisible();
        });
    }
};

// Qt gives a window built on a plain QWidget the role of a client area, which the desktop
// shows as a filler; our screens are windows.
QAccessibleInterface* screenWindowFactory(const QString&, QObject* object)
{
    if (auto* box = qobject_cast<QComboBox*>(object))
        return new NamedComboBox(box);
    if (!object->isWidgetType() || !static_cast<QWidget*>(object)->isWindow())
        return nullptr;
    const QMetaObject* mo = object->metaObject();
    while (mo && QByteArray(mo->className()).startsWith("keruna::"))
        mo = mo->superClass();
    if (mo != &QWidget::staticMetaObject)
        return nullptr; // dialogs, main windows, menus and pop-ups have their own
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
}

} // namespace

QString firstPhrase(const QString& toolTip)
{
    static const QString stops = QStringLiteral("\u3000※（(");
    // Letters and digits of a script written with spaces between its words.
    auto spacedWordChar = [](QChar c) { return c.isLetterOrNumber() && c.unicode() < 0x2E80; };
    // A space ends the phrase, except one between two words of such a script: a translated
    // tool tip ("Skip question ※Enter") names the control with all of its first words.
    auto endsPhrase = [&](qsizetype i) {
        const QChar c = toolTip[i];
        if (stops.contains(c))
            return true;
        if (c != u' ')
            return false;
        return i == 0 || i + 1 >= toolTip.size() || !spacedWordChar(toolTip[i - 1])
            || !spacedWordChar(toolTip[i + 1]);
    };
    qsizetype end = 0;
    while (end < toolTip.size() && !endsPhrase(end))
        ++end;
    QString phrase = toolTip.left(end).trimmed();
    // "【和訳テスト】" is said as the words inside, and so is a translation's "[Meaning Test]".
    if (phrase.size() > 2
        && ((phrase.startsWith(u'【') && phrase.endsWith(u'】'))
            || (phrase.startsWith(u'[') && phrase.endsWith(u']'))))
        phrase = phrase.mid(1, phrase.size() - 2);
    return phrase;
}

void makeAccessible(QWidget* screen)
{
    // Qt asks the factory installed last first; its own comes with the application.
    static const bool installed = [] {
        QAccessible::installFactory(screenWindowFactory);
        return true;
    }();
    Q_UNUSED(installed);
    for (QWidget* w : screen->findChildren<QWidget*>()) {
        if (!isControl(w) || isPartOfBox(w))
            continue;
        // A box asked about while it was being built kept Qt's own interface: it is made
        // again, as ours.
        if (qobject_cast<QComboBox*>(w)) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
            if (iface && !dynamic_cast<NamedComboBox*>(iface))
                QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
        }
        w->installEventFilter(&ToolTipFollower::instance());
        nameFromToolTip(w);
    }
    // A view that draws on its own surface (a chart) lets the surface take the focus: the
    // surface is the view to the user.
    for (QAbstractScrollArea* area : screen->findChildren<QAbstractScrollArea*>()) {
        if (area->viewport()->focusPolicy() != Qt::NoFocus)
            nameAfter(area->viewport(), area->accessibleName());
    }
}

} // namespace keruna
