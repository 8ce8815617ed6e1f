#!/usr/bin/python3
"""A loopback HTTP server for the tests: serves the files of a folder.

Usage: http_sink.py FOLDER. Prints the port it listens on, then serves until
stdin closes. A path whose file is named PATH.hang is accepted and never
answered; every request is logged to FOLDER/requests.log in order.
"""
import http.server
import os
import sys
import threading
import time

ROOT = sys.argv[1]


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        path = self.path.split("?", 1)[0].lstrip("/")
        with open(os.path.join(ROOT, "requests.log"), "a") as log:
            log.write(path + "\n")
        local = os.path.join(ROOT, "files", path)
        if os.path.exists(local + ".hang"):
            time.sleep(3600)
            return
        if not os.path.isfile(local):
            self.send_error(404)
            return
        with open(local, "rb") as f:
            body = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "text/xml")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
print(server.server_address[1], flush=True)
threading.Thread(target=server.serve_forever, daemon=True).start()
sys.stdin.read()
os._exit(0)
