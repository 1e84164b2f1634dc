#include "SdlEvents.h"

#include <SDL.h>

void discardPendingEvents()
{
    SDL_Event stale;
    while (SDL_PollEvent(nullptr))
        SDL_PollEvent(&stale);
}
