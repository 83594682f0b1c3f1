#!/usr/bin/env python3
"""A static file server on the loopback address for the page's browser
test, which also takes the page's own check results: the page POSTs them
to /selftest, they are written to RESULT_FILE and the server stops.

    serve.py WEB_DIR PORT RESULT_FILE
"""
import functools
import http.server
import sys
import threading


class Handler(http.server.SimpleHTTPRequestHandler):
    def do_POST(self):
        if self.path != "/selftest":
            self.send_error(404)
            return
        length = int(self.headers.get("Content-Length", "0"))
        if not 0 <= length <= 1 << 20:
            self.send_error(413)
            return
        body = self.rfile.read(length)
        with open(self.server.result_file, "wb") as f:
            f.write(body)
        self.send_response(204)
        self.end_headers()
        threading.Thread(target=self.server.shutdown, daemon=True).start()

    def log_message(self, *args):
        pass


def main():
    web_dir, port, result_file = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    handler = functools.partial(Handler, directory=web_dir)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    server.result_file = result_file
    server.serve_forever()


if __name__ == "__main__":
    main()
