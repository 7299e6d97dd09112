// Feeds arbitrary model and material texts through the whole loader. The
// input is the model text, then a NUL byte, then the material library.

#include "objl/objl.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <streambuf>
#include <string_view>

namespace {

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

NullBuffer sink;

// Every index the loader hands out must name a vertex it holds, in whole triangles.
void checkIndices(const std::vector<unsigned int>& indices, std::size_t vertexCount)
{
    if (indices.size() % 3 != 0)
        std::abort();
    for (unsigned int index : indices)
        if (index >= vertexCount)
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::cout.rdbuf(&sink);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string_view model = input.substr(0, split);
    const std::string_view materials = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    objl::Loader loader;
    try {
        const bool loaded = loader.loadModelText(model, materials);
        if (loaded != !(loader.meshes.empty() && loader.vertices.empty() && loader.indices.empty()))
            std::abort();
    } catch (const std::invalid_argument&) {
    } catch (const std::out_of_range&) {
    }
    checkIndices(loader.indices, loader.vertices.size());
    for (const objl::Mesh& mesh : loader.meshes)
        checkIndices(mesh.indices, mesh.vertices.size());
    return 0;
}
