#!/usr/bin/env python3
"""Times folioquill-convert against LibreOffice on the same corpus files.

Two comparisons, run one after the other on an otherwise idle machine:
  batch:    all files in one invocation (folioquill-convert -o DIR FILES...,
            soffice --headless --convert-to pdf --outdir DIR FILES...);
  per file: one invocation per file, on a sample of the files (LibreOffice
            starts anew every time, as folioquill-convert does).
Prints documents per second for each, the ratios, and the peak memory
(maximum resident set size from /usr/bin/time -v). LibreOffice gets its own
profile, created and warmed before any timing.

  bench/engine-vs-libreoffice.py --converter build/bin/folioquill-convert
"""

import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time

DEFAULT_SHARED = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "shared"))


def parse_args():
    p = argparse.ArgumentParser(description="folioquill-convert against LibreOffice")
    p.add_argument("--converter", required=True)
    p.add_argument("--shared", default=DEFAULT_SHARED)
    p.add_argument("--sample", type=int, default=15, help="files for the per-file comparison")
    p.add_argument("--jobs", type=int, default=os.cpu_count() or 2, help="folioquill-convert -j")
    p.add_argument("--seed", type=int, default=7)
    return p.parse_args()


def timed(cmd, **kw):
    """Runs cmd under /usr/bin/time -v; returns (seconds, peak RSS in MiB, exit code)."""
    started = time.monotonic()
    r = subprocess.run(["/usr/bin/time", "-v"] + cmd, capture_output=True, **kw)
    elapsed = time.monotonic() - started
    m = re.search(rb"Maximum resident set size \(kbytes\): (\d+)", r.stderr)
    rss = int(m.group(1)) / 1024.0 if m else float("nan")
    return elapsed, rss, r.returncode


def corpus_files(shared):
    files = []
    for kind in ("docx", "doc"):
        folder = os.path.join(shared, "corpus", kind)
        files += sorted(os.path.join(folder, n) for n in os.listdir(folder))
    return files


def main():
    args = parse_args()
    if not os.path.exists("/usr/bin/time"):
        print("needs /usr/bin/time (Debian package 'time')", file=sys.stderr)
        return 2
    files = corpus_files(args.shared)
    sample = sorted(random.Random(args.seed).sample(files, min(args.sample, len(files))))
    work = tempfile.mkdtemp(prefix="fq-bench-")
    profile = os.path.join(work, "lo-profile")
    lo = ["soffice", "-env:UserInstallation=file://" + profile, "--headless", "--convert-to", "pdf"]
    try:
        # Warm up: LibreOffice's profile, the font caches, the file cache.
        warm = os.path.join(work, "warm")
        subprocess.run(lo + ["--outdir", warm, sample[0]], capture_output=True)
        subprocess.run([args.converter, "-o", warm, sample[0]], capture_output=True)

        out = os.path.join(work, "fq-batch")
        fq_batch, fq_batch_rss, _ = timed([args.converter, "-o", out, "-j", str(args.jobs)] + files)
        fq_batch_n = len([n for n in os.listdir(out) if n.endswith(".pub")])

        out = os.path.join(work, "lo-batch")
        lo_batch, lo_batch_rss, _ = timed(lo + ["--outdir", out] + files)
        lo_batch_n = len([n for n in os.listdir(out) if n.endswith(".pdf")]) if os.path.isdir(out) else 0

        fq_single = lo_single = 0.0
        fq_single_rss = lo_single_rss = 0.0
        for f in sample:
            t, rss, _ = timed([args.converter, "-o", os.path.join(work, "fq-single"), f])
            fq_single += t
            fq_single_rss = max(fq_single_rss, rss)
            t, rss, _ = timed(lo + ["--outdir", os.path.join(work, "lo-single"), f])
            lo_single += t
            lo_single_rss = max(lo_single_rss, rss)
    finally:
        shutil.rmtree(work, ignore_errors=True)

    n = len(files)
    k = len(sample)
    def rate(count, seconds):
        return count / seconds if seconds > 0 else float("inf")
    print("corpus: %d files (%d in the per-file sample), folioquill-convert -j %d, %d cores" % (
        n, k, args.jobs, os.cpu_count() or 0))
    print("%-34s %9s %10s %11s %9s" % ("", "seconds", "docs/s", "peak MiB", "outputs"))
    print("%-34s %9.2f %10.1f %11.0f %9d" % ("folioquill-convert batch", fq_batch, rate(n, fq_batch), fq_batch_rss, fq_batch_n))
    print("%-34s %9.2f %10.1f %11.0f %9d" % ("soffice batch", lo_batch, rate(n, lo_batch), lo_batch_rss, lo_batch_n))
    print("%-34s %9.2f %10.1f %11.0f" % ("folioquill-convert one per call", fq_single, rate(k, fq_single), fq_single_rss))
    print("%-34s %9.2f %10.1f %11.0f" % ("soffice one per call", lo_single, rate(k, lo_single), lo_single_rss))
    batch_ratio = rate(n, fq_batch) / rate(n, lo_batch)
    single_ratio = rate(k, fq_single) / rate(k, lo_single)
    print("batch throughput ratio: %.1fx (goal >= 10x)" % batch_ratio)
    print("per-file speed ratio:   %.1fx (goal >= 20x)" % single_ratio)
    return 0


if __name__ == "__main__":
    sys.exit(main())
