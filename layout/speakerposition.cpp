#include "layout/speakerposition.h"

const SpeakerPosition kSpeakerPositions[kSpeakerPositionCount] = {
    {"Front Left", "FL", 0x1},
    {"Front Right", "FR", 0x2},
    {"Front Center", "FC", 0x4},
    {"Low Frequency", "LF", 0x8},
    {"Back Left", "BL", 0x10},
    {"Back Right", "BR", 0x20},
    {"Front Left of Center", "FLC", 0x40},
    {"Front Right of Center", "FRC", 0x80},
    {"Back Center", "BC", 0x100},
    {"Side Left", "SL", 0x200},
    {"Side Right", "SR", 0x400},
    {"Top Center", "TC", 0x800},
    {"Top Front Left", "TFL", 0x1000},
    {"Top Front Center", "TFC", 0x2000},
    {"Top Front Right", "TFR", 0x4000},
    {"Top Back Left", "TBL", 0x8000},
    {"Top Back Center", "TBC", 0x10000},
    {"Top Back Right", "TBR", 0x20000},
};
