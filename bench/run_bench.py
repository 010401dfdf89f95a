#!/usr/bin/env python3
"""Runs the benchmarks of a release build and prints one table: for each figure the program's
value, an anchor measured in the same run, and their ratio. Called by scripts/bench.

    run_bench.py --build DIR [--quick]

--quick shortens every measurement to prove that the benchmarks work; its figures mean little.
Nothing here judges the figures: speed goals are read off the table, never asserted.
"""
import argparse
import os
import platform
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

# Seconds: start-up allowance, idle window, runs of the first-frame measurement and of the
# restore from the tray.
FULL = {"settle": 5.0, "idle": 30.0, "frame_runs": 5, "after_frame": 2.0, "restore_runs": 5}
QUICK = {"settle": 0.5, "idle": 1.0, "frame_runs": 1, "after_frame": 0.3, "restore_runs": 1}
FRAME_TIMEOUT = 60.0
# Seconds: the start-up's busy pulse draws for about a second after the scene starts; idle
# figures begin once no frame came for QUIET seconds, or after QUIET_TIMEOUT whatever draws.
QUIET = 1.0
QUIET_TIMEOUT = 15.0
# Seconds: how long the window may take to go to the tray, and between two close clicks.
CLOSE_TIMEOUT = 60.0
CLICK_RETRY = 1.0
# Seconds: the longest a helper command (xdotool) or a benchmark program may take, and the whole
# run. Every wait ends, so a hang shows as a traceback of where it waited, not a stalled CI.
STARTED = time.monotonic()
COMMAND_TIMEOUT = 60
PROGRAM_TIMEOUT = {"quick": 300, "full": 1800}
RUN_TIMEOUT = {"quick": 600, "full": 3600}


def run(command, **options):
    """subprocess.run with a time limit."""
    return subprocess.run(command, timeout=options.pop("timeout", COMMAND_TIMEOUT), **options)


def figures(command, timeout):
    """The "name value" lines a benchmark program prints, as a dict."""
    out = run(command, check=True, capture_output=True, text=True, timeout=timeout).stdout
    values = {}
    for line in out.splitlines():
        name, value = line.split()
        values[name] = float(value)
    return values


def threads(pid):
    """{(tid, name): (context switches, cpu ticks)} of every thread of a process."""
    found = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{tid}/status") as f:
                status = dict(line.split(":", 1) for line in f if ":" in line)
            with open(f"/proc/{pid}/task/{tid}/stat") as f:
                stat = f.read().rsplit(")", 1)[1].split()
        except FileNotFoundError:
            continue  # ended meanwhile
        switches = int(status["voluntary_ctxt_switches"]) + int(
            status["nonvoluntary_ctxt_switches"])
        cpu = int(stat[11]) + int(stat[12])  # utime + stime
        found[(tid, status["Name"].strip())] = (switches, cpu)
    return found


def memory_kb(pid, field):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    return 0


def smaps(pid):
    """Rss, Pss and Private_Dirty (KB) of a process, from /proc/PID/smaps_rollup. Pages of a
    shared library mapped by another running Qt program count for neither in Private_Dirty."""
    values = {}
    with open(f"/proc/{pid}/smaps_rollup") as f:
        for line in f:
            parts = line.split()
            if len(parts) == 3 and parts[2] == "kB":
                values[parts[0].rstrip(":")] = int(parts[1])
    return values


