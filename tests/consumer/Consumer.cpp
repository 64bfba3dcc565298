#include "coordinates/CoordSet3D.h"
#include "expression/Parser.h"
#include "format/Formater.h"

#include <cstdio>

// Unused on purpose: -Wall would warn here, and a host that does not ask for
// warnings must not get them from Tralto.
static int unusedByDesign(int value)
{
    int unused;
    return value;
}

int main()
{
    CoordSet3D point;
    point.Set(CoordSet3D::Kar_x, EvaluateText("3"));
    point.Convert(CoordSet3D::Kar_x);
    std::printf("%s\n", FormatValue(point.Get(CoordSet3D::Kug_r)).c_str());
    return 0;
}
