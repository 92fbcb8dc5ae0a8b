// Resource numbers shared by the resource script and the windows (plain macros: windres reads
// this file too).
#pragma once

#define IDI_VESTRA 1
#define IDI_VIRUS 101
#define IDI_REGISTRY 102
#define IDI_HIDDEN 103
#define IDI_DRIVE 104
#define IDI_FOLDER 105
#define IDI_FILE 106
#define IDI_AREA 107
