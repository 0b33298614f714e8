/* Drives a simulated serial line (see fake_lines.c): holds the pty, raises
   and lowers CTS, DSR, DCD and RI with set on and off times, reads back RTS
   and DTR, and reports pulse delivery.

   line_driver init STATE
   line_driver hold STATE TTYFILE          pty master; echoes what it receives
   line_driver set STATE cts|dsr|dcd|ri 0|1
   line_driver pulse STATE LINE ON_MS OFF_MS COUNT
   line_driver get STATE                   prints "rts=R dtr=D"
   line_driver watch STATE LOG [DATA]      stamps each line appended to LOG and each
                                           payment saved in DATA ("cashid="), until killed
   line_driver counts STATE                prints "SENT SEEN LOGGED SAVED"
   line_driver report STATE                pulses sent, seen, delays */
#define _GNU_SOURCE
#include "line_state.h"

#include <fcntl.h>
#include <libgen.h>
#include <poll.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

static int fd = -1;

static uint32_t word(int i) {
  uint32_t v = 0;
  if (pread(fd, &v, 4, i * 4) != 4) return 0;
  return v;
}
static void set_word(int i, uint32_t v) {
  if (pwrite(fd, &v, 4, i * 4) != 4) perror("pwrite");
}
static uint64_t now_ns(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return (uint64_t)ts.tv_sec * 1000000000u + (uint64_t)ts.tv_nsec;
}
static void sleep_ms(double ms) {
  struct timespec ts = {(time_t)(ms / 1000), (long)((ms - (time_t)(ms / 1000) * 1000) * 1e6)};
  nanosleep(&ts, NULL);
}

static void sleep_until(uint64_t ns) {
  const struct timespec ts = {(time_t)(ns / 1000000000u), (long)(ns % 1000000000u)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, NULL) != 0) {
  }
}

static int line_bit(const char* name, int* count_word) {
  if (!strcmp(name, "cts")) {
    *count_word = LS_COUNT_CTS;
    return TIOCM_CTS;
  }
  if (!strcmp(name, "dsr")) {
    *count_word = LS_COUNT_DSR;
    return TIOCM_DSR;
  }
  if (!strcmp(name, "dcd")) {
    *count_word = LS_COUNT_DCD;
    return TIOCM_CAR;
  }
  if (!strcmp(name, "ri")) {
    *count_word = LS_COUNT_RNG;
    return TIOCM_RNG;
  }
  fprintf(stderr, "unknown line %s\n", name);
  exit(2);
}

static void set_line(const char* name, int on) {
  int count_word;
  const uint32_t bit = (uint32_t)line_bit(name, &count_word);
  const uint32_t in = word(LS_INPUTS);
  const uint32_t next = on ? (in | bit) : (in & ~bit);
  if (next == in) return;
  if (bit == TIOCM_CTS && on) {
    const uint32_t n = word(LS_RISES);
    if (n < LS_STAMPS) {
      const uint64_t t = now_ns();
      if (pwrite(fd, &t, 8, LS_RISE_STAMPS_AT + 8 * (off_t)n) != 8) perror("pwrite");
    }
    set_word(LS_RISES, n + 1);
  }
  set_word(count_word, word(count_word) + 1);
  set_word(LS_INPUTS, next);
}

static int cmp_u64(const void* a, const void* b) {
  const uint64_t x = *(const uint64_t*)a, y = *(const uint64_t*)b;
  return x < y ? -1 : x > y;
}

static void stamp(int count_word, off_t table, uint64_t t) {
  const uint32_t n = word(count_word);
  if (n < LS_STAMPS && pwrite(fd, &t, 8, table + 8 * (off_t)n) != 8) perror("pwrite");
  set_word(count_word, n + 1);
}

/* Line breaks in FILE from *offset on; the offset moves past them. */
static int line_breaks_from(const char* file, off_t* offset) {
  const int f = open(file, O_RDONLY);
  if (f < 0) return 0;
  char buf[4096];
  ssize_t got;
  int n = 0;
  while ((got = pread(f, buf, sizeof buf, *offset)) > 0) {
    for (ssize_t i = 0; i < got; ++i) n += buf[i] == '\n';
    *offset += got;
  }
  close(f);
  return n;
}

