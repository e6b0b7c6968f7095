// The player's bar and keys, drawn over the show in its own 2D state.
#include "app/player_bar.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iterator>
#include <limits>

#include "overlay/bitmap_font.h"
#include "overlay/primitives.h"
#include "overlay/screen.h"

namespace {

// The panel, dark and see-through.
constexpr float panelAlpha = 0.75f;
// The text over the track: the time on the left, the layer on the right,
// the pause in the middle.
constexpr int textScale = 2;
constexpr float textTop = 698;
constexpr float hintTop = 748;
constexpr int hintScale = 1;
// The track: a segment per span between layers coming on, a gap between
// them; the one playing lighter; the part played in the heart's red.
constexpr float segmentGap = 2;
constexpr float segmentGrey = 0.35f;
constexpr float currentGrey = 0.6f;
constexpr float playedRed[3] = {227 / 255.0f, 32 / 255.0f, 47 / 255.0f};
constexpr float headWidth = 4;
constexpr float headHeight = 22;
// A click this far above or below the track still falls on it.
constexpr float hitMargin = 14;

constexpr std::uint32_t msPerMinute = 60000;
constexpr std::uint32_t msPerSecond = 1000;
constexpr float barWidth = barRight - barLeft;

// The keys' panel: the keys in gold, what they do in white.
constexpr float keyGold[3] = {1, 0.84f, 0.4f};
constexpr float keysWidth = 760;
constexpr float keysLineHeight = 24;
constexpr float keysMargin = 24;
constexpr float keysDescriptionX = 248;
struct KeyLine {
    const char* keys;
    const char* what;
};
constexpr KeyLine keyLines[] = {
    {"Space", "pause / play"},
    {"Left, Right", "5 s back / ahead"},
    {"Page Up, Down", "30 s back / ahead"},
    {"Home", "back to the start"},
    {", .", "a frame back / ahead, paused"},
    {"Click the bar", "go there"},
    {"M", "sound off / on"},
    {"S", "skip 10 s"},
    {"C, R", "to the greetings, the banner"},
    {"F", "leave full screen"},
    {"T", "hold: print a timing line"},
    {"H, F1", "these keys"},
    {"Esc", "quit"},
};

void fillRectangle(float left, float top, float right, float bottom)
{
    drawQuad((left + right) / 2, (top + bottom) / 2, right - left, bottom - top);
}

}  // namespace

float barOpacity(const PlayerControls& controls, std::uint32_t now, bool paused)
{
    if (paused) {
        return 1;
    }
    if (!controls.shown) {
        return 0;
    }
    const std::uint32_t since = now - controls.shownAt;
    if (since <= barShownMs) {
        return 1;
    }
    if (since >= barShownMs + barFadeMs) {
        return 0;
    }
    return 1 - static_cast<float>(since - barShownMs) / barFadeMs;
}

float barXAt(std::uint64_t ms)
{
    return barLeft + barWidth * static_cast<float>(std::min<std::uint64_t>(ms, showEndMs)) / showEndMs;
}

std::uint32_t msAtBarX(float x)
{
    const float share = std::clamp((x - barLeft) / barWidth, 0.0f, 1.0f);
    return static_cast<std::uint32_t>(share * showEndMs);
}

bool onBar(float x, float y)
{
    return x >= barLeft && x <= barRight && y >= barTop - hitMargin && y <= barTop + barHeight + hitMargin;
}

std::string clockText(std::uint64_t ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%llu:%02u", static_cast<unsigned long long>(ms / msPerMinute),
                  static_cast<unsigned>(ms % msPerMinute / msPerSecond));
    return text;
}

const ShowLayer* layerNamedAt(std::uint32_t t)
{
    const ShowLayer* named = nullptr;
    for (const ShowLayer& row : showLayers) {
        if (row.window.contains(t) && (named == nullptr || row.window.length() <= named->window.length())) {
            named = &row;
        }
    }
    return named;
}

std::string layerWords(const char* name)
{
    std::string words;
    for (const char* c = name; *c != '\0'; ++c) {
        const bool capital = std::isupper(static_cast<unsigned char>(*c)) != 0;
        if (capital && !words.empty()) {
            words += ' ';
        }
        words += words.empty() ? *c : static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    }
    return words;
}

std::vector<std::uint32_t> segmentStarts()
{
    std::vector<std::uint32_t> starts;
    for (const ShowLayer& row : showLayers) {
        // The first moment inside the window: 0 for one opening before the show.
        starts.push_back(row.window.after + 1);
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    return starts;
}

void drawPlayerBar(const BarView& view)
{
    if (view.opacity <= 0) {
        return;
    }
    const float alpha = view.opacity;
    glColor4f(0, 0, 0, panelAlpha * alpha);
    fillRectangle(0, panelTop, screenWidth, screenHeight);

    static const std::vector<std::uint32_t> starts = segmentStarts();
    const float playedTo = barXAt(view.showMs);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::uint64_t until = i + 1 < starts.size() ? starts[i + 1] : showEndMs;
        const bool current = view.showMs >= starts[i] && view.showMs < until;
        const float grey = current ? currentGrey : segmentGrey;
        const float left = barXAt(starts[i]) + segmentGap / 2;
        const float right = barXAt(until) - segmentGap / 2;
        glColor4f(grey, grey, grey, alpha);
        fillRectangle(left, barTop, right, barTop + barHeight);
        if (playedTo > left) {
            glColor4f(playedRed[0], playedRed[1], playedRed[2], alpha);
            fillRectangle(left, barTop, std::min(right, playedTo), barTop + barHeight);
        }
    }
    glColor4f(1, 1, 1, alpha);
    fillRectangle(playedTo - headWidth / 2, barTop + (barHeight - headHeight) / 2, playedTo + headWidth / 2,
                  barTop + (barHeight + headHeight) / 2);

    drawText(clockText(view.showMs) + " / " + clockText(showEndMs), barLeft, textTop, textScale);
    const ShowLayer* named = layerNamedAt(
        static_cast<std::uint32_t>(std::min<std::uint64_t>(view.showMs, std::numeric_limits<std::uint32_t>::max())));
    const std::string name = named != nullptr ? layerWords(named->name) : "the end";
    drawText(name, barRight - static_cast<float>(textWidth(name, textScale)), textTop, textScale);
    std::string state = view.paused ? "paused" : "";
    if (view.muted) {
        state += state.empty() ? "sound off" : ", sound off";
    }
    drawText(state, screenCentreX - static_cast<float>(textWidth(state, textScale)) / 2, textTop, textScale);
    const std::string hint = "H: keys";
    drawText(hint, barRight - static_cast<float>(textWidth(hint, hintScale)), hintTop, hintScale);
}

void drawPlayerKeys()
{
    const float height = keysMargin * 2 + keysLineHeight * static_cast<float>(std::size(keyLines));
    const float left = screenCentreX - keysWidth / 2;
    const float top = screenCentreY - height / 2;
    glColor4f(0, 0, 0, panelAlpha);
    fillRectangle(left, top, left + keysWidth, top + height);
    float y = top + keysMargin;
    for (const KeyLine& line : keyLines) {
        glColor4f(keyGold[0], keyGold[1], keyGold[2], 1);
        drawText(line.keys, left + keysMargin, y, textScale);
        glColor4f(1, 1, 1, 1);
        drawText(line.what, left + keysDescriptionX, y, textScale);
        y += keysLineHeight;
    }
}
