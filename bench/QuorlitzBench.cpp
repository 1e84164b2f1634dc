// What the player waits for, each cost measured in alternation with the floor under it, in the
// same run: a repaint of the board against a bare fill and flip of the window, a mouse motion
// through the move loop against a repaint, and start-up to the first menu frame against a minimal
// SDL program with the same window and fonts. Everything goes through the program's own classes and
// its own window; the video driver and presentation path come from the environment, as for the game.
// Run from the build directory, where data/ lies.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <SDL.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>

#include "Check.h"
#include "DataPath.h"
#include "GameGrid.h"
#include "GameManager.h"
#include "GridCells.h"
#include "ProgramEntry.h"
#include "SdlFont.h"
#include "SdlGridDrawer.h"
#include "SdlUserInterface.h"
#include "UserInterface.h"
#include "support/ScriptedInput.h"
#include "support/VideoTest.h"

namespace {

namespace input = scripted_input;

UserInterface* openWindow(GameManager& manager)
{
    return new SdlUserInterface(&manager);
}

std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

template <typename Work>
double secondsOf(Work work)
{
    const std::int64_t start = nowNs();
    work();
    return 1e-9 * static_cast<double>(nowNs() - start);
}

double median(std::vector<double> values)
{
    QZ_CHECK(!values.empty());
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// A cost and its floor, measured round by round in alternation, so that whatever else the shared
// machine does weighs on both alike; the medians leave out the rounds in which it was busiest.
// Google Benchmark's own time is that of a whole round; the counters carry the figures.
class Pairing {
public:
    void add(double cost, double floor)
    {
        costs_.push_back(cost);
        floors_.push_back(floor);
        ratios_.push_back(cost / floor);
    }

    // The names carry the unit, which scales both medians: "draw_us" with 1e6.
    void report(benchmark::State& state, const std::string& costName, const std::string& floorName,
                double unit) const
    {
        state.counters[costName] = unit * median(costs_);
        state.counters[floorName] = unit * median(floors_);
        state.counters["ratio"] = median(ratios_);
    }

private:
    std::vector<double> costs_, floors_, ratios_;
};

// The program's window and a board half full, as in the middle of a game.
struct Scene {
    GameManager& manager;
    UserInterface& window;
    SdlGridDrawer drawer;  // a second drawer of the window's board, to set repaints beside the window's work
    SDL_Surface* display;
};
Scene* scene = nullptr;

void push(SDL_Event event)
{
    QZ_CHECK_DETAIL(SDL_PushEvent(&event) == 0, SDL_GetError());
}

// 17 drops, Player 1 first: two full alternating rows and three tokens above, no line of four.
void playHalfGame(GameManager& manager)
{
    const int slots[] = {0, 1, 2, 3, 4, 5, 6, 0, 1, 2, 3, 4, 5, 6, 0, 1, 2};
    for (int slot : slots)
        push(input::clickOnSlot(slot));
    push(input::keyUp(SDLK_ESCAPE));
    manager.playGame();
    QZ_CHECK_DETAIL(tokensOn(manager.getGrid()) == 17,
                    "the move loop did not place every token of the half game");
}

// The least any repaint of the whole window costs, whatever is drawn.
void fillAndFlip()
{
    fillWith(scene->display, BLUE);
    SDL_Flip(scene->display);
}

void BM_DrawAgainstFillAndFlip(benchmark::State& state)
{
    Pairing pairing;
    for (auto _ : state) {
        const double floor = secondsOf(fillAndFlip);
        pairing.add(secondsOf([] { scene->drawer.draw(); }), floor);
    }
    pairing.report(state, "draw_us", "fill_flip_us", 1e6);
}
BENCHMARK(BM_DrawAgainstFillAndFlip)->UseRealTime()->Unit(benchmark::kMicrosecond)->Iterations(300);

// makeMove() fed 8 motions and Escape, less makeMove() fed Escape alone (its first repaint and
// the Escape), divided by 8: one motion taken from the queue, turned into a slot and shown.
void BM_MotionAgainstDraw(benchmark::State& state)
{
    const int motions = 8;
    UserInterface& window = scene->window;
    Pairing pairing;
    for (auto _ : state) {
        for (int i = 0; i < motions; ++i)
            push(input::motion(input::clickOnSlot(i % 7).button.x, 300));  // over the slot's middle
        push(input::keyUp(SDLK_ESCAPE));
        const double withMotions = secondsOf([&] { window.makeMove(); });
        push(input::keyUp(SDLK_ESCAPE));
        const double without = secondsOf([&] { window.makeMove(); });
        const double draws = secondsOf([] {
            for (int i = 0; i < motions; ++i) {
                scene->drawer.setCursor(static_cast<std::uint16_t>(i % 7));
                scene->drawer.draw();
            }
        });
        pairing.add((withMotions - without) / motions, draws / motions);
    }
    pairing.report(state, "motion_us", "draw_us", 1e6);
}
BENCHMARK(BM_MotionAgainstDraw)->UseRealTime()->Unit(benchmark::kMicrosecond)->Iterations(40);

// Start-up: this binary runs itself again in one of these modes and reports, at its first frame,
// the time since the parent started it and its resident memory.
const char* const GAME_MODE = "--first-frame-of-game";
const char* const MINIMAL_MODE = "--first-frame-of-minimal-sdl";

struct FirstFrame {
    double seconds;
    double residentMb;
};

double residentMb()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    QZ_CHECK(status);
    char line[256];
    double kb = -1;
    while (kb < 0 && std::fgets(line, sizeof line, status) != nullptr)
        if (std::strncmp(line, "VmRSS:", 6) == 0)
            kb = std::atof(line + 6);
    std::fclose(status);
    return kb / 1024;
}

// Both programs paint the window white first: the frame is the one they show.
void reportFirstFrame(const char* startNs)
{
    SDL_Surface* display = SDL_GetVideoSurface();
    QZ_CHECK(pixelAt(display, 2, 2) == shown(display, WHITE));
    std::printf("%.9f %.3f\n", 1e-9 * static_cast<double>(nowNs() - std::atoll(startNs)), residentMb());
    std::fflush(stdout);
}

// The game's own start, through its main's body, up to its first wait for input in the menu.
int gameToFirstFrame(const char* startNs)
{
    input::InputScript script;
    script.watch([&](Uint32) {
        if (script.pauses().size() == 1)
            reportFirstFrame(startNs);
    });
    script.then({input::quitRequest()});
    return runProgram(openWindow, std::cout);
}

// The least an SDL 1.2 program with this window pays: the same mode and caption, the same font at
// the menu's three sizes, one white frame.
int minimalSdlToFirstFrame(const char* startNs)
{
    QZ_CHECK_DETAIL(SDL_Init(SDL_INIT_VIDEO) == 0, SDL_GetError());
    SDL_Surface* display =
        SDL_SetVideoMode(640, 480, 16, SDL_HWSURFACE | SDL_DOUBLEBUF | SDL_ANYFORMAT | SDL_RLEACCEL);
    QZ_CHECK_DETAIL(display, SDL_GetError());
    SDL_WM_SetCaption("Quorlitz", nullptr);
    QZ_CHECK_DETAIL(TTF_Init() == 0, TTF_GetError());
    std::vector<TTF_Font*> fonts;
    for (int points : {LARGE_POINTS, MEDIUM_POINTS, SMALL_POINTS}) {
        fonts.push_back(TTF_OpenFont(dataPath(GAME_FONT).c_str(), points));
        QZ_CHECK_DETAIL(fonts.back(), TTF_GetError());
    }
    fillWith(display, WHITE);
    SDL_Flip(display);
    reportFirstFrame(startNs);
    for (TTF_Font* font : fonts)
        TTF_CloseFont(font);
    TTF_Quit();
    SDL_Quit();
    return 0;
}

FirstFrame startUp(const char* mode)
{
    int reply[2];
    QZ_CHECK(pipe(reply) == 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, reply[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, reply[0]);
    char self[] = "/proc/self/exe";
    std::string start = std::to_string(nowNs());
    char* argv[] = {self, const_cast<char*>(mode), &start[0], nullptr};
    pid_t child = 0;
    QZ_CHECK(posix_spawn(&child, self, &actions, nullptr, argv, environ) == 0);
    posix_spawn_file_actions_destroy(&actions);
    close(reply[1]);

    FirstFrame frame = {0, 0};
    std::FILE* in = fdopen(reply[0], "r");
    QZ_CHECK(std::fscanf(in, "%lf %lf", &frame.seconds, &frame.residentMb) == 2);
    std::fclose(in);
    int status = 0;
    QZ_CHECK(waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return frame;
}

void BM_StartUpAgainstMinimalSdl(benchmark::State& state)
{
    Pairing pairing;
    std::vector<double> gameMb, minimalMb;
    for (auto _ : state) {
        const FirstFrame minimal = startUp(MINIMAL_MODE);
        const FirstFrame game = startUp(GAME_MODE);
        pairing.add(game.seconds, minimal.seconds);
        gameMb.push_back(game.residentMb);
        minimalMb.push_back(minimal.residentMb);
    }
    pairing.report(state, "game_ms", "minimal_ms", 1e3);
    state.counters["game_rss_MB"] = median(gameMb);
    state.counters["minimal_rss_MB"] = median(minimalMb);
}
BENCHMARK(BM_StartUpAgainstMinimalSdl)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(9);

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], GAME_MODE) == 0)
        return gameToFirstFrame(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], MINIMAL_MODE) == 0)
        return minimalSdlToFirstFrame(argv[2]);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    UserInterface* window = nullptr;
    GameManager manager([&window](GameManager& owner) { return window = openWindow(owner); });
    playHalfGame(manager);
    const std::map<std::int32_t, Player>& players = manager.getPlayers();
    SDL_Surface* display = SDL_GetVideoSurface();
    Scene theScene = {
        manager, *window,
        SdlGridDrawer(manager.getGrid(), players.at(PLAYER_1_ID), players.at(PLAYER_2_ID), display), display};
    scene = &theScene;
    char driver[32] = "";
    benchmark::AddCustomContext("sdl_video_driver", SDL_VideoDriverName(driver, sizeof driver));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
