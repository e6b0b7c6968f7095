// The singer's cues in globaltime: the sung syllables of the verse, during
// which her mouth is open, her three spins and the heart's flashes. The
// song is composed from these same tables (tools/media/song reads them):
// the lead voice sings each syllable, a swish marks each spin and a ping
// each flash, so picture and sound cannot drift apart.
#pragma once

#include <cstdint>

#include "timeline/beat.h"

constexpr int syllableCount = 64;

constexpr TimeWindow singerSyllables[syllableCount] = {
    {85877, 86277}, {86428, 86645}, {86795, 87046}, {87312, 87412},
    {87512, 87612}, {87729, 87813}, {87945, 88230}, {88546, 88630},
    {88730, 88830}, {88913, 89047}, {89214, 89381}, {89632, 90031},
    {90399, 90482}, {90566, 90665}, {90749, 90865}, {90949, 91317},
    {91901, 92268}, {92484, 92852}, {93352, 93452}, {93535, 93652},
    {93735, 93869}, {93936, 94136}, {94753, 94837}, {94937, 95037},
    {95137, 95237}, {95304, 95421}, {95471, 95621}, {95805, 95972},
    {96172, 96405}, {96522, 97056}, {97890, 98240}, {98441, 98641},
    {98791, 98975}, {99408, 99509}, {99575, 99693}, {99759, 99876},
    {99926, 100076}, {100477, 100560}, {100660, 100743}, {100860, 100993},
    {101227, 101377}, {101628, 101961}, {102361, 102462}, {102562, 102646},
    {102745, 102829}, {102945, 103063}, {103830, 104214}, {104431, 104765},
    {105198, 105298}, {105399, 105498}, {105599, 105682}, {105766, 105865},
    {105949, 106233}, {106699, 106767}, {106866, 106967}, {107083, 107167},
    {107267, 107351}, {107450, 107584}, {107801, 107984}, {108185, 108418},
    {108552, 109486}, {109887, 110203}, {110421, 110604}, {110787, 110971},
};

// Three quick spins on the beat once it has taken hold.
constexpr std::uint32_t singerSpinStarts[] = {98000, 99500, 101000};
constexpr std::uint32_t singerSpinMs = 500;

// The heart flashes on two pairs of sung words.
constexpr TimeWindow singerHeartFlashes[] = {{88156, 88259}, {88369, 88519}, {100210, 100293}, {100365, 100496}};
