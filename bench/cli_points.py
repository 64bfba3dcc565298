#!/usr/bin/env python3
"""Point files for bench/cli_throughput.sh.

  cli_points.py generate N    N spherical points (r, theta, phi in degrees), comma-separated,
                              the same points for the same N
  cli_points.py convert       the conversion the benchmark compares with: each line of
                              standard input from spherical (degrees, theta from the z axis)
                              to Cartesian, in float with the math module, written with repr
"""
import math
import random
import sys


def generate(count):
    rng = random.Random(20261208)
    write = sys.stdout.write
    lines = []
    for _ in range(count):
        r = rng.uniform(0.1, 1000.0)
        theta = rng.uniform(0.0, 180.0)
        phi = rng.uniform(-180.0, 180.0)
        lines.append(f"{r:.6f},{theta:.6f},{phi:.6f}\n")
        if len(lines) == 10000:
            write("".join(lines))
            lines.clear()
    write("".join(lines))


def convert():
    write = sys.stdout.write
    radians, sin, cos = math.radians, math.sin, math.cos
    for line in sys.stdin:
        r, theta, phi = line.split(",")
        r = float(r)
        theta = radians(float(theta))
        phi = radians(float(phi))
        rho = sin(theta) * r
        write(f"{rho * cos(phi)!r},{rho * sin(phi)!r},{cos(theta) * r!r}\n")


if __name__ == "__main__":
    if sys.argv[1:2] == ["generate"]:
        generate(int(sys.argv[2]))
    elif sys.argv[1:2] == ["convert"]:
        convert()
    else:
        sys.exit(__doc__)
