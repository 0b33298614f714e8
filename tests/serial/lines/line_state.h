/* The shared state of one simulated serial line, a small file that the
   preload library, the line driver and the tests read and write. Offsets in
   32-bit words; inputs and outputs use the TIOCM_* bits. */
#ifndef KELVRA_LINE_STATE_H
#define KELVRA_LINE_STATE_H

enum {
  LS_MAGIC = 0,     /* 0x534E4C4B */
  LS_INPUTS = 1,    /* TIOCM_CTS | TIOCM_DSR | TIOCM_CAR | TIOCM_RNG */
  LS_OUTPUTS = 2,   /* TIOCM_RTS | TIOCM_DTR */
  LS_COUNT_CTS = 3, /* edges so far, for TIOCGICOUNT */
  LS_COUNT_DSR = 4,
  LS_COUNT_RNG = 5,
  LS_COUNT_DCD = 6,
  LS_COUNT_FRAME = 7,
  LS_RTS_RISES = 8,    /* how many times RTS went up */
  LS_RISES = 9,        /* CTS rises the driver made */
  LS_SEEN = 10,        /* CTS rises whose levels reached the program (see fake_lines.c) */
  LS_READ_CTS = 11,    /* CTS as the last read that reached the program found it */
  LS_LOGGED = 12,      /* lines the log watcher saw appear */
  LS_SAVED = 13,       /* payments the watcher saw saved in the settings */
  LS_SEEN_CTS = 14,    /* CTS changes any status read saw (tests hold a level until then) */
  LS_SEEN_INPUTS = 15, /* what the last status read returned */
  LS_WORDS = 16
};
#define LS_MAGIC_VALUE 0x534E4C4Bu
/* Tables of 64-bit entries: time stamps (CLOCK_MONOTONIC, ns) of CTS rises,
   RTS rises, log lines and saved payments, and the number of each rise the
   status reads saw. */
#define LS_STAMPS 4096
#define LS_RISE_STAMPS_AT 256
#define LS_RTS_STAMPS_AT (LS_RISE_STAMPS_AT + 8 * LS_STAMPS)
#define LS_SEEN_RISES_AT (LS_RTS_STAMPS_AT + 8 * LS_STAMPS)
#define LS_LOG_STAMPS_AT (LS_SEEN_RISES_AT + 8 * LS_STAMPS)
#define LS_SAVE_STAMPS_AT (LS_LOG_STAMPS_AT + 8 * LS_STAMPS)
#define LS_FILE_SIZE (LS_SAVE_STAMPS_AT + 8 * LS_STAMPS)

#endif
