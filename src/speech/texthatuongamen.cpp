#include "speech/texthatuongamen.h"

#include "speech/handwritingsurface.h"
#include "speech/speechoutput.h"
#include "ui/accessiblenames.h"
#include "ui/widgethelpers.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace keruna {

texthatuongamen::texthatuongamen(
    SpeechOutput& speech, std::function<int()> voiceIndex, QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , m_speech(speech)
    , m_voiceIndex(std::move(voiceIndex))
{
    setObjectName(QStringLiteral("texthatuongamen"));
    setWindowTitle(tr("マウスで文字を書けます"));

    auto* frame1 = named(new QFrame(this), QStringLiteral("Frame1"));
    auto* label = named(new QLabel(tr("左：黒　右：白"), frame1), QStringLiteral("Label1"));
    auto* erase = named(new QPushButton(tr("消す ※BackSpace"), frame1), QStringLiteral("Erasebtn"));
    m_autoErase
        = named(new QCheckBox(tr("次の問題時に自動消去"), frame1), QStringLiteral("Check2"));
    m_onTop = named(new QCheckBox(tr("常に最前面"), frame1), QStringLiteral("Check1"));
    auto* top = new QHBoxLayout(frame1);
    top->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : std::initializer_list<QWidget*> {label, erase, m_autoErase, m_onTop})
        top->addWidget(w);
    top->addStretch(1);

    m_surface = new HandwritingSurface(this);
    m_surface->setMinimumSize(120, 60);
    // Writing takes the keyboard from the text box, so that BackSpace erases what was
    // just written rather than the typed text.
    m_surface->setFocusPolicy(Qt::ClickFocus);
    m_surface->setAccessibleName(tr("手書き欄"));
    m_surface->installEventFilter(this);

    auto* frame2 = named(new QFrame(this), QStringLiteral("Frame2"));
    m_text = named(new QLineEdit(frame2), QStringLiteral("Text1"));
    m_text->setPlaceholderText(tr("発音させたい英語を入力してください"));
    auto* speak = pictureButton(frame2, QStringLiteral("Spkbtn"), QStringLiteral("speak"), {});
    auto* bottom = new QHBoxLayout(frame2);
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->addWidget(m_text, 1);
    bottom->addWidget(speak);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(frame1);
    layout->addWidget(m_surface, 1);
    layout->addWidget(frame2);
    resize(480, 320);

    connect(erase, &QPushButton::clicked, this, [this] { Erase(); });
    connect(speak, &QToolButton::clicked, this, [this] { Speak(); });
    // On the toggle, not the click: a screen reader switches a check box through its toggle.
    connect(m_onTop, &QCheckBox::toggled, this, [this](bool on) {
        if (alwaysOnTopClicked)
            alwaysOnTopClicked(on);
    });
    m_text->installEventFilter(this);
    makeAccessible(this);
}

void texthatuongamen::Erase()
{
    m_surface->erase();
}

void texthatuongamen::eraseForNewItem()
{
    if (isVisible() && m_autoErase->isChecked())
        Erase();
}

void texthatuongamen::Speak()
{
    // The utterance keeps processing events, so a second press could start speaking in
    // the middle of the first.
    if (m_text->text().isEmpty() || m_speaking)
        return;
    m_speaking = true;
    m_speech.speak(m_text->text(), m_voiceIndex ? m_voiceIndex() : 0);
    m_speaking = false;
}

bool texthatuongamen::alwaysOnTop() const
{
    return m_onTop->isChecked();
}

void texthatuongamen::keyPressEvent(QKeyEvent* event)
{
    // BackSpace belongs to Text1 for editing; from any other control it erases.
    if (event->key() == Qt::Key_Backspace && focusWidget() != m_text) {
        Erase();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool texthatuongamen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_surface && event->type() == QEvent::MouseButtonPress)
        m_surface->setFocus(Qt::MouseFocusReason);
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Speak();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace keruna
