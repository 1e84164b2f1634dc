#ifndef QUORLITZ_TESTS_SUPPORT_TTFSPY_H
#define QUORLITZ_TESTS_SUPPORT_TTFSPY_H

#include <string>

// The test binary defines TTF_Init, TTF_OpenFont, TTF_CloseFont and TTF_Quit itself. Its
// definitions take the place of SDL_ttf's for every caller, the program's code included, and pass
// each call on to the library's own, so that tests can watch what the font system asks of SDL_ttf
// and make its start fail, with no hook in the program.
namespace ttf_spy {

// The next TTF_Init fails as SDL_ttf's does when FreeType cannot start.
void failNextInit();

// TTF_OpenFont calls so far, successful or not.
int openCount();

// The TTF_CloseFont and TTF_Quit calls so far, in order, e.g.
// "close data/Efont_Serif.ttf 14; quit", each font named by the file and size it was opened with.
std::string closingTrace();

}  // namespace ttf_spy

#endif
