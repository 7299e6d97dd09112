#version 110

attribute vec4 position;
attribute vec2 position_tex;
attribute vec3 position_normal;
attribute vec3 position_tangent;
attribute vec3 position_bitangent;

uniform mat4 mv;

varying vec2 tex;

void main(void)
{
	tex = position_tex;
	gl_Position = mv * position;
}
//~
