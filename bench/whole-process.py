#!/usr/bin/env python3
"""Times two programs as whole processes over the same files, in turn (A B A B ...), and prints
the medians of wall and processor (user + system) seconds and of the ratios A / B pair by pair.

    whole-process.py RUNS FILE_LIST COMMAND_A COMMAND_B

Each command (a program and any leading arguments, split as a shell splits words) gets the files
of FILE_LIST (one path a line) as its last arguments; its output is read through a pipe, as a
caller of a command-line tool reads it, and must hold at least one line per file. One run of
each, not counted, comes first.
"""

import os
import shlex
import statistics
import subprocess
import sys
import time


def run(command, files):
    """Wall and processor seconds of one run, and the number of lines it printed."""
    start = time.perf_counter()
    child = subprocess.Popen([*shlex.split(command), *files], stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL)
    lines = 0
    for block in iter(lambda: child.stdout.read(1 << 16), b""):
        lines += block.count(b"\n")
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        sys.exit(f"{command} ended with status {child.returncode}")
    return wall, usage.ru_utime + usage.ru_stime, lines


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    runs = int(sys.argv[1])
    with open(sys.argv[2], encoding="utf-8") as listing:
        files = listing.read().splitlines()
    programs = sys.argv[3:5]
    figures = {program: [] for program in programs}
    for number in range(runs + 1):
        for program in programs:
            wall, processor, lines = run(program, files)
            if lines < len(files):
                sys.exit(f"{program} printed {lines} lines for {len(files)} files")
            if number > 0:
                figures[program].append((wall, processor))
    a, b = (figures[program] for program in programs)
    print(f"{len(files)} files, medians of {runs} runs of each, in turn:")
    print(f"{'':24} {'wall s':>8} {'cpu s':>8}")
    for program in programs:
        walls, processors = zip(*figures[program])
        print(f"{os.path.basename(shlex.split(program)[0]):24} {statistics.median(walls):8.3f}"
              f" {statistics.median(processors):8.3f}")
    wall_ratio = statistics.median(x[0] / y[0] for x, y in zip(a, b))
    cpu_ratio = statistics.median(x[1] / y[1] for x, y in zip(a, b))
    print(f"{'ratio A / B':24} {wall_ratio:8.2f} {cpu_ratio:8.2f}")


if __name__ == "__main__":
    main()
