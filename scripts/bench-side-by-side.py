#!/usr/bin/env python3
"""Side-by-side cost of a keep-alive exchange, as a user's machine pays it.

tetherly.exe and two bare programs (tests/bench/bare_skeleton.cpp: the
skeleton with blocking sockets, and with --async the one-thread
WSAAsyncSelect client) run under one Xvfb in one Wine prefix
(build/side-by-side), all set to six services at a fixed 1 s interval against
loopback servers that this script runs itself (natively, so they load no Wine
process). Phases alternate: the program alone, then the skeleton, then the
async client; the others sit stopped, which costs nothing; a fourth phase has
all stopped, to see what the prefix costs by itself. Each phase measures,
from /proc, the processor time (the per-thread counters, in nanoseconds) and
context switches of every process of the prefix (the program or a bare one,
the Wine server, the shell explorer.exe and the rest) and of the X server,
and counts the exchanges the servers saw.

    scripts/bench-side-by-side.py [seconds per phase, default 120] [rounds, default 3] [--requests]

--requests runs the Wine server with its request log (wineserver -d1) and
counts the requests of each process per exchange too; the log slows the
server, so its processor times are not comparable with a run without it.

Memory: the private and proportional memory (from smaps) of the three
programs once they have settled, before any traffic, and again at the end,
after rounds x seconds of traffic each; and where the program's private
memory lies, by mapping.

TETHERLY_EXE=path runs another build of the program (e.g. an older one).
Needs a built build/win (tetherly and bare_skeleton) and root for the low
ports. Prints every phase, then per exchange the minimum, median and maximum
over the rounds, and the ratios of the program to each bare one.
"""
import collections
import os
import re
import shutil
import socketserver
import statistics
import subprocess
import sys
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DIR = os.environ.get("BENCH_DIR") or os.path.join(ROOT, "build", "side-by-side")
PREFIX = os.path.join(DIR, "prefix")
EXE = os.environ.get("TETHERLY_EXE") or os.path.join(ROOT, "build", "win", "src", "tetherly.exe")
SKELETON = os.path.join(ROOT, "build", "win", "tests", "bench", "bare_skeleton.exe")
ASYNC_SKELETON = os.path.join(DIR, "bare_async.exe")
ADDRESS = "127.0.77.1"
SERVER_LOG = os.path.join(DIR, "wineserver.log")
WHO = ("program", "skeleton", "async", "idle")

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
    """Processor nanoseconds (per-thread counters, summed) and context
    switches of a process, all its live threads."""
    try:
        ns = 0
        switches = 0
        for task in os.listdir(f"/proc/{pid}/task"):
            ns += int(open(f"/proc/{pid}/task/{task}/schedstat").read().split()[0])
            for line in open(f"/proc/{pid}/task/{task}/status"):
                if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                    switches += int(line.split()[1])
        return ns / 1e9, switches
    except OSError:
        return None


def memory(pid):
    """(private, proportional) bytes of a process, from smaps_rollup."""
    fields = {}
    try:
        for line in open(f"/proc/{pid}/smaps_rollup"):
            parts = line.split()
            if len(parts) >= 2 and parts[0].endswith(":") and parts[1].isdigit():
                fields[parts[0][:-1]] = int(parts[1]) * 1024
    except OSError:
        return None
    return fields.get("Private_Clean", 0) + fields.get("Private_Dirty", 0), fields.get("Pss", 0)


def private_by_mapping(pid, top=12):
    """The mappings holding most of a process's private memory."""
    sizes = collections.Counter()
    name = "[anonymous]"
    try:
        for line in open(f"/proc/{pid}/smaps"):
            parts = line.split()
            if re.match(r"^[0-9a-f]+-[0-9a-f]+ ", line):
                name = os.path.basename(parts[5]) if len(parts) >= 6 else "[anonymous]"
            elif parts and parts[0] in ("Private_Clean:", "Private_Dirty:"):
                sizes[name] += int(parts[1]) * 1024
    except OSError:
        return []
    return sizes.most_common(top)


def pid_of(category_name):
    for pid, name in prefix_processes().items():
        if category(name, pid) == category_name:
            return pid
    return None


