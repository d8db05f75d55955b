"""The HTTP server of the upload tests on 127.0.0.1: stores PUT requests below its root.

201 for a stored file, 401 without the right basic login, 404 for a missing folder.
Prints "port N" once it listens and ends when its standard input closes.
"""

import argparse
import base64
import os
import sys
import threading
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


def main():
    parser = argparse.ArgumentParser()
    for option in ("--root", "--events", "--user", "--password"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    login = base64.b64encode(("%s:%s" % (args.user, args.password)).encode()).decode()
    root = os.path.realpath(args.root)

    class Handler(BaseHTTPRequestHandler):
        def do_PUT(self):
            body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
            target = os.path.realpath(os.path.join(root, urllib.parse.unquote(self.path[1:])))
            if self.headers.get("Authorization") != "Basic " + login:
                code = 401
            elif not target.startswith(root + os.sep) or not os.path.isdir(os.path.dirname(target)):
                code = 404
            else:
                with open(target, "wb") as f:
                    f.write(body)
                code = 201
            self.send_response(code)
            self.send_header("Content-Length", "0")
            self.end_headers()

        def log_message(self, *unused):
            pass

    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    print("port %d" % server.server_address[1], flush=True)
    threading.Thread(target=lambda: (sys.stdin.read(), os._exit(0)), daemon=True).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
