#!/usr/bin/env python3
"""Side-by-side cost of a keep-alive exchange, as a user's machine pays it.

tetherly.exe and the bare skeleton (tests/bench/bare_skeleton.cpp) run under
one Xvfb in one Wine prefix (build/side-by-side), both set to six services at
a fixed 1 s interval against loopback servers that this script runs itself
(natively, so they load no Wine process). Phases alternate: the program alone,
then the skeleton alone, and so on; the other one sits stopped, which costs
nothing; a third phase has both stopped, to see what the prefix costs by
itself. Each phase measures, from /proc, the processor time and context
switches of every process of the prefix (the program or skeleton, the Wine
server, the shell explorer.exe and the rest) and of the X server, and counts
the exchanges the servers saw.

    scripts/bench-side-by-side.py [seconds per phase, default 120] [rounds, default 3]

Needs a built build/win (tetherly and bare_skeleton) and root for the low
ports. Prints what the prefix costs with both stopped, every phase, then per
exchange the minimum, median and maximum over the rounds, and the ratio
program / bare.
"""
import os
import socketserver
import statistics
import subprocess
import sys
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DIR = os.path.join(ROOT, "build", "side-by-side")
PREFIX = os.path.join(DIR, "prefix")
EXE = os.path.join(ROOT, "build", "win", "src", "tetherly.exe")
SKELETON = os.path.join(ROOT, "build", "win", "tests", "bench", "bare_skeleton.exe")
ADDRESS = "127.0.77.1"
TICK = os.sysconf("SC_CLK_TCK")

# ---- loopback servers --------------------------------------------------------

counts = {}
counts_lock = threading.Lock()
PROBE = b"abcdefghijklmnopqrstuvwxyz0123456789"


def counted(port):
    with counts_lock:
        counts[port] = counts.get(port, 0) + 1


class Handler(socketserver.BaseRequestHandler):
    def handle(self):
        port = self.server.server_address[1]
        counted(port)
        s = self.request
        s.settimeout(5)
        try:
            if port == 80:
                data = b""
                while b"\n\n" not in data:
                    chunk = s.recv(4096)
                    if not chunk:
                        return
                    data += chunk
                s.sendall(b"HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n")
            elif port == 21:
                s.sendall(b"220 ready\r\n")
                s.recv(4096)
            elif port == 7:
                data = s.recv(4096)
                if data:
                    s.sendall(data)
                s.recv(4096)
            elif port == 13:
                s.recv(4096)
                s.sendall(b"Mon Jun  3 12:00:00 2024\r\n")
            else:  # discard, user port
                while s.recv(4096):
                    pass
        except OSError:
            pass


class Server(socketserver.ThreadingTCPServer):
    allow_reuse_address = True
    daemon_threads = True


def start_servers():
    for port in (80, 21, 7, 9, 13, 7007):
        server = Server((ADDRESS, port), Handler)
        threading.Thread(target=server.serve_forever, daemon=True).start()


def exchanges():
    with counts_lock:
        return sum(counts.values())

# ---- /proc -------------------------------------------------------------------


def prefix_processes():
    """pid -> name of every process of the prefix, and the X server's."""
    found = {}
    display = open(os.path.join(DIR, "display")).read().strip()
    xvfb_pid = open(os.path.join(DIR, "xvfb.pid")).read().strip()
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            env = open(f"/proc/{pid}/environ", "rb").read().split(b"\0")
            name = open(f"/proc/{pid}/comm").read().strip()
        except OSError:
            continue
        if pid == xvfb_pid:
            found[int(pid)] = "X server"
        elif f"WINEPREFIX={PREFIX}".encode() in env:
            found[int(pid)] = name
    return found


def usage(pid):
    """Processor seconds and context switches of a process (all its threads)."""
    try:
        fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
        cpu = (int(fields[11]) + int(fields[12])) / TICK
        switches = 0
        for task in os.listdir(f"/proc/{pid}/task"):
            for line in open(f"/proc/{pid}/task/{task}/status"):
                if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                    switches += int(line.split()[1])
        return cpu, switches
    except OSError:
        return None


def snapshot():
    return {pid: (name, usage(pid)) for pid, name in prefix_processes().items()}


def category(name):
    if name.startswith("tetherly"):
        return "program"
    if name.startswith("bare_skeleton"):
        return "skeleton"
    if name.startswith("wineserver"):
        return "wineserver"
    if name == "explorer.exe":
        return "shell"
    if name == "X server":
        return "X server"
    return "other wine"


def difference(before, after):
    out = {}
    for pid, (name, now) in after.items():
        if now is None:
            continue
        then = before.get(pid, (name, (0.0, 0)))[1] or (0.0, 0)
        cat = category(name)
        cpu, sw = out.get(cat, (0.0, 0))
        out[cat] = (cpu + now[0] - then[0], sw + now[1] - then[1])
    return out

# ---- driving the two programs --------------------------------------------------


