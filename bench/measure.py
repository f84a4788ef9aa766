#!/usr/bin/env python3
"""Runs a command and prints its wall time and peak resident memory, in one line:

    seconds=<float> peak_mb=<float> cpu_s=<float>

The peak is the largest sum of resident memory over the command and every process below it, sampled
every few milliseconds, so a command that runs eight processes at once is charged for all eight. It is
never below the largest single process's own peak as the kernel reports it. The CPU time is user plus
system time of the command and every process below it: on a machine shared with other work it says
what a job costs better than its wall time does.

usage: measure.py [--quiet] COMMAND [ARG...]
"""

import os
import resource
import subprocess
import sys
import time

PAGE = os.sysconf("SC_PAGE_SIZE")


def children_of():
    """Map of parent pid -> child pids, from /proc."""
    tree = {}
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open(f"/proc/{name}/stat", "rb") as f:
                stat = f.read()
        except OSError:
            continue
        # The name field may hold spaces and parentheses: the fields after the last ")" are fixed.
        rest = stat[stat.rfind(b")") + 2:].split()
        tree.setdefault(int(rest[1]), []).append(int(name))
    return tree


def resident_bytes(pid):
    try:
        with open(f"/proc/{pid}/statm", "rb") as f:
            return int(f.read().split()[1]) * PAGE
    except (OSError, IndexError, ValueError):
        return 0


def tree_rss(root):
    tree = children_of()
    total, todo = 0, [root]
    while todo:
        pid = todo.pop()
        total += resident_bytes(pid)
        todo.extend(tree.get(pid, []))
    return total


def main(argv):
    quiet = False
    if argv and argv[0] == "--quiet":
        quiet, argv = True, argv[1:]
    if not argv:
        print(__doc__, file=sys.stderr)
        return 2
    out = subprocess.DEVNULL if quiet else None
    start = time.monotonic()
    child = subprocess.Popen(argv, stdout=out)
    peak = 0
    while child.poll() is None:
        peak = max(peak, tree_rss(child.pid))
        time.sleep(0.005)
    seconds = time.monotonic() - start
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    peak = max(peak, usage.ru_maxrss * 1024)
    cpu = usage.ru_utime + usage.ru_stime
    print(f"seconds={seconds:.3f} peak_mb={peak / 1e6:.1f} cpu_s={cpu:.2f}", file=sys.stderr)
    return child.returncode


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
