#include "objl/objl.h"

#include "res/resources.h"

namespace objl {

namespace {

// The whole resource, by its size: model and material texts carry no end
// marker. A missing resource reads as the empty text.
std::string_view textResource(int id)
{
    const ResourceData data = findResourceData("TEXTFILE", id);
    if (!data.bytes)
        return std::string_view();
    return std::string_view(reinterpret_cast<const char*>(data.bytes), data.size);
}

} // namespace

bool Loader::loadModel(int modelId, int materialId)
{
    return loadModelText(textResource(modelId), textResource(materialId));
}

bool Loader::loadMaterials(int materialId)
{
    return loadMaterialsText(textResource(materialId));
}

} // namespace objl
