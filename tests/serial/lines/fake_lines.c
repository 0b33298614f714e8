/* Test-only LD_PRELOAD library: gives one pseudo-terminal the modem lines of
   a serial port, from a shared state file. KELVRA_LINES_TTY names the pty,
   KELVRA_LINES_STATE the state file. It also refuses to open the machine's
   real serial devices, so a test can never touch them. */
#define _GNU_SOURCE
#include "line_state.h"

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <linux/serial.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

static int state_fd = -1;
static dev_t tty_dev;
static int tty_known = -1;

static int (*real_ioctl)(int, unsigned long, ...);
static int (*real_open)(const char*, int, ...);
static int (*real_open64)(const char*, int, ...);
static int (*real_openat)(int, const char*, int, ...);

static int real_serial_device(const char* path) {
  char resolved[PATH_MAX];
  if (!path) return 0;
  if (strncmp(path, "/dev/ttyS", 9) == 0) return 1;
  if (!strstr(path, "dosdevices") && strncmp(path, "/dev/", 5) != 0) return 0;
  if (!realpath(path, resolved)) return 0;
  return strncmp(resolved, "/dev/ttyS", 9) == 0;
}

#define OPEN_BODY(call)                \
  mode_t mode = 0;                     \
  if (flags & (O_CREAT | O_TMPFILE)) { \
    va_list ap;                        \
    va_start(ap, flags);               \
    mode = va_arg(ap, mode_t);         \
    va_end(ap);                        \
  }                                    \
  if (real_serial_device(path)) {      \
    errno = EACCES;                    \
    return -1;                         \
  }                                    \
  return call;

int open(const char* path, int flags, ...) {
  if (!real_open) real_open = dlsym(RTLD_NEXT, "open");
  OPEN_BODY(real_open(path, flags, mode))
}
int open64(const char* path, int flags, ...) {
  if (!real_open64) real_open64 = dlsym(RTLD_NEXT, "open64");
  OPEN_BODY(real_open64(path, flags, mode))
}
int openat(int dirfd, const char* path, int flags, ...) {
  if (!real_openat) real_openat = dlsym(RTLD_NEXT, "openat");
  OPEN_BODY(real_openat(dirfd, path, flags, mode))
}

static int ours(int fd) {
  struct stat st;
  if (tty_known < 0) {
    const char* tty = getenv("KELVRA_LINES_TTY");
    const char* state = getenv("KELVRA_LINES_STATE");
    struct stat tst;
    tty_known = 0;
    if (tty && state && stat(tty, &tst) == 0) {
      if (!real_open) real_open = dlsym(RTLD_NEXT, "open");
      state_fd = real_open(state, O_RDWR | O_CLOEXEC);
      if (state_fd >= 0) {
        tty_dev = tst.st_rdev;
        tty_known = 1;
      }
    }
  }
  return tty_known == 1 && fstat(fd, &st) == 0 && S_ISCHR(st.st_mode) && st.st_rdev == tty_dev;
}

static uint32_t word(int i) {
  uint32_t v = 0;
  if (pread(state_fd, &v, 4, i * 4) != 4) return 0;
  return v;
}

static void set_word(int i, uint32_t v) {
  if (pwrite(state_fd, &v, 4, i * 4) != 4) { /* nothing to report to */
  }
}

static void set_outputs(uint32_t outputs) {
  const uint32_t before = word(LS_OUTPUTS);
  outputs &= TIOCM_RTS | TIOCM_DTR;
  if ((outputs & TIOCM_RTS) && !(before & TIOCM_RTS)) {
    const uint32_t n = word(LS_RTS_RISES);
    if (n < LS_STAMPS) {
      struct timespec ts;
      clock_gettime(CLOCK_MONOTONIC, &ts);
      const uint64_t ns = (uint64_t)ts.tv_sec * 1000000000u + (uint64_t)ts.tv_nsec;
      if (pwrite(state_fd, &ns, 8, LS_RTS_STAMPS_AT + 8 * (off_t)n) != 8) { /* ignored */
      }
    }
    set_word(LS_RTS_RISES, n + 1);
  }
  set_word(LS_OUTPUTS, outputs);
}

/* Edges so far on the lines of a TIOCM_* mask. */
static uint32_t edges(uintptr_t mask) {
  return ((mask & TIOCM_CTS) ? word(LS_COUNT_CTS) : 0) + ((mask & TIOCM_DSR) ? word(LS_COUNT_DSR) : 0) +
         ((mask & TIOCM_RNG) ? word(LS_COUNT_RNG) : 0) + ((mask & TIOCM_CAR) ? word(LS_COUNT_DCD) : 0);
}