def end(process):
    """Asks a process to end, and kills it if it has not within 5 s."""
    process.terminate()
    try:
        process.wait(5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


class Child:
    """A program started with the frame log on, in a private home and temp folder."""

    def __init__(self, command, env, scratch):
        handle, self.log_path = tempfile.mkstemp(prefix="stderr-", suffix=".log", dir=scratch)
        self.log = os.fdopen(handle, "w")
        self.started = time.monotonic()
        self.process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                                        stderr=self.log)

    def wait_for_frame(self):
        """Seconds from the start to the first rendered frame."""
        deadline = self.started + FRAME_TIMEOUT
        while time.monotonic() < deadline:
            with open(self.log_path) as f:
                for line in f:
                    if line.startswith("frame 1 "):
                        return time.monotonic() - self.started
            if self.process.poll() is not None:
                break
            time.sleep(0.001)
        raise RuntimeError(f"no frame from {self.process.args[0]}; see {self.log_path}")

    def frames(self):
        """Frames rendered so far."""
        return sum(1 for line in self.lines() if line.startswith("frame "))

    def wait_until_quiet(self):
        """Returns once no frame came for QUIET seconds, or after QUIET_TIMEOUT: a window that
        never stops drawing then shows in the idle frame rate instead of ending the run."""
        start = time.monotonic()
        count, since = self.frames(), start
        while time.monotonic() - start < QUIET_TIMEOUT:
            time.sleep(0.05)
            now = self.frames()
            if now != count:
                count, since = now, time.monotonic()
            elif time.monotonic() - since >= QUIET:
                return

    def lines(self):
        with open(self.log_path) as f:
            return f.read().splitlines()

    def wait_for_shown_frame(self, after_line):
        """Milliseconds from the window's next show (after log line `after_line`) to the
        scene's next rendered frame, by the program's own clock."""
        deadline = time.monotonic() + FRAME_TIMEOUT
        while time.monotonic() < deadline:
            shown = None
            for line in self.lines()[after_line:]:
                if line.startswith("shown "):
                    shown = int(line.split()[1])
                elif line.startswith("frame ") and shown is not None:
                    return int(line.split()[2]) - shown
            time.sleep(0.001)
        raise RuntimeError(f"no frame after the show; see {self.log_path}")

    def stop(self):
        end(self.process)
        self.log.close()


def environment(display, scratch):
    env = dict(os.environ)
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
        env.pop(name, None)
    if display:
        env["DISPLAY"] = display
        env["QT_QPA_PLATFORM"] = "xcb"
    else:
        env["QT_QPA_PLATFORM"] = "offscreen"
    # The single-instance lock and the per-user files go into a folder of this run alone.
    home = tempfile.mkdtemp(dir=scratch)
    env.update(HOME=home, TMPDIR=home, XDG_CONFIG_HOME=home, XDG_DATA_HOME=home,
               XDG_RUNTIME_DIR=home, Z718_FRAME_LOG="1")
    return env


def first_frame_and_memory(command, display, runs, after_frame, scratch):
    """Median first-frame time (ms) and peak resident memory (KB)."""
    frames, peaks = [], []
    for _ in range(runs):
        child = Child(command, environment(display, scratch), scratch)
        try:
            frames.append(child.wait_for_frame() * 1000)
            time.sleep(after_frame)
            peaks.append(memory_kb(child.process.pid, "VmHWM"))
        finally:
            child.stop()
    return statistics.median(frames), statistics.median(peaks)


def activity(pid, seconds):
    """Wake-ups per second of each thread, and the CPU share (% of one core) of the whole
    process, over the next `seconds`."""
    before = threads(pid)
    start = time.monotonic()
    time.sleep(seconds)
    after = threads(pid)
    elapsed = time.monotonic() - start
    ticks = os.sysconf("SC_CLK_TCK")
    rates, cpu = {}, 0
    for key, (switches, used) in after.items():
        was_switches, was_used = before.get(key, (0, 0))
        rates[key] = (switches - was_switches) / elapsed
        cpu += used - was_used
    return rates, 100.0 * cpu / ticks / elapsed


def idle_activity(command, settle, seconds, scratch):
    """activity() of a program idling after its start-up, offscreen."""
    child = Child(command, environment(None, scratch), scratch)
    try:
        child.wait_for_frame()
        time.sleep(settle)
        child.wait_until_quiet()
        return activity(child.process.pid, seconds)
    finally:
        child.stop()


def visible_windows(pid, display):
    """The program's shown windows of the window's size (not its tray icon or a balloon)."""
    env = dict(os.environ, DISPLAY=display)
    found = run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                           capture_output=True, text=True, env=env).stdout.split()
    windows = []
    for window in found:
        shape = run(["xdotool", "getwindowgeometry", "--shell", window],
                               capture_output=True, text=True, env=env).stdout
        if "WIDTH=1000\n" in shape and "HEIGHT=640\n" in shape:
            windows.append(window)
    return windows


