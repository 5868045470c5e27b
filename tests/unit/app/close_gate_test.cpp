#include "app/close_gate.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

class CloseGateTest : public ::testing::Test {
protected:
    int carriedOut = 0;
    TCloseGate gate{[this] { ++carriedOut; }};
};

TEST_F(CloseGateTest, ARequestWithoutWorkClosesAtOnceAndOnlyOnce) {
    EXPECT_TRUE(gate.RequestClose());
    EXPECT_EQ(gate.State(), TCloseGate::TState::closing);
    EXPECT_FALSE(gate.RequestClose()); // a request while the shutdown pumps
    gate.Closed();
    EXPECT_FALSE(gate.RequestClose());
    EXPECT_EQ(carriedOut, 0);
}

TEST_F(CloseGateTest, RequestsDuringWorkAreCarriedOutOnceWhenTheLastWorkEnds) {
    {
        const TCloseGate::TWork startUp(gate);
        EXPECT_FALSE(gate.RequestClose());
        EXPECT_TRUE(gate.ClosePending());
        {
            const TCloseGate::TWork nested(gate);
            EXPECT_FALSE(gate.RequestClose());
        }
        EXPECT_EQ(carriedOut, 0); // work still runs
    }
    EXPECT_EQ(carriedOut, 1);
    // The remembered request arrives again and now closes.
    EXPECT_TRUE(gate.RequestClose());
    EXPECT_FALSE(gate.RequestClose());
}

TEST_F(CloseGateTest, WorkWithoutARequestCarriesNothingOut) {
    {
        const TCloseGate::TWork run(gate);
        EXPECT_TRUE(gate.Busy());
    }
    EXPECT_FALSE(gate.Busy());
    EXPECT_EQ(carriedOut, 0);
    EXPECT_EQ(gate.State(), TCloseGate::TState::open);
}

} // namespace
} // namespace qrv
