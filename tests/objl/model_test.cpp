#include "objl/objl.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The program's quad and its material library, as res/quad.obj and
// res/quad.mtl hold them (the library with CR LF line ends).
const char quadModel[] = "# Quillomar star quad\n"
                         "mtllib quad.mtl\n"
                         "o Plane001\n"
                         "v -1.0000 -1.0000 0.0000\n"
                         "v 1.0000 -1.0000 0.0000\n"
                         "v 1.0000 1.0000 0.0000\n"
                         "v -1.0000 1.0000 0.0000\n"
                         "vt 0.0000 0.0000 0.0000\n"
                         "vt 1.0000 0.0000 0.0000\n"
                         "vt 1.0000 1.0000 0.0000\n"
                         "vt 0.0000 1.0000 0.0000\n"
                         "g Plane001\n"
                         "usemtl wire_006135058\n"
                         "f 1/1 2/2 3/3 4/4 \n";
const char quadMaterials[] = "# Quillomar star quad material\r\n\r\nnewmtl wire_006135058\r\n"
                             "\tNs 96.0784\r\n\tNi 1.5000\r\n\td 1.0000\r\n\tTr 0.0000\r\n"
                             "\tTf 1.0000 1.0000 1.0000\r\n\tillum 2\r\n\tKa 1.0000 0.0000 1.0000\r\n"
                             "\tKd 0.6400 0.0400 0.6400\r\n\tKs 0.5000 0.0000 0.5000\r\n"
                             "\tKe 0.0000 0.0000 0.0000\r\n";

// Three corners of a triangle, in front of every model that needs faces.
const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";

// Keeps the progress lines out of the test log, and lets tests read them.
class ObjlModel : public ::testing::Test {
protected:
    void SetUp() override { console_ = std::cout.rdbuf(output_.rdbuf()); }
    void TearDown() override { std::cout.rdbuf(console_); }
    std::string output() const { return output_.str(); }

    std::vector<std::string> meshNames() const
    {
        std::vector<std::string> names;
        for (const objl::Mesh& mesh : loader.meshes)
            names.push_back(mesh.name);
        return names;
    }

    objl::Loader loader;

private:
    std::ostringstream output_;
    std::streambuf* console_ = nullptr;
};

using Names = std::vector<std::string>;
using Indices = std::vector<unsigned int>;

void expectQuad(const objl::Loader& loader)
{
    ASSERT_EQ(loader.meshes.size(), 1u);
    const objl::Mesh& mesh = loader.meshes[0];
    EXPECT_EQ(mesh.name, "Plane001");
    const objl::Vector3 positions[] = {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}};
    const objl::Vector2 texCoords[] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    ASSERT_EQ(mesh.vertices.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(mesh.vertices[i].position, positions[i]) << i;
        EXPECT_EQ(mesh.vertices[i].texCoord.x, texCoords[i].x) << i;
        EXPECT_EQ(mesh.vertices[i].texCoord.y, texCoords[i].y) << i;
        EXPECT_EQ(mesh.vertices[i].normal, (objl::Vector3{0, 0, -4})) << i;
    }
    EXPECT_EQ(mesh.indices, (Indices{0, 1, 3, 1, 2, 3}));
    EXPECT_EQ(loader.indices, mesh.indices);
    EXPECT_EQ(loader.vertices.size(), 4u);
    const objl::Material& m = mesh.material;
    EXPECT_EQ(m.name, "wire_006135058");
    EXPECT_FLOAT_EQ(m.specularExponent, 96.0784f);
    EXPECT_FLOAT_EQ(m.opticalDensity, 1.5f);
    EXPECT_FLOAT_EQ(m.dissolve, 1.0f);
    EXPECT_EQ(m.illumination, 2);
    EXPECT_EQ(m.ambient, (objl::Vector3{1, 0, 1}));
    EXPECT_EQ(m.diffuse, (objl::Vector3{0.64f, 0.04f, 0.64f}));
    EXPECT_EQ(m.specular, (objl::Vector3{0.5f, 0, 0.5f}));
}