def close_to_tray(pid, display):
    """Clicks the scene's close button, as a user sends the program to the tray."""
    deadline = time.monotonic() + CLOSE_TIMEOUT
    while not visible_windows(pid, display):
        if time.monotonic() > deadline:
            raise RuntimeError("the program's window never showed")
        time.sleep(0.05)
    # The window ignores clicks while it protects its start-up (a second or more on a busy
    # machine), so the click is repeated until the window hides.
    while True:
        shown = visible_windows(pid, display)
        if not shown:
            return
        if time.monotonic() > deadline:
            raise RuntimeError("the close button did not hide the window")
        # The close button's centre in the 1000 x 640 window: the last of three 16-pixel
        # buttons 6 pixels apart, from x 935, y 16. A window that hid meanwhile may refuse the
        # click; the loop then sees it gone.
        run(["xdotool", "mousemove", "--window", shown[0], "987", "24", "click", "1"],
                       check=False, env=dict(os.environ, DISPLAY=display))
        retry = time.monotonic() + CLICK_RETRY
        while visible_windows(pid, display) and time.monotonic() < retry:
            time.sleep(0.05)


def double_click_tray_icon(display):
    """Double-clicks the centre of the tray host's window, which the program's icon fills,
    raised first above the minimal window and the connection balloon."""
    env = dict(os.environ, DISPLAY=display)
    docker = run(["xdotool", "search", "--name", "^Docker$"], capture_output=True,
                            text=True, env=env).stdout.split()
    if not docker:
        raise RuntimeError("no tray host")
    run(["xdotool", "windowraise", docker[0]], check=True, env=env)
    shape = dict(line.split("=") for line in run(
        ["xdotool", "getwindowgeometry", "--shell", docker[0]], capture_output=True, text=True,
        env=env, check=True).stdout.split())
    x = int(shape["X"]) + int(shape["WIDTH"]) // 2
    y = int(shape["Y"]) + int(shape["HEIGHT"]) // 2
    run(["xdotool", "mousemove", str(x), str(y), "click", "--repeat", "2", "--delay",
                    "80", "1"], check=True, env=env)


def tray(program, anchor, display, pace, scratch):
    """The program beside the minimal window under one Xvfb with a tray host. Memory of both,
    read at the same moment, with the program's window shown and then closed to the tray; then
    the time from a restore through the tray icon to the first frame, over several rounds."""
    env = environment(display, scratch)
    env["QT_QUICK_BACKEND"] = "software"
    # The minimal window first: at the same place, the program's window comes on top of it.
    base = Child(anchor, environment(display, scratch), scratch)
    child = None
    try:
        base.wait_for_frame()
        child = Child(program, env, scratch)
        pid = child.process.pid
        child.wait_for_frame()
        time.sleep(pace["settle"])
        shown, base_shown = smaps(pid), smaps(base.process.pid)
        close_to_tray(pid, display)
        time.sleep(pace["settle"])
        hidden, base_hidden = smaps(pid), smaps(base.process.pid)
        restores = []
        for _ in range(pace["restore_runs"]):
            seen = len(child.lines())
            double_click_tray_icon(display)
            restores.append(child.wait_for_shown_frame(seen))
            time.sleep(pace["after_frame"])
            close_to_tray(pid, display)
            time.sleep(pace["after_frame"])
        return {"shown": (shown, base_shown), "hidden": (hidden, base_hidden),
                "restore": statistics.median(restores)}
    finally:
        if child:
            child.stop()
        base.stop()


def resident(command, backend, display, pace, scratch):
    """The program under one scene graph backend: first frame, then memory, idle CPU and the
    frames rendered, shown and then hidden in the tray."""
    env = environment(display, scratch)
    env["QT_QUICK_BACKEND"] = backend
    child = Child(command, env, scratch)
    pid = child.process.pid
    try:
        figures = {"first frame": (child.wait_for_frame() * 1000, "ms")}
        time.sleep(pace["settle"])
        child.wait_until_quiet()
        frames = child.frames()
        figures["idle CPU shown"] = (activity(pid, pace["idle"])[1], "%")
        figures["frames/s shown, idle"] = ((child.frames() - frames) / pace["idle"], "/s")
        figures["resident memory shown"] = (memory_kb(pid, "VmRSS") / 1024, "MiB")
        rollup = smaps(pid)
        figures["PSS shown"] = (rollup["Pss"] / 1024, "MiB")
        figures["private dirty shown"] = (rollup["Private_Dirty"] / 1024, "MiB")
        close_to_tray(pid, display)
        time.sleep(pace["settle"])
        frames = child.frames()
        figures["idle CPU hidden"] = (activity(pid, pace["idle"])[1], "%")
        figures["frames/s hidden"] = ((child.frames() - frames) / pace["idle"], "/s")
        figures["resident memory hidden"] = (memory_kb(pid, "VmRSS") / 1024, "MiB")
        rollup = smaps(pid)
        figures["PSS hidden"] = (rollup["Pss"] / 1024, "MiB")
        figures["private dirty hidden"] = (rollup["Private_Dirty"] / 1024, "MiB")
        return figures
    finally:
        child.stop()


