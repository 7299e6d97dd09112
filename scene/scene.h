#pragma once

// Called once per frame by the main loop with glfwGetTime's value.
void stepScene(double time);

struct SceneField;

// One frame of another monitor's field, at the one program clock, into a
// window of width x height whose context is current.
void stepOtherField(SceneField& field, int width, int height, double time);
