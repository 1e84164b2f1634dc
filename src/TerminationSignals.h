#ifndef QUORLITZ_TERMINATIONSIGNALS_H
#define QUORLITZ_TERMINATIONSIGNALS_H

#include <signal.h>

// SIGINT (Ctrl+C in the terminal) and SIGTERM (the session ending) end the program from every
// screen. SDL turns both into the same quit request as a window close, which the outcome screen
// takes as "end this screen" and which a screen's emptying of the queue throws away; so while a
// watch lives, the signals only raise a flag of their own, which every loop of the front end reads.
// Start the watch after SDL's video subsystem: SDL puts its handlers in place then, and gets them
// back when the watch ends.
class TerminationSignals {
public:
    TerminationSignals();
    ~TerminationSignals();

    // Whether SIGINT or SIGTERM came since the last watch began.
    static bool received();

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    struct sigaction previousInterrupt_;
    struct sigaction previousTermination_;
};

#endif
