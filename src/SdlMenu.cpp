#include "SdlMenu.h"

#include <cstdint>
#include <utility>

#include "Check.h"
#include "SdlEvents.h"
#include "SdlFont.h"
#include "SdlHelper.h"
#include "TerminationSignals.h"

namespace {

constexpr int ROW_GAP = 10;
const char* const CREDITS_TEXT = "-- Quorlitz --\n2025 - 2026\nby the Quorlitz team";

// Pause between two empty looks at the event queue: the menu only waits for the user.
constexpr Uint32 IDLE_PAUSE_MS = 10;

// Every row is counted at the first entry's highlighted height, whichever entry is highlighted,
// so the column's top edge stays put while the highlight moves.
template <typename Entries>
int heightNeededFor(const Entries& entries)
{
    return (entries.front().highlightedImage->h + ROW_GAP) * static_cast<int>(entries.size());
}

// Walks the column of entries top to bottom as it is drawn: visit(index, image, rect) gets each
// entry's image (the highlighted one for the selected entry) and where it goes; the walk stops
// early when visit returns false. Rows advance by the height of the image actually drawn.
template <typename Entries, typename Visit>
void walkColumn(const Entries& entries, std::size_t selected, const SDL_Surface& surface, int heightNeeded,
                Visit visit)
{
    int top = surface.h / 2 - heightNeeded / 2;
    for (std::size_t index = 0; index < entries.size(); ++index) {
        SDL_Surface* image = index == selected ? entries[index].highlightedImage : entries[index].normalImage;
        SDL_Rect rect = rectAt(surface.w / 2 - image->w / 2, top, image->w, image->h);
        if (!visit(index, image, rect))
            return;
        top += image->h + ROW_GAP;
    }
}

}  // namespace

SdlMenu::SdlMenu(SDL_Surface* surface, int quitId)
    : entries_(),
      selected_(0),
      quitId_(quitId),
      surface_(surface),
      credits_(nullptr),
      bigFont_(nullptr),
      smallFont_(nullptr),
      isDisplay_(surface == SDL_GetVideoSurface())
{
    bigFont_ = SdlFontManager::instance().getFont(GAME_FONT, LARGE_POINTS);
    smallFont_ = SdlFontManager::instance().getFont(GAME_FONT, MEDIUM_POINTS);
    // Last, so that a font that fails to load leaves nothing behind to free.
    credits_ = createCredits();
}

SdlMenu::~SdlMenu()
{
    for (MenuEntry& entry : entries_) {
        SDL_FreeSurface(entry.normalImage);
        SDL_FreeSurface(entry.highlightedImage);
    }
    SDL_FreeSurface(credits_);
}

void SdlMenu::addEntry(const std::string& text, int id)
{
    MenuEntry entry{text, id, nullptr, nullptr};
    // Room first: once the images exist, nothing may throw before the menu holds them.
    entries_.reserve(entries_.size() + 1);
    entry.highlightedImage = bigFont_->render(text, 0, 255, 0);
    entry.normalImage = smallFont_->render(text, 128, 128, 128);
    entries_.push_back(std::move(entry));
}

int SdlMenu::execute()
{
    SDL_ShowCursor(SDL_ENABLE);
    selected_ = 0;

    discardPendingEvents();

    for (;;) {
        draw();

        SDL_Event event;
        while (!TerminationSignals::received() && !SDL_PollEvent(&event))
            SDL_Delay(IDLE_PAUSE_MS);
        if (TerminationSignals::received())
            return quitId_;

        // Without entries only Escape and a quit request can end the menu: there is nothing to
        // choose, move to or point at.
        const bool hasEntries = !entries_.empty();
        switch (event.type) {
        case SDL_MOUSEMOTION:
            selectAt(event.motion.x, event.motion.y);
            break;
        case SDL_KEYUP:
            switch (event.key.keysym.sym) {
            case SDLK_RETURN:
                if (hasEntries)
                    return entries_[selected_].id;
                break;
            case SDLK_ESCAPE:
                return quitId_;
            case SDLK_UP:
                if (hasEntries)
                    selected_ = selected_ == 0 ? entries_.size() - 1 : selected_ - 1;
                break;
            case SDLK_DOWN:
                if (hasEntries)
                    selected_ = selected_ + 1 == entries_.size() ? 0 : selected_ + 1;
                break;
            default:
                break;
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT && selectAt(event.button.x, event.button.y))
                return entries_[selected_].id;
            break;
        case SDL_QUIT:
            // The rest of the program must see the request too.
            SDL_PushEvent(&event);
            return quitId_;
        default:
            break;
        }
    }
}

SDL_Surface* SdlMenu::createCredits() const
{
    const SdlFont* font = SdlFontManager::instance().getFont(GAME_FONT, SMALL_POINTS);
    return font->renderMultiline(CREDITS_TEXT, 0, 0, 255, ALIGN_CENTER);
}

void SdlMenu::drawBackground()
{
    // Shared by every menu and mapped at the first drawing, when the video mode surely exists.
    static const Uint32 white = SDL_MapRGB(SDL_GetVideoSurface()->format, 255, 255, 255);
    SDL_FillRect(surface_, nullptr, white);

    SDL_Rect corner = rectAt(surface_->w - credits_->w, surface_->h - credits_->h);
    SDL_BlitSurface(credits_, nullptr, surface_, &corner);
}

void SdlMenu::drawEntries()
{
    if (entries_.empty())
        return;
    const int height_needed = heightNeededFor(entries_);
    QZ_CHECK(height_needed < surface_->h);

    walkColumn(entries_, selected_, *surface_, height_needed,
               [this](std::size_t, SDL_Surface* image, SDL_Rect rect) {
                   SDL_BlitSurface(image, nullptr, surface_, &rect);
                   return true;
               });
}

bool SdlMenu::selectAt(int x, int y)
{
    if (entries_.empty())
        return false;
    const int height_needed = heightNeededFor(entries_);
    QZ_CHECK(height_needed < surface_->h);

    bool found = false;
    walkColumn(entries_, selected_, *surface_, height_needed,
               [&](std::size_t index, const SDL_Surface*, const SDL_Rect& rect) {
                   if (!isInside(x, y, rect))
                       return true;
                   selected_ = index;
                   found = true;
                   return false;
               });
    return found;
}

// Points on an image's border belong to no entry.
bool SdlMenu::isInside(int x, int y, const SDL_Rect& rect)
{
    return rect.x < x && x < rect.x + rect.w && rect.y < y && y < rect.y + rect.h;
}

void SdlMenu::draw()
{
    drawBackground();
    drawEntries();

    SDL_Surface* screen = SDL_GetVideoSurface();
    if (!isDisplay_) {
        SDL_Rect origin = rectAt(0, 0);
        SDL_BlitSurface(surface_, nullptr, screen, &origin);
    }
    SDL_Flip(screen);
}
