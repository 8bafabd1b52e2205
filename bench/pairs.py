#!/usr/bin/env python3
"""Times two commands in turn, pair by pair, for a ratio that holds on a
noisy machine.

usage: pairs.py RUNS 'COMMAND A' 'COMMAND B' [--before 'COMMAND']

Each command is split as a shell splits words but run without a shell, so
a pattern such as 'in/*.000' reaches the program as it stands. A and B run
one after the other RUNS times, after one untimed run of each; --before
runs (untimed) ahead of every run of either. Standard output is thrown
away; a nonzero exit status is no failure (the views exit with 1 when
files differ). Prints one JSON object: the median wall and CPU seconds of
each, and the median of the RUNS ratios A/B. When the machine's speed
drifts, each ratio compares two runs made side by side, and the median
drops the pairs a burst of other work spoiled.
"""
import json
import os
import shlex
import statistics
import subprocess
import sys
import time


def run(command, before):
    if before:
        subprocess.run(before, check=True)
    start = time.perf_counter()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL)
    _, _, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    return wall, usage.ru_utime + usage.ru_stime


def main():
    args = sys.argv[1:]
    before = None
    if "--before" in args:
        at = args.index("--before")
        before = shlex.split(args[at + 1])
        del args[at:at + 2]
    runs, a, b = int(args[0]), shlex.split(args[1]), shlex.split(args[2])
    run(a, before)
    run(b, before)
    times = {"a": [], "b": [], "a_cpu": [], "b_cpu": [], "ratio": []}
    for _ in range(runs):
        wall_a, cpu_a = run(a, before)
        wall_b, cpu_b = run(b, before)
        times["a"].append(wall_a)
        times["b"].append(wall_b)
        times["a_cpu"].append(cpu_a)
        times["b_cpu"].append(cpu_b)
        times["ratio"].append(wall_a / wall_b)
    print(json.dumps({k: statistics.median(v) for k, v in times.items()}))


main()
