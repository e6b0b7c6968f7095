"""Character bitmaps of the show's pixel-art sprites: '.' is see-through,
every other character names a colour that retro.py assigns."""

# The start-up icon, a friendly robot: three prongs, square eyes, a mouth bar.
ROBOT_FACE = (
    "................",
    "..##...##...##..",
    "..##...##...##..",
    "...#...##...#...",
    "...#...##...#...",
    ".##############.",
    ".#............#.",
    ".#..###..###..#.",
    ".#..###..###..#.",
    ".#..###..###..#.",
    ".#............#.",
    ".#............#.",
    ".#..########..#.",
    ".#............#.",
    ".##############.",
    "................",
)

# One letter of the logo screen's big initials, each character a block of
# the logo's coarse grid; the stripes, slant and shadow are added in code.
LOGO_T = (
    ".##################.",
    "####################",
    "####################",
    "####################",
    "####################",
    "###....######....###",
    "##.....######.....##",
    ".......######.......",
    ".......######.......",
    ".......######.......",
    ".......######.......",
    ".......######.......",
    ".......######.......",
    ".......######.......",
    ".......######.......",
    ".......######.......",
    ".......######.......",
    "......########......",
    ".....##########.....",
    ".....##########.....",
)

# The group's little flag: a fir tree with its star over the snow, on red.
FLAG = (
    "RRRRRRRRRRRRRRRRRRRRRRRRRRR",
    "RRRRRRRRRRRRRYRRRRRRRRRRRRR",
    "RRRRRRRRRRRRYYYRRRRRRRRRRRR",
    "RRRRRRRRRRRRRGRRRRRRRRRRRRR",
    "RRRRRRRRRRRRGGGRRRRRRRRRRRR",
    "RRRRRRRRRRRGGGGGRRRRRRRRRRR",
    "RRRRRRRRRRRRGGGRRRRRRRRRRRR",
    "RRRRRRRRRRRGGGGGRRRRRRRRRRR",
    "RRRRRRRRRRGGGGGGGRRRRRRRRRR",
    "RRRRRRRRRGGGGGGGGGRRRRRRRRR",
    "RRRRRRRRRRRGGGGGRRRRRRRRRRR",
    "RRRRRRRRRRGGGGGGGRRRRRRRRRR",
    "RRRRRRRRRGGGGGGGGGRRRRRRRRR",
    "RRRRRRRRGGGGGGGGGGGRRRRRRRR",
    "RRRRRRRRRRRRRNNNRRRRRRRRRRR",
    "WWWWWWWWWWWWWWWWWWWWWWWWWWW",
    "WWWWWWWWWWWWWWWWWWWWWWWWWWW",
    "WWWWWWWWWWWWWWWWWWWWWWWWWWW",
)

# A snowy fir tree for the logo screen's ground: S snow, G needles, N trunk.
FIR_TREE = (
    ".......S.......",
    "......SGS......",
    ".....SGGGS.....",
    "......GGG......",
    ".....SGGGS.....",
    "....SGGGGGS....",
    "...SSGGGGGGS...",
    ".....GGGGG.....",
    "...SGGGGGGGS...",
    "..SGGGGGGGGGS..",
    ".SSGGGGGGGGGGS.",
    "....GGGGGGG....",
    "...SGGGGGGGS...",
    "..SGGGGGGGGGS..",
    ".SGGGGGGGGGGGS.",
    "SSSSGGGGGGGGSSS",
    "......NNN......",
    "......NNN......",
)

# The snowman, drawn on a 47 x 57 grid. Balls: # rim, W snow, s shaded snow.
BASE_BALL = (
    ".........#######.........",
    ".......##WWWWWWW##.......",
    ".....##WWWWWWWWWWW##.....",
    "....#WWWWWWWWWWWWWWW#....",
    "...#WWWWWWWWWWWWWWWWW#...",
    "..#WWWWWWWWWWWWWWWWWWW#..",
    "..#WWWWWWWWWWWWWWWWWWW#..",
    ".#WWWWWWWWWWWWWWWWWWWWW#.",
    ".#WWWWWWWWWWWWWWWWWWWWW#.",
    "#WWWWWWWWWWWWWWWWWWWWWWW#",
    "#WWWWWWWWWWWWWWWWWWWWWWW#",
    "#WWWWWWWWWWWWWWWWWWWWWWW#",
    "#sWWWWWWWWWWWWWWWWWWWWWs#",
    "#sWWWWWWWWWWWWWWWWWWWWWs#",
    "#sWWWWWWWWWWWWWWWWWWWWWs#",
    "#ssWWWWWWWWWWWWWWWWWWWss#",
    ".#sWWWWWWWWWWWWWWWWWWWs#.",
    ".#ssWWWWWWWWWWWWWWWWWss#.",
    "..#ssWWWWWWWWWWWWWWWss#..",
    "..#ssssWWWWWWWWWWWssss#..",
    "...#sssssWWWWWWWsssss#...",
    "....#sssssssssssssss#....",
    ".....##sssssssssss##.....",
    ".......##sssssss##.......",
    ".........#######.........",
)
MIDDLE_BALL = (
    ".......#####.......",
    ".....##WWWWW##.....",
    "...##WWWWWWWWW##...",
    "..#WWWWWWWWWWWWW#..",
    "..#WWWWWWWWWWWWW#..",
    ".#WWWWWWWWWWWWWWW#.",
    ".#WWWWWWWWWWWWWWW#.",
    "#WWWWWWWWWWWWWWWWW#",
    "#WWWWWWWWWWWWWWWWW#",
    "#WWWWWWWWWWWWWWWWW#",
    "#sWWWWWWWWWWWWWWWs#",
    "#sWWWWWWWWWWWWWWWs#",
    ".#sWWWWWWWWWWWWWs#.",
    ".#sWWWWWWWWWWWWWs#.",
    "..#ssWWWWWWWWWss#..",
    "..#ssssWWWWWssss#..",
    "...##sssssssss##...",
    ".....##sssss##.....",
    ".......#####.......",
)
HEAD_BALL = (
    ".....#####.....",
    "...##WWWWW##...",
    "..#WWWWWWWWW#..",
    ".#WWWWWWWWWWW#.",
    ".#WWWWWWWWWWW#.",
    "#WWWWWWWWWWWWW#",
    "#WWWWWWWWWWWWW#",
    "#WWWWWWWWWWWWW#",
    "#WWWWWWWWWWWWW#",
    "#sWWWWWWWWWWWs#",
    ".#sWWWWWWWWWs#.",
    ".#ssWWWWWWWss#.",
    "..#sssWWWsss#..",
    "...##sssss##...",
    ".....#####.....",
)