TEST_F(ObjlModel, ProgramQuadLoadsFromText)
{
    EXPECT_TRUE(loader.loadModelText(quadModel, quadMaterials));
    expectQuad(loader);
}

TEST_F(ObjlModel, ProgramQuadLoadsFromTheEmbeddedResources)
{
    EXPECT_TRUE(loader.loadModel(104, 126));
    expectQuad(loader);
}

TEST_F(ObjlModel, MissingResourcesReadAsEmptyTexts)
{
    EXPECT_FALSE(loader.loadModel(998, 999));
    EXPECT_TRUE(loader.meshes.empty());
    EXPECT_TRUE(loader.loadMaterials(999));
    ASSERT_EQ(loader.materials.size(), 1u);
    EXPECT_EQ(loader.materials[0].name, "");
}

TEST_F(ObjlModel, ProgressLinesAreWrittenByteForByte)
{
    loader.loadModelText(quadModel, quadMaterials);
    const std::string head = "\r- Plane001\t| vertices > ";
    EXPECT_EQ(output(), "\n" + head + "0\t| texcoords > 0\t| normals > 0\t| triangles > 0\n" + head +
                            "4\t| texcoords > 4\t| normals > 0\t| triangles > 0" + head +
                            "4\t| texcoords > 4\t| normals > 0\t| triangles > 0\t| material: wire_006135058\n");
}

TEST_F(ObjlModel, ProgressLinesRecurEveryThousandLinesWithoutChangingTheResult)
{
    std::string text = "o A\n";
    for (int i = 0; i < 1001; ++i)
        text += "v 0 0 0\n";
    text += "vn 0 0 1\nf 1//1 2//1 3//1 4//1\n";
    loader.loadModelText(text, "");
    EXPECT_EQ(output(), "\n\r- A\t| vertices > 0\t| texcoords > 0\t| normals > 0\t| triangles > 0"
                        "\r- A\t| vertices > 1000\t| texcoords > 0\t| normals > 0\t| triangles > 0\n");
    ASSERT_EQ(loader.meshes.size(), 1u);
    EXPECT_EQ(loader.meshes[0].vertices.size(), 4u);
}

TEST_F(ObjlModel, LineEndsAndCarriageReturns)
{
    // CR LF reads as LF; a lone CR takes the character after it along.
    ASSERT_TRUE(loader.loadModelText("o A\r\nv 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\nf 1 2 3\r\n", ""));
    EXPECT_EQ(meshNames(), Names{"A"});
    loader.loadModelText("o Plane\rX001\n" + triangle + "f 1 2 3", "");
    EXPECT_EQ(meshNames(), Names{"Plane001"});
    // No line feed after the last line.
    loader.loadModelText(triangle + "f 1 2 3", "");
    EXPECT_EQ(loader.indices, (Indices{0, 1, 2}));
}

TEST_F(ObjlModel, NamingAndGrouping)
{
    struct Case {
        std::string text;
        Names names;
    };
    const Case cases[] = {
        {triangle + "f 1 2 3\n", {""}},
        {"o Plane001\ng Plane001\n" + triangle + "f 1 2 3\n", {"Plane001"}},
        {"g\n" + triangle + "f 1 2 3\n", {""}},
        {"group1 x\n" + triangle + "f 1 2 3\n", {"unnamed"}},
        // After geometry, a g-word line names the next mesh by its arguments.
        {"o A\n" + triangle + "f 1 2 3\ngroup1 x\nf 1 2 3\n", {"A", "x"}},
        {"o A\no B\n" + triangle + "f 1 2 3\n", {"B"}},
        // Faces before the first o or g belong to the mesh it names.
        {triangle + "f 1 2 3\no A\nf 1 2 3\no B\nf 1 2 3\n", {"A", "B"}}};
    for (const Case& c : cases) {
        loader.loadModelText(c.text, "");
        EXPECT_EQ(meshNames(), c.names) << c.text;
    }
    EXPECT_EQ(loader.meshes[0].vertices.size(), 6u);
    EXPECT_FALSE(loader.loadModelText("o A\n" + triangle, ""));
}

