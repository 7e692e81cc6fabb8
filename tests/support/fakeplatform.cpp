#include "support/fakeplatform.h"

namespace keruna::test {

MessageResult FakePlatform::showMessage(
    QWidget*, const QString& text, MessageIcon icon, MessageButtons buttons, const QString& title)
{
    messages.push_back({text, icon, buttons, title});
    if (!messageAnswers.empty()) {
        const MessageResult answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel
        ? MessageResult::Ok
        : MessageResult::Yes;
}

std::optional<QString> FakePlatform::chooseOpenFile(QWidget*, const OpenFileRequest& request)
{
    openRequests.push_back(request);
    if (openAnswers.empty())
        return std::nullopt;
    const std::optional<QString> answer = std::move(openAnswers.front());
    openAnswers.pop_front();
    return answer;
}

std::optional<QString> FakePlatform::chooseSaveFile(QWidget*, const SaveFileRequest& request)
{
    saveRequests.push_back(request);
    if (saveAnswers.empty())
        return std::nullopt;
    const std::optional<QString> answer = std::move(saveAnswers.front());
    saveAnswers.pop_front();
    return answer;
}

std::optional<QFont> FakePlatform::chooseFont(QWidget*, const QFont& initial)
{
    fontRequests.push_back(initial);
    if (fontAnswers.empty())
        return std::nullopt;
    const std::optional<QFont> answer = std::move(fontAnswers.front());
    fontAnswers.pop_front();
    return answer;
}

std::optional<QColor> FakePlatform::chooseColor(QWidget*, const QColor& initial)
{
    colorRequests.push_back(initial);
    if (colorAnswers.empty())
        return std::nullopt;
    const std::optional<QColor> answer = std::move(colorAnswers.front());
    colorAnswers.pop_front();
    return answer;
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
    return true;
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
