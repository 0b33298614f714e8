#!/usr/bin/env python3
"""Pulses CTS on a vserial line and reports what reached the credit log.

Run by counting.sh (LINE=vserial). The vserial shim notes, for every change
of the input lines, when a status read inside Wine first saw it; the project's
line driver watches the log from Linux and stamps each line as it lands, in
its own state file. Both stamp with CLOCK_MONOTONIC, like the rises here.
Usage: vserial_pulses.py VSERIAL_DIR VSTATE STAMPS PULSES ON_MS OFF_MS
"""
import struct
import sys
import time

sys.path.insert(0, sys.argv[1])
from vserial import State, now_ns  # noqa: E402

# Words and tables of tests/serial/lines/line_state.h.
LS_LOGGED, LS_STAMPS, LS_LOG_STAMPS_AT = 12, 4096, 256 + 3 * 8 * 4096


def word(path, i):
    with open(path, "rb") as f:
        f.seek(4 * i)
        return struct.unpack("<I", f.read(4))[0]


def log_stamps(path, n):
    with open(path, "rb") as f:
        f.seek(LS_LOG_STAMPS_AT)
        return list(struct.unpack(f"<{n}Q", f.read(8 * n)))


def figures(ms):
    ms = sorted(ms)
    n = len(ms)
    if not n:
        return "no samples"
    return f"median {ms[n // 2]:.2f} ms, p95 {ms[min(n - 1, n * 95 // 100)]:.2f} ms, max {ms[-1]:.2f} ms ({n} samples)"


def main():
    _, _, vstate, stamps, pulses, on_ms, off_ms = sys.argv
    pulses, on_ms, off_ms = int(pulses), float(on_ms), float(off_ms)
    s = State(vstate)
    calls0 = s.stats()["tiocmget_calls"]
    rises = []  # (seq, ns)
    t = now_ns()
    for _ in range(pulses):  # on a schedule, so that a late wake-up does not lower the rate
        s._sleep_until(t)
        s.set(cts=True)
        rises.append((s._r("in_seq"), s._r("in_change_ns")))
        t += int(on_ms * 1e6)
        s._sleep_until(t)
        s.set(cts=False)
        t += int(off_ms * 1e6)
    s._sleep_until(t)
    # The shim notes the first status read of each change. A rise counts as
    # seen when a read found it and the last change read before it was a
    # fall (or none): a pulse whose fall no read found looks like no change.
    # Still an upper bound: a poll of Wine's that finds the level its wait
    # was armed with ends nothing, so what it read never reaches the program.
    rise_ns = dict(rises)
    rise_seqs = set(rise_ns)
    first = rises[0][0]
    seen_any, seen, last_read_on = 0, [], False
    for seq in range(first, rises[-1][0] + 2):
        if s.seen_time(seq) is None:
            continue
        on = seq in rise_seqs
        if on:
            seen_any += 1
            if not last_read_on:
                seen.append(rise_ns[seq])
        last_read_on = on
    # Until every rise that was seen has its line, or 10 s, then a second more.
    end = time.monotonic() + 10
    while word(stamps, LS_LOGGED) < len(seen) and time.monotonic() < end:
        time.sleep(0.05)
    time.sleep(1)
    logged = word(stamps, LS_LOGGED)
    lines = log_stamps(stamps, min(logged, LS_STAMPS))
    print(f"  rises sent {pulses}, seen by Wine's status reads {seen_any} (after a seen fall {len(seen)}),"
          f" log lines {logged} (status reads {s.stats()['tiocmget_calls'] - calls0})")
    # The i-th line belongs to the i-th seen rise while none was left out.
    pairs = list(zip(seen, lines))
    print("  rise to log line: " + figures([(at - rise) / 1e6 for rise, at in pairs]))
    if logged != len(seen):
        print(f"  ({len(seen) - logged:+d} seen rises not logged: the delays above pair in order)")
    if lines:
        print(f"  last log line {(lines[-1] - rises[-1][1]) / 1e6:.2f} ms after the last rise")


main()