TEST_F(ObjlModel, FourReferenceFormsAndNegativeIndices)
{
    const std::string text = "v 0 0 0\nv 2 0 0\nv 0 2 0\nv 9 9 9 7\n"
                             "vt 0.5 0.25 0\nvt 0.75 1\nvn 0 0 1\nvn 1 0 0\n"
                             "f 1 2 3\n"
                             "f 1/1 2/2 3/1\n"
                             "f 1/1/2 2/2/2 3/-1/-1\n"
                             "f 1//1 2//2 -2//-1\n";
    ASSERT_TRUE(loader.loadModelText(text, ""));
    const std::vector<objl::Vertex>& v = loader.vertices;
    ASSERT_EQ(v.size(), 12u);
    // Positions only: texture (0, 0), the unnormalised face normal (P0 - P1) x (P2 - P1),
    // pointing away from a viewer of the counter-clockwise side.
    EXPECT_EQ(v[0].texCoord.x, 0.0f);
    EXPECT_EQ(v[0].normal, (objl::Vector3{0, 0, -4}));
    EXPECT_EQ(v[3].texCoord.y, 0.25f);
    EXPECT_EQ(v[4].texCoord.x, 0.75f);
    EXPECT_EQ(v[4].normal, (objl::Vector3{0, 0, -4}));
    EXPECT_EQ(v[8].texCoord.y, 1.0f);
    EXPECT_EQ(v[8].normal, (objl::Vector3{1, 0, 0}));
    EXPECT_EQ(v[6].normal, (objl::Vector3{1, 0, 0}));
    // Normals given, texture left out; -2 is the second last of the four positions.
    EXPECT_EQ(v[9].normal, (objl::Vector3{0, 0, 1}));
    EXPECT_EQ(v[10].normal, (objl::Vector3{1, 0, 0}));
    EXPECT_EQ(v[11].position, (objl::Vector3{0, 2, 0}));
    EXPECT_EQ(v[11].texCoord.x, 0.0f);
    // The fourth number of a v line and the third of a vt line are ignored.
    loader.loadModelText(text + "f -1 1 2\n", "");
    EXPECT_EQ(loader.vertices[12].position, (objl::Vector3{9, 9, 9}));
    EXPECT_EQ(loader.indices.back(), 14u);
}

TEST_F(ObjlModel, UsemtlSplitsMeshesAndPairsMaterialsByPosition)
{
    const std::string faces = "o Plane001\n" + triangle + "f 1 2 3\nusemtl red\nf 1 2 3\n";
    loader.loadModelText(faces, "");
    EXPECT_EQ(meshNames(), (Names{"Plane001_2", "Plane001"}));
    loader.loadModelText("o Plane001_2\n" + triangle + "f 1 2 3\no Plane001\nf 1 2 3\nusemtl a\nf 1 2 3\nusemtl b\n"
                                                       "f 1 2 3\n",
                         "");
    EXPECT_EQ(meshNames(), (Names{"Plane001_2", "Plane001_3", "Plane001_4", "Plane001"}));

    // The k-th usemtl gives the k-th mesh its material: "red" stood before the
    // second run of faces but lands on the first mesh. The first "red" read wins.
    const std::string library = "newmtl red\nillum 1\nnewmtl red\nillum 2\nnewmtl blue\n";
    loader.loadModelText("mtllib any.mtl\n" + faces + "usemtl blue\n", library);
    ASSERT_EQ(loader.meshes.size(), 2u);
    EXPECT_EQ(loader.meshes[0].material.name, "red");
    EXPECT_EQ(loader.meshes[0].material.illumination, 1);
    EXPECT_EQ(loader.meshes[1].material.name, "blue");
    // A name without a match, and a usemtl with no mesh of its number, attach nothing.
    loader.loadModelText("usemtl green\nusemtl red\nusemtl red\n" + triangle + "f 1 2 3\n", "");
    ASSERT_EQ(loader.meshes.size(), 1u);
    EXPECT_EQ(loader.meshes[0].material.name, "");
}