class Xvfb:
    """A private X server for the figures "under Xvfb", with wmdocker as its system tray when
    asked (an XEmbed tray host that needs no desktop session)."""

    def __init__(self, tray_host=False):
        self.tray_host = tray_host
        self.tray = None

    def __enter__(self):
        read, write = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x800x24", "-nolisten",
             "tcp"], pass_fds=[write], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            self.display = ":" + f.readline().strip()
        if self.tray_host:
            env = dict(os.environ, DISPLAY=self.display)
            self.tray = subprocess.Popen(["wmdocker"], env=env, stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL)
            # A dock app waits, withdrawn, for a window manager to show it; with none, show it.
            run(["xdotool", "search", "--sync", "--name", "^Docker$", "windowmap"], env=env,
                check=True, stdout=subprocess.DEVNULL, timeout=10)
        return self

    def __exit__(self, *exc):
        if self.tray:
            end(self.tray)
        end(self.server)


def machine():
    model = "unknown CPU"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    load = os.getloadavg()
    return (f"{model}, {os.cpu_count()} cores, {platform.system()} {platform.release()}, "
            f"load average {load[0]:.2f} at the start")


def ratio(value, anchor):
    if anchor == 0:
        return "n/a" if value else "1.00x"
    return f"{value / anchor:.2f}x"


def table(header, rows):
    widths = [max(len(r[i]) for r in list(rows) + [header]) for i in range(len(header))]
    print("| " + " | ".join(h.ljust(w) for h, w in zip(header, widths)) + " |")
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for r in rows:
        print("| " + " | ".join(c.ljust(w) for c, w in zip(r, widths)) + " |")


def step(text):
    """Progress on stderr, at once: a stalled run shows where it stalled."""
    print(f"-- {text} ({time.monotonic() - STARTED:.0f} s)", file=sys.stderr, flush=True)


