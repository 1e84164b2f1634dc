#ifndef QUORLITZ_TESTS_SUPPORT_TTFSPY_H
#define QUORLITZ_TESTS_SUPPORT_TTFSPY_H

#include <string>

// The test binary defines TTF_Init, TTF_CloseFont and TTF_Quit itself. Its definitions take the
// place of SDL_ttf's for every caller, the program's code included, and pass each call on to the
// library's own, so that tests can watch how the font system shuts SDL_ttf down and make its start
// fail, with no hook in the program.
namespace ttf_spy {

// The next TTF_Init fails as SDL_ttf's does when FreeType cannot start.
void failNextInit();

// The TTF_CloseFont and TTF_Quit calls so far, in order, e.g. "close; close; quit".
std::string closingTrace();

}  // namespace ttf_spy

#endif