def print_memory(title):
    print(f"\nmemory, {title} (MiB, private / proportional):")
    for who in ("program", "skeleton", "async"):
        pid = pid_of(who)
        m = memory(pid) if pid else None
        if m:
            print(f"  {who:8s} {m[0] / 1048576:7.2f} / {m[1] / 1048576:7.2f}")
    pid = pid_of("program")
    if pid:
        print("  the program's private memory by mapping:")
        for name, size in private_by_mapping(pid):
            print(f"    {size / 1048576:7.2f}  {name}")


def snapshot():
    return {pid: (name, usage(pid)) for pid, name in prefix_processes().items()}


def category(name, pid=None):
    if name.startswith("tetherly"):
        return "program"
    if name.startswith("bare_async"):
        return "async"
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
        cat = category(name, pid)
        cpu, sw = out.get(cat, (0.0, 0))
        out[cat] = (cpu + now[0] - then[0], sw + now[1] - then[1])
    return out

# ---- Wine server requests -------------------------------------------------------


class RequestLog:
    """Counts the Wine server's requests per Linux process from its -d1 log."""

    def __init__(self):
        self.offset = 0
        self.thread_unix = {}   # Wine thread id -> Linux thread id
        self.unix_process = {}  # Linux thread id -> Linux process id

    def start_server(self):
        env = wine_env()
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=env, stderr=subprocess.DEVNULL)
        self.log = open(SERVER_LOG, "w")
        subprocess.Popen(["wineserver", "-f", "-p", "-d1"], env=env, stdout=subprocess.DEVNULL,
                         stderr=self.log)
        time.sleep(1)

    def process_of(self, tid):
        unix_tid = self.thread_unix.get(tid)
        if unix_tid is None:
            return -1
        if unix_tid not in self.unix_process:
            try:
                for line in open(f"/proc/{unix_tid}/status"):
                    if line.startswith("Tgid:"):
                        self.unix_process[unix_tid] = int(line.split()[1])
            except OSError:
                return -1
        return self.unix_process.get(unix_tid, -1)

    def mark(self):
        """Counts since the previous mark: (Linux pid, request name) -> requests."""
        counts = collections.Counter()
        request = re.compile(r"^([0-9a-f]{4,8}): (\w+)\( ?(.*)")
        with open(SERVER_LOG, errors="replace") as f:
            f.seek(self.offset)
            for line in f:
                m = request.match(line)
                if not m or ") = " in line:
                    continue
                tid, name = m.group(1), m.group(2)
                if name in ("init_first_thread", "init_thread"):
                    u = re.search(r"unix_tid=(\d+)", line)
                    if u:
                        self.thread_unix[tid] = int(u.group(1))
                        self.unix_process.pop(int(u.group(1)), None)
                counts[(self.process_of(tid), name)] += 1
            self.offset = f.tell()
        return counts


# ---- driving the programs --------------------------------------------------


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
    lines = ["REGEDIT4", "", f"[{root}\\Services]", '"Hosts Added"=dword:00000001']
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


