"""The HTTP server of the upload tests on 127.0.0.1: stores PUT requests below its root.

201 for a stored file, 401 without the right basic login, 404 for a missing folder;
--status answers every PUT with that code and stores nothing; --answers "503,503" answers
the first PUTs so (503 as S3's "SlowDown") and the later ones as they deserve; --any-login
takes any Authorization (an S3 signature among them). --trickle makes each
answer announce a long body and send it a byte every half second, hanging up after
20 s: a client that waits for the body is held that long. Logs "PUT path code" for
each request to the events file, prints "port N" once it listens and ends when its
standard input closes.
"""

import argparse
import base64
import os
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

TRICKLE_BYTES = 40
TRICKLE_PAUSE = 0.5


def main():
    parser = argparse.ArgumentParser()
    for option in ("--root", "--events", "--user", "--password"):
        parser.add_argument(option, required=True)
    parser.add_argument("--status", type=int, default=0, help="the code of every answer")
    parser.add_argument("--answers", default="", help="codes of the first answers, in turn")
    parser.add_argument("--any-login", action="store_true", help="no basic login asked for")
    parser.add_argument("--trickle", action="store_true", help="a long body, a byte at a time")
    args = parser.parse_args()
    scripted = [int(code) for code in args.answers.split(",") if code]
    lock = threading.Lock()
    login = base64.b64encode(("%s:%s" % (args.user, args.password)).encode()).decode()
    root = os.path.realpath(args.root)
    events = open(args.events, "a", encoding="utf-8", buffering=1)

    class Handler(BaseHTTPRequestHandler):
        def do_PUT(self):
            body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
            target = os.path.realpath(os.path.join(root, urllib.parse.unquote(self.path[1:])))
            with lock:
                turn = scripted.pop(0) if scripted else 0
            if turn or args.status:
                code = turn or args.status
            elif not args.any_login and self.headers.get("Authorization") != "Basic " + login:
                code = 401
            elif not target.startswith(root + os.sep) or not os.path.isdir(os.path.dirname(target)):
                code = 404
            else:
                with open(target, "wb") as f:
                    f.write(body)
                code = 201
            events.write("PUT %s %d\n" % (urllib.parse.unquote(self.path), code))
            self.send_response(code)
            if code == 503:
                error = (b'<?xml version="1.0" encoding="UTF-8"?>\n<Error><Code>SlowDown</Code>'
                         b'<Message>Please reduce your request rate.</Message></Error>')
                self.send_header("Content-Type", "application/xml")
                self.send_header("Content-Length", str(len(error)))
                self.end_headers()
                self.wfile.write(error)
                return
            if not args.trickle:
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            self.send_header("Content-Length", str(100 * TRICKLE_BYTES))
            self.end_headers()
            try:
                for _ in range(TRICKLE_BYTES):
                    self.wfile.write(b"x")
                    self.wfile.flush()
                    time.sleep(TRICKLE_PAUSE)
            except OSError:
                pass  # the client has left

        def log_message(self, *unused):
            pass

    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    print("port %d" % server.server_address[1], flush=True)
    threading.Thread(target=lambda: (sys.stdin.read(), os._exit(0)), daemon=True).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
