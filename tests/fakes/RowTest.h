#pragma once
#include <gtest/gtest.h>

// The fixture of a test run once for each row of a table (TEST_P): `row` is
// the row at hand. Fixture is the fixture the test builds on, if any.
template <typename Row, typename Fixture = ::testing::Test>
class RowTest : public Fixture, public ::testing::WithParamInterface<Row> {
protected:
    const Row& row = this->GetParam();
};
