/* The shared state of one simulated serial line, a small file that the
   preload library, the line driver and the tests read and write. Offsets in
   32-bit words; inputs and outputs use the TIOCM_* bits. */
#ifndef KELVRA_LINE_STATE_H
#define KELVRA_LINE_STATE_H

enum {
  LS_MAGIC = 0,        /* 0x534E4C4B */
  LS_INPUTS = 1,       /* TIOCM_CTS | TIOCM_DSR | TIOCM_CAR | TIOCM_RNG */
  LS_OUTPUTS = 2,      /* TIOCM_RTS | TIOCM_DTR */
  LS_COUNT_CTS = 3,    /* edges so far, for TIOCGICOUNT */
  LS_COUNT_DSR = 4,
  LS_COUNT_RNG = 5,
  LS_COUNT_DCD = 6,
  LS_COUNT_FRAME = 7,
  LS_RTS_RISES = 8,    /* how many times RTS went up */
  LS_RISES = 9,        /* CTS rises the driver made */
  LS_SEEN_CTS = 10,    /* CTS changes the port's status reads saw */
  LS_SEEN_INPUTS = 11, /* what the last status read returned */
  LS_WORDS = 16
};
#define LS_MAGIC_VALUE 0x534E4C4Bu
/* Time stamps (CLOCK_MONOTONIC, ns, 64-bit) of CTS rises and RTS rises. */
#define LS_STAMPS 4096
#define LS_RISE_STAMPS_AT 256
#define LS_RTS_STAMPS_AT (LS_RISE_STAMPS_AT + 8 * LS_STAMPS)
#define LS_FILE_SIZE (LS_RTS_STAMPS_AT + 8 * LS_STAMPS)

#endif
