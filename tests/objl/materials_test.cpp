#include "objl/objl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<objl::Material> read(const std::string& text)
{
    objl::Loader loader;
    EXPECT_TRUE(loader.loadMaterialsText(text));
    return loader.materials;
}

TEST(ObjlMaterials, EveryKeywordFillsItsField)
{
    const std::vector<objl::Material> m =
        read("Ns 7\n"
             "newmtl brick\n"
             "Ka 0.1 0.2 0.3\nKd 2 -1 0.5\nKs 0 0 1\n"
             "Ns 10 20\nNi 1.45\nd 0.5\nillum 4\n"
             "map_Ka a.png\nmap_Kd -s 1 1 1 brick.png\nmap_Ks s.png\nmap_Ns ns.png\nmap_d alpha.png\n"
             "map_Bump b1.png\n# map_bump ignored\nTr 0.5\nKe 1 1 1\n");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].name, "brick");
    EXPECT_EQ(m[0].ambient, (objl::Vector3{0.1f, 0.2f, 0.3f}));
    // Colours are stored as read, not clamped.
    EXPECT_EQ(m[0].diffuse, (objl::Vector3{2, -1, 0.5f}));
    EXPECT_EQ(m[0].specular, (objl::Vector3{0, 0, 1}));
    EXPECT_EQ(m[0].specularExponent, 10.0f);
    EXPECT_EQ(m[0].opticalDensity, 1.45f);
    EXPECT_EQ(m[0].dissolve, 0.5f);
    EXPECT_EQ(m[0].illumination, 4);
    EXPECT_EQ(m[0].ambientMap, "a.png");
    EXPECT_EQ(m[0].diffuseMap, "-s 1 1 1 brick.png");
    EXPECT_EQ(m[0].specularMap, "s.png");
    EXPECT_EQ(m[0].specularExponentMap, "ns.png");
    EXPECT_EQ(m[0].alphaMap, "alpha.png");
    EXPECT_EQ(m[0].bumpMap, "b1.png");
    EXPECT_EQ(read("map_bump b2.png\n")[0].bumpMap, "b2.png");
    EXPECT_EQ(read("bump b3.png")[0].bumpMap, "b3.png");
}

TEST(ObjlMaterials, ColoursNeedExactlyThreeNumbers)
{
    const std::vector<objl::Material> m = read("newmtl a\nKa 1 1 1\nKa 0.5 0.5\nKd 1 1 1 1\nKs 1  1 1\n");
    EXPECT_EQ(m[0].ambient, (objl::Vector3{1, 1, 1}));
    EXPECT_EQ(m[0].diffuse, (objl::Vector3{}));
    EXPECT_EQ(m[0].specular, (objl::Vector3{}));
}

TEST(ObjlMaterials, NamesAndMaterialBoundaries)
{
    struct Case {
        const char* text;
        const char* firstName;
        size_t count;
    };
    const Case cases[] = {
        {"", "", 1},
        {"Kd 1 1 1\n", "", 1},
        {"newmtl", "none", 1},
        {"newmtl \r\n", "none", 1},
        // Seven characters after the carriage return goes, leading tab included.
        {"\tnewmtl\r\n", "none", 1},
        {"newmtl x", "x", 1},
        {"newmtl  ", "", 1},
        {"newmtl a b \r\nnewmtl c\r\n", "a b", 2},
    };
    for (const Case& c : cases) {
        const std::vector<objl::Material> m = read(c.text);
        ASSERT_EQ(m.size(), c.count) << c.text;
        EXPECT_EQ(m[0].name, c.firstName) << c.text;
    }
    // Lines before the first newmtl fill the first material; the second starts afresh.
    const std::vector<objl::Material> m = read("illum 3\nnewmtl a\nNs 5\nnewmtl b\nNi 2\n");
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].illumination, 3);
    EXPECT_EQ(m[0].specularExponent, 5.0f);
    EXPECT_EQ(m[1].name, "b");
    EXPECT_EQ(m[1].illumination, 0);
    EXPECT_EQ(m[1].specularExponent, 0.0f);
    EXPECT_EQ(m[1].opticalDensity, 2.0f);
}

TEST(ObjlMaterials, ReadsAppendAndConversionErrorsKeepWhatWasAppended)
{
    objl::Loader loader;
    loader.loadMaterialsText("newmtl a\n");
    loader.loadMaterialsText("newmtl b\n");
    ASSERT_EQ(loader.materials.size(), 2u);
    EXPECT_EQ(loader.materials[1].name, "b");
    EXPECT_THROW(loader.loadMaterialsText("newmtl c\nnewmtl d\nNs\n"), std::invalid_argument);
    ASSERT_EQ(loader.materials.size(), 3u);
    EXPECT_EQ(loader.materials[2].name, "c");
    EXPECT_THROW(loader.loadMaterialsText("illum 99999999999\n"), std::out_of_range);
}

} // namespace
