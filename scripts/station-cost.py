#!/usr/bin/env python3
"""The station's cost on a small computer: start-up time and idle cost between shots.

Runs the same plan twice against the tests' PTP/IP camera (a fresh one each time):
  ours:    snapdeck --station=FILE  (camera = gphoto2, port = ptpip:...)
  gphoto2: gphoto2 --capture-image-and-download --interval N --frames K
and reads each process from /proc while it runs (docs/performance.md, section 7).

  scripts/station-cost.py                       interval 60 s, 5 shots (about 10 minutes)
  scripts/station-cost.py --interval 10 --shots 3
  scripts/station-cost.py --program build/src/app/snapdeck
  scripts/station-cost.py --keep                keeps the pictures and both programs' logs

Figures per side:
  start-up      process start to the first picture on disk (the plan's first shot is at
                its start), and for ours also to READY on a NOTIFY_SOCKET of our own
  idle CPU      CPU time of the process's threads (/proc/PID/task/*/schedstat) spent
                between shots, from 2 s after a picture appears to 2 s before the next
                appears, scaled to an hour (each program ends as its last picture
                arrives, so K shots give K - 2 measured gaps)
  CPU per hour  utime + stime (/proc/PID/stat) from the first picture to the end, shots
                included, scaled to an hour
  idle RSS      VmRSS between shots: median and highest
The camera's own process is not counted: it stands for the camera.
"""

import argparse
import os
import shutil
import signal
import socket
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CAMERA = os.path.join(ROOT, "tests", "camera", "gphoto2", "ptpip", "ptpip_camera.py")
TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime, stime


