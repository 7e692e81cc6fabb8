#pragma once

#include "getlist/gettestview.h"

#include <QString>

namespace keruna {

class GetList;
class StudyEngine;

// The GET test: the range shuffled and shown once by the presentation engine; every item
// the user takes with ○ is got. It ends after the last item or with pickend, and reports
// the items got and the rate.
class GetTest {
public:
    GetTest(StudyEngine& study, GetList& list, GetTestView& view);

    bool running() const;
    // Picktest: "Ready?"; Start then runs the shuffled range.
    void start();
    // pickend, or the engine after the last item.
    void end();
    // The order option and the study controls as they were before the GET test, and
    // Picktest in place of pickend.
    void ResetGetTestControls();
    // A load while the GET test ran (a file opened, a test started): it stops without a
    // result.
    void resetDisplay();

private:
    bool hasFile() const;
    void setLocked(bool locked);

    StudyEngine& m_study;
    GetList& m_list;
    GetTestView& m_view;
    bool m_orderSaved = false; // the order option below is the user's, to be put back
    bool m_savedRandom = true;
};

// The score of a GET test: items got before the test count too, within the range.
struct GetTestScore {
    int correct = 0;
    int wrong = 0;
    int rate = 0; // whole percent, cut toward zero
};
GetTestScore getTestScore(int got, int total);
// "○7　×3　正解率70％": the items got of total, and the rate cut toward zero.
QString getTestResultText(int got, int total);

} // namespace keruna
