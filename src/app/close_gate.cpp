#include "app/close_gate.h"

namespace qrv {

bool TCloseGate::RequestClose() {
    switch (state_) {
    case TState::closing:
    case TState::closed:
        return false;
    case TState::open:
    case TState::closePending:
        if (work_ > 0) {
            state_ = TState::closePending;
            return false;
        }
        state_ = TState::closing;
        return true;
    }
    return false;
}

void TCloseGate::EndWork() {
    --work_;
    if (work_ == 0 && state_ == TState::closePending && carryOut_) {
        carryOut_();
    }
}

} // namespace qrv
