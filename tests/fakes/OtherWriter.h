#pragma once
#include <gtest/gtest.h>

#include "Dialogs.h"
#include "basParam.h"
#include "basResults.h"

// Another copy of the program sharing the results file: it records a target
// game score of 4321 while the store under test is open. Every writer must
// reread the file before it changes and saves it, so the score survives.
namespace otherwriter {

constexpr int32_t kScore = 4321;

inline void recordMeanwhile(basParam& param, Dialogs& dialogs) {
    basResults other(param, dialogs);
    other.ReloadResults();
    other.AddTargetScore(kScore);
    ASSERT_TRUE(other.SaveResults());
}

inline bool scoreSurvived(basParam& param, Dialogs& dialogs) {
    basResults reread(param, dialogs);
    return reread.LoadResults() && reread.GetTargetScore(0) == kScore;
}

}  // namespace otherwriter
