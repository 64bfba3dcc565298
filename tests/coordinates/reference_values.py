#!/usr/bin/env python3
"""Reference values for the coordinate tests, computed independently of the C++ code.

Every step of the transforms is modelled with exact rounding: sums, products and quotients to
the 64-bit significand of an extended real, the arguments of the elementary functions to the
53-bit significand of a double, and the functions themselves evaluated at 200 bits and rounded
to 64. The output lines are hexadecimal long double literals (significand times a power of two)
for the tables in CoordSet3DTest.cpp and CoordSet2DTest.cpp. Needs mpmath.
"""
import mpmath
from mpmath import mpf

mpmath.mp.prec = 200


def rounded(value, bits):
    with mpmath.workprec(bits):
        return +mpf(value)


def E(value):
    return rounded(value, 64)


def D(value):
    return rounded(value, 53)


def fn(function, *arguments):
    with mpmath.workprec(240):
        return E(function(*arguments))


def literal(value):
    value = E(value)
    if value == 0:
        return "0.0L"
    sign, mantissa, exponent, bits = value._mpf_
    shift = 64 - bits
    return "%s0x%016Xp%dL" % ("-" if sign else "", mantissa << shift, exponent - shift)


# Constants as the C++ code holds them.
PI = E(mpmath.pi)
HALF_PI = PI / 2
RADIANS_PER_DEGREE = mpf(0x8EFA351294E9C8AE) * mpf(2) ** -69
DEGREES_PER_RADIAN = mpf(0xE52EE0D31E0FBDC3) * mpf(2) ** -58
AXIS_ANGLE = mpf(0x3FF921FB54442D18 & ((1 << 52) - 1) | (1 << 52)) * mpf(2) ** -52


def azimuth(x, y):
    if x == 0:
        return AXIS_ANGLE if y >= 0 else -AXIS_ANGLE
    return fn(mpmath.atan2, D(y), D(x))


def cylindrical_radius(x, y):
    return fn(mpmath.sqrt, D(E(E(x * x) + E(y * y))))


def cartesian_to_spherical(x, y, z, from_z_axis):
    r = fn(mpmath.sqrt, D(E(E(E(x * x) + E(y * y)) + E(z * z))))
    if r == 0:
        theta = mpf(0)
    else:
        planar, height = D(cylindrical_radius(x, y)), D(z)
        theta = fn(mpmath.atan2, planar, height) if from_z_axis else fn(mpmath.atan2, height, planar)
    return r, theta, azimuth(x, y)


def cartesian_to_cylindrical(x, y, z):
    return cylindrical_radius(x, y), azimuth(x, y), z


def spherical_to_cartesian(r, theta, phi, from_z_axis):
    sin_t, cos_t = fn(mpmath.sin, D(theta)), fn(mpmath.cos, D(theta))
    planar = E((sin_t if from_z_axis else cos_t) * r)
    height = E((cos_t if from_z_axis else sin_t) * r)
    return E(planar * fn(mpmath.cos, D(phi))), E(planar * fn(mpmath.sin, D(phi))), height


def cylindrical_to_cartesian(r, phi, z):
    return E(fn(mpmath.cos, D(phi)) * r), E(fn(mpmath.sin, D(phi)) * r), z


def show(name, values):
    print("%-40s %s" % (name, ", ".join(literal(v) for v in values)))


