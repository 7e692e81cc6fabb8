#pragma once

#include "ui/platform.h"

#include <QWidget>

#include <deque>
#include <vector>

namespace keruna::test {

struct ShownMessage {
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
    QString title;
    QWidget* parent = nullptr;
};

// Answers dialogs from queues and records every message box and outside call.
class FakePlatform final : public Platform {
public:
    explicit FakePlatform(QString folder = {})
        : folder(std::move(folder))
    {
    }

    MessageResult showMessage(QWidget*, const QString& text, MessageIcon icon,
        MessageButtons buttons, const QString& title) override;
    std::optional<QString> chooseOpenFile(QWidget*, const OpenFileRequest& request) override;
    std::optional<QString> chooseSaveFile(QWidget* parent, const SaveFileRequest& request) override;
    std::optional<QFont> chooseFont(QWidget*, const QFont& initial) override;
    std::optional<QColor> chooseColor(QWidget*, const QColor& initial) override;
    void setTopmost(QWidget* window, bool topmost) override;
    QRect screenGeometry(const QWidget*) const override { return screen; }
    bool openUrl(const QUrl& url) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool startNewInstance() override;
    QString programFolder() const override { return folder; }
    void endProgram() override { ++endCount; }
    bool endRequested() const override { return endCount > 0; }

    QString folder;
    QRect screen {0, 0, 1920, 1080};
    // When set, stacking calls also reach this real window system (tests under a window
    // manager).
    Platform* windowSystem = nullptr;

    // Answers, taken in order. Without a queued answer a message box answers with its
    // default button (OK or Yes; No where No is the default) and the open dialog is
    // cancelled.
    std::deque<MessageResult> messageAnswers;
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<std::optional<QFont>> fontAnswers;
    std::deque<std::optional<QColor>> colorAnswers;
    bool newInstanceStarts = true;
    bool urlsOpen = true; // false: the desktop has no handler for what is opened

    std::vector<ShownMessage> messages;
    std::vector<OpenFileRequest> openRequests;
    std::vector<SaveFileRequest> saveRequests;
    std::vector<QWidget*> saveParents; // the window each save dialog came up over
    std::vector<QFont> fontRequests; // the preset of each font dialog
    std::vector<QColor> colorRequests; // the preset of each colour dialog
    std::vector<std::pair<QWidget*, bool>> topmostCalls;
    std::vector<QUrl> openedUrls;
    std::vector<std::pair<QString, QStringList>> startedPrograms;
    int newInstanceCount = 0;
    int endCount = 0;
};

} // namespace keruna::test
