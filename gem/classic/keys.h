// Classic key codes (the keyboard's scan code in the high byte, the
// character in the low byte) to and from the layer's key codes.
#pragma once

// The classic code of a layer key code: Return 0x1C0D, cursor up 0x4800.
// A character without a key of its own on the keyboard keeps a scan code 0.
int _gemc_key_classic(int layer);

// The layer's key code of a classic one: the character where there is one,
// else the special key its scan code names; 0 for a key the layer lacks.
int _gemc_key_layer(int classic);
