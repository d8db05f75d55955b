"""The FTP server of the upload tests (pyftpdlib) on 127.0.0.1.

Prints "port N" once it listens, logs each command it receives to the events file
before answering it, and ends when its standard input closes.
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
from pyftpdlib.handlers import FTPHandler, TLS_DTPHandler, TLS_FTPHandler
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
    parser.add_argument("--port", type=int, default=0, help="0: any free port")
    args = parser.parse_args()
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
            if args.reply_delay <= 0:
                super().pre_process_command(line, cmd, arg)
                return
            # libcurl sends the next command only after this one's answer, so the
            # commands still run in order; closing the connection cancels the call.
            self.call_later(args.reply_delay, super().pre_process_command, line, cmd, arg)

        def on_login(self, username):
            self.fs.cwd = args.start_folder

        def _make_eport(self, ip, port):
            if args.no_active:
                port = unreachable.getsockname()[1]
            super()._make_eport(ip, port)

    class DataHandler(TLS_DTPHandler):
        # pyftpdlib 1.5.7 drops a data connection whose client starts TLS before the
        # transfer command, as libcurl does; later versions keep it readable meanwhile.
        def readable(self):
            return self._ssl_accepting or super().readable()

    # A refused login is answered at once, not after pyftpdlib's 3 s: the tests' limit
    # for an answer is shorter.
    Handler.auth_failed_timeout = 0

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm=args.perm)
    Handler.authorizer = authorizer
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
