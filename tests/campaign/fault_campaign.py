#!/usr/bin/env python3
"""Mutates and truncates the example and corpus files and runs kelvor-cli on each for a while.

    fault_campaign.py KELVOR_CLI SOURCE_ROOT SECONDS SEED ARTIFACTS

Every batch of mutated files is checked (one `check` of the whole batch), dumped (one `dump`
per file) and converted to a format that fits each file's kind (one `convert --continue` per
kind); every written file must then `check` ok. Each run has a 1 GiB address-space limit and a
time limit. A finding is: a signal or a hang, a peak resident set above 256 MB, exit 0 with an
error on stderr (or an exit status other than 0 and 1), a dump that is not JSON, a file that
dumps otherwise than its seed when only its line ends were changed, a written file that does
not read back, or a failed conversion that leaves a file behind. A run of a whole
batch that fails is repeated file by file, so each finding names the input that causes it.

Every finding is kept in ARTIFACTS/seed-<seed>/<number>-<command>-<symptom>/ with the input, a
`command.sh` that replays it under the same limits and a `finding.txt`. Batch N of seed S is
always the same files, whichever worker runs it and however long the campaign runs.
Exits 0 when nothing was found, 1 otherwise.
"""

import json
import multiprocessing
import os
import random
import re
import resource
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ADDRESS_SPACE_LIMIT = 1 << 30       # bytes; the build under test is not a sanitizer build
WRITE_LIMIT = 256 << 20             # largest file a run may write (stdout included)
PEAK_RSS_LIMIT_KB = 256 * 1024
FILE_RUN_SECONDS = 10               # a run on one file
BATCH_RUN_SECONDS = 60              # a run on a whole batch
BATCH_SIZE = 16
WORKERS = 2
KEPT_PER_KIND = 3                   # inputs kept per worker for each command, symptom, seed file

# The formats a conversion of each kind of file goes to, with the options it needs.
TARGETS = {
    "radio": [["raf"], ["rsd"], ["mrs"], ["raf4"]],
    "nsma": [["asd", "--technology", "dipole"], ["asd", "--technology", "aperture"], ["mas"]],
    "antenna_binary": [["adf"]],
}
KIND_OF_EXTENSION = {
    ".raf": "radio", ".rsd": "radio", ".mrs": "radio",
    ".adf": "nsma", ".dat": "nsma", ".pat": "nsma", ".nsma": "nsma",
    ".asd": "antenna_binary", ".mas": "antenna_binary", ".vas": "antenna_binary",
    ".msi": "antenna_binary",
}
SEED_FOLDERS = ["examples", "tests/fuzz/corpus", "tests/data"]


def seed_files(root):
    """(path, kind, extension, bytes) of every data file under the seed folders."""
    seeds = []
    for folder in SEED_FOLDERS:
        for base, dirs, files in os.walk(os.path.join(root, folder)):
            dirs.sort()
            for name in sorted(files):
                extension = os.path.splitext(name)[1].lower()
                kind = KIND_OF_EXTENSION.get(extension)
                if kind is None:
                    continue  # expected dumps, text helper inputs
                path = os.path.join(base, name)
                with open(path, "rb") as f:
                    data = f.read()
                # Expected NSMA output is read and converted as the NSMA file it is.
                seeds.append((os.path.relpath(path, root), kind,
                              ".adf" if extension == ".nsma" else extension, data))
    return seeds


# ---- mutations -------------------------------------------------------------------------------

HUGE_TEXT_NUMBERS = [b"1000000", b"2147483647", b"2147483648", b"4294967295", b"-1",
                     b"-2147483648", b"99999999999999999999", b"1e308", b"-1e308", b"nan",
                     b"inf", b"0", b"65535", b"65536", b"100000000"]
HUGE_BINARY_NUMBERS = [0xFFFFFFFF, 0x7FFFFFFF, 0x80000000, 0x000F4240, 0x00100000, 0x0000FFFF,
                       0x00007FFF, 0, 1]
NUMBER = re.compile(rb"-?\d+(?:\.\d+)?")
LINE_ENDS = [b"\n", b"\r", b"\r\n", b"\n\r"]


def is_text(data):
    head = data[:4096]
    return b"\0" not in head and sum(b < 9 or 13 < b < 32 for b in head) < len(head) // 50 + 1


