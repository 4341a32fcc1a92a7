#!/usr/bin/env python3
"""Measures what the programs cost and prints a small table (run through scripts/benchmark.sh).

- Wall time of postinstall and preuninstall under Wine against an empty GUI program of the same
  build: warm server, interleaved runs, median of 9 pairs, and the ratio.
- Sizes of the shipped 32-bit programs.
- Launcher generation throughput for templates of 1, 10 and 100 MB (postinstall end to end,
  shortcuts included) against cp of the same file on the same disk.
"""
import os
import shutil
import statistics
import subprocess
import sys
import time

root_dir = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
x64 = os.path.join(root_dir, "build", "mingw-x64", "bin")
x86 = os.path.join(root_dir, "build", "mingw-x86", "bin")
work = os.path.join(root_dir, "build", "bench")
env = dict(os.environ, WINEPREFIX=os.path.join(work, "prefix"), WINEDEBUG="-all",
           WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml=")


def run(*command):
    subprocess.run(command, env=env, check=True, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def timed(*command):
    start = time.perf_counter()
    run(*command)
    return time.perf_counter() - start


def product(name, template_bytes):
    tree = os.path.join(work, name)
    shutil.rmtree(tree, ignore_errors=True)
    installer = os.path.join(tree, "quenda", "vazezazoza.win64", "bin", "installer")
    os.makedirs(installer)
    os.makedirs(os.path.join(tree, "commonfiles", "globalsettings"))
    with open(os.path.join(tree, "commonfiles", "globalsettings", "relinfo.xml"), "w") as f:
        f.write('<r startMenuFolderName="Bench %s" startMenuShortcutAppendRevision="1"/>' % name)
    template = os.path.join(tree, "quenda", "vazezazoza.win64", "bin", "run_quendabench_TEMPLATE.bat")
    with open(template, "wb") as f:
        f.write(template_bytes)
    for program in ("postinstall.exe", "preuninstall.exe"):
        shutil.copy(os.path.join(x64, program), installer)
    return installer, template


def main():
    os.makedirs(work, exist_ok=True)
    shutil.rmtree(env["WINEPREFIX"], ignore_errors=True)
    run("wineboot", "-i")
    subprocess.Popen(["wineserver", "-p"], env=env, stdin=subprocess.DEVNULL,
                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).wait()
    empty = os.path.join(x64, "empty_gui.exe")
    installer, _ = product("timing", b"setlocal\r\nREM INSERT-CALL-SETUP-HERE\r\necho ready\r\n")
    run("wine", empty)  # warm-up

    print("| program | median of 9 (ms) | empty GUI program (ms) | ratio |")
    print("| --- | --- | --- | --- |")
    for program in ("postinstall.exe", "preuninstall.exe"):
        ours, base = [], []
        for _ in range(9):
            base.append(timed("wine", empty))
            ours.append(timed("wine", os.path.join(installer, program)))
        m, b = statistics.median(ours) * 1000, statistics.median(base) * 1000
        print("| %s | %.0f | %.0f | %.2f |" % (program, m, b, m / b))

    print()
    print("| 32-bit program (stripped) | bytes | KiB |")
    print("| --- | --- | --- |")
    for program in ("postinstall.exe", "preuninstall.exe"):
        size = os.path.getsize(os.path.join(x86, program))
        print("| %s | %d | %.1f |" % (program, size, size / 1024))

    print()
    print("| template | postinstall (s) | MB/s | cp of the file (s) | MB/s |")
    print("| --- | --- | --- | --- | --- |")
    line = b"echo a line of the launcher template of a product\r\n"
    for megabytes in (1, 10, 100):
        data = (line * (megabytes * 1024 * 1024 // len(line) + 1))[: megabytes * 1024 * 1024]
        data = b"REM INSERT-CALL-SETUP-HERE\r\n" + data
        installer, template = product("tp%d" % megabytes, data)
        seconds = timed("wine", os.path.join(installer, "postinstall.exe"))
        copy = timed("cp", template, template + ".copy")
        run("wine", os.path.join(installer, "preuninstall.exe"))
        print("| %d MB | %.3f | %.0f | %.3f | %.0f |" % (megabytes, seconds, megabytes / seconds,
                                                       copy, megabytes / copy))
    run("wineserver", "-k")


if __name__ == "__main__":
    sys.exit(main())
