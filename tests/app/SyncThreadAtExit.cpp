// Returns from main while the program's sync thread pauses between two attempts. Exits with 0
// when that thread's object is still there after the static objects' destruction, 3 when it
// was torn down beneath the running thread. Linked with the loopback server list, where the
// attempts fail at once.
#include "app/Globals.h"

#include <cstdlib>

namespace {

// Constructed before, and so destroyed after, every other static object: the last look before
// the process ends. The thread pauses 0.7 s after each failure, so it is still running.
struct LastLook {
    ~LastLook() {
        if (g_syncTimeThread.IsFinished())
            std::_Exit(3);
    }
};
__attribute__((init_priority(101))) LastLook lastLook;

} // namespace

int main() {
    if (FAILED(g_syncTimeThread.Start()))
        return 2;
    // Into the pause after the first failed attempt.
    ::Sleep(200);
    return 0;
}
