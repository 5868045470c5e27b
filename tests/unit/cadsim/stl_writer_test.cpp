#include "cadsim/core/stl_writer.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <sstream>
#include <tuple>
#include <vector>

namespace qrv::cadsim {
namespace {

using Vec = std::array<double, 3>;

struct Facet {
    Vec normal;
    std::array<Vec, 3> vertices;
};

// A strict reader of ASCII STL: every keyword in its place.
std::vector<Facet> ParseStl(const std::string& text, std::string& name) {
    std::istringstream in(text);
    std::string word;
    in >> word;
    EXPECT_EQ(word, "solid");
    in >> name;
    std::vector<Facet> facets;
    while (in >> word && word == "facet") {
        Facet f;
        in >> word;
        EXPECT_EQ(word, "normal");
        in >> f.normal[0] >> f.normal[1] >> f.normal[2];
        in >> word;
        EXPECT_EQ(word, "outer");
        in >> word;
        EXPECT_EQ(word, "loop");
        for (auto& v : f.vertices) {
            in >> word;
            EXPECT_EQ(word, "vertex");
            in >> v[0] >> v[1] >> v[2];
        }
        in >> word;
        EXPECT_EQ(word, "endloop");
        in >> word;
        EXPECT_EQ(word, "endfacet");
        facets.push_back(f);
    }
    EXPECT_EQ(word, "endsolid");
    std::string endName;
    in >> endName;
    EXPECT_EQ(endName, name);
    return facets;
}

Vec Minus(const Vec& a, const Vec& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

Vec Cross(const Vec& a, const Vec& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

TEST(StlWriter, BoxIsAClosedOutwardFacingSolid) {
    std::string name;
    const auto facets = ParseStl(BoxStl("P-100", 10, 20, 30), name);
    EXPECT_EQ(name, "P-100");
    ASSERT_EQ(facets.size(), 12u);
    // Every directed edge appears once and its reverse once: the surface is closed and
    // consistently oriented.
    std::map<std::pair<Vec, Vec>, int> edges;
    double volume = 0;
    for (const auto& f : facets) {
        const Vec n =
            Cross(Minus(f.vertices[1], f.vertices[0]), Minus(f.vertices[2], f.vertices[0]));
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        ASSERT_GT(length, 0);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(n[static_cast<size_t>(k)] / length, f.normal[static_cast<size_t>(k)], 1e-9)
                << "normal agrees with the counter-clockwise winding";
            ++edges[{f.vertices[static_cast<size_t>(k)],
                     f.vertices[static_cast<size_t>((k + 1) % 3)]}];
        }
        const auto& [a, b, c] = f.vertices;
        const Vec bc = Cross(b, c);
        volume += (a[0] * bc[0] + a[1] * bc[1] + a[2] * bc[2]) / 6;
    }
    for (const auto& [edge, count] : edges) {
        EXPECT_EQ(count, 1);
        EXPECT_EQ(edges.count({edge.second, edge.first}), 1u);
    }
    EXPECT_NEAR(volume, 10.0 * 20 * 30, 1e-6) << "positive volume: normals point outwards";
}

TEST(StlWriter, SolidNameIsOneAsciiWord) {
    std::string name;
    ParseStl(BoxStl("Teil \xC3\xBC\tx", 1, 1, 1), name);
    EXPECT_EQ(name, "Teil____x");
    ParseStl(BoxStl("", 1, 1, 1), name);
    EXPECT_EQ(name, "part");
}

} // namespace
} // namespace qrv::cadsim
