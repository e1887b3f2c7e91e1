#!/usr/bin/env python3
"""Runs the benchmarks of an optimised build and prints one markdown table: each of Glyphera's
figures beside an anchor measured in the same run, and the ratio between them.

    table.py BUILD_DIR [--repetitions N]

Progress goes to stderr; the table alone goes to stdout."""

import argparse
import json
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

FILES = 5000
SCALE_COUNTS = (50, 5000, 20000)
HERE = os.path.dirname(os.path.abspath(__file__))
# The anchor of the command-line printer: fntsample's block charts of these fonts.
FNTSAMPLE_FONTS = (("DejaVu Sans", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"),
                   ("Noto Sans", "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"))


def log(*parts):
    print(*parts, file=sys.stderr, flush=True)


def run_benchmark(program, out, repetitions, extra=(), env=None):
    command = [program, *extra, f"--benchmark_repetitions={repetitions}",
               "--benchmark_report_aggregates_only=true",
               f"--benchmark_out={out}", "--benchmark_out_format=json"]
    log("$", " ".join(command))
    subprocess.run(command, check=True, stdout=sys.stderr, env=env)
    with open(out) as f:
        return json.load(f)["benchmarks"]


def median(results, name, field="real_time"):
    """A field's median over the repetitions (the one run's value without repetitions); times in
    milliseconds."""
    def matches(entry):
        run = entry.get("run_name", entry.get("name", ""))
        # The library adds "/real_time", "/iterations:N" and the like to a benchmark's name.
        return run == name or run.startswith(name + "/")

    entries = [e for e in results if matches(e) and e.get("aggregate_name") == "median"]
    if not entries:
        entries = [e for e in results if matches(e) and e.get("run_type") == "iteration"]
    if not entries or field not in entries[0]:
        raise KeyError(f"{name}: no {field}")

    def value(entry):
        if field in ("real_time", "cpu_time"):
            return entry[field] * {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[entry["time_unit"]]
        return entry[field]

    return statistics.median(value(e) for e in entries)


def strace_counts(command, work, tag):
    """Total system calls and the calls of each kind of one run under strace -c -f."""
    out = os.path.join(work, f"{tag}.calls")
    # fc-scan ends with status 1 when it finds no font; the baseline run on an empty folder is one.
    subprocess.run(["strace", "-f", "-c", "-o", out, "--", *command], check=False,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    calls = {}
    total = 0
    with open(out) as f:
        for line in f:
            fields = line.split()
            if len(fields) >= 5 and re.fullmatch(r"[\d.]+", fields[0]) and fields[-1] != "total":
                count = int(fields[3])
                calls[fields[-1]] = count
                total += count
    return total, calls


def strace_bytes(command, work, tag):
    """Bytes returned by read and pread64 in one run."""
    out = os.path.join(work, f"{tag}.reads")
    subprocess.run(["strace", "-f", "-qq", "-e", "trace=read,pread64", "-o", out, "--", *command],
                   check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    total = 0
    with open(out) as f:
        for line in f:
            match = re.search(r"=\s+(\d+)\s*$", line)
            if match:
                total += int(match.group(1))
    return total


def per_file_system_figures(command, folder, empty, work, tag):
    """System calls and bytes per file: a run on the folder less a run on an empty folder, so that
    starting the process and loading its libraries is not counted."""
    subprocess.run([*command, folder], check=False, stdout=subprocess.DEVNULL)  # warms the cache
    full_calls, full_kinds = strace_counts([*command, folder], work, tag + "-full")
    base_calls, base_kinds = strace_counts([*command, empty], work, tag + "-empty")
    full_bytes = strace_bytes([*command, folder], work, tag + "-full")
    base_bytes = strace_bytes([*command, empty], work, tag + "-empty")
    kinds = {k: (full_kinds.get(k, 0) - base_kinds.get(k, 0)) / FILES for k in full_kinds}
    kinds = {k: v for k, v in kinds.items() if v >= 0.01}
    return (full_calls - base_calls) / FILES, (full_bytes - base_bytes) / FILES, kinds


def process_start_ms(program, environment, repetitions):
    times = []
    for _ in range(repetitions):
        start = time.perf_counter()
        subprocess.run([program], check=True, env=environment,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append((time.perf_counter() - start) * 1e3)
    return statistics.median(times)


def peak_rss_mb(command, environment):
    """The peak RSS (MB) of one run, as GNU time reads it: a child this script forks counts this
    script's own memory among its peak until it has started the program."""
    with tempfile.NamedTemporaryFile("r") as out:
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", out.name, *command], env=environment,
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return int(out.read().split()[-1]) / 1024


def peak_pss_mb(command, environment):
    """The peak memory (MB) of one run with every process it forks, summed as proportional set
    sizes (pages shared between them counted once), read from /proc every 20 ms."""
    def pss_kb(pid):
        try:
            with open(f"/proc/{pid}/smaps_rollup") as rollup:
                return next(int(line.split()[1]) for line in rollup if line.startswith("Pss:"))
        except (OSError, StopIteration):
            return 0

    def children(pid):
        found = []
        try:
            for task in os.listdir(f"/proc/{pid}/task"):
                with open(f"/proc/{pid}/task/{task}/children") as listed:
                    found += [int(child) for child in listed.read().split()]
        except OSError:
            pass
        return found

    child = subprocess.Popen(command, env=environment, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    peak = 0
    while child.poll() is None:
        peak = max(peak, sum(pss_kb(pid) for pid in [child.pid, *children(child.pid)]))
        time.sleep(0.02)
    if child.returncode != 0:
        raise RuntimeError(f"{command[0]} failed ({child.returncode})")
    return peak / 1024


def timed_runs(command, environment, repetitions, before=None):
    """Median wall time (ms) of whole runs of a command, and the peak RSS (MB) of one more run;
    `before` runs ahead of each (untimed)."""
    times = []
    for _ in range(repetitions):
        if before:
            before()
        start = time.perf_counter()
        child = subprocess.Popen(command, env=environment, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        _, status, _ = os.wait4(child.pid, 0)
        times.append((time.perf_counter() - start) * 1e3)
        if status != 0:
            raise RuntimeError(f"{command[0]} failed ({status})")
    if before:
        before()
    return statistics.median(times), peak_rss_mb(command, environment)


def pdf_pages(pdf):
    info = subprocess.run(["pdfinfo", pdf], check=True, capture_output=True, text=True).stdout
    return int(next(line.split()[1] for line in info.splitlines() if line.startswith("Pages:")))


def font_pack_config(work, corpus):
    """A fontconfig configuration that sees the machine's fonts and the corpus, with a cache of
    its own."""
    conf = os.path.join(work, "pack-fonts.conf")
    cache = os.path.join(work, "pack-cache")
    with open(conf, "w") as f:
        f.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">\n'
                '<fontconfig>\n  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>\n'
                f"  <dir>{corpus}</dir>\n  <cachedir>{cache}</cachedir>\n</fontconfig>\n")
    return conf, cache


def forget_cache_of(folder, *cache_folders):
    """Removes fontconfig's cache of a folder from every cache folder it may be in (fc-cache run
    as root writes the system's), so that the next run has to read the fonts themselves."""
    home_cache = os.path.join(os.path.expanduser("~"), ".cache", "fontconfig")
    marker = os.fsencode(folder)
    for cache in (*cache_folders, "/var/cache/fontconfig", home_cache):
        if not os.path.isdir(cache):
            continue
        for name in os.listdir(cache):
            path = os.path.join(cache, name)
            try:
                with open(path, "rb") as f:
                    holds = marker in f.read()
                if holds:
                    os.remove(path)
            except OSError:
                pass


COVERAGE_FACES = (("DejaVu Sans", "DejaVuSans", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"),
                  ("Noto Sans", "NotoSans", "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"))


def outline_blocks(pdf):
    """The block entries of a coverage book's outline (under the face)."""
    out = subprocess.run(["qpdf", "--json", "--json-key=outlines", pdf], check=True,
                         capture_output=True, text=True).stdout
    return [kid["title"] for kid in json.loads(out)["outlines"][0]["kids"]]


def coverage_rows(program, work, reps):
    """The coverage book of each face beside fntsample's charts of the same file: time to the
    finished PDF, its size, and the blocks each charts against fontTools' and Blocks.txt's."""
    keep = os.path.join(work, "coverage")
    os.makedirs(keep, exist_ok=True)
    results = run_benchmark(program("coverage_bench"), os.path.join(work, "coverage.json"), reps,
                            env=dict(os.environ, GLYPHERA_COVERAGE_KEEP=keep))

    def met(ok):
        return "yes" if ok else "**no**"

    rows = []
    for face, tag, path in COVERAGE_FACES:
        ours = median(results, f"CoverageBook/{tag}")
        theirs = median(results, f"Fntsample/{tag}")
        ours_kb = median(results, f"CoverageBook/{tag}", "pdf_bytes") / 1024
        theirs_kb = median(results, f"Fntsample/{tag}", "pdf_bytes") / 1024
        book = [os.path.join(keep, f) for f in os.listdir(keep) if f.startswith(tag)][0]
        ours_blocks = outline_blocks(book)
        fnt_out = subprocess.run(["fntsample", "-f", path, "-o", os.path.join(work, "f.pdf"), "-l"],
                                 check=True, capture_output=True, text=True).stdout
        fnt_blocks = [line.split(" ", 2)[2] for line in fnt_out.splitlines()
                      if line.startswith("1 ")]
        oracle = subprocess.run(["/usr/bin/python3",
                                 os.path.join(HERE, "..", "tests", "fixtures", "fonttools_blocks.py"),
                                 path, "0"], check=True, capture_output=True, text=True).stdout
        oracle_blocks = [line.split(" ", 3)[3] for line in oracle.splitlines()[1:]]
        same = ours_blocks == fnt_blocks == oracle_blocks
        rows += [
            (f"Coverage book of {face} to the finished PDF (ms)", ours, "fntsample -f FILE -o out.pdf",
             theirs, ours / theirs, "≤ fntsample", met(ours <= theirs)),
            (f"Coverage book of {face}: PDF size (KB)", ours_kb, "fntsample", theirs_kb,
             ours_kb / theirs_kb, "≤ 1.5×", met(ours_kb <= 1.5 * theirs_kb)),
            (f"Coverage book of {face}: blocks charted", len(ours_blocks),
             "fntsample (fontTools + Blocks.txt: " + str(len(oracle_blocks)) + ")", len(fnt_blocks),
             None, "the same blocks", met(same)),
        ]
    return rows


def print_table(rows):
    print("| Figure | Glyphera | Anchor | Anchor value | Ratio | Target | Met |")
    print("|---|---:|---|---:|---:|---|---|")
    for figure, ours, anchor, theirs, ratio, target, ok in rows:
        ratio_text = "—" if ratio is None else f"{ratio:.2f}×"
        print(f"| {figure} | {number(ours)} | {anchor} | {number(theirs)} | {ratio_text} | {target} | {ok} |")


def number(value, digits=1):
    if value is None:
        return "—"
    if isinstance(value, str):
        return value
    if abs(value) < 100:
        digits = max(digits, 2)
    if abs(value) >= 1000:
        return f"{value:,.0f}"
    return f"{value:.{digits}f}"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--repetitions", type=int, default=3)
    parser.add_argument("--coverage-only", action="store_true",
                        help="only the coverage book's rows (a run of a minute, not fifteen)")
    options = parser.parse_args()
    bench = os.path.join(os.path.abspath(options.build), "bench")
    program = lambda name: os.path.join(bench, name)
    reps = options.repetitions
    if options.coverage_only:
        work = tempfile.mkdtemp(prefix="bench-run-", dir=bench)
        try:
            print_table(coverage_rows(program, work, reps))
        finally:
            shutil.rmtree(work, ignore_errors=True)
        return

    # The copies live on the build's disk, where dropping their pages means reading them again.
    work = tempfile.mkdtemp(prefix="bench-run-", dir=bench)
    try:
        folder = os.path.join(work, "fonts")
        empty = os.path.join(work, "empty")
        os.makedirs(empty)
        names = run_benchmark(program("name_reading_bench"), os.path.join(work, "names.json"), reps,
                              [f"--folder={folder}"])
        log("system calls and bytes under strace")
        ours_calls, ours_bytes, ours_kinds = per_file_system_figures(
            [program("glyphera-names")], folder, empty, work, "ours")
        ft_calls, ft_bytes_read, ft_kinds = per_file_system_figures(
            [program("freetype-names")], folder, empty, work, "freetype")
        fc_calls, fc_bytes_read, _ = per_file_system_figures(
            ["fc-scan", "--format", "%{family}\n"], folder, empty, work, "fc-scan")
        faces = subprocess.run([program("glyphera-names"), folder], check=True,
                               capture_output=True, text=True).stdout.count("\n")

        paint = run_benchmark(program("show_all_paint_bench"), os.path.join(work, "paint.json"), reps)
        window = run_benchmark(program("window_bench"), os.path.join(work, "window.json"), reps,
                               ["--benchmark_filter=^(FakeFamilies|MachineFonts|ProgramStartUp)"])
        # Folders of real fonts with distinct families, kept beside the build for later runs.
        corpus = os.path.join(bench, "corpus")
        for count in (1000, 5000):
            log(f"font corpus of {count} files")
            subprocess.run(["/usr/bin/python3", os.path.join(HERE, "make_font_corpus.py"),
                            os.path.join(corpus, str(count)), str(count)], check=True)
        runs = run_benchmark(program("preview_runs_bench"), os.path.join(work, "runs.json"), reps,
                             env=dict(os.environ, GLYPHERA_CORPUS_DIR=corpus))

        # Start-up with 5,000 more families, beside fc-list on the same configuration.
        pack_conf, pack_cache = font_pack_config(work, os.path.join(corpus, "5000"))
        pack = dict(os.environ, FONTCONFIG_FILE=pack_conf, QT_QPA_PLATFORM="offscreen",
                    XDG_CONFIG_HOME=os.path.join(work, "pack-config"),
                    XDG_DATA_HOME=os.path.join(work, "pack-data"))
        log("start-up with the font pack, warm and cold fontconfig cache")
        subprocess.run(["fc-cache"], env=pack, check=True, stdout=subprocess.DEVNULL)
        startup_runs = max(5, reps)
        fc_list = ["fc-list", ":", "family", "style"]
        timed_runs([program("glyphera-startup")], pack, 1)  # the settings file is made
        pack_start, pack_rss = timed_runs([program("glyphera-startup")], pack, startup_runs)
        pack_fc, _ = timed_runs(fc_list, pack, startup_runs)
        pack_floor, _ = timed_runs([program("qt-floor")], pack, startup_runs)
        drop_cache = lambda: forget_cache_of(os.path.join(corpus, "5000"), pack_cache)
        cold_start, _ = timed_runs([program("glyphera-startup")], pack, 3, drop_cache)
        cold_fc, _ = timed_runs(fc_list, pack, 3, drop_cache)
        pack_families = len(set(subprocess.run(fc_list[:3], env=pack, check=True,
                                               capture_output=True, text=True).stdout.split("\n")))
        real_fonts = run_benchmark(program("real_fonts_bench"), os.path.join(work, "real.json"),
                                   reps, env=dict(os.environ, GLYPHERA_FONTS_CONF=pack_conf))
        # Printing needs 200 families, more than a fresh machine has: the pack's.
        window += run_benchmark(program("window_bench"), os.path.join(work, "print.json"), reps,
                                ["--benchmark_filter=^PrintSampleSheets"],
                                env=dict(os.environ, FONTCONFIG_FILE=pack_conf))

        # Start-up with 50, 5,000 and 20,000 families whose names share a long prefix, beside a
        # bare Qt program showing one label in one of them.
        scale = {}
        for count in SCALE_COUNTS:
            log(f"scale corpus of {count} families")
            folder_n = os.path.join(corpus, f"scale-{count}")
            subprocess.run(["/usr/bin/python3", os.path.join(HERE, "make_scale_corpus.py"),
                            folder_n, str(count)], check=True)
            conf = os.path.join(work, f"scale-{count}")
            os.makedirs(conf)
            scale_conf, _ = font_pack_config(conf, folder_n)
            env_n = dict(os.environ, FONTCONFIG_FILE=scale_conf, QT_QPA_PLATFORM="offscreen",
                         XDG_CONFIG_HOME=os.path.join(conf, "config"),
                         XDG_DATA_HOME=os.path.join(conf, "data"),
                         XDG_CACHE_HOME=os.path.join(conf, "cache"))
            subprocess.run(["fc-cache"], env=env_n, check=True, stdout=subprocess.DEVNULL)
            # The settings file is made, and the names read from the font files are cached.
            timed_runs([program("glyphera-startup")], env_n, 1)
            start_n, rss_n = timed_runs([program("glyphera-startup")], env_n, startup_runs)
            family = f"Scale Family {count // 2:05d}"
            floor_n, floor_rss = timed_runs([program("qt-floor"), family], env_n, startup_runs)
            scale[count] = (start_n, rss_n, floor_n, floor_rss, scale_conf)
        # Repeated like the rest: one run of the 50-family case moves by a third between runs.
        page_down_scale = run_benchmark(
            program("real_fonts_bench"), os.path.join(work, "scale-real.json"), reps,
            ["--benchmark_filter=^ShowAllPageDown/(50|20000)/"],
            env=dict(os.environ, GLYPHERA_FONTS_CONF=scale[SCALE_COUNTS[-1]][4]))

        # The command-line printer: a Character Chart of every family of the 1,000-font pack,
        # beside fntsample's block charts of one font.
        log("glyphera-print and fntsample")
        os.makedirs(os.path.join(work, "book"))
        book_conf, _ = font_pack_config(os.path.join(work, "book"), os.path.join(corpus, "1000"))
        print_command = os.path.join(os.path.abspath(options.build), "glyphera-print")
        book_env = dict(os.environ, FONTCONFIG_FILE=book_conf, HOME=os.path.join(work, "book"),
                        XDG_CONFIG_HOME=os.path.join(work, "book", "config"))
        subprocess.run(["fc-cache"], env=book_env, check=True, stdout=subprocess.DEVNULL)
        book = os.path.join(work, "book.pdf")
        # As many processes as the command takes by default on this machine, then one.
        book_jobs = min(len(os.sched_getaffinity(0)), 2)
        book_ms, _ = timed_runs(
            [print_command, "--all", "-s", "chart", "-q", "-o", book], book_env, reps)
        book_pages = pdf_pages(book)
        book_rss = peak_pss_mb([print_command, "--all", "-s", "chart", "-q", "-o", book], book_env)
        book1_ms, book1_rss = timed_runs(
            [print_command, "--all", "-s", "chart", "-q", "-j", "1", "-o", book], book_env, reps)
        book2_rss = peak_pss_mb([print_command, "--all", "-s", "chart,paragraphs", "-q", "-o", book],
                                book_env)
        book2_pages = pdf_pages(book)
        anchors = {}
        for name, font in FNTSAMPLE_FONTS:
            out = os.path.join(work, f"fntsample-{name}.pdf")
            ms, _ = timed_runs(["fntsample", "-f", font, "-o", out], book_env, reps)
            anchors[name] = (ms, pdf_pages(out))

        environment = dict(os.environ, QT_QPA_PLATFORM="offscreen",
                           XDG_CONFIG_HOME=os.path.join(work, "config"),
                           XDG_DATA_HOME=os.path.join(work, "data"))
        log("process start-up")
        process_start_ms(program("glyphera-startup"), environment, 1)  # settings file, caches
        startup_process = process_start_ms(program("glyphera-startup"), environment, max(5, reps))
        coverage = coverage_rows(program, work, reps)
    finally:
        shutil.rmtree(work, ignore_errors=True)

    us = lambda name: median(names, name) * 1e3 / FILES
    ours_warm, ours_cold = us("OurReader/warm"), us("OurReader/cold")
    ft_warm, ft_cold = us("FreeTypeReader/warm"), us("FreeTypeReader/cold")
    fc_warm, fc_cold = us("FcScan/warm"), us("FcScan/cold")
    cpu = lambda name: median(names, name, "cpu_time") * 1e3 / FILES
    ours_cpu, ft_cpu = cpu("OurReader/warm"), cpu("FreeTypeReader/warm")
    fc_cpu = median(names, "FcScan/warm", "child_cpu_ms") * 1e3 / FILES
    reader_calls = sum(ours_kinds.get(k, 0) for k in
                       ("openat", "open", "pread64", "read", "close", "fstat", "newfstatat", "lseek"))
    ft_bytes = median(names, "FreeTypeReader/warm", "bytes_read_per_file")
    ascii_files = median(names, "NameAgreement", "ascii_files")
    ascii_differences = median(names, "NameAgreement", "ascii_differences")
    paint50 = median(paint, "PaintOneScreenful/50")
    paint2000 = median(paint, "PaintOneScreenful/2000")
    fake = median(window, "FakeFamilies/10000")
    machine = median(window, "MachineFonts")
    machine_families = median(window, "MachineFonts", "families")
    start_in_process = median(window, "ProgramStartUp")
    printing = median(window, "PrintSampleSheets/200")
    print_fonts = median(window, "PrintSampleSheets/200", "fonts_per_second")
    print_pages = median(window, "PrintSampleSheets/200", "pages_per_second")
    pages = median(window, "PrintSampleSheets/200", "pages")

    read5000 = median(runs, "ReadFolder/5000")
    read_gap = median(runs, "ReadFolder/5000", "longest_gap_ms")
    click = median(runs, "ShowFaceAfterPrint/1000")
    printed = median(runs, "ShowFaceAfterPrint/1000", "printed")
    leave = median(runs, "ShowFaceAfterPrint/1000", "leave_page_ms")
    close = median(runs, "CloseAfterPrint/1000")
    install = median(runs, "InstallFaces/1000")
    print5000 = median(runs, "PrintFaces/5000")
    first_sheets = median(runs, "PrintFaces/5000", "first_sheets_ms")
    last_sheets = median(runs, "PrintFaces/5000", "last_sheets_ms")
    print_held = median(runs, "PrintFaces/5000", "held_mb")
    install_gap = median(runs, "InstallFaces/1000", "longest_gap_ms")
    refreshes = median(runs, "InstallFaces/1000", "cache_refreshes")

    page_down50 = median(real_fonts, "ShowAllPageDown/50")
    page_down5000 = median(real_fonts, "ShowAllPageDown/5000")

    def met(ok):
        return "yes" if ok else "**no**"

    book_rate = book_pages / (book_ms / 1e3)
    book1_rate = book_pages / (book1_ms / 1e3)
    book_rows = []
    for name, _ in FNTSAMPLE_FONTS:
        ms, pages_n = anchors[name]
        rate = pages_n / (ms / 1e3)
        book_rows.append(
            (f"glyphera-print --all -s chart, {book_pages} pages, {book_jobs} processes (the "
             "default here): pages/s", book_rate,
             f"fntsample, {name} ({pages_n} pages): pages/s", rate, book_rate / rate,
             "≥ 1× (as fast per page)", met(book_rate >= rate)))
        book_rows.append(
            ("the same, -j 1 (one process): pages/s", book1_rate,
             f"fntsample, {name}: pages/s", rate, book1_rate / rate, "", ""))
    book_rows.append((f"glyphera-print --all -s chart, {book_pages} pages: peak memory, all "
                      "processes (MB, PSS)", book_rss, "—", None, None, "", ""))
    book_rows.append(("the same, -j 1: peak memory (MB, RSS)", book1_rss, "—", None, None, "",
                      ""))
    book_rows.append((f"glyphera-print --all -s chart,paragraphs, {book2_pages} pages: peak memory"
                      ", all processes (MB, PSS)", book2_rss, "—", None, None,
                      "< 200 MB at 2,000 pages", met(book2_rss < 200)))

    scale_rows = []
    own50 = scale[SCALE_COUNTS[0]][0]
    for count in SCALE_COUNTS:
        start_n, rss_n, floor_n, floor_rss, _ = scale[count]
        large = count >= 5000
        scale_rows.append(
            (f"Start-up to first sample, warm, {count:,} 'Scale Family' families (ms)", start_n,
             "bare Qt label in one of them", floor_n, start_n / floor_n,
             "≤ 1.5×" if large else "", met(start_n <= 1.5 * floor_n) if large else ""))
        if large:
            scale_rows.append(
                (f"Start-up, {count:,} families, beside the program's own with 50 (ms)", start_n,
                 "Glyphera, 50 families", own50, start_n / own50, "≤ 3×",
                 met(start_n <= 3 * own50)))
        scale_rows.append(
            (f"Peak memory (RSS) to the first sample, {count:,} families (MB)", rss_n,
             "bare Qt label", floor_rss, rss_n / floor_rss,
             "≤ 150 MB" if count == 20000 else "", met(rss_n <= 150) if count == 20000 else ""))
    down50 = median(page_down_scale, "ShowAllPageDown/50")
    down20000 = median(page_down_scale, "ShowAllPageDown/20000")
    scale_rows.append(
        ("Show All Selected, 20,000 families selected: one screenful after Page Down (ms)",
         down20000, "same with 50 selected", down50, down20000 / down50, "ratio ≤ 2",
         met(down20000 <= 2 * down50)))

    rows = [
        ("Name reading, warm cache (µs/file)", ours_warm, "fc-scan", fc_warm, fc_warm / ours_warm,
         "≤ 20 µs; ≥ 8× faster", met(ours_warm <= 20 and fc_warm / ours_warm >= 8)),
        ("Name reading, warm cache (µs/file)", ours_warm, "FreeType reader", ft_warm,
         ft_warm / ours_warm, "≥ 2.5× faster", met(ft_warm / ours_warm >= 2.5)),
        ("Name reading, warm cache, CPU time only (µs/file)", ours_cpu, "fc-scan", fc_cpu,
         fc_cpu / ours_cpu, "", ""),
        ("Name reading, warm cache, CPU time only (µs/file)", ours_cpu, "FreeType reader", ft_cpu,
         ft_cpu / ours_cpu, "", ""),
        ("Name reading, cold cache (µs/file)", ours_cold, "fc-scan", fc_cold, fc_cold / ours_cold,
         "≤ 50 µs", met(ours_cold <= 50)),
        ("Name reading, cold cache (µs/file)", ours_cold, "FreeType reader", ft_cold,
         ft_cold / ours_cold, "", ""),
        ("System calls per file, reader's own (open, pread, close)", reader_calls, "—", None, None,
         "≤ 8", met(reader_calls <= 8)),
        ("System calls per file, whole tool incl. listing and output (strace -c -f)", ours_calls,
         "fc-scan", fc_calls, fc_calls / ours_calls, "", ""),
        ("System calls per file, whole tool incl. listing and output (strace -c -f)", ours_calls,
         "FreeType reader", ft_calls,
         ft_calls / ours_calls, "", ""),
        ("Bytes read per file (read/pread64)", ours_bytes, "fc-scan (maps the files instead)",
         fc_bytes_read, None, "", ""),
        ("Bytes read per file (read/pread64)", ours_bytes, "FreeType (bytes it asks of a stream)",
         ft_bytes, ft_bytes / ours_bytes, "", ""),
        (f"Names differing from FreeType's, ASCII names ({faces} faces listed)", ascii_differences,
         "files compared", ascii_files, None, "0", met(ascii_differences == 0)),
        ("Window shown with first sample, 10,000 fake families (ms)", fake, "—", None, None,
         "< 1000 ms", met(fake < 1000)),
        (f"Window shown with first sample, machine's fontconfig, {machine_families:.0f} families (ms)",
         machine, "—", None, None, "", ""),
        ("Show All Selected, one screenful, 2,000 selected (ms)", paint2000, "same with 50 selected",
         paint50, paint2000 / paint50, "ratio ≤ 3", met(paint2000 / paint50 <= 3)),
        (f"Sample Text sheets, 200 fonts of the pack to PDF ({pages:.0f} pages, {printing:.0f} ms):"
         " fonts/s",
         print_fonts, "pages/s", print_pages, None, "", ""),
        (f"Start-up to first sample, whole process, {pack_families} families, warm cache (ms)",
         pack_start, "fc-list : family style", pack_fc, pack_start / pack_fc,
         "< 300 ms; ≤ 3× fc-list", met(pack_start < 300 and pack_start <= 3 * pack_fc)),
        ("Start-up, the same, beside a bare Qt program showing one label (ms)", pack_start,
         "one Qt label, same fonts", pack_floor, pack_start / pack_floor, "", ""),
        ("Start-up to first sample, same families, cold fontconfig cache (ms)", cold_start,
         "fc-list, cold cache", cold_fc, cold_start / cold_fc, "", ""),
        ("Peak memory (RSS) to the first sample, same families (MB)", pack_rss, "—", None, None,
         "≤ 80 MB", met(pack_rss <= 80)),
        ("Show All Selected, 5,000 real families selected: one screenful after Page Down (ms)",
         page_down5000, "same with 50 selected", page_down50, page_down5000 / page_down50,
         "ratio ≤ 2", met(page_down5000 / page_down50 <= 2)),
        ("Preview Fonts on 5,000 real files, click to last face listed (ms)", read5000, "—", None,
         None, "< 300 ms", met(read5000 < 300)),
        ("Preview Fonts on 5,000 files: longest time without processing events (ms)", read_gap,
         "—", None, None, "≤ 100 ms", met(read_gap <= 100)),
        (f"A face clicked with {printed:.0f} printed files loaded, click to sample (ms)", click,
         "—", None, None, "< 20 ms", met(click < 20)),
        (f"Leaving the page after a preview print of {printed:.0f} files (ms)", leave, "—", None,
         None, "< 1000 ms", met(leave < 1000)),
        (f"Closing the window after a preview print of {printed:.0f} files (ms)", close, "—", None,
         None, "< 1000 ms", met(close < 1000)),
        ("Preview print of 5,000 faces (ms)", print5000, "—", None, None, "", ""),
        ("Preview print of 5,000 faces: a sheet among the last 20 (ms)", last_sheets,
         "a sheet among the first 20", first_sheets, last_sheets / first_sheets, "ratio ≤ 1.2",
         met(last_sheets <= 1.2 * first_sheets)),
        ("Preview print of 5,000 faces: memory held after it (MB)", print_held, "—", None, None,
         "≤ 100 MB", met(print_held <= 100)),
        ("Installing 1,000 faces (ms)", install, "—", None, None, "", ""),
        ("Installing 1,000 faces: longest time without processing events (ms)", install_gap, "—",
         None, None, "≤ 100 ms", met(install_gap <= 100)),
        ("Installing 1,000 faces: fontconfig cache refreshes", refreshes, "—", None, None, "1",
         met(refreshes == 1)),
        *scale_rows,
        *book_rows,
        ("Start-up to first sample, in process (ms)", start_in_process, "—", None, None, "", ""),
        ("Start-up to first sample, whole process incl. exit (ms)", startup_process, "—", None, None,
         "", ""),
        *coverage,
    ]
    print_table(rows)
    print()
    kinds = ", ".join(f"{k} {v:.2f}" for k, v in sorted(ours_kinds.items(), key=lambda i: -i[1]))
    print(f"Our reader's system calls per file: {kinds}.")
    kinds = ", ".join(f"{k} {v:.2f}" for k, v in sorted(ft_kinds.items(), key=lambda i: -i[1])[:8])
    print(f"FreeType reader's system calls per file: {kinds}.")
    load = os.getloadavg()
    print(f"Load average at the end: {load[0]:.1f} on {os.cpu_count()} cores (wall times include"
          " waiting for the CPU; the CPU-time rows do not).")
    print(f"Medians of {reps} repetitions; files are {FILES} copies of the machine's *.ttf files.")


if __name__ == "__main__":
    main()
