#include "BenchScene.h"

#include "Check.h"
#include "GameGrid.h"
#include "GameManager.h"
#include "SdlUserInterface.h"

const std::vector<std::uint16_t> HALF_FULL_DROPS = {0, 1, 2, 3, 4, 5, 6, 0, 1, 2, 3, 4, 5, 6, 0, 1, 2};

namespace {

const int SLOT_WIDTH = 640 / 7;

void push(SDL_Event& event)
{
    QZ_CHECK_DETAIL(SDL_PushEvent(&event) == 0, SDL_GetError());
}

int countTokens(const GameGrid& grid)
{
    int tokens = 0;
    for (int slot = 0; slot < grid.getSlots(); ++slot)
        for (int row = 0; row < grid.getRows(); ++row)
            tokens += grid.getCell(slot, row) != 0 ? 1 : 0;
    return tokens;
}

}  // namespace

void fillHalfFull(GameGrid& grid)
{
    grid.clear();
    std::int32_t id = 1;
    for (std::uint16_t slot : HALF_FULL_DROPS) {
        QZ_CHECK(grid.insertToken(slot, id));
        id = id == 1 ? 5 : 1;
    }
}

GameWindow::GameWindow()
    : manager_(nullptr), ui_(nullptr)
{
    manager_ = new GameManager([this](GameManager& manager) -> UserInterface* {
        ui_ = new SdlUserInterface(&manager);
        return ui_;
    });
}

GameWindow::~GameWindow()
{
    delete manager_;
}

SDL_Surface* GameWindow::display() const
{
    SDL_Surface* display = SDL_GetVideoSurface();
    QZ_CHECK(display);
    return display;
}

void GameWindow::playHalfGame()
{
    for (std::uint16_t slot : HALF_FULL_DROPS)
        pushLeftRelease(slotCentreX(slot), 240);
    pushKeyRelease(SDLK_ESCAPE);
    manager_->playGame();
    QZ_CHECK_DETAIL(countTokens(manager_->getGrid()) == static_cast<int>(HALF_FULL_DROPS.size()),
                    "the move loop did not place every token of the half game");
}

int slotCentreX(std::uint16_t slot)
{
    return slot * SLOT_WIDTH + SLOT_WIDTH / 2;
}

void pushMouseMotion(int x, int y)
{
    SDL_Event event = {};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
    push(event);
}

void pushLeftRelease(int x, int y)
{
    SDL_Event event = {};
    event.type = SDL_MOUSEBUTTONUP;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = SDL_RELEASED;
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
    push(event);
}

void pushKeyRelease(SDLKey key)
{
    SDL_Event event = {};
    event.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    event.key.keysym.sym = key;
    push(event);
}

void fillAndFlip(SDL_Surface* display, Uint32 colour)
{
    SDL_FillRect(display, nullptr, colour);
    SDL_Flip(display);
}

std::string videoDriverName()
{
    char name[64] = "";
    if (SDL_VideoDriverName(name, sizeof name) == nullptr)
        return "none";
    return name;
}
