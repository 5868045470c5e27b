#pragma once
// ASCII STL output: a closed box, the simulated library's stand-in for a part's geometry.

#include <string>
#include <string_view>

namespace qrv::cadsim {

// An axis-aligned box from the origin to (x, y, z), twelve triangles with outward normals
// and counter-clockwise vertices seen from outside. The solid's name is made safe for the
// format (printable ASCII without blanks; anything else becomes '_').
std::string BoxStl(std::string_view solidName, double x, double y, double z);

} // namespace qrv::cadsim