def split_lines(data):
    """Lines with their ends, whatever the ends are."""
    return re.findall(rb"[^\r\n]*(?:\r\n|\n\r|\r|\n)|[^\r\n]+$", data)


def m_flip(data, rng):
    data = bytearray(data)
    count = rng.randint(1, 8)
    for _ in range(count if data else 0):
        i = rng.randrange(len(data))
        data[i] = rng.randrange(256) if rng.random() < 0.5 else data[i] ^ (1 << rng.randrange(8))
    return bytes(data), "flip %d bytes" % count


KEYWORD_VALUE = re.compile(rb"^[A-Za-z_0-9 ]+:[ \t]*([^\r\n]+)", re.M)


def m_high_bytes(data, rng):
    # Texts with bytes above 0x7F: they must reach JSON and the terminal as UTF-8.
    values = [m.span(1) for m in KEYWORD_VALUE.finditer(data[:1 << 16])]
    if values and rng.random() < 0.3:
        # Every letter of every keyword's value at once.
        spans = values
    elif values and rng.random() < 0.6:
        spans = [rng.choice(values)]
    else:
        letters = [m.span() for m in re.finditer(rb"[A-Za-z]{2,}", data[:1 << 16])]
        if not letters:
            return m_flip(data, rng)
        spans = [rng.choice(letters)]
    data = bytearray(data)
    for start, end in spans:
        for i in range(start, end):
            if 0x41 <= (data[i] | 0x20) - 0x20 <= 0x5A:
                data[i] = rng.randrange(0x80, 0x100)
    return bytes(data), "bytes 0x80-0xFF in %d texts from %d" % (len(spans), spans[0][0])


def m_insert(data, rng):
    at = rng.randrange(len(data) + 1)
    if data and rng.random() < 0.5:
        i = rng.randrange(len(data))
        chunk = data[i:i + rng.randint(1, 256)]
    else:
        chunk = bytes(rng.randrange(256) for _ in range(rng.randint(1, 64)))
    return data[:at] + chunk + data[at:], "insert %d bytes at %d" % (len(chunk), at)


