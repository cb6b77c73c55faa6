#!/usr/bin/env python3
"""Times the spooler's start against a bare Qt window's, whole processes on this machine.

  startup.py BUILD_DIR [RUNS]

BUILD_DIR is a build configured with -DOSTRELIN_BENCH=ON (it holds src/app/ostrelin and
bench/bare-window). Each run starts the program in a private world
(settings, runtime folder, empty spool directory, no display: Qt's offscreen platform) and measures
from the start of the process:

  bare window   until it marks its first idle moment (the marker file appears); once empty, and
                once with a menu and a status line, which loads the fonts as any window with
                text does (an empty window never loads them)
  spooler       until its window-class socket appears in $XDG_RUNTIME_DIR (created while the
                main window is made), and until its main thread first waits in poll() after
                that: its first idle moment, read from /proc/PID/wchan. (A message posted with
                ostrelin-post is delivered as soon as the socket listens, so it tells no more.)

The spooler is stopped after each run. Prints the medians and the spooler's ratios to both bare
windows (target: at most 1.5x).
"""

import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

CLASS_NAME = "TTarvokCalcOstrelin"
# Kernel functions a thread sleeps in while its event loop waits.
IDLE_WAITS = ("poll_schedule_timeout", "do_sys_poll", "do_poll", "ep_poll", "do_select")
POLL_SECONDS = 0.0005
WAIT_SECONDS = 30


def private_world(base):
    """Environment of a run: nothing read from or written to the user's real settings."""
    env = dict(os.environ)
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    folders = {name: os.path.join(base, name) for name in ("config", "xdg", "runtime", "spool", "pdf")}
    for path in folders.values():
        os.makedirs(path, exist_ok=True)
    os.chmod(folders["runtime"], 0o700)
    os.makedirs(os.path.join(folders["config"], "Veldane"), exist_ok=True)
    with open(os.path.join(folders["config"], "Veldane", "Tarvok Calc Ostrelin.reg"), "w",
              encoding="utf-8") as settings:
        settings.write("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Veldane\\Tarvok Calc Ostrelin]\n"
                       f"\"SpoolDir\"=\"{folders['spool']}\"\n")
    env.update(QT_QPA_PLATFORM="offscreen", XDG_CONFIG_HOME=folders["config"],
               XDG_CONFIG_DIRS=folders["xdg"], XDG_RUNTIME_DIR=folders["runtime"],
               OSTRELIN_PDF_DIR=folders["pdf"])
    return env, folders["runtime"]


def wait_for(condition, process):
    """Seconds until `condition()` holds; fails when the process ends or it takes too long."""
    started = time.perf_counter()
    while not condition():
        if process.poll() is not None and not condition():
            sys.exit(f"startup.py: {process.args[0]} ended with status {process.returncode}")
        if time.perf_counter() - started > WAIT_SECONDS:
            sys.exit(f"startup.py: {process.args[0]} did not get ready")
        time.sleep(POLL_SECONDS)
    return time.perf_counter()


def bare_window(program, env, runtime, text):
    marker = os.path.join(runtime, "bare-idle")
    started = time.perf_counter()
    process = subprocess.Popen([program, marker] + (["--text"] if text else []), env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    ready = wait_for(lambda: os.path.exists(marker), process)
    process.wait()
    os.remove(marker)
    return ready - started


def waiting_in_poll(pid):
    """True when the process's main thread sleeps in a poll, as an idle event loop does."""
    try:
        with open(f"/proc/{pid}/wchan", encoding="ascii") as wchan:
            return wchan.read().startswith(IDLE_WAITS)
    except OSError:
        return False


def spooler(program, env, runtime):
    socket = os.path.join(runtime, CLASS_NAME)
    # A copy stopped by a signal leaves its socket file behind; the next copy replaces it.
    if os.path.exists(socket):
        os.remove(socket)
    started = time.perf_counter()
    process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        registered = wait_for(lambda: os.path.exists(socket), process)
        idle = wait_for(lambda: waiting_in_poll(process.pid), process)
    finally:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
    return registered - started, idle - started


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    build = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) == 3 else 15
    programs = {
        "bare": os.path.join(build, "bench", "bare-window"),
        "spooler": os.path.join(build, "src", "app", "ostrelin"),
    }
    for name, path in programs.items():
        if not os.access(path, os.X_OK):
            sys.exit(f"startup.py: {path} is not built (configure with -DOSTRELIN_BENCH=ON)")

    base = tempfile.mkdtemp(prefix="ostrelin-startup-")
    try:
        env, runtime = private_world(base)
        bare, text, registered, idle = [], [], [], []
        # One of each first, untimed, so that all find the libraries and fonts in the cache.
        bare_window(programs["bare"], env, runtime, False)
        bare_window(programs["bare"], env, runtime, True)
        spooler(programs["spooler"], env, runtime)
        for _ in range(runs):
            bare.append(bare_window(programs["bare"], env, runtime, False))
            text.append(bare_window(programs["bare"], env, runtime, True))
            socket_time, idle_time = spooler(programs["spooler"], env, runtime)
            registered.append(socket_time)
            idle.append(idle_time)
    finally:
        shutil.rmtree(base, ignore_errors=True)

    median = {name: statistics.median(times) for name, times in
              (("bare", bare), ("text", text), ("registered", registered), ("idle", idle))}
    print(f"Start-up, median of {runs} runs (Qt offscreen platform, empty spool directory):")
    print(f"  empty Qt window to its first idle moment       {median['bare'] * 1000:8.1f} ms")
    print(f"  Qt window with text to its first idle moment   {median['text'] * 1000:8.1f} ms")
    print(f"  spooler to its window-class socket             {median['registered'] * 1000:8.1f} ms")
    print(f"  spooler to its first idle moment               {median['idle'] * 1000:8.1f} ms")
    for name, label in (("bare", "empty window"), ("text", "window with text")):
        print(f"Spooler / {label}: {median['registered'] / median[name]:.2f}x to the socket, "
              f"{median['idle'] / median[name]:.2f}x to the first idle moment "
              f"(target: at most 1.5x)")

if __name__ == "__main__":
    main()
