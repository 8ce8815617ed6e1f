#!/usr/bin/python3
"""A player's whole turn in the real mvul under Xvfb.

Usage: end_to_end.py BIN_DIR ARTEFACT_DIR SMTP_SINK_SCRIPT

Creates a character, types orders key by key, saves, quits, starts again with
the sheet on the command line, sends the letter to a loopback SMTP sink and
compares what arrived with `mvulc letter`. Screenshots of every tab land in
ARTEFACT_DIR. The window tells what it shows through MVUL_PROBE.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

BIN, ARTEFACTS, SINK = sys.argv[1], sys.argv[2], sys.argv[3]
COLUMN_WIDTHS = [27, 35, 40, 40, 40, 40, 40, 40, 31, 31]
ROW_HEIGHT = 17


def fail(message):
    print("end-to-end: " + message, file=sys.stderr)
    sys.exit(1)


class Session:
    def __init__(self):
        self.tmp = tempfile.mkdtemp(prefix="mvul-e2e-")
        self.prog = os.path.join(self.tmp, "prog")
        self.home = os.path.join(self.tmp, "home")
        os.makedirs(self.prog)
        os.makedirs(self.home)
        self.probe = os.path.join(self.tmp, "probe.json")
        self.procs = []
        self.display = self.start_xvfb()
        self.sink_dir = os.path.join(self.tmp, "mail")
        os.makedirs(self.sink_dir)
        # The player's server wants STARTTLS and a login; its certificate is
        # trusted through "CAFajl", as a private server's would be.
        self.cert = os.path.join(self.tmp, "cert.pem")
        key = os.path.join(self.tmp, "key.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                        "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", key, "-out", self.cert],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.sink = subprocess.Popen(["/usr/bin/python3", SINK, self.sink_dir, "starttls", self.cert, key],
                                     stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, text=True)
        self.port = int(self.sink.stdout.readline())
        self.mvul = None

    def start_xvfb(self):
        for n in range(91, 120):
            if os.path.exists("/tmp/.X%d-lock" % n):
                continue
            proc = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(1.0)
            if proc.poll() is None:
                self.procs.append(proc)
                return ":%d" % n
        fail("no free display for Xvfb")

    def env(self):
        env = dict(os.environ)
        env.update(DISPLAY=self.display, QT_QPA_PLATFORM="xcb", MVUL_DIR=self.prog, MVUL_PROBE=self.probe,
                   HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, "config"),
                   XDG_DATA_HOME=os.path.join(self.home, "data"), XDG_RUNTIME_DIR=self.tmp)
        return env

    def start(self, *args):
        if os.path.exists(self.probe):
            os.remove(self.probe)
        self.mvul = subprocess.Popen([os.path.join(BIN, "mvul")] + list(args), env=self.env(),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wait(lambda s: "widgets" in s, "the window did not come up")
        time.sleep(0.5)

    def state(self):
        try:
            with open(self.probe, encoding="utf-8") as f:
                return json.load(f)
        except (OSError, ValueError):
            return {}

    def wait(self, condition, what, seconds=10):
        deadline = time.time() + seconds
        while time.time() < deadline:
            s = self.state()
            if s and condition(s):
                return s
            time.sleep(0.1)
        fail(what + "; the window shows: " + json.dumps(self.state(), ensure_ascii=False)[:1500])

    def xdo(self, *args):
        subprocess.run(["xdotool"] + list(args), env=self.env(), check=True)
        time.sleep(0.15)

    def click(self, x, y):
        self.xdo("mousemove", str(x), str(y), "click", "1")

    def click_widget(self, name):
        x, y, w, h = self.state()["widgets"][name]
        self.click(x + min(w // 2, 20), y + h // 2)

    def type(self, text):
        self.xdo("type", "--delay", "60", text)

    def key(self, *keys):
        self.xdo("key", *keys)

    def cell(self, row, column):
        x, y, w, h = self.state()["widgets"]["StringGrid1"]
        left = x + 2 + sum(COLUMN_WIDTHS[:column]) + COLUMN_WIDTHS[column] // 2
        top = y + 2 + ROW_HEIGHT + (row - 1) * ROW_HEIGHT + ROW_HEIGHT // 2
        self.click(left, top)

    def shoot(self, name):
        x, y, w, h = self.state()["widgets"]["window"]
        os.makedirs(ARTEFACTS, exist_ok=True)
        path = os.path.join(ARTEFACTS, name + ".png")
        subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h + 30, x, max(0, y - 30)), path],
                       env=self.env(), check=True)

    def quit(self):
        """Fájl / Kilépés; a question about saving is answered yes."""
        x, y, w, h = self.state()["widgets"]["window"]
        self.click(x + 18, y + 9)  # the "Fájl" menu
        time.sleep(0.3)
        self.key("k")
        deadline = time.time() + 10
        while self.mvul.poll() is None and time.time() < deadline:
            message = self.state().get("message")
            if message == "Elmented a változásokat?":
                self.key("Return")  # yes: saved as "Ment" does, then closed
            time.sleep(0.3)
        if self.mvul.poll() is None:
            fail("the program did not end from Fájl / Kilépés: " + json.dumps(self.state(), ensure_ascii=False)[:300])

    def close(self):
        if self.mvul and self.mvul.poll() is None:
            self.mvul.kill()
        self.sink.stdin.close()
        self.sink.wait(10)
        for p in self.procs:
            p.terminate()
            p.wait(10)
        shutil.rmtree(self.tmp, ignore_errors=True)


def cp1250(text):
    return text.encode("cp1250").replace(b"\n", b"\r\n")


def main():
    s = Session()
    try:
        with open(os.path.join(s.prog, "targyak.dat"), "wb") as f:
            f.write(cp1250("Tárgyak\n12 Kard\n13 Pajzs\n"))
        with open(os.path.join(s.prog, "mv.ini"), "wb") as f:
            f.write(cp1250("[ULKuldes]\nE-mail=ul@localhost\nULMutat=0\n[SMTP]\nKiszolgalo=127.0.0.1\nPort=%d\n"
                           "Felado=jatekos@localhost\nFelhasznalo=jatekos\nJelszo=jelszó\nCAFajl=%s\n"
                           % (s.port, s.cert)))

        s.start()
        if s.state()["tab"] != "Adatok":
            fail("the first tab is not Adatok")
        for name, text in (("EditKar", "2345"), ("EditJelsz", "titok"), ("EditKarNev", "Kardos Odon")):
            s.click_widget(name)
            s.key("ctrl+a")
            s.type(text)
        s.click_widget("BitBtnKarSave")
        s.wait(lambda st: st["character"] == "2345" and st["name"] == "Kardos Odon", "the character was not taken")
        s.shoot("adatok")

        s.click_widget("tab1")
        s.wait(lambda st: st["tab"] == "Utasítás Lap", "the order tab did not open")
        orders = [(1, ["be", "1"]), (2, ["ea", "12"]), (3, ["ism", "3"]), (4, ["az", "12", "13"])]
        for row, cells in orders:
            s.cell(row, 1)
            for i, text in enumerate(cells):
                if i:
                    s.key("Tab")
                s.type(text)
        st = s.wait(lambda st: st["rows"][3][:3] == ["az", "12", "13"], "the orders were not typed")
        if st["command"] != "Tárgy azonosítása" or st["lines"][1] != "Kard (#12)" or st["lines"][2] != "Pajzs (#13)":
            fail("the description panel is wrong: %s %s" % (st["command"], st["lines"]))
        s.cell(2, 1)
        st = s.wait(lambda st: st["current_row"] == 2, "row 2 did not become current")
        if st["command"] != "Tárgy eladása" or st["lines"][1] != "Kard (#12)":
            fail("row 2 is not explained: %s" % st["lines"])
        rows = st["rows"]
        if [rows[0][7], rows[1][7], rows[3][7]] != ["5", "0", "12"]:
            fail("the TVP cells are wrong: %s" % [r[7] for r in rows[:4]])
        if st["tvp_total"] != "17" or st["check"] != "41" or not st["modified"]:
            fail("the figures are wrong: %s %s" % (st["tvp_total"], st["check"]))
        s.shoot("utasitas-lap")

        s.key("F2")  # a new sheet asks for its name; the proposal is 2345-1
        time.sleep(1.0)
        s.key("Return")
        sheet = os.path.join(s.prog, "2345-1.ulf")
        # (the release of Return reaches the grid afterwards and marks the sheet again, as any key does)
        s.wait(lambda st: st["sheet_file"] == sheet and os.path.exists(sheet), "the sheet was not saved")
        with open(sheet, "rb") as f:
            lines = f.read().split(b"\r\n")
        if len(lines) != 38 or lines[13] != b"be,1,,,,,,5,0" or lines[36] != b"2345":
            fail("the saved sheet is wrong: %r" % lines[:16])

        for i, name in ((2, "jegyzetek"), (3, "listak"), (4, "rejtvenyek"), (5, "lv-rejtvenyek"), (6, "formazok")):
            s.click_widget("tab%d" % i)
            time.sleep(0.4)
            s.shoot(name)
        s.quit()

        s.start(sheet)
        st = s.wait(lambda st: st["tab"] == "Utasítás Lap", "the sheet on the command line did not open")
        if st["rows"][:4] != rows[:4] or st["check"] != "41" or st["tvp_total"] != "17" or st["character"] != "2345":
            fail("the sheet did not come back: %s" % st["rows"][:4])
        s.click_widget("tab1")  # no window manager here: a click gives the window the keyboard
        s.key("F4")
        st = s.wait(lambda st: "message" in st, "sending said nothing")
        if st["message"] != "UL elküldve":
            fail("sending said: " + st["message"])
        s.shoot("elkuldve")
        s.key("Return")
        s.wait(lambda st: "message" not in st, "the message did not close")

        with open(os.path.join(s.sink_dir, "1.eml"), "rb") as f:
            mail = f.read()
        body = mail.split(b"\r\n\r\n", 1)[1]
        letter = subprocess.run([os.path.join(BIN, "mvulc"), "letter", "--dir", s.prog, sheet], env=s.env(),
                                check=True, capture_output=True).stdout
        if body != letter:
            fail("the mailed letter differs from mvulc letter")
        if b"Subject: Form posted by Vorlan's UL-maker program" not in mail or b"charset=windows-1250" not in mail:
            fail("the mail's headers are wrong")
        s.quit()
        print("end-to-end: a whole turn passed; screenshots in " + ARTEFACTS)
    finally:
        s.close()


if __name__ == "__main__":
    main()
