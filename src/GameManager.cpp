#include "GameManager.h"

#include "Check.h"
#include "GameGrid.h"
#include "OutcomeChecker.h"
#include "UserInterface.h"

namespace {

constexpr std::uint16_t GRID_ROWS = 5;
constexpr std::uint16_t GRID_SLOTS = 7;

}  // namespace

GameManager::GameManager(const UserInterfaceFactory& makeUserInterface)
    : running_(false),
      quit_(false),
      winner_(GAME_GOES_ON),
      currentPlayer_(nullptr),
      players_(),
      grid_(nullptr),
      checker_(nullptr),
      ui_(nullptr)
{
    players_.emplace(PLAYER_1_ID, Player{"Player 1", PLAYER_1_ID, 255, 52, 52, 'O'});
    players_.emplace(PLAYER_2_ID, Player{"Player 2", PLAYER_2_ID, 128, 128, 255, 'X'});
    players_.emplace(NO_WINNER_ID, Player{"NO_WINNER", NO_WINNER_ID, 0, 0, 0, ' '});

    // The user interface comes last: it reads the grid and the players table while it is built.
    // Its start-up errors pass on to the caller; as the destructor will then not run, the parts
    // made so far are freed here.
    try {
        grid_ = new GameGrid(GRID_ROWS, GRID_SLOTS);
        checker_ = new OutcomeChecker(grid_, LOSING_LINE_LENGTH);
        ui_ = makeUserInterface(*this);
    } catch (...) {
        delete grid_;
        delete checker_;
        throw;
    }
    QZ_CHECK(ui_);
}

GameManager::~GameManager()
{
    delete grid_;
    delete checker_;
    // The user interface goes after the grid, so its teardown must not touch the board.
    delete ui_;
}

void GameManager::run()
{
    while (!quit_)
        ui_->showMenu();
}

void GameManager::playGame()
{
    running_ = true;
    currentPlayer_ = &players_.at(PLAYER_1_ID);
    grid_->clear();
    while (running_) {
        ui_->makeMove();
        // Judged even after abandonGame() or quit(): a decided position is still shown.
        winner_ = checker_->check();
        if (winner_ != GAME_GOES_ON) {
            running_ = false;
            ui_->showWinner(players_.at(winner_));
        }
    }
}

void GameManager::abandonGame()
{
    running_ = false;
}

void GameManager::quit()
{
    running_ = false;
    quit_ = true;
}

void GameManager::dropInSlot(std::uint16_t slot)
{
    QZ_CHECK(currentPlayer_);
    // The range test comes first: a slot number from the user never reaches the grid's own check.
    if (slot < grid_->getSlots() && grid_->insertToken(slot, currentPlayer_->id)) {
        nextPlayer();
        return;
    }
    throw IllegalSlotError();
}

void GameManager::nextPlayer()
{
    currentPlayer_ = &players_.at(currentPlayer_->id == PLAYER_1_ID ? PLAYER_2_ID : PLAYER_1_ID);
}
