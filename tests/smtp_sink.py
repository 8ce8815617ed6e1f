#!/usr/bin/python3
"""A loopback SMTP server for the tests: saves every message it accepts.

Usage: smtp_sink.py OUTPUT_DIR. Prints the port it listens on, then serves
until stdin closes. A recipient beginning with "refuse" is rejected (550).
Each accepted message becomes OUTPUT_DIR/N.eml (raw bytes as received) and
OUTPUT_DIR/N.env (MAIL FROM, then one RCPT TO per line).
"""
import os
import socket
import sys

from aiosmtpd.controller import Controller


class Sink:
    def __init__(self, out):
        self.out = out
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.startswith("refuse"):
            return "550 5.1.1 Recipient refused"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.out, str(self.count))
        with open(base + ".eml.tmp", "wb") as f:
            f.write(envelope.original_content)
        with open(base + ".env", "w") as f:
            f.write("\n".join([envelope.mail_from] + envelope.rcpt_tos) + "\n")
        os.rename(base + ".eml.tmp", base + ".eml")
        return "250 Message accepted"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def main():
    port = free_port()
    controller = Controller(Sink(sys.argv[1]), hostname="127.0.0.1", port=port,
                            decode_data=False)
    controller.start()
    print(port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
