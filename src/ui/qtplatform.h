#pragma once

#include "ui/platform.h"

#include <functional>

namespace keruna {

class QtPlatform final : public Platform {
public:
    // programFolder: where Settei.ini lives; the executable's folder unless given.
    explicit QtPlatform(QString programFolder = {});

    MessageResult showMessage(QWidget* parent, const QString& text, MessageIcon icon,
        MessageButtons buttons, const QString& title) override;
    std::optional<QString> chooseOpenFile(QWidget* parent, const OpenFileRequest& request) override;
    std::optional<QString> chooseSaveFile(QWidget* parent, const SaveFileRequest& request) override;
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    void setTopmost(QWidget* window, bool topmost) override;
    QRect screenGeometry(const QWidget* window) const override;
    bool openUrl(const QUrl& url) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool startNewInstance() override;
    QString programFolder() const override { return m_programFolder; }
    // Once the event loop runs, the program ends here and now: whoever asks has saved what
    // must be kept, and hiding and tearing down the windows (with a screen reader's
    // bridge relaying every change of a 20,000-row list) is time the user waits for
    // nothing. lastWords runs first (our own streams, the session folder).
    void endProgram() override;
    std::function<void()> lastWords;
    bool endRequested() const override { return m_endRequested; }

private:
    QString m_programFolder;
    bool m_endRequested = false;
};

} // namespace keruna
