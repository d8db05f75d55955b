"""The FTP server of the upload tests (pyftpdlib) on 127.0.0.1.

Prints "port N" once it listens, logs each command it receives to the events file
before answering it, and ends when its standard input closes.

Faults on request: a command never answered (--silent), answered late (--reply-delay) or
refused with a code of the test's choice (--answer "STOR=452"), a reply replaced by
another (--reply "226=452": the bytes arrived, then the disk was full), transfers
received slowly (--slow-rate) or cut off by closing the session mid-transfer
(--drop-after); --faulty-transfers limits the last two to the first uploads, so that a
retry finds the server well again.
"""

import argparse
import datetime
import ipaddress
import logging
import os
import socket
import sys
import threading

from cryptography import x509
from cryptography.hazmat.primitives import hashes, serialization
from cryptography.hazmat.primitives.asymmetric import ec
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler, TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.log import config_logging
from pyftpdlib.servers import FTPServer


def make_certificate(folder):
    """A self-signed certificate for 127.0.0.1: the test trusts exactly this one."""
    key = ec.generate_private_key(ec.SECP256R1())
    name = x509.Name([x509.NameAttribute(x509.NameOID.COMMON_NAME, "127.0.0.1")])
    now = datetime.datetime.now(datetime.timezone.utc)
    cert = (x509.CertificateBuilder().subject_name(name).issuer_name(name)
            .public_key(key.public_key()).serial_number(x509.random_serial_number())
            .not_valid_before(now - datetime.timedelta(hours=1))
            .not_valid_after(now + datetime.timedelta(days=1))
            .add_extension(x509.SubjectAlternativeName(
                [x509.IPAddress(ipaddress.ip_address("127.0.0.1"))]), critical=False)
            .add_extension(x509.BasicConstraints(ca=True, path_length=None), critical=True)
            .sign(key, hashes.SHA256()))
    path = os.path.join(folder, "server-cert.pem")
    with open(path, "wb") as f:
        f.write(cert.public_bytes(serialization.Encoding.PEM))
        f.write(key.private_bytes(serialization.Encoding.PEM,
                                  serialization.PrivateFormat.TraditionalOpenSSL,
                                  serialization.NoEncryption()))
    return path


def count_spec(text):
    """ "WHAT=CODE" or "WHAT=CODE*COUNT": the fault, and how often it happens (-1: always)."""
    what, _, rest = text.partition("=")
    code, _, count = rest.partition("*")
    return [what, int(code), int(count) if count else -1]


def take(faults, matches):
    """The code of the first fault that matches and has not happened often enough yet."""
    for fault in faults:
        if matches(fault[0]) and fault[2] != 0:
            fault[2] -= 1
            return fault[1]
    return None


REPLY_TEXTS = {452: "Insufficient storage space.", 550: "Not allowed.",
               553: "File name not allowed.", 530: "Not logged in."}


