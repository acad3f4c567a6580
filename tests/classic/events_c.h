// The C half of the event, window and screen tests: each function calls
// the profile through its classic names, as a classic C program does.
#pragma once
#ifdef __cplusplus
extern "C" {
#endif

// What one evnt_multi call gave, in the widths the C caller declared.
typedef struct events_c_result {
    int events;
    int key, clicks, x, y, button, kstate;
    int msg[8];
} EVENTS_C_RESULT;

int events_c_keybd(void);
// evnt_multi, 23 arguments with WORD outs: keys and a timer of lo, hi.
EVENTS_C_RESULT events_c_multi23(int flags, unsigned short lo, unsigned short hi);
// evnt_multi, 22 arguments with int outs and an int message buffer.
EVENTS_C_RESULT events_c_multi22(int flags, unsigned long ms);
// evnt_timer with two halves, or with one count.
int events_c_timer2(unsigned short lo, unsigned short hi);
int events_c_timer1(unsigned long ms);
// A window named through the classic split of the name's address; its
// current rectangle read into int outs. Returns the window's handle.
int events_c_named_window(const char *name, int *x, int *y, int *w, int *h);
// appl_write of an int[8] message and evnt_mesag into a WORD[8] one.
int events_c_message_round_trip(const int *in, short *out);
int events_c_graf_handle(short *wchar, int *hchar);
int events_c_setcolor(int reg, int colour);
int events_c_getrez(void);

#ifdef __cplusplus
}
#endif
