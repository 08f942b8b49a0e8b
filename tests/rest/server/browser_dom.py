#!/usr/bin/python3
"""Loads a page in a running headless chromium over its DevTools protocol and
prints the page's DOM once a condition holds.

    browser_dom.py DEBUG_PORT URL CONDITION [--timeout S] [--screenshot PNG]

CONDITION is a JavaScript expression evaluated in the page until it is true
(in real time, as the page's WebSocket messages come). Exits 0 when it held,
1 when the time-out passed first; the DOM is printed in both cases.
"""
import argparse
import asyncio
import base64
import json
import sys
import time
import urllib.request

import websockets


def page_socket_url(port, deadline):
    while time.monotonic() < deadline:
        try:
            with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list", timeout=2) as answer:
                for target in json.load(answer):
                    if target.get("type") == "page":
                        return target["webSocketDebuggerUrl"]
        except OSError:
            pass
        time.sleep(0.1)
    return None


async def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("port", type=int)
    parser.add_argument("url")
    parser.add_argument("condition")
    parser.add_argument("--timeout", type=float, default=20.0)
    parser.add_argument("--screenshot")
    args = parser.parse_args()

    deadline = time.monotonic() + args.timeout
    socket_url = page_socket_url(args.port, deadline)
    if socket_url is None:
        print("no page target", file=sys.stderr)
        return 2
    async with websockets.connect(socket_url, max_size=None) as socket:
        counter = 0

        async def call(method, **params):
            nonlocal counter
            counter += 1
            await socket.send(json.dumps({"id": counter, "method": method, "params": params}))
            while True:
                message = json.loads(await socket.recv())
                if message.get("id") == counter:
                    return message.get("result", {})

        async def evaluate(expression):
            result = await call("Runtime.evaluate", expression=expression, returnByValue=True)
            return result.get("result", {}).get("value")

        await call("Page.navigate", url=args.url)
        held = False
        while time.monotonic() < deadline:
            try:
                held = bool(await evaluate(f"Boolean({args.condition})"))
            except Exception:
                held = False
            if held:
                break
            await asyncio.sleep(0.05)
        if args.screenshot:
            shot = await call("Page.captureScreenshot", format="png")
            with open(args.screenshot, "wb") as png:
                png.write(base64.b64decode(shot["data"]))
        print(await evaluate("document.documentElement.outerHTML"))
        return 0 if held else 1


if __name__ == "__main__":
    sys.exit(asyncio.run(main()))
