#!/usr/bin/env python3
"""The feedback site for the end-to-end runs, reached as the prefix's HTTP proxy.

Usage: feedback_site.py FOLDER UNREAD_REPLY
Listens on a free loopback port and writes it to FOLDER/port. Every request line goes to
FOLDER/requests.log; the unread query is answered with UNREAD_REPLY; an upload's "file" part is
saved as FOLDER/uploads/<its file name> and answered with {"ok":1}; anything else gets 404.
"""
import email.parser
import email.policy
import http.server
import os
import sys
import urllib.parse

folder, unread_reply = sys.argv[1], sys.argv[2].encode()
uploads = os.path.join(folder, "uploads")
os.makedirs(uploads, exist_ok=True)


class FeedbackSite(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def answer(self, status, body=b""):
        self.send_response(status)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)

    def record(self):
        with open(os.path.join(folder, "requests.log"), "a") as log:
            log.write(f"{self.command} {self.path} agent={self.headers.get('User-Agent', '')}\n")

    def query(self):
        return urllib.parse.parse_qs(urllib.parse.urlsplit(self.path).query).get("to", [""])[0]

    def do_GET(self):
        self.record()
        if self.query() == "fetch-unread-message":
            self.answer(200, unread_reply)
        else:
            self.answer(404)

    def do_POST(self):
        self.record()
        body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
        if self.query() != "upload-file":
            self.answer(404)
            return
        head = f"Content-Type: {self.headers.get('Content-Type', '')}\r\n\r\n".encode()
        form = email.parser.BytesParser(policy=email.policy.HTTP).parsebytes(head + body)
        for part in form.iter_parts():
            if part.get_param("name", header="content-disposition") == "file":
                name = os.path.basename(part.get_filename() or "unnamed")
                with open(os.path.join(uploads, name), "wb") as saved:
                    saved.write(part.get_payload(decode=True))
        self.answer(200, b'{"ok":1}')

    def do_CONNECT(self):
        self.record()
        self.answer(405)


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), FeedbackSite)
with open(os.path.join(folder, "port.tmp"), "w") as port:
    port.write(str(server.server_address[1]))
os.replace(os.path.join(folder, "port.tmp"), os.path.join(folder, "port"))
server.serve_forever()
