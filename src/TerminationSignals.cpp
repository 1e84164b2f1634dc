#include "TerminationSignals.h"

#include "Check.h"

namespace {

volatile sig_atomic_t signalReceived = 0;

// Only what a handler may do at any moment: store to a flag.
extern "C" void noteTerminationSignal(int)
{
    signalReceived = 1;
}

}  // namespace

TerminationSignals::TerminationSignals() : previousInterrupt_(), previousTermination_()
{
    signalReceived = 0;
    struct sigaction action = {};
    action.sa_handler = noteTerminationSignal;
    sigemptyset(&action.sa_mask);
    // Restarted calls: a signal during the window system's read must not turn into its error.
    action.sa_flags = SA_RESTART;
    QZ_CHECK(sigaction(SIGINT, &action, &previousInterrupt_) == 0);
    QZ_CHECK(sigaction(SIGTERM, &action, &previousTermination_) == 0);
}

TerminationSignals::~TerminationSignals()
{
    sigaction(SIGINT, &previousInterrupt_, nullptr);
    sigaction(SIGTERM, &previousTermination_, nullptr);
}

bool TerminationSignals::received()
{
    return signalReceived != 0;
}
