#!/usr/bin/python3
"""Reads the longest measurement (1,000,800 samples) with the program's loader
and with pandas.read_csv side by side and prints both times.

Usage: bench/bench_files.py [BUILD_DIR]   (default: build)

bench_files writes the data file and times the save and the load with the
recomputation of landings and results; this script then times the whole
ovra-eval process and pandas on the same file (the sample rows only, the header lines skipped). Debian's Python
is used so that python3-pandas is found.
"""
import os
import re
import subprocess
import sys
import tempfile
import time

import pandas

RUNS = 5


def header_lines(path):
    count = 0
    with open(path, "rb") as f:
        for line in f:
            if not line.startswith(b"-0.0"):
                break
            count += 1
    return count


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    program = os.path.join(build, "bin", "bench_files")
    if not os.access(program, os.X_OK):
        sys.exit(f"{program} not found; build the target bench_files first")
    with tempfile.TemporaryDirectory() as directory:
        path = os.path.join(directory, "maximum.dat")
        output = subprocess.run([program, "--write", path], check=True, capture_output=True, text=True).stdout
        print(output, end="")
        figures = dict(re.findall(r"^(save|load with recomputation)\s+best\s+([\d.]+) ms", output, re.M))

        # The whole ovra-eval process on the same file, as an organiser runs it.
        evaluator = os.path.join(build, "bin", "ovra-eval")
        process_times = []
        with tempfile.TemporaryDirectory() as home:
            environment = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))
            for _ in range(RUNS):
                start = time.perf_counter()
                subprocess.run([evaluator, path], check=True, capture_output=True, env=environment)
                process_times.append((time.perf_counter() - start) * 1000.0)
        process_times.sort()

        skip = header_lines(path)
        times = []
        rows = 0
        for _ in range(RUNS):
            start = time.perf_counter()
            frame = pandas.read_csv(path, sep="\t", header=None, skiprows=skip)
            times.append((time.perf_counter() - start) * 1000.0)
            rows = len(frame)
        times.sort()

    loader = float(figures["load with recomputation"])
    print()
    print(f"Side by side, best of {RUNS} ({rows} sample rows):")
    print(f"  Ovra loader with recomputation  {loader:8.1f} ms")
    print(f"  pandas.read_csv (rows only)     {times[0]:8.1f} ms  (median {times[len(times) // 2]:.1f} ms)")
    print(f"  loader faster than pandas: {'yes' if loader < times[0] else 'NO'} ({times[0] / loader:.1f} x)")
    print(f"  ovra-eval, whole process        {process_times[0]:8.1f} ms  (median {process_times[len(process_times) // 2]:.1f} ms)")
    ratio = times[0] / process_times[0]
    print(f"  ovra-eval against pandas: {ratio:.1f} x (goal: at least 5 x: {'met' if ratio >= 5.0 else 'NOT met'})")


if __name__ == "__main__":
    main()
