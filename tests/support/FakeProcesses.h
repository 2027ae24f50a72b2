#pragma once
// Recording process service for tests: no process is created; each start answers from a script.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Processes.h"

class TFakeProcesses : public TProcesses
{
public:
    // How one scripted start turns out.
    struct TOutcome
    {
        int ErrorCode = 0;           // non-zero: the start fails with this code
        int PollsToEnd = 0;          // HasEnded answers false this many times first
        std::function<void()> OnRun; // runs when the process "runs" (at start), e.g. to write output files
    };
    static TOutcome Failing(int errorCode)
    {
        TOutcome outcome;
        outcome.ErrorCode = errorCode;
        return outcome;
    }
    static TOutcome EndingAfter(int polls)
    {
        TOutcome outcome;
        outcome.PollsToEnd = polls;
        return outcome;
    }

    TStartResult Start(const TProcessStart& start) override;
    bool ProcessPendingEvents() override;
    void WaitWithoutInput(TProcess& process) override
    {
        ++QuietWaits;
        process.WaitBlocking();
    }

    // Script: one outcome per start, in order; when empty a start succeeds and the process ends at once.
    std::deque<TOutcome> Outcomes;
    // ProcessPendingEvents answers false (quit) on this call number (1-based); 0 never.
    int QuitOnEventCall = 0;

    // Record.
    std::vector<TProcessStart> Starts;
    int EventCalls = 0;
    int BlockingWaits = 0;
    int QuietWaits = 0;
    int Polls = 0;
};
