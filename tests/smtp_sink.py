#!/usr/bin/python3
"""A loopback SMTP server for the tests: saves every message it accepts.

Usage: smtp_sink.py OUTPUT_DIR [MODE [CERT KEY]]. Prints the port it listens
on, then serves until stdin closes.

Modes:
  plain            no TLS; offers AUTH (even without TLS, as a careless server would)
  starttls         STARTTLS required before MAIL and AUTH (CERT, KEY)
  tls              TLS from the first byte (CERT, KEY)
  silent           accepts the connection and never says a word
  hang-after-data  answers until the message is sent, then never again
  close-after-data answers until the message is sent, then closes the connection
  slow-quit        accepts each message (250), but never answers QUIT

The only account is "jatekos" with the password "jelszó" (UTF-8). A
recipient beginning with "refuse" is rejected (550). Each accepted message
becomes OUTPUT_DIR/N.eml (raw bytes as received) and OUTPUT_DIR/N.env (MAIL
FROM, then one RCPT TO per line). OUTPUT_DIR/commands.log records each
command the server saw, with "tls" or "plain" for the connection it came on.
"""
import os
import socket
import ssl
import sys
import threading

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

USER = b"jatekos"
PASSWORD = "jelszó".encode("utf-8")


class Sink:
    def __init__(self, out):
        self.out = out
        self.count = 0

    def log(self, server, text):
        secure = "tls" if server.transport.get_extra_info("ssl_object") is not None else "plain"
        with open(os.path.join(self.out, "commands.log"), "a") as f:
            f.write(f"{text} {secure}\n")

    async def handle_EHLO(self, server, session, envelope, hostname, responses):
        self.log(server, "EHLO")
        session.host_name = hostname
        return responses

    async def handle_MAIL(self, server, session, envelope, address, mail_options):
        self.log(server, "MAIL")
        envelope.mail_from = address
        return "250 OK"

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        self.log(server, "RCPT")
        if address.startswith("refuse"):
            return "550 5.1.1 Recipient refused"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.log(server, "DATA")
        self.count += 1
        base = os.path.join(self.out, str(self.count))
        with open(base + ".eml.tmp", "wb") as f:
            f.write(envelope.original_content)
        with open(base + ".env", "w") as f:
            f.write("\n".join([envelope.mail_from] + envelope.rcpt_tos) + "\n")
        os.rename(base + ".eml.tmp", base + ".eml")
        return "250 Message accepted"

    def authenticate(self, server, session, envelope, mechanism, auth_data):
        self.log(server, "AUTH")
        ok = isinstance(auth_data, LoginPassword) and auth_data.login == USER and auth_data.password == PASSWORD
        return AuthResult(success=ok, handled=False)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def context(cert, key):
    ctx = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    ctx.load_cert_chain(cert, key)
    return ctx


class RawServer:
    """The servers that stop answering or hang up, written by hand."""

    def __init__(self, port, mode, out):
        self.mode = mode
        self.out = out
        self.count = 0
        self.listener = socket.create_server(("127.0.0.1", port))
        self.clients = []
        threading.Thread(target=self.accept, daemon=True).start()

    def accept(self):
        while True:
            try:
                conn, _ = self.listener.accept()
            except OSError:
                return
            self.clients.append(conn)
            if self.mode != "silent":
                threading.Thread(target=self.answer, args=(conn,), daemon=True).start()

    def answer(self, conn):
        f = conn.makefile("rb")
        conn.sendall(b"220 localhost ESMTP\r\n")
        for line in f:
            command = line.strip().upper()
            if command.startswith(b"EHLO"):
                conn.sendall(b"250-localhost\r\n250 8BITMIME\r\n")
            elif command == b"DATA":
                conn.sendall(b"354 End data with <CR><LF>.<CR><LF>\r\n")
                body = b""
                for data in f:
                    if data == b".\r\n":
                        break
                    body += data
                if self.mode == "close-after-data":
                    conn.shutdown(socket.SHUT_RDWR)
                    conn.close()
                    return
                if self.mode == "hang-after-data":
                    return  # the message is in; no reply ever comes
                self.count += 1
                with open(os.path.join(self.out, f"{self.count}.eml"), "wb") as saved:
                    saved.write(body)
                conn.sendall(b"250 Message accepted\r\n")
            elif command == b"QUIT" and self.mode == "slow-quit":
                return  # the goodbye is never answered
            else:
                conn.sendall(b"250 OK\r\n")

    def stop(self):
        self.listener.close()
        for c in self.clients:
            c.close()


def main():
    out = sys.argv[1]
    mode = sys.argv[2] if len(sys.argv) > 2 else "plain"
    port = free_port()
    if mode in ("silent", "hang-after-data", "close-after-data", "slow-quit"):
        server = RawServer(port, mode, out)
        print(port, flush=True)
        sys.stdin.read()
        server.stop()
        return
    sink = Sink(out)
    options = dict(hostname="127.0.0.1", port=port, decode_data=False, authenticator=sink.authenticate,
                   auth_require_tls=(mode == "starttls"))  # aiosmtpd sees TLS from the start as plain
    if mode == "starttls":
        options.update(tls_context=context(sys.argv[3], sys.argv[4]), require_starttls=True)
    elif mode == "tls":
        options.update(ssl_context=context(sys.argv[3], sys.argv[4]))
    controller = Controller(sink, **options)
    controller.start()
    print(port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