TEST_F(ObjlModel, MaterialsAccumulateOverMtllibLinesAndLoads)
{
    const std::string model = "mtllib a.mtl\nmtllib b.mtl\n" + triangle + "f 1 2 3\n";
    loader.loadModelText(model, "newmtl m\n");
    EXPECT_EQ(loader.materials.size(), 2u);
    loader.loadModelText("o B\n" + triangle + "f 1 2 3\nf 1 2 3\n", "");
    EXPECT_EQ(meshNames(), Names{"B"});
    EXPECT_EQ(loader.vertices.size(), 6u);
    EXPECT_EQ(loader.indices, (Indices{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(loader.materials.size(), 2u);
}

// Each of these once read outside a list; now the line or the face is dropped
// and the rest of the model still loads.
TEST_F(ObjlModel, MalformedLinesAreRefusedAndTheRestLoads)
{
    const char* refused[] = {
        "f 0 1 2", "f 1 2 4", "f -4 1 2", "f 1/2 2/1 3/1", "f 1//2 2//1 3//1",
        "f 1 2  3", "f 1/1/1/1 2 3", "f 1///1 2 3", "f 1 2", "f 1/1",
        "f 1/1/1 2/1/1 4/1/1"};
    for (const char* face : refused) {
        loader.loadModelText("vt 0 0\nvn 0 0 1\n" + triangle + face + "\nf 3 2 1\n", "");
        EXPECT_EQ(loader.vertices.size(), 3u) << face;
        EXPECT_EQ(loader.indices, (Indices{0, 1, 2})) << face;
    }
    // Short v, vt and vn lines add nothing, so later indices are unaffected.
    loader.loadModelText("v 5 5\nvt 1\nvn 1 1\nvt 0.5 0.5\nvn 0 1 0\n" + triangle + "f 1/1/1 2/1/1 3/-1/-1\n", "");
    ASSERT_EQ(loader.vertices.size(), 3u);
    EXPECT_EQ(loader.vertices[0].position, (objl::Vector3{0, 0, 0}));
    EXPECT_EQ(loader.vertices[0].texCoord.x, 0.5f);
    EXPECT_EQ(loader.vertices[0].normal, (objl::Vector3{0, 1, 0}));
    // Two corners with their own normals: kept as vertices, no triangle.
    loader.loadModelText("vn 0 0 1\n" + triangle + "f 1//1 2//1\n", "");
    EXPECT_EQ(loader.vertices.size(), 2u);
    EXPECT_TRUE(loader.indices.empty());
}

TEST_F(ObjlModel, ConversionErrorsLeaveTheLoadWithTheListsAsFarAsTheyGot)
{
    const std::string start = "o A\n" + triangle + "f 1 2 3\n";
    try {
        loader.loadModelText(start + "v 1 x 0\n", "");
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "invalid stof argument");
    }
    EXPECT_EQ(loader.vertices.size(), 3u);
    EXPECT_TRUE(loader.meshes.empty());
    EXPECT_THROW(loader.loadModelText(start + "v 1  2 3\n", ""), std::invalid_argument);
    EXPECT_THROW(loader.loadModelText(start + "vt 1e40 0\n", ""), std::out_of_range);
    EXPECT_THROW(loader.loadModelText(start + "f 1 a 3\n", ""), std::invalid_argument);
    EXPECT_THROW(loader.loadModelText(start + "f 1 2 3000000000\n", ""), std::out_of_range);
    EXPECT_THROW(loader.loadModelText("mtllib x\n", "illum high\n"), std::invalid_argument);
}

} // namespace