def timed_out(seconds):
    """Ends the run where it waits: the traceback names the wait, the finally blocks end the
    programs it started."""
    raise TimeoutError(f"the benchmarks did not finish within {seconds} s")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--quick", action="store_true")
    args = parser.parse_args()
    pace = QUICK if args.quick else FULL
    mode = "quick" if args.quick else "full"
    signal.signal(signal.SIGALRM, lambda *_: timed_out(RUN_TIMEOUT[mode]))
    signal.alarm(RUN_TIMEOUT[mode])
    bin_dir = os.path.join(args.build, "bin")
    quick = ["--quick"] if args.quick else []
    program = [os.path.join(bin_dir, "z718"), "--virtual-mouse"]
    anchor = [os.path.join(bin_dir, "z718_bench_minimal_quick")]

    print(f"Machine: {machine()}")
    print("Mode: " + ("quick (proves the benchmarks run; the figures mean little)"
                      if args.quick else "full"), flush=True)
    rows = []

    def row(figure, value, base, unit, anchor_name):
        rows.append((figure, f"{value:.3f} {unit}", f"{base:.3f} {unit} ({anchor_name})",
                     ratio(value, base)))

    # The program's file, just written by the linker, is dirty in the page cache until written
    # back, and smaps counts such pages of a private mapping as the process's private dirty
    # memory (about 2 MiB more, shown and hidden alike).
    os.sync()
    scratch = tempfile.mkdtemp(prefix="z718-bench-")
    try:
        # (a) Idle wake-ups of the connected program.
        step("idle wake-ups")
        rates, cpu = idle_activity(program, pace["settle"], pace["idle"], scratch)
        base_rates, base_cpu = idle_activity(anchor, pace["settle"], pace["idle"], scratch)
        engine = sum(r for (_, name), r in rates.items() if name == "z718-engine")
        if not any(name == "z718-engine" for (_, name) in rates):
            raise RuntimeError("the program's engine thread is missing: not connected?")
        total, base_total = sum(rates.values()), sum(base_rates.values())
        minimal = "minimal Qt Quick window"
        row("idle wake-ups/s, engine thread", engine, base_total, "/s", minimal)
        row("idle wake-ups/s, whole program", total, base_total, "/s", minimal)
        row("idle CPU, % of one core", cpu, base_cpu, "%", minimal)

        # (b), (c) Remap latency and tick period.
        step("remap latency and tick period")
        e = figures([os.path.join(bin_dir, "z718_bench_engine")] + quick, PROGRAM_TIMEOUT[mode])
        naive = "sleep-10-ms loop"
        for p in ("p50", "p99", "max"):
            row(f"remap latency {p} ({int(e['latency_events'])} events)",
                e[f"latency_engine_{p}"], e[f"latency_naive_{p}"], "ms", naive)
        for p in ("mean", "p99"):
            row(f"tick period {p} ({int(e['period_ticks'])} ticks, macro playing)",
                e[f"period_engine_{p}"], e[f"period_naive_{p}"], "ms", naive)

        # (d) Device transfers against the floor of their pauses.
        step("device transfers")
        t = figures([os.path.join(bin_dir, "z718_bench_transfer")] + quick,
                    PROGRAM_TIMEOUT[mode])
        for name, label in (("key_matrix_512", "512-byte key matrix"), ("dpi_set", "DPI set"),
                            ("device_macro", "device macro")):
            row(f"transfer: {label}", t[f"transfer_{name}"], t[f"transfer_{name}_floor"], "ms",
                "floor of its pauses")
        row("silent device: GUI thread held by a payload read", t["silent_device_read"],
            t["silent_device_read_goal"], "ms", "longest wait for a click")

        # (e) First frame and peak memory, offscreen and under Xvfb.
        step("first frame and peak memory")
        runs, after = pace["frame_runs"], pace["after_frame"]
        anchor_frame = {}
        with Xvfb() as x:
            for label, display in (("offscreen", None), ("Xvfb", x.display)):
                frame, peak = first_frame_and_memory(program, display, runs, after, scratch)
                base_frame, base_peak = first_frame_and_memory(anchor, display, runs, after,
                                                               scratch)
                anchor_frame[label] = base_frame
                row(f"first frame, {label}", frame, base_frame, "ms", minimal)
                row(f"peak memory, {label}", peak / 1024, base_peak / 1024, "MiB", minimal)

        # (f) The resident program under both scene graphs, shown and in the tray. Without a
        # tray host the close button only minimises, so this needs one.
        step("both scene graphs, shown and in the tray")
        with Xvfb(tray_host=True) as x:
            software = resident(program, "software", x.display, pace, scratch)
            opengl = resident(program, "rhi", x.display, pace, scratch)

        # (g) Beside the minimal window: memory shown and in the tray, restore from the tray.
        step("beside the minimal window, and restores from the tray")
        with Xvfb(tray_host=True) as x:
            held = tray(program, anchor, x.display, pace, scratch)
        for moment in ("shown", "hidden"):
            where = "shown" if moment == "shown" else "hidden in the tray"
            mine, base = held[moment]
            row(f"private dirty, {where}", mine["Private_Dirty"] / 1024,
                base["Private_Dirty"] / 1024, "MiB", minimal + ", same moment")
            row(f"PSS, {where}", mine["Pss"] / 1024, base["Pss"] / 1024, "MiB",
                minimal + ", same moment")
        row("first frame after a tray restore", held["restore"], anchor_frame["Xvfb"], "ms",
            minimal + ", first frame")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)

    table(("Figure", "Program", "Anchor", "Ratio"), rows)
    print("\nWake-ups/s per thread of the program (idle, connected):")
    for (tid, name), r in sorted(rates.items(), key=lambda item: -item[1]):
        print(f"  {name:<16} {r:8.2f}")
    print("\nThe program under Xvfb with each scene graph (QT_QUICK_BACKEND):")
    table(("Figure", "software", "OpenGL", "Ratio"),
          [(name, f"{value:.3f} {unit}", f"{opengl[name][0]:.3f} {unit}",
            ratio(value, opengl[name][0])) for name, (value, unit) in software.items()])
    return 0


if __name__ == "__main__":
    sys.exit(main())
