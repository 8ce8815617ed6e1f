#!/usr/bin/python3
"""The Windows programs tried under wine, as a player on Windows would meet them.

Usage: windows_stage.py WINDOWS_BUILD LINUX_BIN SMTP_SINK_SCRIPT ARTEFACT_DIR

WINDOWS_BUILD is the cross build's folder (bin/ and fake-mapi/ in it). Runs
every library test binary, then mvulc.exe beside the Linux mvulc on the same
files (the same bytes out, the same exit codes), a letter through a loopback
SMTP sink and one through a stand-in mail program (MAPI), and mvul.exe under
Xvfb with openbox: a sheet with an accented name opened, a screenshot kept.
WINEPREFIX must name a prepared prefix.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

BUILD, LINUX_BIN, SINK, ARTEFACTS = (os.path.abspath(a) for a in sys.argv[1:5])
WIN_BIN = os.path.join(BUILD, "bin")
FAILURES = []


def fail(message):
    print("windows: " + message, file=sys.stderr)
    FAILURES.append(message)


def cp1250(text):
    return text.encode("cp1250").replace(b"\n", b"\r\n")


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wine_env(**extra):
    env = dict(os.environ)
    env.update(WINEDEBUG="-all", WINEDLLOVERRIDES="mapi32=n")
    env.update(extra)
    return env


def run(argv, env=None, cwd=None, timeout=120, stdin=None):
    try:
        return subprocess.run(argv, env=env, cwd=cwd, input=stdin, capture_output=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        fail("%s did not end in %d s" % (" ".join(argv), timeout))
        return subprocess.CompletedProcess(argv, -1, b"", b"")


def library_tests():
    for name in sorted(os.listdir(WIN_BIN)):
        if not (name.startswith("mv_") and name.endswith("_tests.exe")):
            continue
        result = run(["wine", os.path.join(WIN_BIN, name)], env=wine_env(), cwd=WIN_BIN, timeout=900)
        summary = [l for l in result.stdout.decode("utf-8", "replace").splitlines() if "PASSED" in l or "FAILED" in l]
        print("%s: %s" % (name, summary[-1] if summary else "no summary"))
        if result.returncode != 0:
            fail("%s failed (%d):\n%s" % (name, result.returncode, result.stdout.decode("utf-8", "replace")[-3000:]))


SHEET_ROWS = ["be,1,,,,,,5,0", "ea,12,,,,,,0,0", "az,12,13,,,,,12,0", "xyz,1,2,,,,,9,4"]


def sheet(turn, rows, character="2345"):
    text = "%s\r\n" % turn + "0\r\n" * 10 + "\r\n\r\n"
    rows = rows + [",,,,,,,0,0"] * (20 - len(rows))
    return (text + "\r\n".join(rows) + "\r\n0\r\n0\r\n0\r\n%s\r\n" % character).encode("ascii")


def program_dir(root, smtp=""):
    os.makedirs(root)
    with open(os.path.join(root, "targyak.dat"), "wb") as f:
        f.write(cp1250("Tárgyak\n12 Kard\n13 Pajzs\n"))
    with open(os.path.join(root, "mv.ini"), "wb") as f:
        f.write(cp1250("[Karakterek]\n2345=2345\n[2345]\nKarakterszám=2345\nKarakternév=Kardos Ödön\nJelszó=titok\n"
                       "[ULKuldes]\nE-mail=ul@localhost\nULMutat=0\n" + smtp))
    with open(os.path.join(root, "2345-3.ulf"), "wb") as f:
        f.write(sheet(3, SHEET_ROWS))
    with open(os.path.join(root, "Ödön-4.ulf"), "wb") as f:
        f.write(sheet(4, SHEET_ROWS[:2]))
    return root


def same_output(tmp):
    """mvulc.exe prints what mvulc prints, byte for byte, and ends the same way."""
    linux = program_dir(os.path.join(tmp, "linux"))
    windows = program_dir(os.path.join(tmp, "windows"))
    cases = (["check", "--dir", ".", "2345-3.ulf"], ["check", "--strict", "--dir", ".", "2345-3.ulf"],
             ["letter", "--dir", ".", "2345-3.ulf"], ["check", "--dir", ".", "Ödön-4.ulf"], ["status", "--dir", "."],
             ["status", "--dir", ".", "--turn", "4"], ["check", "--dir", ".", "nincs.ulf"],
             ["diff", "--dir", ".", "2345-3.ulf", "Ödön-4.ulf"], ["search", "--dir", ".", "kard"],
             ["search", "--dir", ".", "--fold", "odon"], ["frobnicate"],
             ["--version"])
    for args in cases:
        mine = run([os.path.join(LINUX_BIN, "mvulc")] + args, cwd=linux)
        theirs = run(["wine", os.path.join(WIN_BIN, "mvulc.exe")] + args, env=wine_env(), cwd=windows)
        what = "mvulc " + " ".join(args)
        if mine.returncode != theirs.returncode:
            fail("%s: exit %d on Linux, %d on Windows" % (what, mine.returncode, theirs.returncode))
        if mine.stdout != theirs.stdout:
            fail("%s: stdout differs\nLinux:   %r\nWindows: %r" % (what, mine.stdout[:600], theirs.stdout[:600]))
        if mine.stderr != theirs.stderr:
            fail("%s: stderr differs\nLinux:   %r\nWindows: %r" % (what, mine.stderr[:600], theirs.stderr[:600]))
        # The same usage text twice proves nothing: the real commands must have run.
        if args[0] in ("letter", "status", "search") and mine.returncode not in (0, 1) or not (mine.stdout or
                                                                                         mine.stderr):
            fail("%s did not run: %r" % (what, mine.stderr[:300]))
    print("mvulc.exe: the same bytes as mvulc")


def kept_letters(root):
    folder = os.path.join(root, "elkuldve")
    return sorted(os.listdir(folder)) if os.path.isdir(folder) else []


def send_through_the_server(tmp):
    mail = os.path.join(tmp, "mail")
    os.makedirs(mail)
    # STARTTLS and a login, the certificate trusted through "CAFajl": Schannel's way, not OpenSSL's.
    # By host name: curl's Schannel code matches no IP address in a certificate.
    cert, key = os.path.join(tmp, "cert.pem"), os.path.join(tmp, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=localhost",
                    "-addext", "subjectAltName=DNS:localhost", "-keyout", key, "-out", cert],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    sink = subprocess.Popen(["/usr/bin/python3", SINK, mail, "starttls", cert, key], stdin=subprocess.PIPE,
                            stdout=subprocess.PIPE, text=True)
    try:
        port = int(sink.stdout.readline())
        root = program_dir(os.path.join(tmp, "smtp"), "[SMTP]\nKiszolgalo=localhost\nPort=%d\nTitkositas=STARTTLS\n"
                           "Felado=jatekos@localhost\nFelhasznalo=jatekos\nCAFajl=%s\n" % (port, windows_path(cert)))
        result = run(["wine", os.path.join(WIN_BIN, "mvulc.exe"), "send", "--dir", ".", "--password-stdin", "2345-3.ulf"],
                     env=wine_env(), cwd=root, stdin="jelszó\n".encode("utf-8"))
        letter = run([os.path.join(LINUX_BIN, "mvulc"), "letter", "--dir", ".", "2345-3.ulf"], cwd=root).stdout
        arrived = os.path.join(mail, "1.eml")
        if result.returncode != 0 or not os.path.exists(arrived):
            fail("mvulc.exe send through SMTP: exit %d, %s" % (result.returncode, result.stderr.decode("utf-8", "replace")))
            return
        with open(arrived, "rb") as f:
            body = f.read().split(b"\r\n\r\n", 1)[1]
        if letter.replace(b"\r\n", b"\n").strip() not in body.replace(b"\r\n", b"\n"):
            fail("the letter that arrived is not mvulc's letter:\n%r\n%r" % (body[:400], letter[:400]))
        if len(kept_letters(root)) != 1:
            fail("the letter sent through SMTP was not kept: %s" % kept_letters(root))
        again = run(["wine", os.path.join(WIN_BIN, "mvulc.exe"), "send", "--dir", ".", "--password-stdin", "2345-3.ulf"],
                    env=wine_env(), cwd=root, stdin="jelszó\n".encode("utf-8"))
        if again.returncode != 2 or os.path.exists(os.path.join(mail, "2.eml")):
            fail("a sent sheet went again without --again (exit %d)" % again.returncode)
        print("mvulc.exe: a letter through the SMTP server, kept, and not sent twice")
    finally:
        sink.stdin.close()
        sink.wait(timeout=10)


def send_through_the_mail_program(tmp):
    """A copy of mvulc.exe beside a stand-in mapi32.dll, as on a machine with a mail program."""
    folder = os.path.join(tmp, "mapi-program")
    os.makedirs(folder)
    for name in os.listdir(WIN_BIN):
        if name == "mvulc.exe" or name.endswith(".dll"):
            shutil.copy(os.path.join(WIN_BIN, name), folder)
    shutil.copy(os.path.join(BUILD, "fake-mapi", "mapi32.dll"), folder)
    # Sent; the player's abort; no logon at all; an unknown recipient resolved on the retry; the unknown error.
    for script, status, kept in (("send=0", 0, 1), ("send=1", 1, 0), ("logon=3,3", 1, 0),
                                 ("resolve=14,0;send=0", 0, 1), ("send=7", 1, 0)):
        root = program_dir(os.path.join(tmp, "mapi-%d-%d" % (status, len(os.listdir(tmp)))), "[SMTP]\nKuldes=MAPI\n")
        log = os.path.join(root, "mapi.log")
        result = run(["wine", os.path.join(folder, "mvulc.exe"), "send", "--dir", ".", "2345-3.ulf"],
                     env=wine_env(MVUL_FAKE_MAPI=script, MVUL_FAKE_MAPI_LOG=windows_path(log)), cwd=root)
        calls = open(log, encoding="utf-8", errors="replace").read() if os.path.exists(log) else ""
        what = "MAPI (%s)" % script
        if result.returncode != status:
            fail("%s: exit %d, not %d: %s" % (what, result.returncode, status, result.stderr.decode("utf-8", "replace")))
        if len(kept_letters(root)) != kept:
            fail("%s: %d letters kept, not %d" % (what, len(kept_letters(root)), kept))
        if status == 0 and ("send" not in calls or "logoff" not in calls or "free" not in calls):
            fail("%s: the mail program was not used as it should be:\n%s" % (what, calls))
        told = result.stderr.decode("utf-8", "replace")
        if status == 1 and ("Nem tudtam elküldeni a levelet" if script.startswith("logon") else "Mailer error: ") not in told:
            fail("%s: the failure was not told: %r" % (what, result.stderr))
        if script == "send=7" and "Mailer error: Unknown error (code: 7)" not in told:
            fail("%s: the failure was not told: %r" % (what, result.stderr))
    print("mvulc.exe: letters through the mail program (MAPI)")


def the_window(tmp):
    display = None
    procs = []
    for n in range(121, 160):
        if os.path.exists("/tmp/.X%d-lock" % n):
            continue
        xvfb = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1.0)
        if xvfb.poll() is None:
            procs.append(xvfb)
            display = ":%d" % n
            break
    if not display:
        fail("no free display for Xvfb")
        return
    env = wine_env(DISPLAY=display)
    try:
        procs.append(subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        root = program_dir(os.path.join(tmp, "window"))
        probe = os.path.join(tmp, "probe.json")
        env.update(MVUL_DIR=windows_path(root), MVUL_PROBE=windows_path(probe))
        mvul = subprocess.Popen(["wine", os.path.join(WIN_BIN, "mvul.exe"), windows_path(os.path.join(root, "Ödön-4.ulf"))],
                                env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        procs.append(mvul)
        state = {}
        deadline = time.time() + 90
        while time.time() < deadline:
            try:
                with open(probe, encoding="utf-8") as f:
                    state = json.load(f)
                if "widgets" in state and state.get("rows"):
                    break
            except (OSError, ValueError):
                pass
            time.sleep(0.5)
        if not state.get("rows"):
            fail("mvul.exe did not show its window: %s" % json.dumps(state, ensure_ascii=False)[:500])
            return
        if state["rows"][1][:2] != ["ea", "12"] or not state.get("sheet_file", "").endswith("Ödön-4.ulf"):
            fail("mvul.exe did not open Ödön-4.ulf: %s" % json.dumps(state, ensure_ascii=False)[:500])
        time.sleep(2)
        os.makedirs(ARTEFACTS, exist_ok=True)
        subprocess.run(["import", "-window", "root", os.path.join(ARTEFACTS, "windows-utasitas-lap.png")], env=env,
                       check=False, timeout=30)
        print("mvul.exe: the window came up with Ödön-4.ulf")
    finally:
        for proc in reversed(procs):
            proc.terminate()
            try:
                proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                proc.kill()


def the_installer(tmp):
    """The per-user installer puts the programs in place; its uninstaller takes exactly them away."""
    setups = [n for n in os.listdir(BUILD) if n.endswith("-windows-setup.exe")]
    if not setups:
        print("the installer: not packed, left out")
        return
    # NSIS takes /D= unquoted, so a folder without spaces (wine would quote it).
    target = os.path.join(tmp, "Programok", "Morvald_UL")
    result = run(["wine", os.path.join(BUILD, setups[0]), "/S", "/D=" + windows_path(target)], env=wine_env(),
                 timeout=300)
    if result.returncode != 0 or not os.path.exists(os.path.join(target, "mvul.exe")):
        fail("the installer did not install (exit %d)" % result.returncode)
        return
    version = run(["wine", os.path.join(target, "mvulc.exe"), "--version"], env=wine_env())
    if not version.stdout.startswith(b"mvulc "):
        fail("the installed mvulc.exe does not run: %r %r" % (version.stdout, version.stderr))
    key = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvald UL"
    if b"DisplayVersion" not in run(["wine", "reg", "query", key], env=wine_env()).stdout:
        fail("the installer did not register its uninstaller")
    # The player's own files stay when the program goes.
    with open(os.path.join(target, "mv.ini"), "wb") as f:
        f.write(b"[Karakterek]\r\n")
    run(["wine", os.path.join(target, "uninstall.exe"), "/S", "_?=" + windows_path(target)], env=wine_env(), timeout=300)
    left = sorted(n for n in os.listdir(target) if n != "uninstall.exe") if os.path.isdir(target) else []
    if left != ["mv.ini"]:
        fail("the uninstaller left or took the wrong files: %s" % left)
    if b"DisplayVersion" in run(["wine", "reg", "query", key], env=wine_env()).stdout:
        fail("the uninstaller left its registry entry")
    print("the installer: installed per user, uninstalled, the player's mv.ini kept")


def main():
    tmp = tempfile.mkdtemp(prefix="mvul-windows-")
    try:
        if not os.environ.get("MVUL_WINDOWS_SKIP_LIBRARY_TESTS"):
            library_tests()
        same_output(tmp)
        send_through_the_server(tmp)
        send_through_the_mail_program(tmp)
        the_window(tmp)
        the_installer(tmp)
    finally:
        subprocess.run(["wineserver", "-k"], env=wine_env(), check=False)
        shutil.rmtree(tmp, ignore_errors=True)
    if FAILURES:
        print("windows: %d failures" % len(FAILURES), file=sys.stderr)
        sys.exit(1)
    print("windows: every check passed")


main()
