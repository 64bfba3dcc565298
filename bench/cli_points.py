#!/usr/bin/env python3
"""Point files for bench/cli_throughput.sh.

  cli_points.py generate N [id-first|id-last]
                              N spherical points (r, theta, phi in degrees), comma-separated,
                              the same points for the same N; with an id field before or after
                              the point ("P17")
  cli_points.py convert       the conversion the benchmark compares with: each line of
                              standard input from spherical (degrees, theta from the z axis)
                              to Cartesian, in float with the math module, written with repr
  cli_points.py convert-numpy the same conversion with numpy, vectorised: the whole input read
                              at once, converted array by array, written with 17 significant
                              digits (what a float needs to come back unchanged)
"""
import math
import random
import sys


def generate(count, id_field):
    rng = random.Random(20261208)
    write = sys.stdout.write
    lines = []
    for number in range(count):
        r = rng.uniform(0.1, 1000.0)
        theta = rng.uniform(0.0, 180.0)
        phi = rng.uniform(-180.0, 180.0)
        point = f"{r:.6f},{theta:.6f},{phi:.6f}"
        if id_field == "id-first":
            point = f"P{number},{point}"
        elif id_field == "id-last":
            point = f"{point},P{number}"
        lines.append(point + "\n")
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


def convert_numpy():
    import numpy

    points = numpy.loadtxt(sys.stdin, delimiter=",", dtype=numpy.float64, ndmin=2)
    r = points[:, 0]
    theta = numpy.radians(points[:, 1])
    phi = numpy.radians(points[:, 2])
    rho = numpy.sin(theta) * r
    cartesian = numpy.column_stack((rho * numpy.cos(phi), rho * numpy.sin(phi), numpy.cos(theta) * r))
    numpy.savetxt(sys.stdout, cartesian, fmt="%.17g", delimiter=",")


if __name__ == "__main__":
    if sys.argv[1:2] == ["generate"]:
        generate(int(sys.argv[2]), sys.argv[3] if len(sys.argv) > 3 else None)
    elif sys.argv[1:2] == ["convert"]:
        convert()
    elif sys.argv[1:2] == ["convert-numpy"]:
        convert_numpy()
    else:
        sys.exit(__doc__)
