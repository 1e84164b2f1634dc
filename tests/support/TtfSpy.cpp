#include "TtfSpy.h"

#include <map>

#include <SDL_ttf.h>
#include <dlfcn.h>

namespace {

bool initMustFail = false;
int opens = 0;
std::map<const TTF_Font*, std::string> openedAs;
std::string trace;

// SDL_ttf's own definition: the next one after ours in the lookup order.
template <typename Function>
Function library(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

void record(const std::string& call)
{
    trace += (trace.empty() ? "" : "; ") + call;
}

}  // namespace

void ttf_spy::failNextInit() { initMustFail = true; }
int ttf_spy::openCount() { return opens; }
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

TTF_Font* TTF_OpenFont(const char* file, int ptsize)
{
    static const auto open = library<TTF_Font* (*)(const char*, int)>("TTF_OpenFont");
    ++opens;
    TTF_Font* font = open(file, ptsize);
    if (font != nullptr)
        openedAs[font] = std::string(file) + " " + std::to_string(ptsize);
    return font;
}

void TTF_CloseFont(TTF_Font* font)
{
    static const auto close = library<void (*)(TTF_Font*)>("TTF_CloseFont");
    const auto known = openedAs.find(font);
    record("close " + (known != openedAs.end() ? known->second : std::string("an unknown font")));
    if (known != openedAs.end())
        openedAs.erase(known);
    close(font);
}

void TTF_Quit(void)
{
    static const auto quit = library<void (*)()>("TTF_Quit");
    record("quit");
    quit();
}

}  // extern "C"
