#!/usr/bin/env python3
"""The program's start against its floor, in pairs on one Wine bench (bench/startup_floor.sh).

A is the program as it ships (its package's folder) with a one-part basket: it ends inside the
simulated CAD library when the library is first asked for its formats (CADSIM_FAULTS
GetCADCount@1=exit:77), after the CAD system was polled once. B is the floor, an empty window
program that shows and paints its window, waits the 100 ms of that poll and ends. Each pair runs
A and B one right after the other (AB, then BA, and so on), so that the load of a shared machine
falls on both alike; the table gives the medians of the wall time, the CPU time and the peak
memory (resident set) of the Wine process, and which libraries A has loaded at its end that B
has not.

usage: startup_pairs.py PAIRS PROGRAM_EXE CAD_LIBRARY_FOLDER FLOOR_EXE WORK_FOLDER
PROGRAM_EXE lies in its program folder (the texts database beside it); CAD_LIBRARY_FOLDER holds
the simulated CADBasketDLL.dll. The caller has sourced the bench's state (WINEPREFIX, DISPLAY,
QRV_WINE, ...).
"""
import os
import re
import statistics
import subprocess
import sys
import threading
import time

A_EXIT_CODE = 77
TIME_LIMIT_SECONDS = 120


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run(command, environment, folder):
    """One start: (wall seconds, CPU seconds, peak resident KiB, exit code)."""
    begin = time.perf_counter()
    process = subprocess.Popen(command, env=environment, cwd=folder,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    watchdog = threading.Timer(TIME_LIMIT_SECONDS, process.kill)
    watchdog.start()
    try:
        _, status, usage = os.wait4(process.pid, 0)
    finally:
        watchdog.cancel()
    wall = time.perf_counter() - begin
    process.returncode = os.waitstatus_to_exitcode(status)
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss, process.returncode


def loaded_libraries(command, environment, folder):
    """The libraries that the started process itself loads (Wine's +loaddll trace)."""
    traced = dict(environment, WINEDEBUG="+pid,+loaddll")
    trace = subprocess.run(command, env=traced, cwd=folder, stdout=subprocess.DEVNULL,
                           stderr=subprocess.PIPE, text=True, errors="replace",
                           timeout=TIME_LIMIT_SECONDS).stderr
    names = []
    process = None
    for line in trace.splitlines():
        found = re.match(r'([0-9a-f]+):[0-9a-f]+:trace:loaddll:\w+ Loaded L"(.*)" at', line)
        if not found:
            continue
        process = process or found.group(1)  # the first line is the program's own
        if found.group(1) == process:
            names.append(found.group(2).replace("\\\\", "\\").rsplit("\\", 1)[-1].lower())
    return names[1:]  # without the program itself


def main():
    pairs, program, cad_library, floor, work = int(sys.argv[1]), *sys.argv[2:6]
    wine = os.environ["QRV_WINE"]
    appdata = os.path.join(work, "appdata")
    os.makedirs(appdata, exist_ok=True)
    environment = dict(os.environ)
    environment.update({
        "APPDATA": windows_path(appdata),
        "CADENASEXPORTDLL_": windows_path(cad_library),
        "CADSIM_START_DELAY_MS": "0",
        "CADSIM_FAULTS": "GetCADCount@1=exit:%d" % A_EXIT_CODE,
        "xQRVCADENAS_": "C:\\CADENAS",
        "xQRVLanguage": "ENGB",
        "ShopName": "Bench",
        "CADCount": "1",
        "PartNo_0": "ISO 4762 M8x30",
        "Type_0": "ISO4762",
        "ID1_0": "1004762008030",
        "ID2_0": "SHCS-M8-30",
        "CAD_0": "{ISO4762}~*~NB=M8~*~L=30",
    })
    environment.pop("CADSIM_LOG", None)
    starts = {
        "A": ([wine, windows_path(program)], A_EXIT_CODE),
        "B": ([wine, windows_path(floor)], 0),
    }
    # A Windows process that stays keeps the prefix's desktop up between the starts, as the
    # catalogue that starts the program does; otherwise each start would pay for a new one.
    holder = subprocess.Popen([wine, windows_path(floor), "--hold"], env=environment,
                              cwd=work, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        results = {"A": [], "B": []}
        for pair in range(-1, pairs):  # pair -1 warms the caches and is not counted
            for name in ("AB" if pair % 2 == 0 else "BA"):
                command, expected = starts[name]
                measured = run(command, environment, work)
                if measured[3] != expected:
                    sys.exit("start %s ended with exit code %d, not %d"
                             % (name, measured[3], expected))
                if pair >= 0:
                    results[name].append(measured)
        libraries = {name: loaded_libraries(starts[name][0], environment, work)
                     for name in starts}
    finally:
        holder.kill()
        holder.wait()

    def median(name, column):
        return statistics.median(row[column] for row in results[name])

    print("| %d pairs | A: the program | B: the floor | A - B | A/B |" % pairs)
    print("|---|---|---|---|---|")
    for title, column, scale, unit in (("wall, median", 0, 1000, "ms"),
                                       ("CPU, median", 1, 1000, "ms"),
                                       ("peak memory, median", 2, 1 / 1024, "MiB")):
        a, b = median("A", column) * scale, median("B", column) * scale
        print("| %s | %.1f %s | %.1f %s | %+.1f %s | %.2f |"
              % (title, a, unit, b, unit, a - b, unit, a / b))
    extra = [name for name in libraries["A"] if name not in libraries["B"]]
    print()
    print("Loaded by A at its end and not by B (%d): %s" % (len(extra), " ".join(extra)))


if __name__ == "__main__":
    main()
