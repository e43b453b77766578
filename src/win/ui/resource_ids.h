#pragma once

// Resource identifiers shared by the resource script and the code; plain macros because the
// resource compiler reads this file too.
#define KESTRINE_IDI_PROGRAM 1
#define KESTRINE_IDB_SMALL_IMAGES 101
#define KESTRINE_IDB_GO_GLYPH 102
