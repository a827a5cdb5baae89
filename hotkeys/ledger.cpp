// The hotkey registry's bookkeeping.
#include "hotkeys/ledger.h"

namespace hotkeys {

int Ledger::attempt() {
    ++outstanding_;
    ++attempts_;
    return highest();
}

void Ledger::record(int id, std::uintptr_t target) { targets_[id] = target; }

bool Ledger::withdraw(int id) {
    targets_.erase(id);
    --outstanding_;
    return outstanding_ == 0;
}

std::optional<std::uintptr_t> Ledger::target(int id) const {
    if (id < kFirstId || id > highest())
        return std::nullopt;
    auto found = targets_.find(id);
    return found == targets_.end() ? std::nullopt : std::optional{found->second};
}

} // namespace hotkeys