static long cash_id_in(const char* file) {
  const int f = open(file, O_RDONLY);
  if (f < 0) return -1;
  char buf[4096];
  const ssize_t got = read(f, buf, sizeof buf - 1);
  close(f);
  buf[got > 0 ? got : 0] = 0;
  const char* id = strstr(buf, "cashid=");
  return id ? atol(id + 7) : -1;
}

/* Woken by the kernel on every change in the folder, so what it stamps is
   when the bytes landed, not when a poll came round. */
static int watch(const char* log, const char* data) {
  char folder[4096];
  snprintf(folder, sizeof folder, "%s", log);
  const int in = inotify_init1(IN_CLOEXEC);
  if (in < 0 || inotify_add_watch(in, dirname(folder), IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE) < 0) {
    perror("inotify");
    return 1;
  }
  struct stat st;
  off_t offset = stat(log, &st) == 0 ? st.st_size : 0;
  long last_id = data ? cash_id_in(data) : -1;
  char events[8192];
  for (;;) { /* ends when the caller kills it */
    if (read(in, events, sizeof events) <= 0) continue;
    const uint64_t t = now_ns();
    for (int n = line_breaks_from(log, &offset); n > 0; --n) stamp(LS_LOGGED, LS_LOG_STAMPS_AT, t);
    if (!data) continue;
    const long id = cash_id_in(data);
    if (last_id >= 0)
      for (; last_id < id; ++last_id) stamp(LS_SAVED, LS_SAVE_STAMPS_AT, t);
    if (last_id < 0) last_id = id;
  }
}

static uint64_t entry(off_t table, uint32_t i) {
  uint64_t v = 0;
  if (pread(fd, &v, 8, table + 8 * (off_t)i) != 8) return 0;
  return v;
}

/* The i-th payment belongs to the i-th rise whose level reached the program. */
static void report_delays(const char* what, int count_word, off_t table) {
  const uint32_t seen = word(LS_SEEN), done = word(count_word);
  uint32_t n = seen < done ? seen : done;
  if (n > LS_STAMPS) n = LS_STAMPS;
  if (n == 0) {
    printf("%s: no samples\n", what);
    return;
  }
  uint64_t* d = calloc(n, 8);
  for (uint32_t i = 0; i < n; ++i) {
    const uint64_t rise = entry(LS_RISE_STAMPS_AT, (uint32_t)entry(LS_SEEN_RISES_AT, i)), at = entry(table, i);
    d[i] = at > rise ? at - rise : 0;
  }
  qsort(d, n, 8, cmp_u64);
  printf("%s: median %.2f ms, p95 %.2f ms, max %.2f ms (%u samples)\n", what, d[n / 2] / 1e6,
         d[(n * 95) / 100 < n ? (n * 95) / 100 : n - 1] / 1e6, d[n - 1] / 1e6, n);
  free(d);
}