def m_delete(data, rng):
    if not data:
        return data, "delete nothing"
    at = rng.randrange(len(data))
    length = rng.randint(1, max(1, min(256, len(data) // 4)))
    return data[:at] + data[at + length:], "delete %d bytes at %d" % (length, at)


def m_truncate(data, rng):
    at = rng.randrange(len(data) + 1)
    return data[:at], "truncate at %d of %d" % (at, len(data))


def m_duplicate_line(data, rng):
    lines = split_lines(data)
    if not lines:
        return m_insert(data, rng)
    i = rng.randrange(len(lines))
    times = rng.choice([1, 1, 2, 10, 100, 1000])
    lines[i:i + 1] = [lines[i]] * (times + 1)
    return b"".join(lines), "line %d repeated %d times" % (i + 1, times)


def m_drop_line(data, rng):
    lines = split_lines(data)
    if not lines:
        return data, "drop nothing"
    i = rng.randrange(len(lines))
    del lines[i]
    return b"".join(lines), "line %d dropped" % (i + 1)


def m_huge_number(data, rng):
    if is_text(data):
        numbers = list(NUMBER.finditer(data[:1 << 16]))
        if numbers:
            m = rng.choice(numbers)
            value = rng.choice(HUGE_TEXT_NUMBERS)
            return (data[:m.start()] + value + data[m.end():],
                    "number at %d set to %s" % (m.start(), value.decode()))
    if len(data) < 2:
        return m_insert(data, rng)
    # Binary counts and sizes sit in the headers: mostly the first bytes.
    limit = len(data) if rng.random() < 0.3 else min(len(data), 512)
    width = rng.choice([2, 4]) if len(data) >= 4 else 2
    at = rng.randrange(max(1, limit - width + 1))
    value = rng.choice(HUGE_BINARY_NUMBERS) & ((1 << (8 * width)) - 1)
    return (data[:at] + value.to_bytes(width, "little") + data[at + width:],
            "%d-byte number at %d set to %#x" % (width, at, value))


def m_line_ends(data, rng):
    lines = split_lines(data)
    end = rng.choice(LINE_ENDS)
    if not lines:
        return data + end, "line end added"
    stripped = [line.rstrip(b"\r\n") for line in lines]
    if rng.random() < 0.7:
        return end.join(stripped) + end, "every line end %r" % end
    i = rng.randrange(len(lines))
    lines[i] = stripped[i] + end
    return b"".join(lines), "line %d end %r" % (i + 1, end)


def m_grow(data, rng):
    # Large inputs: memory must stay a small multiple of what the file holds.
    if not data:
        return b"\n" * (1 << 20), "1 MiB of line ends"
    body = data[rng.randrange(len(data)):] or data
    times = max(1, (rng.randint(256, 2048) << 10) // len(body))
    return data + body * times, "tail repeated %d times" % times


def m_replace(data, rng):
    choice = rng.randrange(5)
    return [(b"", "empty file"), (b"hello world\n", "hello world"),
            (b"\0" * 1024, "1 KiB of NUL bytes"), (b"\r\n" * 512, "1 KiB of blank lines"),
            (data[:rng.randint(0, 48)], "the first bytes only")][choice]


TEXT_MUTATIONS = [(m_flip, 10), (m_high_bytes, 12), (m_insert, 6), (m_delete, 6),
                  (m_truncate, 10), (m_duplicate_line, 8), (m_drop_line, 6),
                  (m_huge_number, 12), (m_line_ends, 8), (m_grow, 1), (m_replace, 1)]
BINARY_MUTATIONS = [(m_flip, 14), (m_high_bytes, 4), (m_insert, 6), (m_delete, 6),
                    (m_truncate, 10), (m_huge_number, 16), (m_grow, 1), (m_replace, 1)]


def mutate(data, rng):
    table = TEXT_MUTATIONS if is_text(data) else BINARY_MUTATIONS
    steps = []
    for _ in range(rng.choice([1, 1, 1, 2, 2, 3])):
        mutation = rng.choices([m for m, _ in table], [w for _, w in table])[0]
        data, step = mutation(data, rng)
        steps.append(step)
    return data, steps


# ---- running kelvor-cli ----------------------------------------------------------------------

def set_limits():
    """The limits of every run, set once on the worker that starts the runs: they pass to its
    children without the cost of running code between fork and exec."""
    resource.setrlimit(resource.RLIMIT_AS, (ADDRESS_SPACE_LIMIT, ADDRESS_SPACE_LIMIT))
    resource.setrlimit(resource.RLIMIT_FSIZE, (WRITE_LIMIT, WRITE_LIMIT))
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))


class Run:
    """One finished run: exit code (negative: signal), output, peak memory."""

    def __init__(self, command, code, timed_out, peak_kb, stdout, stderr):
        self.command, self.code, self.timed_out = command, code, timed_out
        self.peak_kb, self.stdout, self.stderr = peak_kb, stdout, stderr

    def fault(self):
        """What is wrong with the run whatever it did, or None."""
        if self.timed_out:
            return "hang", "no exit within the time limit"
        if self.code < 0:
            return "signal", "killed by %s" % signal.Signals(-self.code).name
        if self.code >= 128:
            return "signal", "exit %d" % self.code
        if self.peak_kb > PEAK_RSS_LIMIT_KB:
            return "memory", "peak resident set %d MB" % (self.peak_kb // 1024)
        if self.code not in (0, 1):
            return "exit-code", "exit %d" % self.code
        if self.code == 0 and self.stderr.strip():
            return "error-with-exit-0", "exit 0 with an error on stderr: " + first_line(self.stderr)
        return None


def first_line(data):
    line = data.decode("utf-8", "replace").strip().splitlines()[0] if data.strip() else ""
    return line if len(line) <= 200 else line[:200] + "..."


class Runner:
    def __init__(self, work):
        self.out = os.path.join(work, "stdout")
        self.err = os.path.join(work, "stderr")
        self.count = 0

    def run(self, command, seconds, cwd):
        self.count += 1
        with open(self.out, "w+b") as out, open(self.err, "w+b") as err:
            process = subprocess.Popen(command, cwd=cwd, stdin=subprocess.DEVNULL, stdout=out,
                                       stderr=err)
            timed_out = False

            def stop(signum, frame):
                nonlocal timed_out
                timed_out = True
                try:
                    os.kill(process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass

            previous = signal.signal(signal.SIGALRM, stop)
            signal.setitimer(signal.ITIMER_REAL, seconds)
            try:
                _, status, usage = os.wait4(process.pid, 0)
            finally:
                signal.setitimer(signal.ITIMER_REAL, 0)
                signal.signal(signal.SIGALRM, previous)
            process.returncode = os.waitstatus_to_exitcode(status)
            out.seek(0)
            err.seek(0)
            return Run(command, process.returncode, timed_out, usage.ru_maxrss, out.read(),
                       err.read(1 << 20))


# ---- one batch -------------------------------------------------------------------------------

class Worker:
    def __init__(self, cli, seeds, seed, artifacts, work, index):
        self.cli, self.seeds, self.seed = cli, seeds, seed
        self.artifacts, self.work, self.index = artifacts, work, index
        self.runner = Runner(work)
        self.findings = []       # (class, command name, seed file, artifact folder or "")
        self.kept = {}
        self.inputs = 0
        self.seed_dumps = {}     # (seed file, name): its dump, parsed, or None

    def finding(self, kind, detail, command_name, item, run, extra_files=(), replay=None):
        key = (command_name, kind, detail.split(":")[0][:60], item["seed"])
        self.kept[key] = self.kept.get(key, 0) + 1
        folder = ""
        if self.kept[key] <= KEPT_PER_KIND:
            folder = os.path.join(self.artifacts, "w%d-%04d-%s-%s" % (
                self.index, len(self.findings) + 1, command_name, kind))
            os.makedirs(folder, exist_ok=True)
            shutil.copy(item["path"], folder)
            for path in extra_files:
                # What the program wrote, apart: it may carry the input's name.
                os.makedirs(os.path.join(folder, "written"), exist_ok=True)
                shutil.copy(path, os.path.join(folder, "written"))
            commands = replay or [[self.cli] + [
                os.path.basename(a) if a == item["path"] else a for a in run.command[1:]]]
            with open(os.path.join(folder, "command.sh"), "w") as f:
                f.write("#!/usr/bin/env bash\n# Replays the finding under the campaign's "
                        "limits, from this folder.\ncd \"$(dirname \"$0\")\"\n"
                        "ulimit -v %d -f %d\n" % (ADDRESS_SPACE_LIMIT // 1024, WRITE_LIMIT // 1024))
                for command in commands:
                    f.write("/usr/bin/time -f 'peak %%M KiB' timeout %d %s\n" % (
                        FILE_RUN_SECONDS, " ".join(shlex.quote(a) for a in command)))
            with open(os.path.join(folder, "finding.txt"), "w") as f:
                f.write("symptom: %s: %s\nseed file: %s\nmutations: %s\ncampaign seed: %s, "
                        "batch %d\nexit: %s, peak %d KiB\nstderr:\n%s\n" % (
                            kind, detail, item["seed"], "; ".join(item["steps"]), self.seed,
                            item["batch"], "timeout" if run.timed_out else run.code,
                            run.peak_kb, run.stderr[:4000].decode("utf-8", "replace")))
        self.findings.append((kind, detail, command_name, item["seed"], folder))

    def batch(self, number):
        rng = random.Random("%s:%d" % (self.seed, number))
        folder = os.path.join(self.work, "batch")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(os.path.join(folder, "in"))
        items = []
        for i in range(BATCH_SIZE):
            source, kind, extension, data = rng.choice(self.seeds)
            data, steps = mutate(data, rng)
            path = os.path.join(folder, "in", "m%02d%s" % (i, extension))
            with open(path, "wb") as f:
                f.write(data)
            items.append({"path": path, "kind": kind, "seed": source, "steps": steps,
                          "batch": number, "extension": extension,
                          # Only other line ends: the file must read as its seed does.
                          "same_as_seed": steps[0].startswith("every line end") and
                          len(steps) == 1})
        self.inputs += len(items)
        self.check(items, folder, "check")
        for item in items:
            self.dump(item, folder)
        for kind in sorted(TARGETS):
            group = [item for item in items if item["kind"] == kind]
            if group:
                self.convert(group, rng.choice(TARGETS[kind]), folder)

    def check(self, items, cwd, name, sources=None):
        """`check` of the files in one run; file by file when the batch run fails. With
        `sources`, the files were written from them and each must read back."""
        paths = [item["path"] for item in items]
        run = self.runner.run([self.cli, "check"] + paths, BATCH_RUN_SECONDS, cwd)
        if run.fault() is None and not self.check_report_faults(run, paths) and not (
                sources and run.code != 0):
            return
        for i, item in enumerate(items):
            single = self.runner.run([self.cli, "check", item["path"]], FILE_RUN_SECONDS, cwd)
            fault = single.fault() or self.check_report_faults(single, [item["path"]])
            if not fault and sources and single.code != 0:
                fault = ("read-back", "the written file does not read back: " +
                         first_line(single.stdout))
            if not fault:
                continue
            if not sources:
                self.finding(fault[0], fault[1], name, item, single)
                continue
            written = os.path.basename(item["path"])
            self.finding(fault[0], fault[1], name, sources[i], single, [item["path"]],
                         [sources[i]["convert"], [self.cli, "check", "out/" + written]])

    @staticmethod
    def check_report_faults(run, paths):
        lines = run.stdout.decode("utf-8", "replace").split("\n")[:-1]
        ok = [line.startswith(path + ": ok (") for line, path in zip(lines, paths)]
        if len(lines) != len(paths):
            return "report", "%d report lines for %d files" % (len(lines), len(paths))
        if run.code == 0 and not all(ok):
            return "error-with-exit-0", "exit 0 with a failure reported"
        if run.code == 1 and all(ok):
            return "report", "exit 1 with every file ok"
        return None

    def dump(self, item, cwd):
        run = self.runner.run([self.cli, "dump", item["path"]], FILE_RUN_SECONDS, cwd)
        fault = run.fault()
        record = None
        if fault is None and run.code == 0:
            try:
                record = json.loads(run.stdout)
            except ValueError as error:
                fault = ("not-json", "exit 0 with output that is not JSON: %s" % error)
        if fault is None and item["same_as_seed"]:
            original = self.seed_dump(item, cwd)
            if original is not None and record != original:
                fault = ("line-ends", "%s: read otherwise than with the line ends of %s" % (
                    item["steps"][0], item["seed"]))
        if fault:
            self.finding(fault[0], fault[1], "dump", item, run)

    def seed_dump(self, item, cwd):
        """The dump of the unmutated seed of `item` under the same name (records keep it)."""
        key = (item["seed"], os.path.basename(item["path"]))
        if key not in self.seed_dumps:
            os.makedirs(os.path.join(self.work, "seeds"), exist_ok=True)
            path = os.path.join(self.work, "seeds", key[1])
            data = next(d for source, _, _, d in self.seeds if source == item["seed"])
            with open(path, "wb") as f:
                f.write(data)
            run = self.runner.run([self.cli, "dump", path], FILE_RUN_SECONDS, cwd)
            try:
                dumped = json.loads(run.stdout) if run.code == 0 and not run.fault() else None
            except ValueError:
                dumped = None
            self.seed_dumps[key] = dumped
        return self.seed_dumps[key]

    def convert(self, items, target, cwd):
        out = os.path.join(cwd, "out")
        shutil.rmtree(out, ignore_errors=True)
        os.makedirs(out)
        options = ["--to"] + target + ["--out", out]
        paths = [item["path"] for item in items]
        run = self.runner.run([self.cli, "convert"] + options + ["--continue", "--jobs", "1"] +
                              paths, BATCH_RUN_SECONDS, cwd)
        if run.fault() is not None:
            for item in items:
                shutil.rmtree(out, ignore_errors=True)
                os.makedirs(out)
                single = self.runner.run([self.cli, "convert"] + options + [item["path"]],
                                         FILE_RUN_SECONDS, cwd)
                fault = single.fault()
                if fault:
                    self.finding(fault[0], fault[1], "convert", item, single,
                                 replay=[self.replay_convert(options, item)])
            return
        # "SOURCE -> TARGET" for each file converted, then " (not kept: ...)" when the target
        # has no room for some values, and ", warning: ..." for each warning.
        written = {}
        for line in run.stdout.decode("utf-8", "replace").splitlines():
            source, arrow, target_path = line.partition(" -> ")
            if arrow:
                written[source] = target_path.split(", warning: ")[0].split(" (not kept: ")[0]
        by_path = {item["path"]: item for item in items}
        present = {os.path.join(out, name) for name in os.listdir(out)}
        for path in sorted(present - set(written.values())):
            # A file no conversion reported: a failed write left it, or a temporary file.
            stem = re.match(r"\.?(m\d\d)\.", os.path.basename(path))
            item = next((i for i in items if stem and
                         os.path.basename(i["path"]).startswith(stem.group(1) + ".")), items[0])
            self.finding("stray-file", "a file was left that no conversion reported: %s"
                         % os.path.basename(path), "convert", item, run, [path],
                         [self.replay_convert(options, item)])
        back = [(by_path[s], t) for s, t in written.items() if s in by_path and t in present]
        for source, target_path in written.items():
            if target_path not in present and source in by_path:
                self.finding("read-back", "reported %s but it is missing" % target_path,
                             "convert", by_path[source], run)
        for item, _ in back:
            item["convert"] = self.replay_convert(options, item)
        if back:
            self.check([{"path": t} for _, t in back], cwd, "convert-check-" + target[0],
                       sources=[i for i, _ in back])

    def replay_convert(self, options, item):
        """The conversion of the kept input alone, into out/ beside it."""
        return [self.cli, "convert"] + options[:-1] + ["out", os.path.basename(item["path"])]


def work(index, cli, seeds, seed, artifacts, scratch, deadline, results):
    signal.signal(signal.SIGINT, signal.SIG_IGN)  # the parent stops the campaign
    set_limits()
    folder = os.path.join(scratch, "worker%d" % index)
    os.makedirs(folder)
    worker = Worker(cli, seeds, seed, artifacts, folder, index)
    number = index
    batches = 0
    error = None
    try:
        while time.monotonic() < deadline:
            worker.batch(number)
            batches += 1
            number += WORKERS
    except Exception as raised:  # the campaign's own fault: reported, never a silent pass
        error = "worker %d, batch %d: %r" % (index, number, raised)
    results.put({"batches": batches, "inputs": worker.inputs, "runs": worker.runner.count,
                 "findings": worker.findings, "error": error})


def main(argv):
    if len(argv) != 6:
        print(__doc__.split("\n\n")[1], file=sys.stderr)
        return 2
    cli, root, seconds, seed, artifacts = argv[1:]
    cli = os.path.abspath(cli)
    # One folder per seed: a run again with the same seed replaces what that seed found before.
    artifacts = os.path.join(os.path.abspath(artifacts), "seed-%s" % seed)
    shutil.rmtree(artifacts, ignore_errors=True)
    seeds = seed_files(root)
    if not seeds:
        print("fault campaign: no example or corpus files under %s" % root, file=sys.stderr)
        return 2
    os.makedirs(artifacts, exist_ok=True)
    print("fault campaign: seed %s, %s s, %d seed files, %d workers, findings in %s"
          % (seed, seconds, len(seeds), WORKERS, artifacts), flush=True)
    started = time.monotonic()
    deadline = started + float(seconds)
    results = multiprocessing.Queue()
    # Thousands of small files are written and removed: in memory where there is room.
    memory = "/dev/shm" if os.access("/dev/shm", os.W_OK) else None
    with tempfile.TemporaryDirectory(prefix="kelvor-campaign.", dir=memory) as scratch:
        workers = [multiprocessing.Process(target=work, args=(
            i, cli, seeds, seed, artifacts, scratch, deadline, results)) for i in range(WORKERS)]
        for w in workers:
            w.start()
        totals = []
        try:
            for w in workers:
                totals.append(results.get())
        finally:
            for w in workers:
                if w.is_alive() and len(totals) < WORKERS:
                    w.terminate()
                w.join()
    elapsed = time.monotonic() - started
    errors = [t["error"] for t in totals if t["error"]]
    for error in errors:
        print("fault campaign: stopped by an error of its own: %s" % error, file=sys.stderr)
    runs = sum(t["runs"] for t in totals)
    findings = [f for t in totals for f in t["findings"]]
    print("fault campaign: %d batches, %d mutated files, %d runs of kelvor-cli in %.0f s "
          "(%.0f runs/s)" % (sum(t["batches"] for t in totals), sum(t["inputs"] for t in totals),
                             runs, elapsed, runs / max(elapsed, 0.001)))
    if not findings:
        print("fault campaign: no finding (seed %s)" % seed)
        return 2 if errors else 0
    groups = {}
    for kind, detail, command, source, folder in findings:
        groups.setdefault((command, kind), []).append((detail, source, folder))
    print("fault campaign: %d findings (seed %s):" % (len(findings), seed))
    for (command, kind), cases in sorted(groups.items()):
        print("  %s: %s: %d" % (command, kind, len(cases)))
        shown = {}
        for detail, source, folder in cases:
            if folder and len(shown) < 5:
                shown.setdefault((detail, source), folder)
        for (detail, source), folder in shown.items():
            print("    %s (from %s)\n      %s" % (detail, source, folder))
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