def three_dimensional():
    sqrt3 = fn(mpmath.sqrt, 3)
    for from_z_axis, convention in ((True, "z axis"), (False, "xy plane")):
        print("== 3-D, theta to the", convention)
        show("cartesian (1, 0, sqrt 3) -> spherical",
             cartesian_to_spherical(mpf(1), mpf(0), sqrt3, from_z_axis))
        show("cylindrical (-2, 0, 1) -> spherical",
             cartesian_to_spherical(mpf(-2), mpf(0), mpf(1), from_z_axis))
        x, y, z = cylindrical_to_cartesian(mpf(1), mpf(7), mpf(0))
        show("cylindrical (1, 7, 0) -> cartesian", (x, y, z))
        show("   -> spherical", cartesian_to_spherical(x, y, z, from_z_axis))
        x, y, z = spherical_to_cartesian(mpf(2), mpf(1), mpf(7), from_z_axis)
        show("spherical (2, 1, 7) -> cartesian", (x, y, z))
        show("   -> cylindrical", cartesian_to_cylindrical(x, y, z))
        show("cartesian (1, 2^-30, 0) -> spherical",
             cartesian_to_spherical(mpf(1), mpf(2) ** -30, mpf(0), from_z_axis))
        x, y, z = spherical_to_cartesian(mpf(1), HALF_PI, mpf(0), from_z_axis)
        show("spherical (1, pi/2, 0) -> cartesian", (x, y, z))
        show("   -> cylindrical", cartesian_to_cylindrical(x, y, z))
        x, y, z = cylindrical_to_cartesian(mpf(1), PI, mpf(0))
        show("cylindrical (1, pi, 0) -> cartesian", (x, y, z))
        show("   -> spherical", cartesian_to_spherical(x, y, z, from_z_axis))
        x, y, z = mpf(0.1), mpf(2), mpf(3.6)
        show("cartesian (0.1, 2, 3.6) -> spherical", cartesian_to_spherical(x, y, z, from_z_axis))
        show("   -> cylindrical", cartesian_to_cylindrical(x, y, z))
        x, y, z = spherical_to_cartesian(mpf(0.1), mpf(1), mpf(0.5), from_z_axis)
        show("spherical (0.1, 1, 0.5) -> cartesian", (x, y, z))
        show("   -> cylindrical", cartesian_to_cylindrical(x, y, z))
        print("-- beyond the double range")
        show("cartesian (1e200, 0, 1e200) -> spherical",
             cartesian_to_spherical(mpf(1e200), mpf(0), mpf(1e200), from_z_axis))
        show("   -> cylindrical", cartesian_to_cylindrical(mpf(1e200), mpf(0), mpf(1e200)))
        show("cartesian (1e-200, 0, 1e-200) -> spherical",
             cartesian_to_spherical(mpf(1e-200), mpf(0), mpf(1e-200), from_z_axis))
        show("   -> cylindrical", cartesian_to_cylindrical(mpf(1e-200), mpf(0), mpf(1e-200)))
    print("== at the ends of the extended range")
    for from_z_axis, convention in ((True, "z axis"), (False, "xy plane")):
        print("-- theta to the", convention)
        for name, point in (("(9e2465, 9e2465, 9e2465)", ("9e2465",) * 3),
                            ("(6e4931, 6e4931, 6e4931)", ("6e4931",) * 3),
                            ("(1e-2476, 1e-2476, 1e-2476)", ("1e-2476",) * 3),
                            ("(2^-16445, 0, 2^-16300)", (mpf(2) ** -16445, 0, mpf(2) ** -16300)),
                            ("(1e4000, 1, -1)", ("1e4000", 1, -1))):
            x, y, z = (E(mpf(value)) for value in point)
            show("cartesian " + name + " -> spherical",
                 cartesian_to_spherical(x, y, z, from_z_axis))
            show("   -> cylindrical", cartesian_to_cylindrical(x, y, z))
        x, y, z = cylindrical_to_cartesian(E(mpf("6e4931")), mpf(0.5), E(mpf("-6e4931")))
        show("cylindrical (6e4931, 0.5, -6e4931) -> cartesian", (x, y, z))
        show("   -> spherical", cartesian_to_spherical(x, y, z, from_z_axis))
    print("== angle units")
    show("DegToRad 90, 180, -45", [E(d * RADIANS_PER_DEGREE) for d in (90, 180, -45)])
    show("RadToDeg pi, AxisAngle, 1", [E(a * DEGREES_PER_RADIAN) for a in (PI, AXIS_ANGLE, 1)])


def modulus(x, y):
    x, y = D(x), D(y)
    return fn(mpmath.sqrt, E(E(x * x) + E(y * y)))


def polar(m, a):
    return E(fn(mpmath.cos, a) * m), E(fn(mpmath.sin, a) * m)


def two_dimensional():
    print("== 2-D")
    angle = fn(mpmath.atan2, 4, 3)
    show("(3, 4): modulus, angle", (modulus(3, 4), angle))
    show("(3, 4), r = 10", polar(mpf(10), angle))
    tiny = mpf(2) ** -60
    show("(1, 1 + 2^-60): modulus, angle", (modulus(1, 1 + tiny), fn(mpmath.atan2, 1 + tiny, 1)))
    for name, m, a in (("distance 1, phi = 90 DEG", 1, E(90 * RADIANS_PER_DEGREE)),
                       ("(1, 0), phi = 1 + 2^-60", 1, 1 + tiny),
                       ("(1, 0), phi = 7", 1, 7),
                       ("(1, 0), phi = 2^63 - 1", 1, mpf(2) ** 63 - 1)):
        x, y = polar(mpf(m), a)
        show(name + ": x, y, modulus, angle", (x, y, modulus(x, y), fn(mpmath.atan2, y, x)))
    show("(-3, 4): angle", (fn(mpmath.atan2, 4, -3),))
    for name, part in (("(2^16380, 2^16380)", mpf(2) ** 16380), ("(2^-16000, 2^-16000)", mpf(2) ** -16000)):
        show(name + ": modulus", (modulus(part, part),))


three_dimensional()
two_dimensional()
