// The change notification of the results store, and the watch windows use
// to refresh from it.
#include <QCoreApplication>
#include <QObject>
#include <memory>
#include <vector>

#include "ResultsFixture.h"
#include "ResultsWatch.h"

namespace {

class ResultsChangesTest : public ResultsTest {
protected:
    ResultsChangesTest() {
        id = results.addListener([this](ResultsChange c) { heard.push_back(c); });
    }
    std::vector<ResultsChange> heard;
    int id = 0;
};

TEST_F(ResultsChangesTest, WritersCycleAndRunAreHeardReadersAreNot) {
    results.ReloadResults();
    results.AddTestTime(2, 30);
    results.AddTestMiss(2, 1);
    ASSERT_TRUE(results.SaveResults());
    results.ClearTestResults();
    results.CommitRun();
    EXPECT_EQ(heard, (std::vector<ResultsChange>{ResultsChange::Reloaded, ResultsChange::Saved, ResultsChange::Erased,
                                                 ResultsChange::RunCommitted}));
    heard.clear();
    ASSERT_TRUE(results.LoadResults());  // what a listener calls to refresh
    EXPECT_TRUE(heard.empty());
}

TEST_F(ResultsChangesTest, AListenerMayLeaveWhileBeingTold) {
    int other = 0;
    int second = 0;
    other = results.addListener([&](ResultsChange) {
        results.removeListener(other);
        results.removeListener(id);  // the first listener, already told this time
    });
    results.addListener([&](ResultsChange) { ++second; });
    results.CommitRun();
    results.CommitRun();
    EXPECT_EQ(heard.size(), 1u);
    EXPECT_EQ(second, 2);
}

TEST_F(ResultsChangesTest, WatchRefreshesOnceAfterEachCycleAndStopsWithItsOwner) {
    auto owner = std::make_unique<QObject>();
    int refreshes = 0;
    auto* watch = new ResultsWatch(
        results, {ResultsChange::Saved, ResultsChange::Erased}, [&] { ++refreshes; }, owner.get());
    results.ReloadResults();  // not watched
    QCoreApplication::processEvents();
    EXPECT_EQ(refreshes, 0);
    results.ClearTestResults();
    ASSERT_TRUE(results.SaveResults());
    EXPECT_EQ(refreshes, 0) << "never inside the writer's cycle";
    EXPECT_TRUE(watch->pending());
    QCoreApplication::processEvents();
    EXPECT_EQ(refreshes, 1) << "erase and save make one refresh";
    ASSERT_TRUE(results.SaveResults());
    QCoreApplication::processEvents();
    EXPECT_EQ(refreshes, 2) << "every later cycle refreshes too";
    owner.reset();
    ASSERT_TRUE(results.SaveResults());
    QCoreApplication::processEvents();
    EXPECT_EQ(refreshes, 2);
}

}  // namespace