# Faces over the head ball: k coal, O carrot, c its shaded side, p rosy
# cheek. The turned face is drawn looking to the viewer's left and reaches
# past the head with its carrot, so it starts FACE_SIDE_REACH columns early.
FACE_FRONT = (
    "...............",
    "...............",
    "...............",
    "...............",
    "....kk...kk....",
    "....kk...kk....",
    "...............",
    "...p..OOO..p...",
    ".......OOc.....",
    "...k....c..k...",
    ".....k.k.k.....",
    "...............",
    "...............",
    "...............",
    "...............",
)
FACE_SIDE_REACH = 6
FACE_SIDE = (
    ".....................",
    ".....................",
    ".....................",
    ".....................",
    "........kk...kk......",
    "........kk...kk......",
    ".....................",
    ".OOOOOOOOOOO...p.....",
    ".....cccOOOO.........",
    ".......k.....k.......",
    ".........k.k.........",
    ".....................",
    ".....................",
    ".....................",
    ".....................",
)

# Top hats: N felt, n brim shadow, R band, G holly leaf, b berry.
# Turned, the hat wears its holly towards the viewer's left.
HAT_FRONT = (
    "...NNNNNNNNNNN...",
    "...NNNNNNNNNNN...",
    "...NNNNNNNNNNN...",
    "...NNNNNNNNNNN...",
    "...RRRRGbGRRRR...",
    "...RRRRRGRRRRR...",
    ".NNNNNNNNNNNNNNN.",
    "nnnnnnnnnnnnnnnnn",
)
HAT_SIDE = (
    "...NNNNNNNNNNN...",
    "...NNNNNNNNNNN...",
    "...NNNNNNNNNNN...",
    "...NNNNNNNNNNN...",
    "...RGbGRRRRRRR...",
    "...RRGRRRRRRRR...",
    ".NNNNNNNNNNNNNNN.",
    "nnnnnnnnnnnnnnnnn",
)

# Scarves: R red wool, G green stripe, f fringe. Facing front the end hangs
# down; turned, it flies out behind.
SCARF_FRONT = (
    "..RRGGRRRGGRR..",
    ".RRRGGRRRGGRRR.",
    "..RRGGRRRGGRR..",
    "..........RRR..",
    "..........RRR..",
    "..........GGG..",
    "..........RRR..",
    "..........RRR..",
    "..........GGG..",
    "..........f.f..",
)
SCARF_SIDE = (
    "..RRGGRRRGGRR.......",
    ".RRRGGRRRGGRRRRGGR..",
    "..RRGGRRRGGRRRRGGRRf",
    "...............RRGGR",
    "..................f.",
)

# Twig arms (N), each drawn as it leaves the body on the viewer's left; on
# the other side it is the mirror image. Facing front both arms
# are level; turned, the leading arm is raised and the trailing one lowered.
ARM_LEVEL = (
    "N...N...........",
    ".N..N...........",
    "..NNN...........",
    "....NN...N......",
    "......NN.N......",
    "........NNN.....",
    "..........NNN...",
    "............NNNN",
    "..............NN",
)
ARM_RAISED = (
    "...N............",
    "...N..N.........",
    "N..N.N..........",
    ".N.NN...........",
    "..NN............",
    "....N...........",
    ".....N..........",
    "......NN..N.....",
    "........N.N.....",
    ".........NN.....",
    "..........N.....",
    "...........N....",
    "............NN..",
    "..............NN",
)
ARM_LOWERED = (
    "................",
    "..N.............",
    "..N.............",
    "...N.......NNNNN",
    "N...N....NN.....",
    ".N..N..NN.......",
    "..NNNNN.........",
    "...N............",
    "..N.............",
)

# A lump of coal for the snowman's buttons.
COAL_BUTTON = (
    "kk",
    "kk",
)
