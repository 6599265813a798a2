#!/usr/bin/python3
"""Real-text throughput of `quillon tag`, and NLTK's perceptron on the same input.

The input is made at run time from the corpus (never stored): the sentence texts (the
"# text" lines) of EWT train, one sentence a line, repeated --copies times (10: about
2 million tokens). For the classic and the modern tokenizer (splitter off, the data
folder given) and for -j 1 and -j 2, `quillon tag` runs --runs times on it and --runs
times on an empty file; the medians give

  whole process   wall and CPU time (user + system) of the run on the input;
  tagging         the same less the run on the empty file (loading the resources),
                  every run writing its output as a new file (see remove_outputs),

each as tokens per second, with the peak memory of the process. The outputs of -j 1 and
-j 2 must be the same bytes; their SHA-256 is printed.

With --batch N the same input is cut into N files of whole sentences instead (a batch of
small files, each under a block of sentences when N is large enough), tagged in one run
with the default (modern) tokenizer, -j 1 and -j 2; the SHA-256 covers every output in
order.

The peer is Debian's python3-nltk: its averaged perceptron trained here on EWT train
(5 iterations, tags mapped as the corpus README says; training is not timed), saved, then
run as a process of its own (--peer-runs times) that loads it, cuts each line with the
Treebank tokenizer and tags it, on the same input. The ratio compares whole processes.

Usage: /usr/bin/python3 bench/real_text_bench.py [--quillon build/bin/quillon]
       [--data build/bin/Q_data] [--corpus /work/shared/corpus] [--copies 10] [--runs 5]
       [--peer-runs 3] [--no-peer] [--batch N]
Not part of the tests. Takes a few minutes with the peer (it tags in pure Python).
"""
import argparse
import hashlib
import os
import pickle
import statistics
import subprocess
import sys
import tempfile
import time


def write_input(corpus, copies, path):
    with open(os.path.join(corpus, "ewt/train.conllu"), encoding="utf-8") as f:
        texts = [line[len("# text = "):] for line in f if line.startswith("# text = ")]
    with open(path, "w", encoding="utf-8") as out:
        for _ in range(copies):
            out.writelines(texts)
    return len(texts) * copies


