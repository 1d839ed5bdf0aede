// The choice gate: a test-and-set that refuses a nested entry and signals the end of the question.
#include <gtest/gtest.h>

#include "download/choice_gate.h"

class ChoiceGate : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitializeCriticalSection(&csChoiceGate);
        bChoiceBusy = 0;
        hChoiceDoneEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
    void TearDown() override
    {
        CloseHandle(hChoiceDoneEvent);
        hChoiceDoneEvent = nullptr;
        DeleteCriticalSection(&csChoiceGate);
    }
};

TEST_F(ChoiceGate, RefusesANestedEntryOnTheSameThread)
{
    ASSERT_TRUE(TryEnterChoiceGate());
    EXPECT_FALSE(TryEnterChoiceGate());
    EXPECT_FALSE(IsEventSignalled(hChoiceDoneEvent));
    LeaveChoiceGate();
    EXPECT_TRUE(IsEventSignalled(hChoiceDoneEvent));
    EXPECT_TRUE(TryEnterChoiceGate());
    LeaveChoiceGate();
}

TEST_F(ChoiceGate, LeavingAGateNotTakenSignalsNothing)
{
    LeaveChoiceGate();
    EXPECT_FALSE(IsEventSignalled(hChoiceDoneEvent));
}

TEST_F(ChoiceGate, ResetEventHoldsSuccessBackUntilTheNextLeave)
{
    ASSERT_TRUE(TryEnterChoiceGate());
    LeaveChoiceGate();
    ResetEvent(hChoiceDoneEvent);   // what a new attempt does
    EXPECT_FALSE(IsEventSignalled(hChoiceDoneEvent));
    ASSERT_TRUE(TryEnterChoiceGate());
    LeaveChoiceGate();
    EXPECT_TRUE(IsEventSignalled(hChoiceDoneEvent));
}

TEST_F(ChoiceGate, NoEventIsNeverSignalled)
{
    EXPECT_FALSE(IsEventSignalled(nullptr));
}
