#pragma once

#include <QString>

#include <optional>

namespace keruna {

// What the learner sees of a GET test, in its own words. The main screen implements it.
class GetTestView {
public:
    virtual ~GetTestView() = default;

    virtual void showCard(const QString& question, const QString& answer) = 0;
    // The order option: random or ascending.
    virtual bool randomOrder() const = 0;
    virtual void setOrder(bool random) = 0;
    // pickend while it runs, Picktest otherwise.
    virtual void showGetTestRunning(bool running) = 0;
    // The order options, the range box and their menus, which would change the test.
    virtual void lockOrderAndRange(bool locked) = 0;
    // The result label with text, or hidden (nullopt); the test result's erase button goes.
    virtual void showGetTestResult(const std::optional<QString>& text) = 0;
    virtual void clearGetTestResult() = 0; // hidden and empty
    virtual void hideGetTestPicture() = 0;
    // The external screen follows the main screen's GET panel.
    virtual void mirrorOnExternalScreen() = 0;
    virtual void focusGetList() = 0;

    virtual bool testActive() const = 0;
    // Loads the word list again keeping the range and the GET list (the items got).
    virtual void reloadKeepingList() = 0;
    // A GET test ended with a result: the items got, the range's size, how many were shown.
    virtual void getTestEnded(int got, int total, int shown) = 0;
};

} // namespace keruna