def run(command, stdin_path=None):
    """(wall seconds, CPU seconds, peak memory in MB) of one process."""
    start = time.monotonic()
    with open(stdin_path or os.devnull, "rb") as stdin:
        process = subprocess.Popen(command, stdin=stdin, stdout=subprocess.DEVNULL)
        _, status, usage = os.wait4(process.pid, 0)
    wall = time.monotonic() - start
    if status != 0:
        sys.exit(f"failed ({status}): {' '.join(command)}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024


def medians(samples):
    return tuple(statistics.median(s[k] for s in samples) for k in range(3))


def count_tokens(path):
    tokens = 0
    with open(path, "rb") as f:
        for line in f:
            line = line.rstrip(b"\r\n")
            if line:
                tokens += line.count(b" ") + 1
    return tokens


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def remove_outputs(folder):
    """Every timed run writes its outputs anew. Replacing the 25 MB output of the run
    before would add what the file system spends on it inside the rename: on ext4 (with
    discard) freeing the old file's blocks and starting the new file's writeback took 2
    to 18 ms here, which is neither loading nor tagging but would count as tagging.
    Removed seconds after it was written, an output was never written back, so removing
    it costs little and leaves nothing for the disk to do during the next run."""
    for name in os.listdir(folder):
        os.remove(os.path.join(folder, name))


def quillon(args, work, text, empty):
    print("| tokenizer | -j | tokens | tagging tokens/CPU s | tagging tokens/wall s "
          "| whole tokens/CPU s | whole tokens/wall s | whole wall | peak MB |")
    print("|---|---|---|---|---|---|---|---|---|")
    whole = {}
    for tokenizer in ("classic", "modern"):
        digests = {}
        commands = {}
        for jobs in (1, 2):
            out = os.path.join(work, f"out-{tokenizer}-{jobs}")
            os.makedirs(out, exist_ok=True)
            commands[jobs] = [args.quillon, "tag", "-q", "-d", args.data, "--tokenizer",
                              tokenizer, "-j", str(jobs), "-o", out]
        # -j 1 and -j 2 take turns, so that a machine whose speed drifts (a shared or
        # virtual one) weighs on both alike and their ratio stays fair.
        loads, fulls = {1: [], 2: []}, {1: [], 2: []}
        for _ in range(args.runs):
            for jobs in (1, 2):
                out = os.path.join(work, f"out-{tokenizer}-{jobs}")
                remove_outputs(out)
                loads[jobs].append(run(commands[jobs] + [empty]))
                fulls[jobs].append(run(commands[jobs] + [text]))
        for jobs in (1, 2):
            load = medians(loads[jobs])
            full = medians(fulls[jobs])
            output = os.path.join(work, f"out-{tokenizer}-{jobs}", "input_tag.txt")
            tokens = count_tokens(output)
            digests[jobs] = sha256(output)
            tag_wall, tag_cpu = full[0] - load[0], full[1] - load[1]
            whole[tokenizer, jobs] = full
            print(f"| {tokenizer} | {jobs} | {tokens:,} | {tokens / tag_cpu / 1e6:.2f} M "
                  f"| {tokens / tag_wall / 1e6:.2f} M | {tokens / full[1] / 1e6:.2f} M "
                  f"| {tokens / full[0] / 1e6:.2f} M | {full[0]:.3f} s | {full[2]:.1f} |",
                  flush=True)
        same = "same bytes" if digests[1] == digests[2] else "OUTPUTS DIFFER"
        print(f"\n{tokenizer}: -j 1 and -j 2 outputs {same}; SHA-256 {digests[1]}\n")
    return whole


def batch(args, work, text, empty):
    with open(text, encoding="utf-8") as f:
        lines = f.readlines()
    per = -(-len(lines) // args.batch)
    files = []
    for i in range(args.batch):
        files.append(os.path.join(work, "batch", f"f{i:04d}.txt"))
        os.makedirs(os.path.dirname(files[-1]), exist_ok=True)
        with open(files[-1], "w", encoding="utf-8") as out:
            out.writelines(lines[i * per:(i + 1) * per])
    print(f"batch: {args.batch} files of {per} lines\n")
    print("| -j | tokens | tagging tokens/CPU s | tagging tokens/wall s | whole wall | peak MB |")
    print("|---|---|---|---|---|---|")
    digests = {}
    commands = {}
    for jobs in (1, 2):
        out = os.path.join(work, f"batch-out-{jobs}")
        os.makedirs(out, exist_ok=True)
        commands[jobs] = [args.quillon, "tag", "-q", "-d", args.data, "-j", str(jobs), "-o", out]
    loads, fulls = {1: [], 2: []}, {1: [], 2: []}
    for _ in range(args.runs):  # in turns, as above
        for jobs in (1, 2):
            remove_outputs(os.path.join(work, f"batch-out-{jobs}"))
            loads[jobs].append(run(commands[jobs] + [empty]))
            fulls[jobs].append(run(commands[jobs] + files))
    for jobs in (1, 2):
        load, full = medians(loads[jobs]), medians(fulls[jobs])
        out = os.path.join(work, f"batch-out-{jobs}")
        outputs = [os.path.join(out, os.path.basename(f)[:-4] + "_tag.txt") for f in files]
        tokens = sum(count_tokens(o) for o in outputs)
        digest = hashlib.sha256()
        for o in outputs:
            with open(o, "rb") as f:
                digest.update(f.read())
        digests[jobs] = digest.hexdigest()
        tag_wall, tag_cpu = full[0] - load[0], full[1] - load[1]
        print(f"| {jobs} | {tokens:,} | {tokens / tag_cpu / 1e6:.2f} M "
              f"| {tokens / tag_wall / 1e6:.2f} M | {full[0]:.3f} s | {full[2]:.1f} |", flush=True)
    same = "same bytes" if digests[1] == digests[2] else "OUTPUTS DIFFER"
    print(f"\nbatch: -j 1 and -j 2 outputs {same}; SHA-256 {digests[1]}")
    print(f"load average {os.getloadavg()[0]:.1f}")


def train_peer(corpus, model_path):
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    from nltk.tag.perceptron import PerceptronTagger
    from raw_text_peer import read_conllu
    tagger = PerceptronTagger(load=False)
    tagger.train([words for _, words in read_conllu(os.path.join(corpus, "ewt/train.conllu"))],
                 nr_iter=5)
    with open(model_path, "wb") as f:
        pickle.dump((tagger.model.weights, tagger.tagdict, tagger.classes), f)


def peer_tag(model_path, input_path, output_path):
    """The timed peer process: load the model, cut and tag every line."""
    from nltk.tag.perceptron import PerceptronTagger
    from nltk.tokenize import TreebankWordTokenizer
    tagger = PerceptronTagger(load=False)
    with open(model_path, "rb") as f:
        tagger.model.weights, tagger.tagdict, tagger.classes = pickle.load(f)
    tagger.model.classes = tagger.classes
    tokenizer = TreebankWordTokenizer()
    with open(input_path, encoding="utf-8") as f, open(output_path, "w", encoding="utf-8") as out:
        for line in f:
            words = tokenizer.tokenize(line)
            out.write(" ".join(f"{w}_{t}" for w, t in tagger.tag(words)) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--quillon", default="build/bin/quillon")
    parser.add_argument("--data", default="build/bin/Q_data")
    parser.add_argument("--corpus", default="/work/shared/corpus")
    parser.add_argument("--copies", type=int, default=10)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--peer-runs", type=int, default=3)
    parser.add_argument("--no-peer", action="store_true")
    parser.add_argument("--batch", type=int, default=0)
    parser.add_argument("--peer-tag", nargs=3, help=argparse.SUPPRESS)
    args = parser.parse_args()
    if args.peer_tag:
        peer_tag(*args.peer_tag)
        return
    with tempfile.TemporaryDirectory(prefix="quillon-realtext-") as work:
        text = os.path.join(work, "input.txt")
        empty = os.path.join(work, "empty.txt")
        open(empty, "w").close()
        lines = write_input(args.corpus, args.copies, text)
        print(f"input: EWT train's sentence texts x{args.copies}, {lines:,} lines, "
              f"{os.path.getsize(text):,} bytes; load average {os.getloadavg()[0]:.1f}\n")
        if args.batch:
            batch(args, work, text, empty)
            return
        whole = quillon(args, work, text, empty)
        if args.no_peer:
            return
        model = os.path.join(work, "perceptron.pickle")
        train_peer(args.corpus, model)
        peer_out = os.path.join(work, "peer.txt")
        runs = [run([sys.executable, os.path.abspath(__file__), "--peer-tag", model, text,
                     peer_out]) for _ in range(args.peer_runs)]
        wall, cpu, memory = medians(runs)
        tokens = count_tokens(peer_out)
        print(f"NLTK perceptron (Treebank tokenizer), whole process: {wall:.1f} s wall, "
              f"{cpu:.1f} s CPU, {tokens:,} tokens ({tokens / wall / 1e3:.0f} k/s), "
              f"peak {memory:.0f} MB; median of {args.peer_runs}")
        for (tokenizer, jobs), (q_wall, q_cpu, _) in sorted(whole.items()):
            print(f"  Quillon {tokenizer} -j {jobs}: {wall / q_wall:.0f}x faster by wall time, "
                  f"{cpu / q_cpu:.0f}x by CPU time")
        print(f"load average {os.getloadavg()[0]:.1f}")


if __name__ == "__main__":
    main()
