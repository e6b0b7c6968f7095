// Interim: the desktop's pause and mute until the player's own land.
#include "app/audio.h"
#include "app/music_player.h"

void pauseSong(ShowSong& song, bool paused, std::uint32_t now)
{
    (void)song; (void)paused; (void)now;
}

void setSongMuted(ShowSong& song, bool muted)
{
    if (muted) {
        song.player->mute();
    }
}
