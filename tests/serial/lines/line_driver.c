/* Drives a simulated serial line (see fake_lines.c): holds the pty, raises
   and lowers CTS, DSR, DCD and RI with set on and off times, reads back RTS
   and DTR, and reports pulse delivery.

   line_driver init STATE
   line_driver hold STATE TTYFILE          pty master; echoes what it receives
   line_driver set STATE cts|dsr|dcd|ri 0|1
   line_driver pulse STATE LINE ON_MS OFF_MS COUNT
   line_driver get STATE                   prints "rts=R dtr=D"
   line_driver report STATE                pulses sent, seen, delays */
#define _GNU_SOURCE
#include "line_state.h"

#include <fcntl.h>
#include <poll.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
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

static int line_bit(const char* name, int* count_word) {
  if (!strcmp(name, "cts")) { *count_word = LS_COUNT_CTS; return TIOCM_CTS; }
  if (!strcmp(name, "dsr")) { *count_word = LS_COUNT_DSR; return TIOCM_DSR; }
  if (!strcmp(name, "dcd")) { *count_word = LS_COUNT_DCD; return TIOCM_CAR; }
  if (!strcmp(name, "ri")) { *count_word = LS_COUNT_RNG; return TIOCM_RNG; }
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

static int hold(const char* ttyfile) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || grantpt(master) || unlockpt(master)) { perror("pty"); return 1; }
  FILE* f = fopen(ttyfile, "w");
  if (!f) { perror(ttyfile); return 1; }
  fprintf(f, "%s\n", ptsname(master));
  fclose(f);
  char buf[256];
  for (;;) {  /* ends when the test script kills it */
    struct pollfd p = {master, POLLIN, 0};
    if (poll(&p, 1, 200) <= 0) continue;
    const ssize_t n = read(master, buf, sizeof buf);
    if (n > 0 && write(master, buf, (size_t)n) != n) perror("echo");
    if (n <= 0) sleep_ms(5);  /* no slave open yet */
  }
}

int main(int argc, char** argv) {
  if (argc < 3) { fprintf(stderr, "usage: see the source\n"); return 2; }
  const char* cmd = argv[1];
  fd = open(argv[2], O_RDWR | (strcmp(cmd, "init") ? 0 : O_CREAT | O_TRUNC), 0644);
  if (fd < 0) { perror(argv[2]); return 1; }
  if (!strcmp(cmd, "init")) {
    if (ftruncate(fd, LS_FILE_SIZE)) { perror("ftruncate"); return 1; }
    set_word(LS_MAGIC, LS_MAGIC_VALUE);
    return 0;
  }
  if (!strcmp(cmd, "hold") && argc == 4) return hold(argv[3]);
  if (!strcmp(cmd, "set") && argc == 5) { set_line(argv[3], atoi(argv[4])); return 0; }
  if (!strcmp(cmd, "get")) {
    const uint32_t out = word(LS_OUTPUTS);
    printf("rts=%d dtr=%d\n", !!(out & TIOCM_RTS), !!(out & TIOCM_DTR));
    return 0;
  }
  if (!strcmp(cmd, "pulse") && argc == 7) {
    const double on = atof(argv[4]), off = atof(argv[5]);
    const int count = atoi(argv[6]);
    for (int i = 0; i < count; ++i) {
      set_line(argv[3], 1);
      sleep_ms(on);
      set_line(argv[3], 0);
      sleep_ms(off);
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
            pread(fd, &b, 8, LS_RTS_STAMPS_AT + 8 * (off_t)i) != 8) return 1;
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
