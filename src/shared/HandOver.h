// How two threads hand work to each other: a lock and a signal, a change
// made under the lock and announced, a wait that sleeps until a condition
// holds and then acts under the lock, and a stop both sides see.  The
// file readers and the binary writer pass rows and chunks this way.
#ifndef QZCORE_SHARED_HANDOVER_H
#define QZCORE_SHARED_HANDOVER_H

#include <condition_variable>
#include <mutex>

namespace qzCore {

class HandOver {
public:
    /// Runs `change` under the lock, then wakes every waiting thread.
    template <typename Change>
    void change(Change&& change) {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            change();
        }
        m_changed.notify_all();
    }

    /// Sleeps until `ready()` holds (checked under the lock), then gives
    /// what `then()` gives, still under the lock.
    template <typename Ready, typename Then>
    auto when(Ready&& ready, Then&& then) {
        std::unique_lock<std::mutex> lock(m_lock);
        m_changed.wait(lock, ready);
        return then();
    }

    /// From now on stopped() holds: the side that waits for work ends.
    void stop() {
        change([this] { m_stopped = true; });
    }
    /// Only under the lock (in a condition or a `then`).
    bool stopped() const { return m_stopped; }

private:
    // On a cache line of its own: the threads' own data lies beside it.
    alignas(64) std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_stopped = false;
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_HANDOVER_H
