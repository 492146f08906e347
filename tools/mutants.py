#!/usr/bin/env python3
"""Mutation testing: builds a sample of single-point mutants of the C++ sources and runs the test
programs against each; a mutant some test fails on is killed, one the whole suite passes survived.

Mutants are made in a mirror of the work tree (build-mutants/ by default, kept between runs so
that each build only recompiles the mutated file and relinks what depends on it); the work tree
itself is never written. The mirror is brought back in line with the work tree at every start, and
each mutated file is restored as soon as its mutant is done, also on an interruption.
"""

import argparse
import ctypes
import fcntl
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

sys.dont_write_bytecode = True
import mutant_sites  # noqa: E402  (after the line above, so that no __pycache__ lands in tools/)

ROOT = Path(__file__).resolve().parent.parent
LAYERS = ["model", "link", "calibration", "views", "app", "dialogs", "sim", "cli", "platform", "check"]
# The program's start-up, which no test program builds.
UNTESTED = ("src/app/main/",)
# The suites likeliest to kill a mutant of a layer, run before the others.
FIRST_SUITES = {"link": ["link_tests", "fault_campaign"], "calibration": ["app_tests"],
                "sim": ["sim_tests", "tables_tests"], "check": ["check_tests", "cli_tests"]}
BUILD_TIMEOUT = 1200
LOGS = "build-logs"  # inside the mirror; "build" keeps it out of the mirrored files
STOP_SIGNALS = {signal.SIGINT, signal.SIGTERM, signal.SIGHUP}
PR_SET_PDEATHSIG = 1
LIBC = ctypes.CDLL(None, use_errno=True)


@dataclass
class Suite:
    name: str
    target: str
    command: list
    env: dict
    cwd: str
    sources: set = field(default_factory=set)
    seconds: float = 0.0


@dataclass
class Outcome:
    status: str  # KILLED, TIMEOUT, SURVIVED, NO-COMPILE
    detail: str = ""


def read_source(path):
    with open(path, encoding="utf-8", newline="") as f:
        return f.read()


def write_source(path, text):
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text)


def layer_of(path):
    return path.split("/")[1]


def family_of(op):
    return re.split(r"[-+]", op)[0]


def find_all(layers):
    """Every mutant of the layers' .cpp files, by layer (headers are left out: a mutated header
    would rebuild every file that includes it, twice)."""
    found = {}
    for layer in layers:
        for path in sorted((ROOT / "src" / layer).rglob("*.cpp")):
            relative = path.relative_to(ROOT).as_posix()
            if not relative.startswith(UNTESTED):
                found.setdefault(layer, []).extend(mutant_sites.find_mutants(relative, read_source(path)))
    return found


def choose(found, count, seed):
    """`count` mutants shared among the layers in proportion to their mutants (largest remainder);
    within a layer each operator family is equally likely, so that literals do not crowd out the
    rest. The same seed gives the same sample."""
    rng = random.Random(seed)
    total = sum(len(m) for m in found.values())
    exact = {layer: count * len(m) / total for layer, m in found.items()}
    shares = {layer: int(share) for layer, share in exact.items()}
    for layer in sorted(exact, key=lambda l: shares[l] - exact[l])[:count - sum(shares.values())]:
        shares[layer] += 1
    chosen = []
    for layer, mutants in found.items():
        families = {}
        for mutant in mutants:
            families.setdefault(family_of(mutant.op), []).append(mutant)
        for _ in range(min(shares[layer], len(mutants))):
            family = rng.choice(sorted(f for f in families if families[f]))
            chosen.append(families[family].pop(rng.randrange(len(families[family]))))
    return sorted(chosen, key=lambda m: (m.path, m.start, m.op))


def tree_files(base):
    """The work tree's files as the build sees them: no build folders, no hidden or cached files."""
    files = set()
    for entry in base.iterdir():
        if entry.name.startswith(("build", ".")):
            continue
        paths = [entry] if entry.is_file() else entry.rglob("*")
        files.update(p.relative_to(base) for p in paths
                     if p.is_file() and not p.is_symlink() and "__pycache__" not in p.parts)
    return files