def wine_env():
    env = dict(os.environ, WINEPREFIX=PREFIX, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    env["DISPLAY"] = open(os.path.join(DIR, "display")).read().strip()
    return env


def wine(*args, background=False):
    cmd = ["wine", *args]
    if background:
        return subprocess.Popen(cmd, env=wine_env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return subprocess.run(cmd, env=wine_env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


def configure_prefix():
    root = r"HKEY_LOCAL_MACHINE\SOFTWARE\Quillmark\Tetherly"
    # A user's own copy of the settings would stand in front of these.
    lines = ["REGEDIT4", "", r"[-HKEY_CURRENT_USER\SOFTWARE\Quillmark\Tetherly]",
             f"[{root}\\Services]", '"Hosts Added"=dword:00000001']
    for flag in ("HTTP", "FTP", "Echo", "Discard", "Time Server", "User Port"):
        lines.append(f'"{flag}"=dword:00000001')
    for key in ("HTTP", "FTP", "Echo", "Discard", "Time Server"):
        lines += [f"[{root}\\Services\\{key}]", f'"0"="{ADDRESS}"', f'"Dedicated"="{ADDRESS}"']
    lines += [f"[{root}\\Services\\User Defined]", f'"0"="{ADDRESS}:7007"', f'"Dedicated"="{ADDRESS}:7007"']
    # All three interval numbers: the settings store reads "Fixed" only when
    # "Random Start" and "Random End" are there too.
    lines += [f"[{root}\\Interval]", '"Option"=dword:00000002', '"Fixed"=dword:00000001',
              '"Random Start"=dword:0000001e', '"Random End"=dword:0000005a']
    lines += [f"[{root}\\Settings]", '"Access"=dword:00000001', '"Connection"=dword:00000001']
    reg = os.path.join(DIR, "side-by-side.reg")
    with open(reg, "w") as f:
        f.write("\r\n".join(lines) + "\r\n")
    wine("regedit", "/S", "Z:" + reg.replace("/", "\\"))


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 120.0
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    for path in (EXE, SKELETON):
        if not os.path.exists(path):
            sys.exit(f"{path} is missing: build build/win first")
    os.makedirs(DIR, exist_ok=True)
    subprocess.run(["bash", os.path.join(ROOT, "scripts", "wine-prefix.sh"), "setup", DIR, "x11"],
                   check=True, stdout=subprocess.DEVNULL)
    try:
        start_servers()
        configure_prefix()
        program = wine(EXE, background=True)
        skeleton = wine(SKELETON, ADDRESS, background=True)
        time.sleep(10)  # splash, first-run work, tray icons
        results = {"program": [], "skeleton": [], "idle": []}
        for r in range(rounds):
            for who in ("program", "skeleton", "idle"):
                if who != "idle":
                    wine(SKELETON, "--toggle-program" if who == "program" else "--start")
                time.sleep(3)
                n0, s0 = exchanges(), snapshot()
                time.sleep(seconds)
                n1, s1 = exchanges(), snapshot()
                if who != "idle":
                    wine(SKELETON, "--toggle-program" if who == "program" else "--stop")
                time.sleep(3)
                d = difference(s0, s1)
                n = n1 - n0
                apps = sum(d.get(c, (0, 0))[0] for c in ("program", "skeleton", "wineserver", "shell"))
                allcpu = sum(v[0] for v in d.values())
                switches = sum(v[1] for v in d.values())
                results[who].append({"n": n, "apps": apps, "all": allcpu, "switches": switches, "d": d})
                parts = ", ".join(f"{k} {v[0]:.2f} s/{v[1]} cs" for k, v in sorted(d.items()))
                print(f"round {r + 1} {who:8s}: {n} exchanges in {seconds:.0f} s; {parts}", flush=True)
        program.terminate()
        skeleton.terminate()

        def per(who, key, scale=1000.0):
            return [x[key] * scale / max(x["n"], 1) for x in results[who]]

        def above_idle(who, key, scale=1000.0):
            # The same round's idle phase (both stopped) taken off, per exchange.
            return [(x[key] - i[key]) * scale / max(x["n"], 1)
                    for x, i in zip(results[who], results["idle"])]

        print("\nper exchange over the rounds (min / median / max):")
        for label, key, scale, unit in (
                ("processor, app + wineserver + shell", "apps", 1000.0, "ms"),
                ("processor, every process incl. X", "all", 1000.0, "ms"),
                ("context switches, every process", "switches", 1.0, "")):
            for measure, name in ((per, ""), (above_idle, " above idle")):
                for who in ("program", "skeleton"):
                    v = measure(who, key, scale)
                    print(f"  {label + name:50s} {who:8s} {min(v):8.3f} "
                          f"{statistics.median(v):8.3f} {max(v):8.3f} {unit}")
                ratios = [p / max(b, 1e-9) for p, b in
                          zip(measure("program", key, scale), measure("skeleton", key, scale))]
                print(f"  {label + name:50s} {'ratio':8s} {min(ratios):8.2f} "
                      f"{statistics.median(ratios):8.2f} {max(ratios):8.2f}")
    finally:
        subprocess.run(["bash", os.path.join(ROOT, "scripts", "wine-prefix.sh"), "stop", DIR],
                       stdout=subprocess.DEVNULL)


if __name__ == "__main__":
    main()
