#pragma once

#include <cstdint>
#include <vector>

namespace doxa::sim {

// When the answers come, in the ways a real transmitter may differ from the simulator's
// immediate answer while staying within the wait the program documents for it.
struct AnswerTiming {
    int replyDelayMs = 0;  // a slower transmitter: every answer begins this long after the request
    int chunks = 1;        // every answer arrives in this many pieces ...
    int chunkGapMs = 50;   // ... this far apart
    bool atWaitEnd = false;  // the last piece arrives at the very end of the documented wait
};

// One piece of an answer and when it arrives, in ms after the request.
struct AnswerPiece {
    std::int64_t atMs = 0;
    std::vector<std::uint8_t> bytes;
};

// The wait the program gives an answer: the line driver's turn (replyWait) and then 500 ms
// until it reads; by the request's line (HART or MODBUS at `baud`).
int documentedWaitMs(bool hart, int baud);

// Cuts `answer` into its pieces; `lateMs` (the late fault) delays them all, `waitEndMs` is when
// the wait ends for this request.
std::vector<AnswerPiece> timedPieces(const AnswerTiming& timing, std::vector<std::uint8_t> answer,
                                     int lateMs, int waitEndMs);

}  // namespace doxa::sim
