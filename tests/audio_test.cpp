// The show without a sound device: one line on stderr, then the silent
// dummy device, so the show still runs on its clock.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/audio.h"

TEST(ShowAudio, WithoutADeviceSaysSoOnceAndPlaysSilently)
{
    setenv("SDL_AUDIODRIVER", "no-such-device", 1);
    ASSERT_EQ(SDL_Init(0), 0);
    std::FILE* err = std::tmpfile();
    ASSERT_NE(err, nullptr);

    ASSERT_TRUE(openShowAudio(err));
    char driver[32] = "";
    SDL_AudioDriverName(driver, sizeof driver);
    EXPECT_STREQ(driver, "dummy");
    int rate = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
    EXPECT_EQ(rate, mixerRate);
    EXPECT_EQ(channels, mixerChannels);

    std::rewind(err);
    std::string said;
    for (int c; (c = std::fgetc(err)) != EOF;) {
        said.push_back(static_cast<char>(c));
    }
    std::fclose(err);
    EXPECT_EQ(said.rfind("no audio device (", 0), 0u) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
    Mix_CloseAudio();
    SDL_Quit();
}
