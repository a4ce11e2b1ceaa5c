#!/usr/bin/env python3
"""The launch benchmark: how soon Pagewisp is ready, against two bare programs.

Builds nothing itself: build the velmora_checks target first (it makes the
bare programs bare_text and bare_web beside Pagewisp). Then, under a private
Xvfb display (with openbox when it is installed), it starts each program on a
small page and on a 1.2 MB page, interleaved, RUNS times each, and reports
the median milliseconds from the start until

  window  the main window first paints
  text    the text pane first paints
  dom     the page's DOM holds the document (programs with a browser pane)

and the proportional set size (PSS) of the program's whole process tree
3 seconds after the start. The ratios against the bare programs are the
figures that count:

  text: Pagewisp / bare_text      dom and PSS: Pagewisp / bare_web

    bench/launch.py [--build build] [--runs 5]

The milestones come from the programs themselves (widgets/startup_probe.*),
switched on by VELMORA_STARTUP_TRACE; Pagewisp runs with a private home,
settings of an earlier run and its component registered in a private
registry, so nothing of the real home is touched.
"""
import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

MARKER = "velmora-launch-marker"


def page(size):
    head = "<html>\r\n<head><title>Launch</title></head>\r\n<body>\r\n"
    para = "<p>The quick brown fox jumps over the lazy dog, <b>twice</b> &amp; again.</p>\r\n"
    body = ""
    while len(head) + len(body) < size:
        body += para
    return head + body + "<p>" + MARKER + "</p>\r\n</body>\r\n</html>\r\n"


def tree_pss_kb(root):
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as f:
                ppid = int(f.read().rsplit(")", 1)[1].split()[1])
        except (OSError, IndexError, ValueError):
            continue
        children.setdefault(ppid, []).append(int(entry))
    total, todo = 0, [root]
    while todo:
        pid = todo.pop()
        todo += children.get(pid, [])
        try:
            with open(f"/proc/{pid}/smaps_rollup") as f:
                for line in f:
                    if line.startswith("Pss:"):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total


def run_once(command, env, trace, wanted, timeout=60):
    if os.path.exists(trace):
        os.unlink(trace)
    env = dict(env, VELMORA_STARTUP_TRACE=trace, VELMORA_STARTUP_MARKER=MARKER)
    env["VELMORA_STARTUP_T0"] = str(time.monotonic_ns())
    proc = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL, start_new_session=True)
    started = time.monotonic()
    marks = {}
    try:
        while time.monotonic() - started < timeout:
            if os.path.exists(trace):
                with open(trace) as f:
                    for line in f:
                        name, ms = line.split()
                        marks[name] = float(ms)
            if all(w in marks for w in wanted) or proc.poll() is not None:
                break
            time.sleep(0.01)
        time.sleep(max(0.0, 3.0 - (time.monotonic() - started)))
        marks["pss"] = tree_pss_kb(proc.pid) / 1024.0
    finally:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
    return marks


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    programs = {
        "bare_text": (os.path.join(build, "bench/bare_text"), ["window", "text"]),
        "bare_web": (os.path.join(build, "bench/bare_web"), ["window", "text", "dom"]),
        "Pagewisp": (os.path.join(build, "app/Pagewisp"), ["window", "text", "dom"]),
    }
    for path, _ in programs.values():
        if not os.access(path, os.X_OK):
            sys.exit(f"{path} is missing: build the velmora_checks target first")

    work = tempfile.mkdtemp(prefix="velmora-launch-")
    display = ":%d" % (90 + os.getpid() % 100)
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1)
    wm = None
    env = {
        "PATH": "/usr/bin:/bin", "DISPLAY": display, "HOME": work + "/home",
        "XDG_RUNTIME_DIR": work + "/run", "TEMP": work + "/temp",
        "VATRO_REGISTRY": work + "/registry.ini",
        "QTWEBENGINE_CHROMIUM_FLAGS": "--disable-gpu --disable-background-networking",
    }
    if os.geteuid() == 0:
        env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
    for d in ("home/.config/Fendro Vatro", "run", "temp"):
        os.makedirs(os.path.join(work, d), exist_ok=True)
    os.chmod(work + "/run", 0o700)
    with open(work + "/home/.config/Fendro Vatro/Fendro Vatro.ini", "w") as f:
        f.write("[Velmora]\nAuto-update=True\nPos1=True\nPos2=False\nPos3=False\nPos4=False\n"
                "TempDir=%s\n" % (work + "/temp"))
    subprocess.run([os.path.join(build, "vatro/vatroreg"), os.path.join(build, "vatro/libVatroOCX.so")],
                   env=env, check=True, stdout=subprocess.DEVNULL)
    if shutil.which("openbox"):
        wm = subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(0.5)

    pages = {"small": page(2000), "1.2 MB": page(1200 * 1024)}
    for name, text in pages.items():
        with open(os.path.join(work, name.replace(" ", "") + ".htm"), "w") as f:
            f.write(text)
    results = {}
    try:
        for run in range(args.runs):
            for page_name in pages:
                file = os.path.join(work, page_name.replace(" ", "") + ".htm")
                for program, (path, wanted) in programs.items():
                    marks = run_once([path, file], env, work + "/trace", wanted)
                    results.setdefault((program, page_name), []).append(marks)
                    print(f"run {run + 1} {program:9} {page_name:7} {marks}", file=sys.stderr)
    finally:
        if wm:
            wm.kill()
        xvfb.kill()
        shutil.rmtree(work, ignore_errors=True)

    def median(program, page_name, key):
        values = [m[key] for m in results[(program, page_name)] if key in m]
        return statistics.median(values) if values else float("nan")

    print(f"{args.runs} interleaved runs each; medians (ms, PSS in MB)")
    print(f"{'program':10} {'page':7} {'window':>8} {'text':>8} {'dom':>8} {'PSS':>8}")
    for page_name in pages:
        for program in programs:
            row = [median(program, page_name, k) for k in ("window", "text", "dom", "pss")]
            print(f"{program:10} {page_name:7} " + " ".join(f"{v:8.0f}" for v in row))
    print("ratios (Pagewisp against the bare program)")
    for page_name in pages:
        text = median("Pagewisp", page_name, "text") / median("bare_text", page_name, "text")
        dom = median("Pagewisp", page_name, "dom") / median("bare_web", page_name, "dom")
        pss = median("Pagewisp", page_name, "pss") / median("bare_web", page_name, "pss")
        print(f"{page_name:7} text {text:.2f}x bare_text   dom {dom:.2f}x bare_web   PSS {pss:.2f}x bare_web")


if __name__ == "__main__":
    main()
