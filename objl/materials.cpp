#include "objl/objl.h"
#include "objl/lines.h"

namespace objl {

namespace {

// Colours need exactly three numbers; any other count leaves the colour as it was.
void readColour(const std::string& line, std::vector<std::string>& parts, Vector3& colour)
{
    splitAt(argumentsOf(line), parts, ' ');
    if (parts.size() == 3)
        colour = {readFloat(parts[0]), readFloat(parts[1]), readFloat(parts[2])};
}

} // namespace

bool Loader::loadMaterialsText(std::string_view materialText)
{
    Material pendingMaterial;
    bool materialOpen = false;
    std::vector<std::string> parts;
    std::string line;
    LineReader lines(materialText);
    while (lines.next(line)) {
        const std::string keyword = keywordOf(line);
        if (keyword == "newmtl") {
            // Lines before the first newmtl fill the first material.
            if (materialOpen) {
                materials.push_back(pendingMaterial);
                pendingMaterial = Material();
            } else {
                materialOpen = true;
            }
            pendingMaterial.name = line.size() <= 7 ? "none" : argumentsOf(line);
        } else if (keyword == "Ka") {
            readColour(line, parts, pendingMaterial.ambient);
        } else if (keyword == "Kd") {
            readColour(line, parts, pendingMaterial.diffuse);
        } else if (keyword == "Ks") {
            readColour(line, parts, pendingMaterial.specular);
        } else if (keyword == "Ns") {
            pendingMaterial.specularExponent = readFloat(argumentsOf(line));
        } else if (keyword == "Ni") {
            pendingMaterial.opticalDensity = readFloat(argumentsOf(line));
        } else if (keyword == "d") {
            pendingMaterial.dissolve = readFloat(argumentsOf(line));
        } else if (keyword == "illum") {
            pendingMaterial.illumination = readInt(argumentsOf(line));
        } else if (keyword == "map_Ka") {
            pendingMaterial.ambientMap = argumentsOf(line);
        } else if (keyword == "map_Kd") {
            pendingMaterial.diffuseMap = argumentsOf(line);
        } else if (keyword == "map_Ks") {
            pendingMaterial.specularMap = argumentsOf(line);
        } else if (keyword == "map_Ns") {
            pendingMaterial.specularExponentMap = argumentsOf(line);
        } else if (keyword == "map_d") {
            pendingMaterial.alphaMap = argumentsOf(line);
        } else if (keyword == "map_Bump" || keyword == "map_bump" || keyword == "bump") {
            pendingMaterial.bumpMap = argumentsOf(line);
        }
    }
    // Appended even without any newmtl line, so a read never adds nothing.
    materials.push_back(pendingMaterial);
    return true;
}

} // namespace objl
