#include "FakeProcesses.h"

#include <memory>

namespace {

class TFakeProcess : public TProcess
{
public:
    TFakeProcess(TFakeProcesses& owner, int id, int pollsToEnd)
        : m_owner(owner), m_id(id), m_pollsLeft(pollsToEnd)
    {
    }
    int Id() const override { return m_id; }
    void WaitBlocking() override
    {
        ++m_owner.BlockingWaits;
        m_pollsLeft = 0;
    }
    bool HasEnded() override
    {
        ++m_owner.Polls;
        if (m_pollsLeft > 0) {
            --m_pollsLeft;
            return false;
        }
        return true;
    }

private:
    TFakeProcesses& m_owner;
    int m_id;
    int m_pollsLeft;
};

} // namespace

TStartResult TFakeProcesses::Start(const TProcessStart& start)
{
    Starts.push_back(start);
    TOutcome outcome;
    if (!Outcomes.empty()) {
        outcome = Outcomes.front();
        Outcomes.pop_front();
    }
    TStartResult result;
    if (outcome.ErrorCode != 0) {
        result.ErrorCode = outcome.ErrorCode;
        return result;
    }
    if (outcome.OnRun)
        outcome.OnRun();
    result.Process =
        std::make_unique<TFakeProcess>(*this, 1000 + static_cast<int>(Starts.size()), outcome.PollsToEnd);
    return result;
}

bool TFakeProcesses::ProcessPendingEvents()
{
    ++EventCalls;
    return QuitOnEventCall == 0 || EventCalls != QuitOnEventCall;
}
