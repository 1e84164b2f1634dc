#!/usr/bin/env python3
"""Runs every Quorlitz benchmark in one go and prints one table, each figure beside its floor.

Started by scripts/bench.sh after it has built the Release tree; expects that tree (with data/,
quorlitz and bench/) as --build. Measures:

  * in-process frame costs (bench/quorlitz_bench) under SDL's dummy driver and, where Xvfb is
    installed, on both X11 presentation paths: SDL2's software framebuffer and its GL renderer;
  * instruction counts of one repaint and of its floor under callgrind (dummy driver);
  * start-up to the first menu frame and the resident memory then, beside bench/minimal_sdl;
  * idle cost in the menu and in a move, beside minimal_sdl waiting the same way;
  * screenshots of both X11 paths, compared pixel for pixel.

The raw figures go to <build>/bench-results.json, the table also to <build>/bench-results.md.
"""

import argparse
import datetime
import glob
import json
import os
import platform
import re
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time
import zlib

# The figures of the GTK game that a player would otherwise pick, measured
# before on this kind of machine; not measured here.
GTK_GAME_MAP_MS = 121
GTK_GAME_RSS_MB = 46

PATHS = {
    "dummy": {"SDL_VIDEODRIVER": "dummy"},
    "x11-software": {"SDL_VIDEODRIVER": "x11", "SDL_FRAMEBUFFER_ACCELERATION": "0",
                     "SDL_RENDER_DRIVER": "software"},
    "x11-gl": {"SDL_VIDEODRIVER": "x11", "SDL_FRAMEBUFFER_ACCELERATION": "1",
               "SDL_RENDER_DRIVER": "opengl"},
    # No SDL setting at all: whatever the program itself chooses.
    "x11-default": {"SDL_VIDEODRIVER": "x11"},
}
PATH_TITLES = {
    "dummy": "dummy driver",
    "x11-software": "X11, software framebuffer",
    "x11-gl": "X11, GL renderer",
    "x11-default": "X11, no SDL_* variable set (each program's own default)",
}

# Screen positions in the 640 x 480 window, which sits at (0, 0) of a screen of the same size.
FIRST_MENU_ENTRY = (320, 188)
SLOT_WIDTH = 640 // 7
BOARD_BACKGROUND_PIXEL = (5, 475)


def log(message):
    print(message, file=sys.stderr, flush=True)


def clean_environment():
    env = {k: v for k, v in os.environ.items()
           if not k.startswith("SDL_") and k not in ("LD_PRELOAD", "DISPLAY")}
    env["SDL_AUDIODRIVER"] = "dummy"
    return env


def path_environment(path, display=None):
    env = clean_environment()
    env.update(PATHS[path])
    if display is not None:
        env["DISPLAY"] = display
    return env


def spread(values):
    ordered = sorted(values)
    return {"median": statistics.median(ordered), "min": ordered[0], "max": ordered[-1],
            "n": len(ordered)}


