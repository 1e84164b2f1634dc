#ifndef QUORLITZ_SDLEVENTS_H
#define QUORLITZ_SDLEVENTS_H

// Throws away every event that waits in SDL's queue: clicks and keys made before a screen appeared
// were not meant for it.
void discardPendingEvents();

#endif
