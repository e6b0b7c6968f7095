"""Every name and line of text the show's pictures carry, in one place.
All of them are invented for this show."""

GROUP = "Tinsel Tankard"        # the presenting group
GROUP_INITIALS = "TT"
EVENT = "Yulejam 2026"          # where the show is presented
SONG_TITLE = "Holly Rails"
SINGER = "Nightingale"          # the singer's stage name
SLOGAN = "Brewing good cheer since the first snowfall"

INTRO_LINES = (
    GROUP,
    "presents",
    "our jolliest production yet",
    EVENT,
)
ASIDE_LINES = (
    "(hang on... something is missing)",
    "(ah, I know!)",
    "(snow!)",
)
HANDOVER = (f"Take it away, {SINGER}!",
            "(sorry, we could only afford one microphone)")
GREETINGS_HEADER = "We raise our mugs to..."

# Five pages of five, in page order.
GREETED_GROUPS = (
    "Gingerbyte Crew", "Marzipan Mechanics", "Pepparkaka Posse",
    "Snowglobe Society", "Frostnip Fabrik",
    "Mistletoe Modders", "Reindeer Rasterbars", "Sleet Street Coders",
    "Cocoa Cyclers", "Snowdrift Syndicate",
    "Candlewax Collective", "Nutcracker Nibblers", "Icicle Interrupts",
    "Stocking Stuffers", "Polar Pixelworks",
    "Lanterns of Lapland", "Mulled Byte Militia", "Eggnog Engineering",
    "Sprout Appreciation Society", "Chimney Sweepers",
    "Glitter Glitch", "Yule Log Loggers", "Fir Tree Fanatics",
    "Northpole Noise", "Bauble Brigade",
)

# Credits: (role words, handle), in the order of the picture table.
CREDITS = {
    "creditCode": ("Code", "Krampusz"),
    "creditExtraCode": ("Additional Coding", "Bitsnow"),
    "creditPhotoDesign": ("Photography and Design", "Lenscap"),
    "creditMusic": ("Music", "Jinglefingers"),
    "creditGraphics1": ("Graphics", "Pixelpine"),
    "creditGraphics2": ("Graphics", "Marzipan"),
}
SANTA_SIGNATURE = ("Marzipan", "2026")  # the artist who drew the Santa

# The imitation 8-bit home computer.
RETRO_BANNER = ("**** SNOWBIRD 8 BASIC V1.1 ****", "32K RAM SYSTEM  29183 BYTES FREE")
RETRO_READY = "READY."
RETRO_LOAD = f'LOAD "{SONG_TITLE.upper()}",8'
RETRO_CAPTION = "MEANWHILE, IN 8 BITS..."