static int hold(const char* ttyfile) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) || unlockpt(master)) {
    perror("pty");
    return 1;
  }
  FILE* f = fopen(ttyfile, "w");
  if (!f) {
    perror(ttyfile);
    return 1;
  }
  fprintf(f, "%s\n", ptsname(master));
  fclose(f);
  char buf[256];
  for (;;) { /* ends when the test script kills it */
    struct pollfd p = {master, POLLIN, 0};
    if (poll(&p, 1, 200) <= 0) continue;
    const ssize_t n = read(master, buf, sizeof buf);
    if (n > 0 && write(master, buf, (size_t)n) != n) perror("echo");
    if (n <= 0) sleep_ms(5); /* no slave open yet */
  }
}

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: see the source\n");
    return 2;
  }
  const char* cmd = argv[1];
  fd = open(argv[2], O_RDWR | (strcmp(cmd, "init") ? 0 : O_CREAT | O_TRUNC), 0644);
  if (fd < 0) {
    perror(argv[2]);
    return 1;
  }
  if (!strcmp(cmd, "init")) {
    if (ftruncate(fd, LS_FILE_SIZE)) {
      perror("ftruncate");
      return 1;
    }
    set_word(LS_MAGIC, LS_MAGIC_VALUE);
    return 0;
  }
  if (!strcmp(cmd, "hold") && argc == 4) return hold(argv[3]);
  if (!strcmp(cmd, "set") && argc == 5) {
    set_line(argv[3], atoi(argv[4]));
    return 0;
  }
  if (!strcmp(cmd, "get")) {
    const uint32_t out = word(LS_OUTPUTS);
    printf("rts=%d dtr=%d\n", !!(out & TIOCM_RTS), !!(out & TIOCM_DTR));
    return 0;
  }
  if (!strcmp(cmd, "pulse") && argc == 7) {
    const double on = atof(argv[4]), off = atof(argv[5]);
    const int count = atoi(argv[6]);
    /* On a schedule, so that a late wake-up shortens the next wait instead
       of lowering the rate. */
    uint64_t at = now_ns();
    for (int i = 0; i < count; ++i) {
      set_line(argv[3], 1);
      at += (uint64_t)(on * 1e6);
      sleep_until(at);
      set_line(argv[3], 0);
      at += (uint64_t)(off * 1e6);
      sleep_until(at);
    }
    return 0;
  }
  if (!strcmp(cmd, "counts")) {
    printf("%u %u %u %u\n", word(LS_RISES), word(LS_SEEN), word(LS_LOGGED), word(LS_SAVED));
    return 0;
  }
  if (!strcmp(cmd, "watch") && (argc == 4 || argc == 5)) return watch(argv[3], argc == 5 ? argv[4] : NULL);
  if (!strcmp(cmd, "report") && word(LS_LOGGED) + word(LS_SAVED) > 0) {
    const uint32_t sent = word(LS_RISES), seen = word(LS_SEEN), logged = word(LS_LOGGED);
    printf("  rises sent %u, seen by the port's status reads %u, log lines %u, payments saved %u\n", sent, seen, logged,
           word(LS_SAVED));
    report_delays("  rise to log line", LS_LOGGED, LS_LOG_STAMPS_AT);
    report_delays("  rise to settings saved", LS_SAVED, LS_SAVE_STAMPS_AT);
    /* Pairing in order is only right while the program counts every seen
       rise: after one it left out, each line is held against an older rise. */
    if (logged < seen)
      printf("  (%u seen rises not logged: the delays above pair in order and overstate)\n", seen - logged);
    if (logged > seen) printf("  (%u log lines more than seen rises)\n", logged - seen);
    if (sent > 0 && logged > 0 && sent <= LS_STAMPS && logged <= LS_STAMPS) {
      const uint64_t last_rise = entry(LS_RISE_STAMPS_AT, sent - 1), last_line = entry(LS_LOG_STAMPS_AT, logged - 1);
      printf("  last log line %.2f ms after the last rise\n", ((double)last_line - (double)last_rise) / 1e6);
    }
    return 0;
  }
  if (!strcmp(cmd, "report")) {
    const uint32_t sent = word(LS_RISES), seen = word(LS_RTS_RISES);
    const uint32_t n = sent < seen ? sent : seen;
    printf("pulses sent %u, seen %u\n", sent, seen);
    if (n > 0 && n <= LS_STAMPS) {
      uint64_t* d = calloc(n, 8);
      for (uint32_t i = 0; i < n; ++i) {
        uint64_t a = 0, b = 0;
        if (pread(fd, &a, 8, LS_RISE_STAMPS_AT + 8 * (off_t)i) != 8 ||
            pread(fd, &b, 8, LS_RTS_STAMPS_AT + 8 * (off_t)i) != 8)
          return 1;
        d[i] = b > a ? b - a : 0;
      }
      qsort(d, n, 8, cmp_u64);
      printf("delay edge to handler: median %.2f ms, p99 %.2f ms, max %.2f ms\n", d[n / 2] / 1e6,
             d[(n * 99) / 100 < n ? (n * 99) / 100 : n - 1] / 1e6, d[n - 1] / 1e6);
      free(d);
    }
    return 0;
  }
  fprintf(stderr, "bad command\n");
  return 2;
}
