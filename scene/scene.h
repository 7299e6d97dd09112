#pragma once

// Called once per frame by the main loop with glfwGetTime's value.
void stepScene(double time);
