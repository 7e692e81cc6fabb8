#pragma once

#include "mainscreen/testkind.h"
#include "quiz/testtypes.h"

#include <QString>

#include <utility>

namespace keruna {

// What the learner sees of a test beyond the card, in the test engine's words. The card,
// the timer bar, speech and the study options a test shares with study go through the
// study engine's view. The main screen implements both.
class TestView {
public:
    virtual ~TestView() = default;

    // The test's own choices as they stand on the screen.
    virtual bool listeningChosen() const = 0;
    virtual bool testReversed() const = 0;
    virtual QString testSeconds() const = 0;
    virtual QString lowestBound() const = 0;
    virtual QString highestBound() const = 0;
    virtual int studySpeedIndex() const = 0; // the study speed box's choice
    virtual bool typingBoxShown() const = 0;
    virtual bool typingBoxOpen() const = 0; // shown and enabled

    // The set-up dialog's choices on the screen, and study's own put back after the test.
    virtual void showTestChoice(const TestChoice& choice) = 0;
    virtual void restoreStudyChoices(bool random, bool reverse, bool speech) = 0;
    virtual void showNumberBounds(const QString& lowest, const QString& highest) = 0;
    virtual void showTestSeconds(const QString& seconds) = 0;
    // The card emptied with its numbers; laid out for numbers or for words.
    virtual void clearCardAndNumbers() = 0;
    virtual void alignCardForNumbers(bool numbers) = 0;

    // The test's panel for its kind and input mode, and the main controls it locks.
    virtual void layoutTestInputs(TestKind kind, bool typed, bool typingOpen) = 0;
    virtual void lockStudyControls(bool manual) = 0;
    virtual void unlockStudyControls() = 0;
    // The GET panel's own commands, which would act on a test's judgements.
    virtual void showGetListCommands(bool shown) = 0;
    // A manual test's buttons: the answer check, the judgements, skip.
    virtual void enableManualButtons(bool reveal, bool judge) = 0;
    virtual void enableManualSkip(bool enabled) = 0;
    virtual void markTypingTaken() = 0; // the item was taken: its mark, without an echo
    virtual void focusTypingBox() = 0;
    virtual void focusGetList() = 0;
    virtual void showScore(const QString& score, const QString& progress) = 0;
    virtual void showResultScore(const QString& range, int correct, int wrong, int rate) = 0;
    // The test's panel taken down at its end, then what stays: the end's words, the
    // results button.
    virtual void takeDownTestPanel() = 0;
    virtual void showTestEnded() = 0;
    virtual void showResultsButton() = 0;
    // A finished test's results gone from the screen.
    virtual void hideTestResults() = 0;
    virtual void relayout() = 0;

    // The rest of the program around a test.
    virtual bool getListOutside() const = 0;
    // Appends a judged item to the GET list and selects it; false when it was there already.
    virtual bool appendJudged(const QString& key, bool red, int line) = 0;
    virtual void checkSelectedGetEntry() = 0;
    // Checked and unchecked entries of the GET list shown now, or of the test list after
    // the test.
    virtual std::pair<int, int> judgedCounts(bool afterTest) const = 0;
    virtual bool testListEmpty() const = 0;
    virtual void reloadProblemData() = 0; // the test's list is kept
    virtual void testEnded() = 0; // the score final (also of a test cut short)
    virtual void clearTestList() = 0; // the GET list and the test's list behind it
    virtual void closeDatabaseScreen() = 0;
    virtual void showResults() = 0;
};

} // namespace keruna
