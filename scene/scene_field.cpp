#include "scene/scene_field.h"

#include "base/render_settings.h"

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

int fieldWidth()
{
    return currentField == &primaryField ? renderSettings.width : currentField->width;
}

int fieldHeight()
{
    return currentField == &primaryField ? renderSettings.height : currentField->height;
}

float fieldAspectRatio()
{
    return currentField == &primaryField ? renderSettings.aspectRatio : currentField->aspectRatio;
}

void startOtherField(SceneField& field)
{
    field = {};
    field.randomState = 1;
    // The primary's seeds are 0 to 99; each later field takes the next hundred.
    field.seedOffset = 100u * ++fieldsStarted;
}
