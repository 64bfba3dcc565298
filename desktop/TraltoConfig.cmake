# find_package(Tralto): Tralto's number engine (expressions, coordinate
# conversions, number formatting; no Qt) as the target Tralto::core, whose
# headers a program includes as "expression/Parser.h",
# "coordinates/CoordSet3D.h" and "format/Formater.h".
include("${CMAKE_CURRENT_LIST_DIR}/TraltoTargets.cmake")
