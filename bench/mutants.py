#!/usr/bin/env python3
"""Plants one small fault at a time in the program's engine, report and storage code, rebuilds
the build folder incrementally and runs the fast tests against it: a fault is killed when a
test fails (or runs past its time), survived when every test passes.

Usage: bench/mutants.py BUILD_FOLDER [--faults bench/mutants.txt] [--out FILE] [--only N,M]
                       [--tests PATTERN]

BUILD_FOLDER is a configured CMake build of the tests, best Debug without sanitizers and with
ccache (-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); the faults are planted in the source folder it
was configured from, which must have no uncommitted change under src/. Every changed file is
put back as it was, also when the run is interrupted. The places are listed in
bench/mutants.txt (see its head); a place whose code is not found is reported, not counted.

The fast tests are every CTest test except the real window, the package and the format check.
Only the tests whose program was relinked by the rebuild are run: a program left as it was
passes as it did before the fault.
"""

import argparse
import concurrent.futures
import json
import os
import re
import signal
import subprocess
import sys
import time

SLOW_TESTS = re.compile(r"^(real_window|journal_window|package|format)$")


def log(text):
    print(text, flush=True)


class Source:
    """One file of the source folder, its first text kept so that it is always put back."""

    def __init__(self, path):
        self.path = path
        with open(path, "rb") as f:
            self.original = f.read()

    def restore(self):
        with open(self.path, "rb") as f:
            if f.read() == self.original:
                return
        with open(self.path, "wb") as f:
            f.write(self.original)


planted = []  # the files changed now, put back on every way out


def restore_all():
    while planted:
        planted.pop().restore()


def on_signal(number, _frame):
    restore_all()
    sys.exit(128 + number)


def read_faults(path):
    faults = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            fields = [field.strip() for field in line.split(" ;; ")]
            if len(fields) != 4:
                sys.exit(f"{path}:{number}: four fields separated by ' ;; ' expected")
            faults.append({"line": number, "file": fields[0], "anchor": fields[1],
                           "old": fields[2], "new": fields[3]})
    return faults


def mutated_text(text, fault):
    """The text with the fault planted, and the line number, or (None, None) when the anchor or
    the replaced text after it is not found."""
    lines = text.split("\n")
    start = next((i for i, line in enumerate(lines) if fault["anchor"] in line), None)
    if start is None:
        return None, None
    for i in range(start, len(lines)):
        if fault["old"] in lines[i]:
            lines[i] = lines[i].replace(fault["old"], fault["new"], 1)
            return "\n".join(lines), i + 1
    return None, None


def cmake_home(build):
    with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("CMAKE_HOME_DIRECTORY:"):
                return line.split("=", 1)[1].strip()
    sys.exit(f"{build} is not a configured CMake build folder")