def main():
    parser = argparse.ArgumentParser()
    for option in ("--root", "--events", "--user", "--password"):
        parser.add_argument(option, required=True)
    parser.add_argument("--perm", default="elradfmw")
    parser.add_argument("--start-folder", default="/")
    parser.add_argument("--tls-folder", help="offer AUTH TLS and require it")
    parser.add_argument("--no-active", action="store_true", help="cannot connect back")
    parser.add_argument("--silent", default="", help="a command never answered")
    parser.add_argument("--reply-delay", type=float, default=0,
                        help="seconds each command waits before it is carried out")
    parser.add_argument("--answer", action="append", type=count_spec, default=[],
                        help='"COMMAND LINE PREFIX=CODE[*COUNT]": answered so, not carried out')
    parser.add_argument("--reply", action="append", type=count_spec, default=[],
                        help='"CODE=NEWCODE[*COUNT]": the server\'s reply CODE replaced')
    parser.add_argument("--slow-rate", type=float, default=0,
                        help="bytes a second an upload is received at")
    parser.add_argument("--drop-after", type=int, default=-1,
                        help="bytes of an upload after which the session is closed")
    parser.add_argument("--faulty-transfers", type=int, default=-1,
                        help="uploads that --slow-rate and --drop-after apply to; -1: all")
    parser.add_argument("--port", type=int, default=0, help="0: any free port")
    args = parser.parse_args()
    faulty_transfers = [args.faulty_transfers]
    events = open(args.events, "a", encoding="utf-8", buffering=1)

    # Bound but never listening: connecting back to it is refused.
    unreachable = socket.socket()
    unreachable.bind(("127.0.0.1", 0))

    class Handler(TLS_FTPHandler if args.tls_folder else FTPHandler):
        def pre_process_command(self, line, cmd, arg):
            secure = "tls" if getattr(self, "_ssl_established", False) else "clear"
            events.write("%s %s %s\n" % (secure, cmd, "***" if cmd == "PASS" else arg or ""))
            if cmd == args.silent:
                return
            refused = take(args.answer, lambda prefix: line.startswith(prefix))
            if refused is not None:
                self.respond("%d %s" % (refused, REPLY_TEXTS.get(refused, "Refused.")))
                return
            if args.reply_delay <= 0:
                super().pre_process_command(line, cmd, arg)
                return
            # libcurl sends the next command only after this one's answer, so the
            # commands still run in order; closing the connection cancels the call.
            self.call_later(args.reply_delay, super().pre_process_command, line, cmd, arg)

        def on_login(self, username):
            self.fs.cwd = args.start_folder

        def respond(self, resp, logfun=logging.debug):
            replaced = take(args.reply, lambda code: resp.startswith(code + " "))
            if replaced is not None:
                resp = "%d %s" % (replaced, REPLY_TEXTS.get(replaced, "Replaced."))
            super().respond(resp, logfun)

        def _make_eport(self, ip, port):
            if args.no_active:
                port = unreachable.getsockname()[1]
            super()._make_eport(ip, port)

    class FaultyData:
        """Receives an upload slowly, or closes the session part way through it."""

        def __init__(self, sock, cmd_channel):
            super().__init__(sock, cmd_channel)
            self._faulty = None  # decided when the first bytes of an upload come
            self._received = 0
            self._pause = None

        def recv(self, buffer_size):
            if self._faulty is None and self.receive:
                self._faulty = faulty_transfers[0] != 0 and (args.slow_rate > 0 or
                                                              args.drop_after >= 0)
                if self._faulty and faulty_transfers[0] > 0:
                    faulty_transfers[0] -= 1
                if self._faulty and args.slow_rate > 0:
                    # Little room in the socket, so that the sender feels the slow
                    # reading soon; but a tenth of a second's worth at least, or the
                    # window's round trips cap the rate near 40 KB/s whatever was asked.
                    room = max(4096, int(args.slow_rate / 10))
                    self.socket.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, room)
            if not self._faulty:
                return super().recv(buffer_size)
            wanted = buffer_size
            if args.slow_rate > 0:
                wanted = max(1, min(buffer_size, int(args.slow_rate)))
            chunk = super().recv(wanted)
            self._received += len(chunk)
            if 0 <= args.drop_after <= self._received:
                self.ioloop.call_later(0, self.cmd_channel.close)
            elif args.slow_rate > 0 and chunk:
                self.del_channel()
                self._pause = self.ioloop.call_later(len(chunk) / args.slow_rate, self._resume)
            return chunk

        def _resume(self):
            if not self._closed:
                self.add_channel(events=self.ioloop.READ)

        def close(self):
            if self._pause is not None and not self._pause.cancelled:
                self._pause.cancel()
            super().close()

    class DataHandler(FaultyData, TLS_DTPHandler):
        # pyftpdlib 1.5.7 drops a data connection whose client starts TLS before the
        # transfer command, as libcurl does; later versions keep it readable meanwhile.
        def readable(self):
            return self._ssl_accepting or super().readable()

    class PlainDataHandler(FaultyData, DTPHandler):
        pass

    # A refused login is answered at once, not after pyftpdlib's 3 s: the tests' limit
    # for an answer is shorter.
    Handler.auth_failed_timeout = 0

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm=args.perm)
    Handler.authorizer = authorizer
    Handler.dtp_handler = PlainDataHandler
    if args.tls_folder:
        Handler.certfile = make_certificate(args.tls_folder)
        Handler.tls_control_required = Handler.tls_data_required = True
        Handler.dtp_handler = DataHandler

    config_logging(level=logging.WARNING)  # the events file says enough
    server = FTPServer(("127.0.0.1", args.port), Handler)
    print("port %d" % server.address[1], flush=True)
    threading.Thread(target=lambda: (sys.stdin.read(), os._exit(0)), daemon=True).start()
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    main()
