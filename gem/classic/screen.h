// The profile's resolution codes beside the layer's, for its tests.
#pragma once

// The classic code of a layer mode: 0 (ST low) for 320 x 200, 2 (ST high)
// for 640 x 480 and 800 x 600.
int _gemc_classic_rez(int layer_rez);

// The layer mode a classic code asks for: 0 for code 0, 1 (640 x 480) for
// code 2; -1 for codes with no mode here (1, ST medium's 640 x 200, and the
// later machines' codes).
int _gemc_layer_rez(int classic_rez);
