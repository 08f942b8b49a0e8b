#!/usr/bin/python3
"""A WebSocket client from outside the program, for the tests.

    ws_peer.py [--expect N] [--timeout S] [--linger S] -- URL MESSAGE...

Connects, sends each MESSAGE in order (text; "bin:" followed by hex is sent
as a binary frame; "big:N" sends a text message of N bytes), then prints
every message received as one JSON line ({"text": ...} or {"binary": hex})
until N messages have arrived or the time-out has passed, then stays
--linger seconds longer printing what still arrives. A closed connection
prints {"closed": code}. The first line on stderr, "connected", tells the
test that the handshake is done.
"""
import argparse
import asyncio
import json
import sys

import websockets


async def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("url")
    parser.add_argument("--expect", type=int, default=0)
    parser.add_argument("--timeout", type=float, default=10.0)
    parser.add_argument("--linger", type=float, default=0.0)
    parser.add_argument("messages", nargs="*")
    args = parser.parse_args()

    def show(entry):
        print(json.dumps(entry), flush=True)

    async with websockets.connect(args.url, max_size=None, ping_interval=None) as socket:
        print("connected", file=sys.stderr, flush=True)
        received = 0
        try:
            for message in args.messages:
                if message.startswith("bin:"):
                    await socket.send(bytes.fromhex(message[4:]))
                elif message.startswith("big:"):
                    await socket.send("x" * int(message[4:]))
                else:
                    await socket.send(message)
            loop = asyncio.get_running_loop()
            deadline = loop.time() + args.timeout
            while received < args.expect:
                remaining = deadline - loop.time()
                if remaining <= 0:
                    break
                data = await asyncio.wait_for(socket.recv(), remaining)
                received += 1
                show({"binary": data.hex()} if isinstance(data, bytes) else {"text": data})
            deadline = loop.time() + args.linger
            while True:
                remaining = deadline - loop.time()
                if remaining <= 0:
                    break
                try:
                    data = await asyncio.wait_for(socket.recv(), remaining)
                except asyncio.TimeoutError:
                    break
                show({"binary": data.hex()} if isinstance(data, bytes) else {"text": data})
        except asyncio.TimeoutError:
            pass
        except websockets.exceptions.ConnectionClosed as closed:
            show({"closed": closed.code})


if __name__ == "__main__":
    asyncio.run(main())
