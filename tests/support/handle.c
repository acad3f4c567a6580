/* Test programs are applications of the layer: they define the handle. */
int handle = 0;