def cpu_seconds_fine(pid):
    """CPU time of the process's live threads, in nanoseconds' resolution (schedstat): the
    idle spans are short, and clock ticks (10 ms) would round their cost to nothing."""
    total = 0
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as stat:
                total += int(stat.read().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass
    return total / 1e9


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def pictures(folder):
    return sorted(name for name in os.listdir(folder) if name.lower().endswith(".jpg"))


class Camera:
    def __init__(self):
        self.process = subprocess.Popen([sys.executable, "-u", CAMERA], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, text=True)
        ready = self.process.stdout.readline().split()
        if len(ready) != 2 or ready[0] != "READY":
            raise SystemExit("the PTP/IP camera did not start: %r" % ready)
        self.port = "ptpip:127.0.0.1:%s:%s" % (ready[1], ready[1])

    def close(self):
        try:
            self.process.stdin.write("quit\n")
            self.process.stdin.close()
            self.process.wait(10)
        except (OSError, subprocess.TimeoutExpired):
            self.process.kill()


def measure(name, command, folder, environment, interval, shots, notify=None):
    started = time.monotonic()
    process = subprocess.Popen(command, env=environment, stdout=subprocess.DEVNULL,
                               stderr=open(os.path.join(folder, "..", name + ".err"), "w"),
                               cwd=folder)
    ready_at = None
    first_at = None
    samples = []  # (seconds since start, cpu seconds, rss KiB, pictures so far, fine cpu)
    deadline = started + interval * shots + 60
    while process.poll() is None and time.monotonic() < deadline:
        now = time.monotonic() - started
        # Read every message, as systemd does: a sender blocks once ten are unread.
        while notify is not None:
            try:
                message = notify.recv(4096)
            except BlockingIOError:
                break
            if b"READY=1" in message and ready_at is None:
                ready_at = now
        try:
            taken = len(pictures(folder))
            samples.append((now, cpu_seconds(process.pid), rss_kib(process.pid), taken,
                            cpu_seconds_fine(process.pid)))
        except (FileNotFoundError, ProcessLookupError, IndexError):
            break
        if first_at is None and taken > 0:
            first_at = now
        if len(pictures(folder)) >= shots and now > (shots - 1) * interval + 5:
            break
        time.sleep(0.005 if first_at is None else 0.5)
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        process.wait(20)

    # The moments pictures appeared; between them, 2 s after one to 2 s before the next.
    appeared = [samples[i][0] for i in range(1, len(samples))
                if samples[i][3] > samples[i - 1][3]]
    idle_cpu = idle_time = 0.0
    idle_rss = []
    for begin, end in zip(appeared, appeared[1:]):
        window = [s for s in samples if begin + 2 <= s[0] <= end - 2]
        if len(window) >= 2:
            idle_cpu += window[-1][4] - window[0][4]
            idle_time += window[-1][0] - window[0][0]
            idle_rss += [s[2] for s in window]
    whole = [s for s in samples if first_at is not None and s[0] >= first_at]
    return {
        "name": name,
        "pictures": len(pictures(folder)),
        "ready": ready_at,
        "first": first_at,
        "idle_cpu_per_hour": idle_cpu / idle_time * 3600 if idle_time else None,
        "cpu_per_hour": ((whole[-1][1] - whole[0][1]) / (whole[-1][0] - whole[0][0]) * 3600
                         if len(whole) >= 2 and whole[-1][0] > whole[0][0] else None),
        "idle_time": idle_time,
        "rss_median": statistics.median(idle_rss) if idle_rss else None,
        "rss_max": max(idle_rss) if idle_rss else None,
    }


def run_ours(program, interval, shots, work):
    camera = Camera()
    folder = os.path.join(work, "ours")
    os.makedirs(folder)
    config = os.path.join(work, "station.ini")
    with open(config, "w") as f:
        f.write("[camera]\ncamera = gphoto2\nport = %s\n"
                "[pictures]\nfolder = %s\nname = %%Y%%m%%d-%%H%%M%%S\nmin_free = 1MB\n"
                "[schedule]\ninterval = %ds\ncount = %d\n" % (camera.port, folder, interval, shots))
    notify_path = os.path.join(work, "notify")
    notify = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
    notify.bind(notify_path)
    notify.setblocking(False)
    environment = dict(os.environ, NOTIFY_SOCKET=notify_path, XDG_RUNTIME_DIR=work, HOME=work)
    environment.pop("DISPLAY", None)
    try:
        return measure("ours", [program, "--station=" + config], folder, environment, interval,
                       shots, notify)
    finally:
        notify.close()
        camera.close()


def run_gphoto2(tool, interval, shots, work):
    camera = Camera()
    folder = os.path.join(work, "gphoto2")
    os.makedirs(folder)
    environment = dict(os.environ, HOME=work)
    command = [tool, "--port", camera.port, "--capture-image-and-download",
               "--interval", str(interval), "--frames", str(shots),
               "--filename", os.path.join(folder, "shot-%n.jpg")]
    try:
        return measure("gphoto2", command, folder, environment, interval, shots)
    finally:
        camera.close()


def shown(value, form):
    return "-" if value is None else form % value


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--program", default=os.path.join(ROOT, "build", "src", "app", "snapdeck"))
    parser.add_argument("--gphoto2", default=shutil.which("gphoto2") or "gphoto2")
    parser.add_argument("--interval", type=int, default=60)
    parser.add_argument("--shots", type=int, default=5)
    parser.add_argument("--keep", action="store_true",
                        help="keep the work folder (pictures, the programs' standard error)")
    args = parser.parse_args()
    if args.shots < 2:
        parser.error("at least 2 shots: the idle cost is measured between them")
    work = tempfile.mkdtemp(prefix="station-cost-")
    try:
        results = [run_ours(args.program, args.interval, args.shots, work),
                   run_gphoto2(args.gphoto2, args.interval, args.shots, work)]
    finally:
        if args.keep:
            print("work folder kept: %s" % work)
        else:
            shutil.rmtree(work, ignore_errors=True)
    print("plan: %d shots, one every %d s, PTP/IP test camera on 127.0.0.1; load %.1f"
          % (args.shots, args.interval, os.getloadavg()[0]))
    print("%-8s %8s %10s %11s %14s %12s %16s" % ("", "pictures", "READY", "first shot",
                                                  "idle CPU/hour", "CPU/hour", "idle RSS"))
    for r in results:
        print("%-8s %8d %10s %11s %14s %12s %16s" % (
            r["name"], r["pictures"], shown(r["ready"] and r["ready"] * 1000, "%.0f ms"),
            shown(r["first"] and r["first"] * 1000, "%.0f ms"),
            shown(r["idle_cpu_per_hour"], "%.2f s"), shown(r["cpu_per_hour"], "%.2f s"),
            "-" if r["rss_median"] is None
            else "%d KiB (max %d)" % (r["rss_median"], r["rss_max"])))
    print("idle measured over %s" % ", ".join(
        "%s %.0f s" % (r["name"], r["idle_time"]) for r in results))


if __name__ == "__main__":
    main()