def tell(who, start):
    if who == "program":
        wine(SKELETON, "--toggle-program")
    else:
        wine(SKELETON, "--start" if start else "--stop", *(["--async"] if who == "async" else []))


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    count_requests = "--requests" in sys.argv
    seconds = float(args[0]) if len(args) > 0 else 120.0
    rounds = int(args[1]) if len(args) > 1 else 3
    for path in (EXE, SKELETON):
        if not os.path.exists(path):
            sys.exit(f"{path} is missing: build build/win first")
    os.makedirs(DIR, exist_ok=True)
    subprocess.run(["bash", os.path.join(ROOT, "scripts", "wine-prefix.sh"), "setup", DIR, "x11"],
                   check=True, stdout=subprocess.DEVNULL)
    requests = RequestLog() if count_requests else None
    try:
        if requests:
            requests.start_server()
        start_servers()
        configure_prefix()
        program = wine(EXE, background=True)
        skeleton = wine(SKELETON, ADDRESS, background=True)
        # A copy of its own, so its processes are told apart by name.
        shutil.copyfile(SKELETON, ASYNC_SKELETON)
        asynchronous = wine(ASYNC_SKELETON, ADDRESS, "--async", background=True)
        time.sleep(10)  # splash, first-run work, tray icons
        print_memory("settled, before any traffic")
        results = {w: [] for w in WHO}
        by_request = {w: collections.Counter() for w in WHO}
        for r in range(rounds):
            for who in WHO:
                if who != "idle":
                    tell(who, True)
                time.sleep(3)
                if requests:
                    requests.mark()
                n0, s0 = exchanges(), snapshot()
                time.sleep(seconds)
                n1, s1 = exchanges(), snapshot()
                req = requests.mark() if requests else {}
                if who != "idle":
                    tell(who, False)
                time.sleep(3)
                d = difference(s0, s1)
                per_category = collections.Counter()
                for (pid, request), c in req.items():
                    name = s1.get(pid, s0.get(pid, ("?", None)))[0]
                    cat = category(name, pid) if pid in s1 or pid in s0 else "other wine"
                    per_category[cat] += c
                    if cat == who:
                        by_request[who][request] += c
                n = n1 - n0
                apps = sum(d.get(c, (0, 0))[0] for c in ("program", "skeleton", "async", "wineserver", "shell"))
                allcpu = sum(v[0] for v in d.values())
                switches = sum(v[1] for v in d.values())
                results[who].append({"n": n, "apps": apps, "all": allcpu, "switches": switches,
                                     "requests": sum(per_category.values()),
                                     "own": d.get(who, (0, 0))[0], "ownsw": d.get(who, (0, 0))[1],
                                     "ownreq": per_category.get(who, 0), "d": d})
                parts = ", ".join(f"{k} {v[0]:.3f} s/{v[1]} cs" for k, v in sorted(d.items()))
                if req:
                    parts += "; requests " + ", ".join(f"{k} {v}" for k, v in sorted(per_category.items()))
                print(f"round {r + 1} {who:8s}: {n} exchanges in {seconds:.0f} s; {parts}", flush=True)
        print_memory(f"after {rounds * seconds:.0f} s of traffic each")
        for p in (program, skeleton, asynchronous):
            p.terminate()

        def per(who, key, scale=1000.0):
            return [x[key] * scale / max(x["n"], 1) for x in results[who]]

        def above_idle(who, key, scale=1000.0):
            # The same round's idle phase (all stopped) taken off, per exchange.
            return [(x[key] - i[key]) * scale / max(x["n"], 1)
                    for x, i in zip(results[who], results["idle"])]

        rows = [("processor, the process itself", "own", 1000.0, "ms", False),
                ("processor, app + wineserver + shell", "apps", 1000.0, "ms", True),
                ("processor, every process incl. X", "all", 1000.0, "ms", True),
                ("context switches, the process itself", "ownsw", 1.0, "", False),
                ("context switches, every process", "switches", 1.0, "", True)]
        if requests:
            rows += [("Wine server requests, the process itself", "ownreq", 1.0, "", False),
                     ("Wine server requests, every process", "requests", 1.0, "", True)]
        print("\nper exchange over the rounds (min / median / max):")
        for label, key, scale, unit, idle_too in rows:
            for measure, name in ((per, ""), (above_idle, " above idle")):
                if name and not idle_too:
                    continue
                for who in ("program", "skeleton", "async"):
                    v = measure(who, key, scale)
                    print(f"  {label + name:50s} {who:8s} {min(v):8.3f} "
                          f"{statistics.median(v):8.3f} {max(v):8.3f} {unit}")
                for bare in ("skeleton", "async"):
                    ratios = [p / max(b, 1e-9) for p, b in
                              zip(measure("program", key, scale), measure(bare, key, scale))]
                    print(f"  {label + name:50s} {'/' + bare:8s} {min(ratios):8.2f} "
                          f"{statistics.median(ratios):8.2f} {max(ratios):8.2f}")
        if requests:
            print("\nthe process's own Wine server requests per exchange, by request:")
            for who in ("program", "skeleton", "async"):
                n = max(sum(x["n"] for x in results[who]), 1)
                top = ", ".join(f"{k} {v / n:.2f}" for k, v in by_request[who].most_common(14))
                print(f"  {who:8s} {top}")
    finally:
        subprocess.run(["bash", os.path.join(ROOT, "scripts", "wine-prefix.sh"), "stop", DIR],
                       stdout=subprocess.DEVNULL)


if __name__ == "__main__":
    main()
