#pragma once
// When a close request may be carried out. While work runs that the shutdown would tear down
// under it (the start-up sequence, an export run), a request is remembered and carried out
// once the work has ended; while the shutdown runs (its pumps dispatch input), further
// requests are dropped, so that it runs once.

#include <functional>
#include <utility>

namespace qrv {

class TCloseGate {
public:
    enum class TState { open, closePending, closing, closed };

    // carryOut is called when a remembered request is due: the last work has ended.
    explicit TCloseGate(std::function<void()> carryOut) : carryOut_(std::move(carryOut)) {}

    // True when the caller must run the shutdown now (the gate is then closing).
    bool RequestClose();
    // The shutdown has run.
    void Closed() { state_ = TState::closed; }

    TState State() const { return state_; }
    bool ClosePending() const { return state_ == TState::closePending; }
    // The shutdown has begun (or is over).
    bool ShuttingDown() const { return state_ == TState::closing || state_ == TState::closed; }
    bool Busy() const { return work_ > 0; }

    // Work during which a close is deferred; the scope of one piece of work.
    class TWork {
    public:
        explicit TWork(TCloseGate& gate) : gate_(gate) { ++gate_.work_; }
        ~TWork() { gate_.EndWork(); }
        TWork(const TWork&) = delete;
        TWork& operator=(const TWork&) = delete;

    private:
        TCloseGate& gate_;
    };

private:
    void EndWork();

    std::function<void()> carryOut_;
    TState state_ = TState::open;
    int work_ = 0;
};

} // namespace qrv
