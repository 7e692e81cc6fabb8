#include "support/fakeplatform.h"

namespace keruna::test {

namespace {

// The next queued answer of a dialog; without one the dialog is cancelled.
template <class T> std::optional<T> nextAnswer(std::deque<std::optional<T>>& answers)
{
    std::optional<T> answer;
    if (!answers.empty()) {
        answer.swap(answers.front());
        answers.pop_front();
    }
    return answer;
}

} // namespace

MessageResult FakePlatform::showMessage(QWidget* parent, const QString& text, MessageIcon icon,
    MessageButtons buttons, const QString& title)
{
    messages.push_back({text, icon, buttons, title, parent});
    if (!messageAnswers.empty()) {
        const MessageResult answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    if (buttons == MessageButtons::YesNoDefaultNo)
        return MessageResult::No;
    return buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel
        ? MessageResult::Ok
        : MessageResult::Yes;
}

std::optional<QString> FakePlatform::chooseOpenFile(QWidget*, const OpenFileRequest& request)
{
    openRequests.push_back(request);
    return nextAnswer(openAnswers);
}

std::optional<QString> FakePlatform::chooseSaveFile(QWidget* parent, const SaveFileRequest& request)
{
    saveRequests.push_back(request);
    saveParents.push_back(parent);
    return nextAnswer(saveAnswers);
}

std::optional<QFont> FakePlatform::chooseFont(QWidget*, const QFont& initial)
{
    fontRequests.push_back(initial);
    return nextAnswer(fontAnswers);
}

std::optional<QColor> FakePlatform::chooseColor(QWidget*, const QColor& initial)
{
    colorRequests.push_back(initial);
    return nextAnswer(colorAnswers);
}

void FakePlatform::setTopmost(QWidget* window, bool topmost)
{
    topmostCalls.emplace_back(window, topmost);
    if (windowSystem)
        windowSystem->setTopmost(window, topmost);
}

bool FakePlatform::openUrl(const QUrl& url)
{
    openedUrls.push_back(url);
    return urlsOpen;
}

bool FakePlatform::startProgram(const QString& program, const QStringList& arguments)
{
    startedPrograms.emplace_back(program, arguments);
    return true;
}

bool FakePlatform::startNewInstance()
{
    ++newInstanceCount;
    return newInstanceStarts;
}

} // namespace keruna::test
