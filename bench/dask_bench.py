#!/usr/bin/python3
"""Throughput of quillon.dask on a LocalCluster against the command line on the same files,
and what each Dask worker holds in memory. Results go to docs/scaling.md.

    PYTHONPATH=build/python /usr/bin/python3 bench/dask_bench.py build TEXT_DIR [options]

TEXT_DIR holds text files (*.txt); with --strip-tags their word_TAG tokens are cut back to
words first (MASC's files). The text is repeated up to --mb megabytes and cut into --files
files at line ends. The command line runs as `quillon tag -j W` when it has -j, otherwise
as W processes on equal shares of the files. Every output of the Dask run must equal the
command's byte for byte. Wall times on a shared machine vary; CPU times are steadier.
"""

import argparse
import os
import pathlib
import re
import resource
import subprocess
import sys
import tempfile
import time

import distributed

import quillon.dask


def make_files(text_dir, strip_tags, megabytes, count, folder):
    lines = []
    for path in sorted(pathlib.Path(text_dir).glob("*.txt")):
        for line in path.read_text(errors="replace").splitlines():
            if strip_tags:
                line = " ".join(re.sub(r"_[^_]*$", "", w) for w in line.split())
            if line.strip():
                lines.append(line)
    total, target = 0, megabytes << 20
    out = []
    while total < target:
        for line in lines:
            out.append(line)
            total += len(line) + 1
            if total >= target:
                break
    paths, share = [], (len(out) + count - 1) // count
    for i in range(count):
        path = folder / f"part{i:03d}.txt"
        path.write_text("\n".join(out[i * share:(i + 1) * share]) + "\n")
        paths.append(path)
    return paths, total


def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def run_command(quillon, paths, out_dir, workers, switches):
    out_dir.mkdir()
    has_jobs = "--jobs" in subprocess.run([quillon, "tag", "--help"], capture_output=True,
                                          text=True).stdout
    cpu, start = children_cpu(), time.monotonic()
    if has_jobs:
        commands = [[quillon, "tag", "-q", "-j", str(workers), *switches, "-o", out_dir, *paths]]
        how = f"quillon tag -j {workers}"
    else:
        commands = [[quillon, "tag", "-q", *switches, "-o", out_dir, *paths[i::workers]]
                    for i in range(workers)]
        how = f"{workers} quillon tag processes, one share of the files each"
    processes = [subprocess.Popen(list(map(str, c))) for c in commands]
    if any(p.wait() != 0 for p in processes):
        sys.exit("quillon tag failed")
    return how, time.monotonic() - start, children_cpu() - cpu


def worker_memory():
    """Runs on a worker: its resident and peak resident memory in MB."""
    with open("/proc/self/statm") as statm:
        resident = int(statm.read().split()[1]) * os.sysconf("SC_PAGE_SIZE")
    peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss * 1024
    usage = resource.getrusage(resource.RUSAGE_SELF)
    return resident >> 20, peak >> 20, usage.ru_utime + usage.ru_stime


def run_dask(client, paths, out_dir, options):
    before = client.run(worker_memory)
    start = time.monotonic()
    outcomes = quillon.dask.tag_files(paths, out_dir, client, **options)
    seconds = time.monotonic() - start
    after = client.run(worker_memory)
    if not all(o.ok for o in outcomes):
        sys.exit(f"quillon.dask failed: {[o for o in outcomes if not o.ok][:3]}")
    cpu = sum(after[w][2] - before[w][2] for w in after)
    return seconds, cpu, sum(o.tokens for o in outcomes), before, after


def same_outputs(a, b):
    names = sorted(p.name for p in a.iterdir())
    return names == sorted(p.name for p in b.iterdir()) and all(
        (a / n).read_bytes() == (b / n).read_bytes() for n in names)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("build")
    parser.add_argument("text_dir")
    parser.add_argument("--strip-tags", action="store_true")
    parser.add_argument("--mb", type=int, default=24)
    parser.add_argument("--files", type=int, default=48)
    parser.add_argument("--workers", type=int, default=2)
    parser.add_argument("--lemma", action="store_true")
    args = parser.parse_args()
    quillon = pathlib.Path(args.build) / "bin" / "quillon"
    options = {"lemma": True} if args.lemma else {}
    switches = ["--lemma"] if args.lemma else []

    with tempfile.TemporaryDirectory(prefix="quillon-dask-bench-") as scratch:
        scratch = pathlib.Path(scratch)
        (scratch / "in").mkdir()
        paths, size = make_files(args.text_dir, args.strip_tags, args.mb, args.files,
                                 scratch / "in")
        print(f"{len(paths)} files, {size / 1e6:.1f} MB, options {options or 'default'}")
        how, wall, cpu = run_command(quillon, paths, scratch / "cli", args.workers, switches)

        start = time.monotonic()
        with distributed.LocalCluster(n_workers=args.workers, threads_per_worker=1,
                                      processes=True, dashboard_address=None) as cluster:
            with distributed.Client(cluster) as client:
                startup = time.monotonic() - start
                cold = run_dask(client, paths, scratch / "dask", options)
                warm = run_dask(client, paths, scratch / "dask2", options)
        if not (same_outputs(scratch / "cli", scratch / "dask")
                and same_outputs(scratch / "cli", scratch / "dask2")):
            sys.exit("the outputs differ")
        tokens = cold[2]

    def row(name, seconds, cpu_seconds):
        return (f"| {name} | {seconds:.2f} s | {tokens / seconds / 1e6:.2f} M | "
                f"{cpu_seconds:.2f} s | {tokens / cpu_seconds / 1e6:.2f} M |")

    print(f"{tokens} tokens; outputs identical: yes")
    print("| run | wall | tokens/s (wall) | CPU | tokens per CPU second |")
    print("|---|---|---|---|---|")
    print(row(how, wall, cpu))
    print(row("quillon.dask, first run (loads on each worker)", cold[0], cold[1]))
    print(row("quillon.dask, second run (resources kept)", warm[0], warm[1]))
    print(f"cluster start-up: {startup:.2f} s")
    for name, (idle, after) in {"first": (cold[3], cold[4])}.items():
        for worker in sorted(idle):
            print(f"worker {worker}: {idle[worker][0]} MB resident before the {name} run, "
                  f"{after[worker][0]} MB after (peak {after[worker][1]} MB)")


if __name__ == "__main__":
    main()
