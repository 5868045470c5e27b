#include "cadsim/core/stl_writer.h"

#include <array>
#include <cstdio>

namespace qrv::cadsim {

namespace {

struct Vec {
    double x, y, z;
};

struct Face {
    Vec normal;
    std::array<int, 4> corners; // indexes into the box corners, counter-clockwise from outside
};

// Corner i has x from bit 0, y from bit 1, z from bit 2.
constexpr Face kFaces[] = {
    {{-1, 0, 0}, {0, 4, 6, 2}}, {{1, 0, 0}, {1, 3, 7, 5}},  {{0, -1, 0}, {0, 1, 5, 4}},
    {{0, 1, 0}, {2, 6, 7, 3}},  {{0, 0, -1}, {0, 2, 3, 1}}, {{0, 0, 1}, {4, 5, 7, 6}},
};

std::string SafeSolidName(std::string_view name) {
    std::string safe;
    for (const char c : name) {
        safe.push_back(c > ' ' && c < 0x7F ? c : '_');
    }
    return safe.empty() ? "part" : safe;
}

void PutVector(std::string& out, const char* prefix, const Vec& v) {
    char line[128];
    std::snprintf(line, sizeof line, "%s %e %e %e\n", prefix, v.x, v.y, v.z);
    out += line;
}

} // namespace

std::string BoxStl(std::string_view solidName, double x, double y, double z) {
    const std::string name = SafeSolidName(solidName);
    auto corner = [&](int i) { return Vec{i & 1 ? x : 0, i & 2 ? y : 0, i & 4 ? z : 0}; };
    std::string out = "solid " + name + "\n";
    for (const auto& face : kFaces) {
        for (const auto& triangle : {std::array{0, 1, 2}, std::array{0, 2, 3}}) {
            PutVector(out, "  facet normal", face.normal);
            out += "    outer loop\n";
            for (const int k : triangle) {
                PutVector(out, "      vertex", corner(face.corners[static_cast<size_t>(k)]));
            }
            out += "    endloop\n  endfacet\n";
        }
    }
    out += "endsolid " + name + "\n";
    return out;
}

} // namespace qrv::cadsim