def sync_mirror(mirror):
    """Makes the mirror's sources equal to the work tree's, touching only files that differ (so
    that the mirror's build stays incremental); an interrupted earlier run is undone here too."""
    mirror.mkdir(parents=True, exist_ok=True)
    wanted, present = tree_files(ROOT), tree_files(mirror)
    changed = 0
    for relative in present - wanted:
        (mirror / relative).unlink()
        changed += 1
    for relative in wanted:
        source, copy = ROOT / relative, mirror / relative
        if not copy.exists() or copy.read_bytes() != source.read_bytes():
            copy.parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(source, copy)
            changed += 1
    return changed


def end_with_this_tool():
    """Run in the child before its program starts: even a SIGKILL of the tool ends the command."""
    LIBC.prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


class Group:
    """A command in its own process group, killed as a whole when it times out or is abandoned."""

    def __init__(self, command, log, cwd=None, env=None):
        self.log = open(log, "w")
        self.started = time.monotonic()
        self.process = subprocess.Popen(command, cwd=cwd, env=env, stdin=subprocess.DEVNULL, stdout=self.log,
                                        stderr=subprocess.STDOUT, start_new_session=True,
                                        preexec_fn=end_with_this_tool)

    def elapsed(self):
        return time.monotonic() - self.started

    def kill(self):
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.process.wait()
        self.log.close()

    def run(self, timeout):
        """The exit code, or None when the command ran out of time."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None
        finally:
            self.kill()


def build(build_dir, targets, jobs, log):
    """Nothing when the targets built, else the first error the build printed."""
    code = Group(["ninja", "-C", str(build_dir), "-j", str(jobs)] + targets, log).run(BUILD_TIMEOUT)
    if code == 0:
        return None
    lines = Path(log).read_text(errors="replace").splitlines()
    return next((l.strip() for l in lines if "error:" in l), "build failed" if code else "build timed out")


def run_suites(suites, jobs, timeouts, log_dir, durations=None):
    """Runs the suites `jobs` at a time, in order, and stops at the first one that fails:
    (status, suite, detail) for it, or None when all passed. `durations` gets each suite's time."""
    pending, running = list(suites), []
    try:
        while pending or running:
            while pending and len(running) < jobs:
                suite = pending.pop(0)
                log = log_dir / f"{suite.name}.log"
                running.append((suite, log, Group(suite.command, log, suite.cwd, suite.env)))
            time.sleep(0.1)
            for entry in list(running):
                suite, log, group = entry
                code = group.process.poll()
                late = code is None and group.elapsed() > timeouts[suite.name]
                if code is None and not late:
                    continue
                running.remove(entry)
                if durations is not None:
                    durations[suite.name] = group.elapsed()
                group.kill()
                if late:
                    return "TIMEOUT", suite, f"over {timeouts[suite.name]:.0f} s"
                if code != 0:
                    return "KILLED", suite, failure_of(log, code)
        return None
    finally:
        for _, _, group in running:
            group.kill()


def failure_of(log, code):
    failed = re.search(r"^\[  FAILED  \] (\S+)", log.read_text(errors="replace"), re.M)
    if failed:
        return failed.group(1)
    return f"signal {-code}" if code < 0 else f"exit code {code}"


def find_suites(build_dir):
    """The test programs ctest runs, each to be run whole, with what they are built from."""
    listing = subprocess.run(["ctest", "--test-dir", str(build_dir), "--show-only=json-v1"],
                             check=True, capture_output=True, text=True).stdout
    suites = {}
    for test in json.loads(listing)["tests"]:
        command = test["command"]
        properties = {p["name"]: p["value"] for p in test.get("properties", [])}
        name = Path(command[0]).name
        if name in suites or not Path(command[0]).is_relative_to(build_dir):
            continue
        if any(a.startswith("--gtest_filter") for a in command):
            command = [command[0], "--gtest_brief=1", "--gtest_fail_fast"]
        env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))
        env.update(v.split("=", 1) for v in properties.get("ENVIRONMENT", []))
        target = os.path.relpath(command[0], build_dir)
        inputs = subprocess.run(["ninja", "-C", str(build_dir), "-t", "inputs", target],
                                check=True, capture_output=True, text=True).stdout.split()
        mirror = build_dir.parent
        sources = {Path(i).relative_to(mirror).as_posix() for i in inputs if Path(i).is_relative_to(mirror)}
        suites[name] = Suite(name, target, command, env, properties.get("WORKING_DIRECTORY", str(Path(command[0]).parent)),
                             sources)
    return suites


