#!/usr/bin/env python3
"""Engine speed benchmark: vestsig scan against clamscan and cat over the shared corpus.

  bench/run_engine_bench.py [--build DIR] [--runs N] [--skip-clamscan]

Builds vestsig in DIR (default build-bench: Release, no sanitizers), makes the corpus there once
(shared/bench/make_corpus.py beside the checkout, 4000 files, ~400 MiB, seed 1), compiles its signatures, warms
the page cache with one cat of the tree, then times in the same run: cat of the whole tree,
vestsig scan -r, vestsig scan -r --per-file (each file on its own, without the batches that hash
many files at once), and clamscan -d sigs -r --no-summary (a peer tool, run as a black box).
Checks that vestsig reports exactly the planted detections of expected.txt, and prints the
ratios.
"""
import argparse, os, re, resource, subprocess, sys, time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The shared corpus generator lives beside the checkout, in shared/bench.
MAKE_CORPUS = os.environ.get(
    "MAKE_CORPUS", os.path.join(os.path.dirname(ROOT), "shared", "bench", "make_corpus.py"))


def run(cmd, **kw):
    return subprocess.run(cmd, check=True, **kw)


CPU = {}  # command name -> processor seconds (user + system) of its best run


def timed(cmd, runs, **kw):
    """Best wall time of `runs` runs, and the last run's result."""
    best, result = None, None
    for _ in range(runs):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.perf_counter()
        result = subprocess.run(cmd, **kw)
        elapsed = time.perf_counter() - start
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
        if best is None or elapsed < best:
            best = elapsed
            CPU[os.path.basename(cmd[0])] = cpu
    return best, result


def files_of(tree):
    for folder, _, names in os.walk(tree):
        for name in names:
            yield os.path.join(folder, name)


def cat_command(tree):
    return ["sh", "-c", f"find '{tree}' -type f -print0 | xargs -0 cat > /dev/null"]


def check(scan_output, tree, expected_file):
    found = set()
    for line in scan_output.splitlines():
        m = re.match(r"(.*): (.*) FOUND$", line)
        if m:
            found.add((os.path.relpath(m.group(1), tree), m.group(2)))
    with open(expected_file) as f:
        expected = {tuple(line.rstrip("\n").split("\t")) for line in f if line.strip()}
    return found, expected


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default=os.path.join(ROOT, "build-bench"))
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--skip-clamscan", action="store_true")
    a = ap.parse_args()

    run(["cmake", "-S", ROOT, "-B", a.build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
         "-DVESTRA_SANITIZE=OFF", "-DBUILD_TESTING=OFF"], stdout=subprocess.DEVNULL)
    run(["ninja", "-C", a.build, "vestsig"], stdout=subprocess.DEVNULL)
    vestsig = os.path.join(a.build, "tools", "vestsig", "vestsig")

    out = os.path.join(a.build, "bench", "corpus")
    tree, sigs = os.path.join(out, "tree"), os.path.join(out, "sigs")
    if not os.path.exists(os.path.join(out, "expected.txt")):
        run([sys.executable, MAKE_CORPUS, out, "--seed", "1"])
    database = os.path.join(a.build, "bench", "bench.loov")
    compile_time, _ = timed([vestsig, "compile", os.path.join(sigs, "bench.hdb"),
                             os.path.join(sigs, "bench.hsb"), os.path.join(sigs, "bench.ndb"),
                             "-o", database], 1, stdout=subprocess.DEVNULL, check=True)

    size = sum(os.path.getsize(p) for p in files_of(tree))
    count = sum(1 for _ in files_of(tree))
    run(cat_command(tree))  # warm the page cache
    cat_time, _ = timed(cat_command(tree), a.runs, check=True)
    scan_time, scan = timed([vestsig, "scan", "-r", "-d", database, tree], a.runs,
                            stdout=subprocess.PIPE, text=True)
    load = float(re.search(r"loaded in ([0-9.]+) s", scan.stdout).group(1))
    found, expected = check(scan.stdout, tree, os.path.join(out, "expected.txt"))
    scan_cpu = CPU["vestsig"]
    per_file_time, per_file = timed([vestsig, "scan", "-r", "--per-file", "-d", database, tree],
                                    a.runs, stdout=subprocess.PIPE, text=True)
    per_file_found, _ = check(per_file.stdout, tree, os.path.join(out, "expected.txt"))

    clam_time = None
    if not a.skip_clamscan:
        clam_time, clam = timed(["clamscan", "-d", sigs, "-r", "--no-summary", tree], 1,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        clam_found = sum(1 for line in clam.stdout.splitlines() if line.endswith(" FOUND"))

    print(f"corpus: {count} files, {size / 2**20:.1f} MiB, {len(expected)} planted detections;"
          f" {os.cpu_count()} processors, load average {os.getloadavg()[0]:.2f}")
    print(f"compile: {compile_time:.3f} s   database load: {load:.3f} s")
    print(f"cat:      {cat_time:.3f} s   (processor {CPU['sh']:.3f} s)")
    print(f"vestsig:  {scan_time:.3f} s   (processor {scan_cpu:.3f} s)   {len(found)} detections,"
          f" exit {scan.returncode}   ({scan_time / cat_time:.2f} x cat)")
    print(f"vestsig --per-file: {per_file_time:.3f} s   (processor {CPU['vestsig']:.3f} s)"
          f"   {len(per_file_found)} detections   ({per_file_time / cat_time:.2f} x cat)")
    if clam_time is not None:
        print(f"clamscan: {clam_time:.3f} s   (processor {CPU['clamscan']:.3f} s)   {clam_found} detections"
              f"   (vestsig {clam_time / scan_time:.1f} x faster)")
    missing, extra = expected - found, found - expected
    for rel, name in sorted(missing):
        print(f"MISSED {rel}: {name}")
    for rel, name in sorted(extra):
        print(f"EXTRA  {rel}: {name}")
    ok = not missing and not extra and scan.returncode == 1 and per_file_found == found
    print("detections: " + ("exactly the planted ones" if ok else "WRONG"))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
