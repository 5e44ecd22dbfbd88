// The program icon IDR_MAINFRAME: three mono stems, red, green and blue,
// flowing into one wave file that holds all three. 32 x 32 and 16 x 16
// pixels in the 16 standard colours, for the window layer's model; see
// platform/icofile.h for the characters. What people see is drawn from
// plexoraicon.svg.
#include "ui/plexoraicon.h"

#include "platform/icofile.h"

namespace {

constexpr const char* kIcon32[32] = {
    "................................",
    ".............0000000000.........",
    ".............0ffffffff00........",
    ".............0ffffffff070....8..",
    ".............0ffffffff0770...8..",
    ".............0ffffffff07770..8..",
    ".............0ffffffff077770.8..",
    ".............0ffffffff00000008..",
    ".........9...0ffffff9fff9fff08..",
    ".........99..0ffff9f99f99fff08..",
    "999999999999.0fff999999999ff08..",
    "999999999999.0ff99999999999f08..",
    ".........99..0fff999999999ff08..",
    ".........9...0ffff9f99f99fff08..",
    ".............0ffffff9fff9fff08..",
    ".........2...0fffff2fff2ffff08..",
    ".........22..0fff2f22f22f2ff08..",
    "222222222222.0ff22222f22222f08..",
    "222222222222.0ff22222222222f08..",
    ".........22..0ff22222f22222f08..",
    ".........2...0fff2f22f22f2ff08..",
    ".............0fffff2fff2ffff08..",
    ".........c...0ffffcfffcfffff08..",
    ".........cc..0fffccfcfccfcff08..",
    "cccccccccccc.0fffcccccccccff08..",
    "cccccccccccc.0ffcccccccccccf08..",
    ".........cc..0fffcccccccccff08..",
    ".........c...0fffccfcfccfcff08..",
    ".............0ffffcfffcfffff08..",
    ".............00000000000000008..",
    "...............888888888888888..",
    "................................",
};

constexpr const char* kIcon16[16] = {
    "......000000....",
    "......0ffff00...",
    "......0ffff070.8",
    "......0ffff00008",
    "...9..0ff9f99f08",
    "99999.0f99999908",
    "...9..0ff9f99f08",
    "...2..0f2f22f208",
    "22222.0f22222208",
    "...2..0f2f22f208",
    "...c..0ffccfcf08",
    "ccccc.0fcccccc08",
    "...c..0ffccfcf08",
    "......0fffffff08",
    "......0000000008",
    "........88888888",
};

constexpr auto kIcoFile = BuildIcoFile<IcoFileBytes({32, 16})>({{32, kIcon32}, {16, kIcon16}});

}  // namespace

const std::span<const unsigned char> kPlexoraIcoFile = kIcoFile;