def order_suites(suites, mutant):
    """The suites that link the mutated file: the layer's own first, then the slowest first, so
    that a long suite overlaps the short ones when the mutant survives them all."""
    first = FIRST_SUITES.get(layer_of(mutant.path), [f"{layer_of(mutant.path)}_tests"])

    def rank(suite):
        return (first.index(suite.name), 0) if suite.name in first else (len(first), -suite.seconds)
    return sorted((s for s in suites.values() if mutant.path in s.sources), key=rank)


def evaluate(mutant, mirror, suites, jobs, timeouts):
    path = mirror / mutant.path
    original = read_source(path)
    log_dir = mirror / LOGS
    try:
        write_source(path, mutant_sites.apply(original, mutant))
        ordered = order_suites(suites, mutant)
        if not ordered:
            return Outcome("SURVIVED", "no test program builds it")
        error = build(mirror / "build", [s.target for s in ordered], jobs, log_dir / "build.log")
        if error:
            return Outcome("NO-COMPILE", error[:100])
        failure = run_suites(ordered, jobs, timeouts, log_dir)
        if failure:
            status, suite, detail = failure
            return Outcome(status, f"{suite.name}: {detail}")
        return Outcome("SURVIVED")
    finally:
        # A second interruption must not cut the restoring short.
        blocked = signal.pthread_sigmask(signal.SIG_BLOCK, STOP_SIGNALS)
        write_source(path, original)
        signal.pthread_sigmask(signal.SIG_SETMASK, blocked)


def shown(text):
    text = " ".join(text.split())
    return text if len(text) <= 48 else text[:45] + "..."


def describe(mutant):
    return f"{mutant.path}:{mutant.line}:{mutant.col}  {mutant.op}  {shown(mutant.original)} -> {shown(mutant.replacement)}"


def minutes(seconds):
    return f"{int(seconds // 60)} min {seconds % 60:04.1f} s"


def prepare(mirror, jobs, build_type):
    print(f"mirror {mirror}: {sync_mirror(mirror)} files refreshed", flush=True)
    build_dir = mirror / "build"
    if not (build_dir / "build.ninja").exists():
        linker = ["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld"] if shutil.which("ld.lld") else []
        subprocess.run(["cmake", "-S", str(mirror), "-B", str(build_dir), "-G", "Ninja",
                        f"-DCMAKE_BUILD_TYPE={build_type}"] + linker, check=True, stdout=subprocess.DEVNULL)
    (mirror / LOGS).mkdir(exist_ok=True)
    started = time.monotonic()
    if Group(["ninja", "-C", str(build_dir), "-j", str(jobs)], mirror / LOGS / "build.log").run(None):
        sys.exit(f"mutants: the unmutated sources do not build; see {mirror / LOGS}/build.log")
    print(f"build of the unmutated sources: {time.monotonic() - started:.1f} s", flush=True)
    suites = find_suites(build_dir)
    started = time.monotonic()
    durations = {}
    failure = run_suites(list(suites.values()), jobs, {name: 900 for name in suites}, mirror / LOGS, durations)
    if failure:
        sys.exit(f"mutants: the unmutated sources fail {failure[1].name} ({failure[2]}); see {mirror / LOGS}")
    baseline = time.monotonic() - started
    for suite in suites.values():
        suite.seconds = durations[suite.name]
    print(f"baseline suite: {baseline:.1f} s with {jobs} at a time ("
          + ", ".join(f"{s.name} {s.seconds:.1f} s" for s in suites.values()) + ")", flush=True)
    return suites, baseline


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=60)
    parser.add_argument("--layers", default="model,link,calibration,views,app",
                        help="comma-separated, from: " + ",".join(LAYERS))
    parser.add_argument("--list", action="store_true", help="print the sample and stop")
    parser.add_argument("--only", action="append", metavar="ID", help="run this mutant (path:line:col:op); repeatable")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2, help="builds and suites at a time")
    parser.add_argument("--mirror", type=Path, default=ROOT / "build-mutants")
    parser.add_argument("--build-type", default="RelWithDebInfo")
    parser.add_argument("--json", type=Path, help="also write the results to this file")
    args = parser.parse_args()
    args.mirror = args.mirror.resolve()
    args.layers = args.layers.split(",")
    if not set(args.layers) <= set(LAYERS):
        parser.error(f"unknown layer in {','.join(args.layers)}")
    if args.only:
        everything = {m.ident: m for ms in find_all(LAYERS).values() for m in ms}
        unknown = [i for i in args.only if i not in everything]
        if unknown:
            parser.error("no such mutant: " + ", ".join(unknown))
        args.sample, args.total = [everything[i] for i in args.only], len(everything)
    else:
        found = find_all(args.layers)
        args.sample, args.total = choose(found, args.count, args.seed), sum(len(m) for m in found.values())
    return args


