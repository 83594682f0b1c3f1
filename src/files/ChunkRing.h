// The binary writer's hand-over of chunks between threads: a helper
// thread puts chunks of records together ahead of the writer, which writes
// every chunk in order.
#ifndef QZCORE_SRC_FILES_CHUNKRING_H
#define QZCORE_SRC_FILES_CHUNKRING_H

#include <cstddef>
#include <exception>
#include <memory>

#include "shared/HandOver.h"

namespace qzCore {

// Records a chunk of the binary writer holds.
constexpr std::size_t Binary_Chunk_Records = 8192;

// A chunk of records put together.
struct ChunkBuffer {
    std::unique_ptr<char[]> room;
    std::size_t size = 0;
};

// The chunks a helper thread puts together ahead of the writer: slot
// (chunk % Slots) holds a chunk until the writer has written it.
class ChunkRing {
public:
    static constexpr std::size_t Slots = 4;

    /// Chunks the writing thread puts together itself: one in three.
    static bool mine(std::size_t chunk) { return chunk % 3 == 0; }

    /// The helper: every chunk not the writer's, in order.
    template <typename Put>
    void run(std::size_t chunks, Put& put) {
        for (std::size_t chunk = 0; chunk < chunks; ++chunk) {
            if (mine(chunk)) continue;
            Slot& s = m_slots[chunk % Slots];
            if (!m_hand.when([&] { return m_hand.stopped() || s.state == Free; },
                             [&] { return !m_hand.stopped(); })) {
                return;
            }
            try {
                put(chunk, s.buffer);
            } catch (...) {
                s.thrown = std::current_exception();
            }
            m_hand.change([&] {
                s.chunk = chunk;
                s.state = Ready;
            });
            if (s.thrown) return;
        }
    }
    /// The writer: chunk `chunk` once it is ready.
    const ChunkBuffer& take(std::size_t chunk) {
        Slot& s = m_slots[chunk % Slots];
        m_hand.when([&] { return s.state == Ready && s.chunk == chunk; }, [] {});
        if (s.thrown) std::rethrow_exception(s.thrown);
        return s.buffer;
    }
    void giveBack(std::size_t chunk) {
        m_hand.change([&] { m_slots[chunk % Slots].state = Free; });
    }
    void stop() { m_hand.stop(); }

private:
    enum State { Free, Ready };
    struct Slot {
        ChunkBuffer buffer;
        std::size_t chunk = 0;
        State state = Free;
        std::exception_ptr thrown;
    };
    Slot m_slots[Slots];
    HandOver m_hand;
};

}  // namespace qzCore

#endif  // QZCORE_SRC_FILES_CHUNKRING_H
