// The C half of the classic VDI tests: classic names, int arrays.
#pragma once
#ifdef __cplusplus
extern "C" {
#endif
int vdi_c_open(int *work_out);
void vdi_c_line_clipped(int h);
void vdi_c_line_attributes(int h, int *attrib);
void vdi_c_extent(int h, int *extent);
int vdi_c_color(int h, int *rgb);
int vdi_c_text_height(int h, int *sizes);
void vdi_c_pixel(int h, int x, int y, int *pel, int *index);
void vdi_c_invert(int h, int x1, int y1, int x2, int y2);
#ifdef __cplusplus
}
#endif