def lock(mirror):
    """Keeps a second run off the same mirror for as long as the returned file stays open."""
    mirror.mkdir(parents=True, exist_ok=True)
    held = open(mirror / ".lock", "w")
    try:
        fcntl.flock(held, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        sys.exit(f"mutants: another run is using {mirror}")
    return held


def report(args, results, suites, baseline, wall):
    counts = {s: sum(o.status == s for _, o, _ in results) for s in ("KILLED", "TIMEOUT", "SURVIVED", "NO-COMPILE")}
    killed = counts["KILLED"] + counts["TIMEOUT"]
    judged = killed + counts["SURVIVED"]
    score = 100 * killed / judged if judged else 0
    survivors = [(m, o) for m, o, _ in results if o.status == "SURVIVED"]
    print("\nsurvivors:" + ("" if survivors else " none"))
    for mutant, outcome in survivors:
        print(f"  {describe(mutant)}" + (f"  [{outcome.detail}]" if outcome.detail else ""))
    print(f"\nscore {score:.1f} %: {killed} killed ({counts['TIMEOUT']} by time-out) of {judged}; "
          f"{counts['SURVIVED']} survived; {counts['NO-COMPILE']} did not compile (not scored)")
    over = "the ones asked" if args.only else ",".join(args.layers)
    print(f"seed {args.seed}, {len(args.sample)} of {args.total} mutants over {over}; "
          f"wall time {minutes(wall)}; baseline suite {baseline:.1f} s")
    if args.json:
        args.json.write_text(json.dumps({
            "seed": args.seed, "layers": args.layers, "sample": len(args.sample), "mutants_total": args.total,
            "score": round(score, 1), "counts": counts, "wall_seconds": round(wall, 1),
            "baseline_seconds": round(baseline, 1), "suites": {s.name: round(s.seconds, 1) for s in suites.values()},
            "results": [{"id": m.ident, "original": m.original, "mutated": m.replacement, "status": o.status,
                         "detail": o.detail, "seconds": round(t, 1)} for m, o, t in results]}, indent=1) + "\n")


def main():
    args = parse_arguments()
    if args.list:
        for mutant in args.sample:
            print(f"{mutant.ident}  {shown(mutant.original)} -> {shown(mutant.replacement)}")
        return
    held = lock(args.mirror)
    for stop in STOP_SIGNALS:
        signal.signal(stop, signal.default_int_handler)
    started = time.monotonic()
    suites, baseline = prepare(args.mirror, args.jobs, args.build_type)
    timeouts = {s.name: 3 * s.seconds + 10 for s in suites.values()}
    results = []
    for mutant in args.sample:
        begun = time.monotonic()
        outcome = evaluate(mutant, args.mirror, suites, args.jobs, timeouts)
        results.append((mutant, outcome, time.monotonic() - begun))
        detail = f"  [{outcome.detail}]" if outcome.detail else ""
        print(f"{outcome.status:<10} {describe(mutant)}{detail} ({time.monotonic() - begun:.0f} s)", flush=True)
    report(args, results, suites, baseline, time.monotonic() - started)
    held.close()


if __name__ == "__main__":
    try:
        main()
    except KeyboardInterrupt:
        sys.exit("mutants: interrupted; the mirror's sources are restored")