/* Counts the CTS changes that the port's status reads saw. Wine reads the
   lines afresh whenever a wait is armed, so a pulse that comes and goes
   between two reads is never seen; a test can hold a level until it was. */
static pthread_mutex_t seen_lock = PTHREAD_MUTEX_INITIALIZER;
static void note_any_status_read(uint32_t inputs) {
  pthread_mutex_lock(&seen_lock);
  if ((inputs ^ word(LS_SEEN_INPUTS)) & TIOCM_CTS) set_word(LS_SEEN_CTS, word(LS_SEEN_CTS) + 1);
  set_word(LS_SEEN_INPUTS, inputs);
  pthread_mutex_unlock(&seen_lock);
}

/* Which CTS rises reached the program. Wine 8 (dlls/ntdll/unix/serial.c)
   waits for communication events by polling: arming a wait takes a snapshot
   (TIOCGICOUNT, then TIOCMGET) in the caller's thread, and a worker thread
   then reads the same pair about every millisecond and ends the wait when the
   line levels differ from that snapshot. It compares levels only: the CTS
   edge counter it reads is never looked at, and each poll is compared with
   the snapshot, not with the poll before. So a poll that finds the snapshot's
   level tells nothing even if pulses came and went, and a snapshot tells
   nothing unless its wait ends on a change; then both its level and the
   ending poll's reach the program, which knows the line was the other way
   round at the arming. Besides, the program reads the lines itself between
   waits (GetCommModemStatus, a bare TIOCMGET) and learns each level it reads.

   A rise is seen when, in time order of the reads whose levels reach the
   program, a read finds CTS on after one that found it off; it is paired
   with the latest rise made before that read. A snapshot's fate is known
   only when its wait ends, so reads that come after it are queued until
   then: on a change it joins them in its place, when the next wait is armed
   without one it is dropped. This assumes one pending wait at a time (Wine
   refuses a second) with EV_CTS in its mask, and that only Wine's wait reads
   the pair; Wine's own bare reads for EscapeCommFunction and GetCommState
   count as the program's (the benchmarks make none while pulsing). */
enum { R_READY, R_SNAPSHOT, R_DROPPED };
struct reading {
  uint32_t on, rises; /* CTS level, and the rises made so far: the last is the one it shows when on */
  int fate;
};
#define QUEUE 256
static pthread_mutex_t seen_model_lock = PTHREAD_MUTEX_INITIALIZER;
static struct reading queue[QUEUE]; /* reads not yet counted, oldest first */
static int queued;
static int snapshot = -1;   /* queue slot of the pending wait's snapshot, or -1 */
static int wait_polled = 1; /* the last wait armed has a worker thread already */
static __thread int role;   /* 0 unknown, 1 arms waits (and reads bare), 2 polls one wait */
static __thread int counts_read;

static void count_seen(uint32_t on, uint32_t rises) {
  /* A test that sets the line by hand makes no rise to pair with. */
  if (on && !word(LS_READ_CTS) && rises > 0) {
    const uint32_t n = word(LS_SEEN);
    const uint64_t which = rises - 1;
    if (n < LS_STAMPS && pwrite(state_fd, &which, 8, LS_SEEN_RISES_AT + 8 * (off_t)n) != 8) { /* ignored */
    }
    set_word(LS_SEEN, n + 1);
  }
  set_word(LS_READ_CTS, on);
}

/* Counts the queued reads whose fate is known, up to the first that is not. */
static void flush_readings(void) {
  int i = 0;
  while (i < queued && queue[i].fate != R_SNAPSHOT) {
    if (queue[i].fate == R_READY) count_seen(queue[i].on, queue[i].rises);
    ++i;
  }
  memmove(queue, queue + i, (size_t)(queued - i) * sizeof queue[0]);
  queued -= i;
  if (snapshot >= 0) snapshot -= i;
}

static void add_reading(uint32_t on, uint32_t rises, int fate) {
  if (queued == QUEUE) { /* never in practice: give the snapshot up rather than lose reads */
    if (snapshot >= 0) queue[snapshot].fate = R_DROPPED;
    snapshot = -1;
    flush_readings();
  }
  queue[queued].on = on;
  queue[queued].rises = rises;
  queue[queued].fate = fate;
  if (fate == R_SNAPSHOT) snapshot = queued;
  ++queued;
  flush_readings();
}

