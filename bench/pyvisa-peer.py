#!/usr/bin/python3
"""The same "*IDN?" loop through PyVISA and its pure-Python backend against a
zew-sim, for context beside zew-bench: it runs natively, not under Wine.
    pyvisa-peer.py PORT"""
import statistics
import sys
import time

import pyvisa

ROUNDS, ITERATIONS = 7, 200


def main():
    port = int(sys.argv[1])
    rm = pyvisa.ResourceManager("@py")
    inst = rm.open_resource(f"TCPIP0::127.0.0.1::{port}::SOCKET",
                            read_termination="\n", write_termination="\n", timeout=2000)
    samples = []
    for _ in range(ROUNDS):
        start = time.perf_counter()
        for _ in range(ITERATIONS):
            inst.query("*IDN?")
        samples.append((time.perf_counter() - start) * 1e6 / ITERATIONS)
    inst.close()
    rm.close()
    print(f"  {'tcp: PyVISA-py (native Python)':<34} {statistics.median(samples):10.1f} us")


if __name__ == "__main__":
    main()
