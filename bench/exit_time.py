#!/usr/bin/python3
# Times the program's exit: from the window manager's close request (or the 終了 menu item
# pressed through the accessibility bus) until the process has ended, RUNS times for each
# session kind, and prints the medians. Run by bench/exit-time.sh, which provides the X
# server, the window manager, the D-Bus session and the AT-SPI bus.
# Usage: exit_time.py KERUNA SETTINGS_INI WORK_FOLDER RUNS WORDS KIND...
# KIND: nobridge | short | long | long-menu | long-frozen | long-study
#   nobridge     the word list open, no accessibility bridge
#   short        the same with the bridge on and no client
#   long         bridge on; a screen reader stand-in opens the database screen, starts a
#                study, moves the GET list to its own window, walks the whole tree (every
#                entry of both database lists) and keeps listening while the study runs
#   long-menu    as long, closed through the 終了 menu item's accessibility action
#   long-frozen  as long, with the screen reader stopped (SIGSTOP) for 20 s of study
#                before the close: events pile up unread on the bus
#   long-study   as long, with the reader attached through minutes of study (the
#                environment's EXIT_TIME_STUDY_S, 180 by default) before the close
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import time

keruna, ini, work, runs, words = sys.argv[1:6]
runs, words = int(runs), int(words)
kinds = sys.argv[6:]
here = os.path.dirname(os.path.abspath(__file__))
python = "/usr/bin/python3"
STEPS = "データベース,sleep1,ここから始めます,sleep1,外部画面に移動,sleep1"
LIMIT_S = 60

word_list = os.path.join(work, "words.txt")
with open(word_list, "w", encoding="utf-8") as f:
    for i in range(words):
        f.write(f"word{i},意味{i}\n")


def main_window(pid):
    for _ in range(400):
        listing = subprocess.run(["wmctrl", "-lp"], capture_output=True, text=True).stdout
        for line in listing.splitlines():
            fields = line.split(None, 4)
            if len(fields) == 5 and int(fields[2]) == pid and "words.txt" in fields[4]:
                return fields[0]
        time.sleep(0.05)
    raise RuntimeError("the main window did not appear")


def close_menu_item_script():
    # Found before the clock starts; the time is taken just before the action.
    return r'''
import sys, time, gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi
Atspi.init()
def find(node):
    try:
        if node.get_role() == Atspi.Role.MENU_ITEM and node.get_name() == "終了(X)":
            return node
        if node.get_role() in (Atspi.Role.TREE, Atspi.Role.TABLE, Atspi.Role.LIST):
            return None
        count = node.get_child_count()
    except Exception:
        return None
    for i in range(count):
        child = node.get_child_at_index(i)
        found = find(child) if child is not None else None
        if found is not None:
            return found
desktop = Atspi.get_desktop(0)
for i in range(desktop.get_child_count()):
    app = desktop.get_child_at_index(i)
    if app is not None and app.get_name() == "keruna":
        item = find(app)
        print(f"{time.monotonic():.6f}", flush=True)
        try:
            Atspi.Action.do_action(item, 0)
        except Exception:
            pass  # the program ends before it answers
        sys.exit(0)
sys.exit(1)
'''


def one_run(kind, n):
    folder = os.path.join(work, f"{kind}-{n}")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    shutil.copy(ini, os.path.join(folder, "Settei.ini"))
    shutil.copy(word_list, folder)
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", KERUNA_PROGRAM_FOLDER=folder)
    env.pop("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", None)
    if kind != "nobridge":
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    with open(folder + ".log", "w") as log:
        program = subprocess.Popen([keruna, os.path.join(folder, "words.txt")], env=env,
                                   stdout=subprocess.DEVNULL, stderr=log)
    window = main_window(program.pid)
    reader = None
    objects = 0
    if kind.startswith("long"):
        ready = folder + ".ready"
        reader = subprocess.Popen([python, os.path.join(here, "atspi_reader.py"), "keruna",
                                   "1000", ready, STEPS], stderr=subprocess.DEVNULL)
        while not os.path.exists(ready):
            if reader.poll() is not None:
                raise RuntimeError("the screen reader stand-in ended")
            time.sleep(0.1)
        with open(ready) as f:
            objects = int(f.read())
        time.sleep(5)  # the study runs on, the reader walks again
        if kind == "long-frozen":
            reader.send_signal(signal.SIGSTOP)
            time.sleep(20)
        elif kind == "long-study":
            time.sleep(float(os.environ.get("EXIT_TIME_STUDY_S", "180")))
    else:
        time.sleep(1)
    # A value of the exit set changed on disk behind the program's back: the save at exit
    # writes the one the program holds over it.
    settings = os.path.join(folder, "Settei.ini")
    with open(settings, "rb") as f:
        text = f.read()
    changed = re.sub(rb"\nSEC=[^\r\n]*", b"\nSEC=77", text, count=1)
    if changed == text:
        raise RuntimeError("the settings file has no SEC key")
    with open(settings, "wb") as f:
        f.write(changed)
    if kind == "long-menu":
        presser = subprocess.Popen([python, "-c", close_menu_item_script()],
                                   stdout=subprocess.PIPE, text=True)
        start = float(presser.stdout.readline())
    else:
        start = time.monotonic()
        subprocess.run(["wmctrl", "-i", "-c", window], check=True)
    while program.poll() is None and time.monotonic() - start < LIMIT_S:
        time.sleep(0.0005)
    elapsed = (time.monotonic() - start) * 1000
    if program.poll() is None:
        program.kill()
        program.wait()
        elapsed = float("inf")
    if reader is not None:
        reader.send_signal(signal.SIGCONT)
        reader.terminate()
        reader.wait()
    with open(settings, "rb") as f:
        saved = b"\nSEC=77" not in f.read()
    extra = f", {objects} objects walked" if objects else ""
    print(f"  {kind} run {n}: {elapsed:.1f} ms, exit code {program.returncode}, "
          f"settings {'saved' if saved else 'NOT SAVED'}{extra}", flush=True)
    return elapsed, saved and program.returncode == 0


worst = 0.0
failed = False
for kind in kinds:
    times = []
    for n in range(1, runs + 1):
        elapsed, ok = one_run(kind, n)
        times.append(elapsed)
        failed |= not ok
    median = statistics.median(times)
    worst = max(worst, median)
    print(f"{kind}: median {median:.1f} ms of {runs} runs ({words} words): "
          + " ".join(f"{t:.1f}" for t in times), flush=True)
sys.exit(1 if failed or worst > 100 else 0)