/* KELVRA_LINES_TRACE names a file that gets one line per read, to check
   the model against what the program did: time (ns), thread, B(are) read,
   A(rming) snapshot or P(oll), CTS level, rises made so far. */
static int trace_fd = -2;
static void trace(const char* kind, uint32_t on, uint32_t rises) {
  if (trace_fd == -2) {
    const char* path = getenv("KELVRA_LINES_TRACE");
    if (!real_open) real_open = dlsym(RTLD_NEXT, "open");
    trace_fd = path ? real_open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
  }
  if (trace_fd < 0) return;
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  dprintf(trace_fd, "%llu %ld %s %u %u\n",
          (unsigned long long)ts.tv_sec * 1000000000ull + (unsigned long long)ts.tv_nsec, (long)gettid(), kind, on,
          rises);
}

/* A TIOCMGET: a bare read, or the second half of a pair read. */
static void note_status_read(uint32_t inputs, uint32_t rises, int pair) {
  const uint32_t on = (inputs & TIOCM_CTS) != 0;
  pthread_mutex_lock(&seen_model_lock);
  /* The worker of a wait makes its first read after the arming thread's
     snapshot, before any other wait can be armed: the first thread to read
     a pair after a snapshot, other than those known to arm, polls. */
  if (role == 0 && pair) role = wait_polled ? 1 : 2;
  trace(!pair ? "B" : role == 2 ? "P" : "A", on, rises);
  if (!pair) {
    if (role == 0) role = 1;
    add_reading(on, rises, R_READY);
  } else {
    if (role == 2) {
      wait_polled = 1;
      if (snapshot >= 0 && queue[snapshot].on != on) { /* the wait ends with EV_CTS */
        queue[snapshot].fate = R_READY;
        snapshot = -1;
        add_reading(on, rises, R_READY);
      }
    } else {
      /* A new wait: the one before it ended without a CTS change. */
      if (snapshot >= 0) queue[snapshot].fate = R_DROPPED;
      snapshot = -1;
      wait_polled = 0;
      add_reading(on, rises, R_SNAPSHOT);
    }
  }
  pthread_mutex_unlock(&seen_model_lock);
}

int ioctl(int fd, unsigned long request, ...) {
  va_list ap;
  va_start(ap, request);
  void* arg = va_arg(ap, void*);
  va_end(ap);
  if (!real_ioctl) real_ioctl = dlsym(RTLD_NEXT, "ioctl");
  switch (request) {
    case TIOCMGET:
    case TIOCMSET:
    case TIOCMBIS:
    case TIOCMBIC:
    case TIOCGICOUNT:
    case TIOCMIWAIT:
      if (!ours(fd)) break;
      switch (request) {
        case TIOCMGET: {
          /* The driver counts a rise before it shows it: a count that stayed
             the same across the read is the pulse the read found. */
          uint32_t rises, inputs;
          do {
            rises = word(LS_RISES);
            inputs = word(LS_INPUTS);
          } while (word(LS_RISES) != rises);
          note_status_read(inputs, rises, counts_read);
          counts_read = 0;
          note_any_status_read(inputs);
          *(int*)arg = (int)(inputs | word(LS_OUTPUTS));
          return 0;
        }
        case TIOCMSET:
          set_outputs(*(int*)arg);
          return 0;
        case TIOCMBIS:
          set_outputs(word(LS_OUTPUTS) | *(int*)arg);
          return 0;
        case TIOCMBIC:
          set_outputs(word(LS_OUTPUTS) & ~*(int*)arg);
          return 0;
        case TIOCGICOUNT: {
          struct serial_icounter_struct* c = arg;
          counts_read = 1;
          memset(c, 0, sizeof *c);
          c->cts = (int)word(LS_COUNT_CTS);
          c->dsr = (int)word(LS_COUNT_DSR);
          c->rng = (int)word(LS_COUNT_RNG);
          c->dcd = (int)word(LS_COUNT_DCD);
          c->frame = (int)word(LS_COUNT_FRAME);
          return 0;
        }
        case TIOCMIWAIT: {
          /* Like the kernel, it counts the edges: a line that went and came
             back between two looks is a change all the same. */
          const uintptr_t mask = (uintptr_t)arg;
          const uint32_t start = edges(mask);
          while (edges(mask) == start) usleep(500);
          return 0;
        }
      }
      break;
  }
  return real_ioctl(fd, request, arg);
}