def build(folder, jobs):
    done = subprocess.run(["cmake", "--build", folder, "-j", str(jobs)],
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return done.returncode == 0, done.stdout


def fast_tests(folder, wanted):
    shown = subprocess.run(["ctest", "--test-dir", folder, "--show-only=json-v1"],
                           stdout=subprocess.PIPE, check=True, text=True)
    tests = []
    for test in json.loads(shown.stdout)["tests"]:
        if SLOW_TESTS.match(test["name"]) or "command" not in test:
            continue
        if wanted and not re.search(wanted, test["name"]):
            continue
        properties = {p["name"]: p["value"] for p in test.get("properties", [])}
        environment = dict(os.environ)
        for setting in properties.get("ENVIRONMENT", []):
            key, _, value = setting.partition("=")
            environment[key] = value
        tests.append({"name": test["name"], "command": test["command"], "env": environment,
                      "cwd": properties.get("WORKING_DIRECTORY", folder)})
    return tests


def run_test(test, seconds):
    """'pass', 'fail' or 'timeout'; the test's whole process group is ended on a timeout."""
    process = subprocess.Popen(test["command"], cwd=test["cwd"], env=test["env"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    try:
        return "pass" if process.wait(timeout=seconds) == 0 else "fail"
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        return "timeout"


def run_tests(tests, seconds, jobs):
    """The first test that does not pass, with how, or None; the others still queued are
    dropped once one fails."""
    with concurrent.futures.ThreadPoolExecutor(jobs) as pool:
        pending = {pool.submit(run_test, t, seconds[t["name"]]): t for t in tests}
        while pending:
            finished, _ = concurrent.futures.wait(
                pending, return_when=concurrent.futures.FIRST_COMPLETED)
            for future in finished:
                test = pending.pop(future)
                if future.result() != "pass":
                    for other in pending:
                        other.cancel()
                    return f"{test['name']} ({future.result()})"
    return None


def newest_change(test):
    try:
        return os.path.getmtime(test["command"][0])
    except OSError:
        return float("inf")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("build")
    parser.add_argument("--faults", default=os.path.join(here, "mutants.txt"))
    parser.add_argument("--out", help="also write the results to this file")
    parser.add_argument("--only", help="the faults of these data-file lines, comma-separated")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--list", action="store_true",
                        help="only show where each fault would be planted, without building")
    parser.add_argument("--tests", help="only the fast tests whose name matches this pattern")
    parser.add_argument("--all-tests", action="store_true",
                        help="run every fast test after each rebuild, relinked or not")
    args = parser.parse_args()

    folder = os.path.abspath(args.build)
    source = cmake_home(folder)
    faults = read_faults(args.faults)
    if args.only:
        wanted = {int(n) for n in args.only.split(",")}
        faults = [f for f in faults if f["line"] in wanted]
    if args.list:
        for fault in faults:
            path = os.path.join(source, "src", fault["file"])
            text, line = (None, None)
            if os.path.exists(path):
                with open(path, encoding="utf-8") as f:
                    text, line = mutated_text(f.read(), fault)
            where = f"{fault['file']}:{line}" if text else "place not found"
            log(f"{fault['line']}\t{where}\t{fault['old']} -> {fault['new']}")
        return
    changed = subprocess.run(["git", "-C", source, "status", "--porcelain", "--", "src"],
                             stdout=subprocess.PIPE, text=True).stdout.strip()
    if changed:
        sys.exit(f"uncommitted changes under {source}/src:\n{changed}")

    for number in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, on_signal)

    out = open(args.out, "w", encoding="utf-8") if args.out else None

    def report(text):
        log(text)
        if out:
            out.write(text + "\n")
            out.flush()

    started = time.monotonic()
    ok, output = build(folder, args.jobs)
    if not ok:
        sys.exit("the unchanged source does not build:\n" + output)
    tests = fast_tests(folder, args.tests)
    seconds = {}
    for test in tests:
        began = time.monotonic()
        if run_test(test, 600) != "pass":
            sys.exit(f"{test['name']} fails on the unchanged source")
        # Ten times its own time, and never less than a minute: a fault that makes a loop
        # endless is caught, a busy machine is not.
        seconds[test["name"]] = max(60.0, 10 * (time.monotonic() - began))
    report(f"# {len(tests)} fast tests pass on the unchanged source "
           f"({time.monotonic() - started:.0f} s with the build)")
    report("# status\tdata line\tfile:line\tchange\tcaught by")

    killed = survived = missing = broken = 0
    try:
        for fault in faults:
            path = os.path.join(source, "src", fault["file"])
            change = f"{fault['old']} -> {fault['new']}"
            place = Source(path) if os.path.exists(path) else None
            text, line = (mutated_text(place.original.decode("utf-8"), fault)
                          if place else (None, None))
            if text is None:
                missing += 1
                report(f"place not found\t{fault['line']}\t{fault['file']}\t{change}\t")
                continue
            stamp = time.time()
            planted.append(place)
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
            began = time.monotonic()
            ok, _ = build(folder, args.jobs)
            if not ok:
                restore_all()
                broken += 1
                report(f"does not build\t{fault['line']}\t{fault['file']}:{line}\t{change}\t")
                continue
            chosen = tests if args.all_tests else [t for t in tests if newest_change(t) >= stamp]
            caught = run_tests(chosen, seconds, args.jobs)
            restore_all()
            if caught:
                killed += 1
            else:
                survived += 1
            report(f"{'killed' if caught else 'SURVIVED'}\t{fault['line']}\t"
                   f"{fault['file']}:{line}\t{change}\t{caught or ''}"
                   f"\t({len(chosen)} tests, {time.monotonic() - began:.0f} s)")
    finally:
        restore_all()
    counted = killed + survived
    report(f"# killed {killed} / {counted} ({100 * killed / max(counted, 1):.0f} %), "
           f"survived {survived}, place not found {missing}, does not build {broken}; "
           f"{time.monotonic() - started:.0f} s in all")
    # The build folder is left built from the unchanged source again.
    build(folder, args.jobs)


if __name__ == "__main__":
    main()