class Xvfb:
    """One X server of the window's size, so the centred window sits at (0, 0)."""

    def __init__(self):
        number = 90
        while os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock"):
            number += 1
        self.display = f":{number}"
        self.process = subprocess.Popen(
            ["Xvfb", self.display, "-screen", "0", "640x480x24", "-nolisten", "tcp", "-noreset"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 10
        while not os.path.exists(f"/tmp/.X11-unix/X{number}"):
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise RuntimeError(f"Xvfb {self.display} did not start")
            time.sleep(0.05)
        time.sleep(0.2)

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()


class Bench:
    def __init__(self, build, repetitions, min_time, startup_runs, idle_seconds):
        self.build = os.path.abspath(build)
        self.tools = os.path.join(self.build, "bench")
        self.repetitions = repetitions
        self.min_time = min_time
        self.startup_runs = startup_runs
        self.idle_seconds = idle_seconds
        self.have_x = shutil.which("Xvfb") is not None
        self.have_xdotool = shutil.which("xdotool") is not None
        self.have_valgrind = shutil.which("valgrind") is not None
        self.results = {"frames": {}, "instructions": {}, "startup": {}, "idle": {}, "screens": {}}
        self.work = tempfile.mkdtemp(prefix="qzb-")

    def tool(self, name):
        return os.path.join(self.tools, name)

    # ---- in-process frame costs -------------------------------------------------------------

    def run_frames(self, path):
        log(f"frames: {PATH_TITLES[path]}")
        out = os.path.join(self.work, f"frames-{path}.json")
        command = [self.tool("quorlitz_bench"), f"--benchmark_repetitions={self.repetitions}",
                   f"--benchmark_min_time={self.min_time}", f"--benchmark_out={out}",
                   "--benchmark_out_format=json"]
        if path == "dummy":
            self._run_frames(command, path_environment(path))
        else:
            with Xvfb() as x:
                self._run_frames(command, path_environment(path, x.display))
        with open(out) as f:
            data = json.load(f)
        runs = {}
        for entry in data["benchmarks"]:
            if entry.get("run_type") != "iteration":
                continue
            name = entry["run_name"].replace("/real_time", "")
            assert entry["time_unit"] == "ns"
            runs.setdefault(name, []).append(entry)
        figures = {}
        for name, entries in runs.items():
            if name.startswith("BM_Paired_"):
                # Interleaved pairs report their own per-call figures (µs) and ratio as counters.
                for counter in entries[0]:
                    if counter.endswith("_us") or counter == "ratio":
                        figures[f"{name}.{counter}"] = spread([e[counter] for e in entries])
            else:
                figures[name] = spread([e["real_time"] / 1000.0 for e in entries])  # microseconds
        self.results["frames"][path] = figures

    def _run_frames(self, command, env):
        subprocess.run(command, cwd=self.build, env=env, check=True, stdout=subprocess.DEVNULL)

    # ---- instruction counts -----------------------------------------------------------------

    def run_instructions(self):
        count = 20
        for what in ("floor", "draw", "overlays"):
            log(f"instructions: {what}")
            out = os.path.join(self.work, f"callgrind-{what}.out")
            subprocess.run(["valgrind", "--tool=callgrind", "--collect-atstart=no",
                            f"--callgrind-out-file={out}", self.tool("quorlitz_instr"), what, str(count)],
                           cwd=self.build, env=path_environment("dummy"), check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            total = None
            with open(out) as f:
                for line in f:
                    if line.startswith("totals:") or line.startswith("summary:"):
                        total = int(line.split()[1])
            self.results["instructions"][what] = total / count

    # ---- start-up ---------------------------------------------------------------------------

    def launch(self, program, path, display=None, keep=False, args=()):
        """Starts program (relative to the build dir) with the first-frame hook; returns figures."""
        report = os.path.join(self.work, "first-frame.txt")
        if os.path.exists(report):
            os.remove(report)
        env = path_environment(path, display)
        env["LD_PRELOAD"] = self.tool("libqzb_first_frame.so")
        env["QZB_REPORT"] = report
        command = [self.tool("qzb_xprobe"), "launch"]
        if display is not None:
            command.append("--x11")
            if keep:
                command.append("--keep")
        else:
            env["QZB_EXIT_AT_FIRST_FRAME"] = "1"
        command += ["--", program, *args]
        done = subprocess.run(command, cwd=self.build, env=env, capture_output=True, text=True, timeout=60)
        figures = {k: int(v) for k, v in re.findall(r"(\w+)=(-?\d+)", done.stdout)}
        deadline = time.monotonic() + 5
        while not os.path.exists(report) and time.monotonic() < deadline:
            time.sleep(0.01)
        if os.path.exists(report):
            with open(report) as f:
                figures.update({"hook_" + k: int(v) for k, v in re.findall(r"(\w+)=(-?\d+)", f.read())})
        return figures

    def run_startup(self, path):
        log(f"start-up: {PATH_TITLES[path]}")
        programs = {"quorlitz": "./quorlitz", "minimal": "./bench/minimal_sdl"}
        samples = {name: [] for name in programs}

        def measure(display):
            for _ in range(self.startup_runs):
                for name, program in programs.items():  # interleaved, so both meet the same noise
                    samples[name].append(self.launch(program, path, display))

        if path == "dummy":
            measure(None)
        else:
            with Xvfb() as x:
                self.launch("./bench/minimal_sdl", path, x.display)  # warms the file cache
                measure(x.display)

        figures = {}
        for name, runs in samples.items():
            if path == "dummy":
                shown = [r["hook_first_frame_us"] / 1000.0 for r in runs]
                mapped = [r["hook_video_mode_us"] / 1000.0 for r in runs]
                rss = [r["hook_rss_kb"] / 1024.0 for r in runs]
            else:
                shown = [r["shown_us"] / 1000.0 for r in runs]
                mapped = [r["mapped_us"] / 1000.0 for r in runs]
                rss = [r["rss_kb"] / 1024.0 for r in runs]
            if min(shown) < 0:
                raise RuntimeError(f"{name} on {path}: the first frame was not seen: {runs}")
            figures[name] = {"mapped_ms": spread(mapped), "shown_ms": spread(shown), "rss_mb": spread(rss)}
        self.results["startup"][path] = figures

    # ---- idle cost --------------------------------------------------------------------------

    @staticmethod
    def process_counters(pid):
        """CPU seconds (scheduler run time, finer than the tick counts of stat), voluntary context
        switches and the number of threads, summed over every thread of the process."""
        cpu_ns = 0
        switches = 0
        tasks = glob.glob(f"/proc/{pid}/task/*")
        for task in tasks:
            try:
                with open(f"{task}/schedstat") as f:
                    cpu_ns += int(f.read().split()[0])
                with open(f"{task}/status") as f:
                    for line in f:
                        if line.startswith("voluntary_ctxt_switches"):
                            switches += int(line.split()[1])
            except FileNotFoundError:
                pass
        return cpu_ns / 1e9, switches, len(tasks)

    def xdotool(self, display, *args):
        env = clean_environment()
        env["DISPLAY"] = display
        subprocess.run(["xdotool", *args], env=env, check=True)

    def pixel(self, display, x, y):
        env = clean_environment()
        env["DISPLAY"] = display
        out = subprocess.run([self.tool("qzb_xprobe"), "pixel", str(x), str(y)], env=env,
                             capture_output=True, text=True, check=True).stdout.strip()
        return int(out, 16)

    def await_board(self, display):
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            colour = self.pixel(display, *BOARD_BACKGROUND_PIXEL)
            if (colour >> 16) < 0x10 and ((colour >> 8) & 0xFF) < 0x10 and (colour & 0xFF) >= 0xF0:
                return
            time.sleep(0.05)
        raise RuntimeError("the game screen did not appear")

    def start_game(self, display):
        self.xdotool(display, "mousemove", str(FIRST_MENU_ENTRY[0]), str(FIRST_MENU_ENTRY[1]))
        time.sleep(0.1)
        self.xdotool(display, "click", "1")
        self.await_board(display)

    def run_idle(self, path):
        log(f"idle: {PATH_TITLES[path]}, {self.idle_seconds} s")
        cases = {"quorlitz menu": ("./quorlitz", (), False), "quorlitz move": ("./quorlitz", (), True),
                 "minimal menu": ("./bench/minimal_sdl", ("menu",), False),
                 "minimal move": ("./bench/minimal_sdl", ("move",), False)}
        servers = []
        pids = {}
        try:
            for name, (program, args, into_game) in cases.items():
                server = Xvfb()
                servers.append(server)
                figures = self.launch(program, path, server.display, keep=True, args=args)
                pids[name] = figures["pid"]
                if into_game:
                    self.start_game(server.display)
            time.sleep(1.0)
            before = {name: self.process_counters(pid) for name, pid in pids.items()}
            time.sleep(self.idle_seconds)
            after = {name: self.process_counters(pid) for name, pid in pids.items()}
            figures = {}
            for name in cases:
                cpu = after[name][0] - before[name][0]
                wakeups = after[name][1] - before[name][1]
                figures[name] = {"cpu_percent": 100.0 * cpu / self.idle_seconds,
                                 "wakeups_per_s": wakeups / self.idle_seconds, "threads": after[name][2]}
            self.results["idle"][path] = figures
        finally:
            for pid in pids.values():
                try:
                    os.kill(pid, 15)
                except ProcessLookupError:
                    pass
            time.sleep(0.3)
            for pid in pids.values():
                try:
                    os.kill(pid, 9)
                except ProcessLookupError:
                    pass
            for server in servers:
                server.stop()

    # ---- screens of both paths --------------------------------------------------------------

    def shot(self, display, name):
        env = clean_environment()
        env["DISPLAY"] = display
        ppm = os.path.join(self.work, name + ".ppm")
        subprocess.run([self.tool("qzb_xprobe"), "shot", ppm, "0", "0", "640", "480"], env=env, check=True)
        with open(ppm, "rb") as f:
            data = f.read()
        header_end = data.index(b"255\n") + 4
        return data[header_end:]

    def run_screens(self, paths):
        log("screens: " + ", ".join(paths))
        shots = {}
        for path in paths:
            with Xvfb() as x:
                pid = self.launch("./quorlitz", path, x.display, keep=True)["pid"]
                try:
                    time.sleep(0.3)
                    menu = self.shot(x.display, f"menu-{path}")
                    self.start_game(x.display)
                    for slot in (3, 3, 4, 2, 5):
                        self.xdotool(x.display, "mousemove", str(slot * SLOT_WIDTH + 45), "300")
                        self.xdotool(x.display, "click", "1")
                        time.sleep(0.15)
                    self.xdotool(x.display, "mousemove", str(6 * SLOT_WIDTH + 45), "300")
                    time.sleep(0.3)
                    board = self.shot(x.display, f"board-{path}")
                finally:
                    os.kill(pid, 9)
            shots[path] = {"menu": menu, "board": board}
        shot_dir = os.path.join(self.build, "bench-shots")
        os.makedirs(shot_dir, exist_ok=True)
        for path, screens in shots.items():
            for screen, rgb in screens.items():
                write_png(os.path.join(shot_dir, f"{screen}-{path}.png"), 640, 480, rgb)
        first, second = paths
        for screen in ("menu", "board"):
            a, b = shots[first][screen], shots[second][screen]
            differing = sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])
            self.results["screens"][screen] = {"differing_pixels": differing, "pixels": len(a) // 3}

    # ---- everything -------------------------------------------------------------------------

    def run(self, parts):
        x_paths = ["x11-software", "x11-gl"] if self.have_x else []
        if not self.have_x:
            log("Xvfb is not installed: only the dummy driver is measured")
        if "frames" in parts:
            for path in ["dummy", *x_paths]:
                self.run_frames(path)
        if "instructions" in parts and self.have_valgrind:
            self.run_instructions()
        if "startup" in parts:
            for path in [*x_paths, *(["x11-default"] if self.have_x else []), "dummy"]:
                self.run_startup(path)
        if "idle" in parts and self.have_x and self.have_xdotool:
            for path in x_paths:
                self.run_idle(path)
        if "screens" in parts and self.have_x and self.have_xdotool:
            self.run_screens(x_paths)
        shutil.rmtree(self.work, ignore_errors=True)


def write_png(name, width, height, rgb):
    rows = b"".join(b"\x00" + rgb[y * width * 3:(y + 1) * width * 3] for y in range(height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    with open(name, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(rows, 9)))
        f.write(chunk(b"IEND", b""))


# ---- the table ------------------------------------------------------------------------------

def machine_description():
    cpu = "unknown CPU"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    with open("/proc/meminfo") as f:
        memory_gb = int(f.readline().split()[1]) / 1024 / 1024

    def version(package):
        out = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package], capture_output=True, text=True)
        return out.stdout.strip() or "?"

    return (f"{cpu}, {os.cpu_count()} cores, {memory_gb:.0f} GiB; Linux {platform.release()}; "
            f"sdl12-compat {version('libsdl1.2-compat')}, SDL2 {version('libsdl2-2.0-0')}, "
            f"SDL_ttf {version('libsdl-ttf2.0-0')}, Mesa {version('libgl1-mesa-dri')}, "
            f"Xvfb {version('xvfb')}")


def fmt_us(figure):
    return f"{figure['median']:,.0f} µs [{figure['min']:,.0f}–{figure['max']:,.0f}]"


def fmt_ns(figure):
    return f"{figure['median'] * 1000:,.0f} ns [{figure['min'] * 1000:,.0f}–{figure['max'] * 1000:,.0f}]"


def fmt_ms(figure):
    return f"{figure['median']:.1f} ms [{figure['min']:.1f}–{figure['max']:.1f}]"


def fmt_mb(figure):
    return f"{figure['median']:.1f} MB"


def render(results, repetitions, startup_runs, idle_seconds):
    lines = []
    out = lines.append
    out(f"Quorlitz benchmarks, {results['date']}")
    out(f"Machine: {results['machine']}")
    out("")

    frames = results["frames"]
    paths = [p for p in ("dummy", "x11-software", "x11-gl") if p in frames]
    if frames:
        out(f"Frames, in process (wall time per call, median of {repetitions} repetitions [min–max]; "
            "ratio to the floor of the same path, or as named)")
        out("")
        out("| measurement | " + " | ".join(f"{PATH_TITLES[p]} | ratio" for p in paths) + " |")
        out("|---|" + "---|---|" * len(paths))

        def row(title, key, ratio):
            cells = []
            for p in paths:
                f = frames[p]
                formatter = fmt_ns if f[key]["median"] < 1 else fmt_us
                cells.append(f"{formatter(f[key])} | {ratio(f, f[key]['median'])}")
            out(f"| {title} | " + " | ".join(cells) + " |")

        floor_key = "BM_Paired_DrawVsFloor.floor_us"
        draw_key = "BM_Paired_DrawVsFloor.draw_us"

        def to_floor(f, value):
            return f"{value / f[floor_key]['median']:.2f}× floor"

        def of_draw(f, value):
            return f"1/{f[draw_key]['median'] / value:,.0f} of draw()"

        def paired(key, name):
            return lambda f, value: f"{f[key]['median']:.2f}× {name} [{f[key]['min']:.2f}–{f[key]['max']:.2f}]"

        row("floor: window fill + SDL_Flip", floor_key, lambda f, value: "1.00× floor")
        row("SdlGridDrawer::draw(), half-full board", draw_key,
            paired("BM_Paired_DrawVsFloor.ratio", "floor"))
        row("mouse motion through makeMove() to the shown window", "BM_Paired_MotionVsDraw.motion_us",
            paired("BM_Paired_MotionVsDraw.ratio", "draw()"))
        row("menu frame", "BM_Paired_MenuVsFloor.menu_us", paired("BM_Paired_MenuVsFloor.ratio", "floor"))
        row("outcome animation frame (without its 10 ms pause)", "BM_Paired_OutcomeVsFloor.outcome_us",
            paired("BM_Paired_OutcomeVsFloor.ratio", "floor"))
        row("OutcomeChecker::check(), full random board", "BM_Check_FullRandomBoard", of_draw)
        row("OutcomeChecker::check(), empty board", "BM_Check_EmptyBoard", of_draw)
        row("part: SDL_Flip alone", "BM_Paired_FlipVsFloor.flip_us", paired("BM_Paired_FlipVsFloor.ratio", "floor"))
        row("part: window fill alone", "BM_Paired_WindowFillVsFloor.fill_us",
            paired("BM_Paired_WindowFillVsFloor.ratio", "floor"))
        row("part: the 35 overlay blits", "BM_Paired_OverlayBlitsVsFloor.overlays_us",
            paired("BM_Paired_OverlayBlitsVsFloor.ratio", "floor"))
        out("")
        out("Each figure with a ratio is measured in alternation with what it is set beside, call by call "
            "(the motion: 8 motions, then 8 draw() calls); a repetition reports the medians over its rounds "
            "and the median of the rounds' ratios, and the table the median over the repetitions [min–max]. "
            "check() is measured on its own.")
        out("")

    instructions = results["instructions"]
    if instructions:
        floor = instructions["floor"]
        out("Instructions (callgrind, dummy driver, per repaint; repeatable)")
        out("")
        out("| measurement | instructions | ratio |")
        out("|---|---|---|")
        out(f"| floor: window fill + SDL_Flip | {floor:,.0f} | 1.00× |")
        out(f"| SdlGridDrawer::draw(), half-full board | {instructions['draw']:,.0f} | "
            f"{instructions['draw'] / floor:.2f}× floor |")
        out(f"| part: the 35 overlay blits | {instructions['overlays']:,.0f} | "
            f"{instructions['overlays'] / floor:.2f}× floor |")
        out("")

    startup = results["startup"]
    if startup:
        out(f"Start-up, process start to the first menu frame shown (median of {startup_runs} runs "
            "[min–max]), beside bench/minimal_sdl (same window, same three font sizes)")
        out("")
        out("| path | window mapped: quorlitz / minimal | first frame shown: quorlitz / minimal | ratio | "
            "resident memory then: quorlitz / minimal |")
        out("|---|---|---|---|---|")
        for p, f in startup.items():
            q, m = f["quorlitz"], f["minimal"]
            out(f"| {PATH_TITLES[p]} | {fmt_ms(q['mapped_ms'])} / {fmt_ms(m['mapped_ms'])} | "
                f"{fmt_ms(q['shown_ms'])} / {fmt_ms(m['shown_ms'])} | "
                f"{q['shown_ms']['median'] / m['shown_ms']['median']:.2f}× | "
                f"{fmt_mb(q['rss_mb'])} / {fmt_mb(m['rss_mb'])} |")
        out(f"| (the GTK game a player would otherwise pick, measured before) | {GTK_GAME_MAP_MS} ms | | | {GTK_GAME_RSS_MB} MB |")
        out("")

    idle = results["idle"]
    if idle:
        out(f"Idle, {idle_seconds:.0f} s under Xvfb: share of one core and wake-ups (voluntary "
            "context switches) per second, all threads")
        out("")
        out("| path | waiting in | quorlitz CPU | quorlitz wake-ups/s | minimal CPU | minimal wake-ups/s |")
        out("|---|---|---|---|---|---|")
        for p, f in idle.items():
            for where in ("menu", "move"):
                q, m = f[f"quorlitz {where}"], f[f"minimal {where}"]
                out(f"| {PATH_TITLES[p]} | {where} | {q['cpu_percent']:.2f} % | {q['wakeups_per_s']:.0f} | "
                    f"{m['cpu_percent']:.2f} % | {m['wakeups_per_s']:.0f} |")
        out("| (the GTK game a player would otherwise pick, measured before) | | 0 % | | | |")
        out("")

    screens = results["screens"]
    if screens:
        out("Screens of the two X11 paths (software framebuffer vs GL renderer), pixel by pixel")
        out("")
        for screen, f in screens.items():
            verdict = "identical" if f["differing_pixels"] == 0 else f"{f['differing_pixels']} pixels differ"
            out(f"- {screen}: {verdict} ({f['pixels']} pixels)")
        out("")

    out("Budgets")
    out("")
    for verdict in budgets(results):
        out(f"- {verdict}")
    return "\n".join(lines)


def budgets(results):
    verdicts = []

    def judge(ok, text):
        verdicts.append(("met" if ok else "MISSED") + ": " + text)

    dummy = results["frames"].get("dummy")
    if dummy:
        ratio = dummy["BM_Paired_DrawVsFloor.ratio"]["median"]
        judge(ratio <= 2.5, f"draw() {ratio:.2f}× the fill+flip floor under dummy (at most 2.5×)")
        ratio = dummy["BM_Paired_MotionVsDraw.ratio"]["median"]
        judge(ratio <= 1.1, f"a motion event handled and shown in {ratio:.2f}× one draw() (at most 1.1×)")
        draw = dummy["BM_Paired_DrawVsFloor.draw_us"]["median"]
        check = max(dummy["BM_Check_FullRandomBoard"]["median"], dummy["BM_Check_EmptyBoard"]["median"])
        judge(check <= draw / 1000, f"check() at most 1/{draw / check:,.0f} of one draw() (at most 1/1000)")
    instructions = results["instructions"]
    if instructions:
        ratio = instructions["draw"] / instructions["floor"]
        judge(ratio <= 1.5, f"draw() {ratio:.2f}× the floor in instructions (at most 1.5×)")
    chosen = "x11-software" if "x11-software" in results["startup"] else "dummy"
    startup = results["startup"].get(chosen)
    if startup:
        q, m = startup["quorlitz"], startup["minimal"]
        ratio = q["shown_ms"]["median"] / m["shown_ms"]["median"]
        judge(ratio <= 1.3, f"start-up to the first menu frame {ratio:.2f}× the minimal SDL program on "
                            f"{PATH_TITLES[chosen]} (at most 1.3×)")
        shown = q["shown_ms"]["median"]
        judge(shown < GTK_GAME_MAP_MS, f"first menu frame after {shown:.1f} ms on {PATH_TITLES[chosen]} "
                                       f"(the GTK game maps its window in {GTK_GAME_MAP_MS} ms)")
        rss = q["rss_mb"]["median"]
        judge(rss < GTK_GAME_RSS_MB, f"resident memory {rss:.1f} MB on {PATH_TITLES[chosen]} "
                                     f"(below {GTK_GAME_RSS_MB} MB)")
    default = results["startup"].get("x11-default")
    if default and startup:
        rss = default["quorlitz"]["rss_mb"]["median"]
        judge(rss < GTK_GAME_RSS_MB and abs(rss - startup["quorlitz"]["rss_mb"]["median"]) < 5,
              f"with no SDL_* variable set the program takes the software framebuffer by itself "
              f"({rss:.1f} MB, first frame after {default['quorlitz']['shown_ms']['median']:.1f} ms)")
    return verdicts


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True, help="the Release build tree")
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--min-time", type=float, default=0.3, help="seconds per repetition")
    parser.add_argument("--startup-runs", type=int, default=9)
    parser.add_argument("--idle-seconds", type=float, default=10.0)
    parser.add_argument("--only", default="frames,instructions,startup,idle,screens",
                        help="comma-separated subset of the parts")
    args = parser.parse_args()

    bench = Bench(args.build, args.repetitions, args.min_time, args.startup_runs, args.idle_seconds)
    bench.run(set(args.only.split(",")))
    results = bench.results
    results["date"] = datetime.datetime.now().strftime("%Y-%m-%d %H:%M")
    results["machine"] = machine_description()
    results["load_average"] = os.getloadavg()

    with open(os.path.join(bench.build, "bench-results.json"), "w") as f:
        json.dump(results, f, indent=1)
    table = render(results, args.repetitions, args.startup_runs, args.idle_seconds)
    with open(os.path.join(bench.build, "bench-results.md"), "w") as f:
        f.write(table + "\n")
    print(table)


if __name__ == "__main__":
    main()
