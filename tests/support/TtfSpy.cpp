#include "TtfSpy.h"

#include <SDL_ttf.h>
#include <dlfcn.h>

namespace {

bool initMustFail = false;
std::string trace;

// SDL_ttf's own definition: the next one after ours in the lookup order.
template <typename Function>
Function library(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

void record(const char* call)
{
    trace += (trace.empty() ? "" : "; ") + std::string(call);
}

}  // namespace

void ttf_spy::failNextInit() { initMustFail = true; }
std::string ttf_spy::closingTrace() { return trace; }

extern "C" {

int TTF_Init(void)
{
    if (initMustFail) {
        initMustFail = false;
        TTF_SetError("Couldn't init FreeType engine");
        return -1;
    }
    static const auto init = library<int (*)()>("TTF_Init");
    return init();
}

void TTF_CloseFont(TTF_Font* font)
{
    static const auto close = library<void (*)(TTF_Font*)>("TTF_CloseFont");
    record("close");
    close(font);
}

void TTF_Quit(void)
{
    static const auto quit = library<void (*)()>("TTF_Quit");
    record("quit");
    quit();
}

}  // extern "C"
