#include "scene/scene_field.h"

namespace {

SceneField makePrimaryField()
{
    SceneField field = {};
    field.randomState = 1; // the C runtime's generator before its first srand
    return field;
}

unsigned int fieldsStarted = 0;

} // namespace

SceneField primaryField = makePrimaryField();
SceneField* currentField = &primaryField;

void startOtherField(SceneField& field)
{
    field = {};
    field.randomState = 1;
    // The primary's seeds are 0 to 99; each later field takes the next hundred.
    field.seedOffset = 100u * ++fieldsStarted;
}
