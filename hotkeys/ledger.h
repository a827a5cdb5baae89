// The hotkey registry's bookkeeping: ids, records and the count of registrations not yet withdrawn.
// Pure logic, so it reads and tests on its own.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

namespace hotkeys {

class Ledger {
public:
    static constexpr int kFirstId = 33001;

    // A registration attempt: counts it as outstanding and issues the next id, never one given before.
    int attempt();
    // The attempt with this id succeeded: presses of it go to `target`.
    void record(int id, std::uintptr_t target);
    // A withdrawal of `id` (0 and unknown ids too): forgets its record and counts one registration fewer.
    // True when none is outstanding any more.
    bool withdraw(int id);

    // Where a press of `id` goes: only ids this ledger issued and still records.
    std::optional<std::uintptr_t> target(int id) const;
    int highest() const { return kFirstId - 1 + attempts_; }
    int outstanding() const { return outstanding_; }
    std::size_t records() const { return targets_.size(); }

private:
    int attempts_ = 0;
    int outstanding_ = 0;
    std::map<int, std::uintptr_t> targets_;
};

} // namespace hotkeys
