#version 110

uniform sampler2D s;
uniform vec3 iResolution;
uniform float iTime;
uniform float iTimeDelta;
uniform float iRandom;
uniform vec4 starColor;
uniform int starTrailDraw;
uniform int starDirection;

varying vec2 tex;

float col_coeff_x;
float col_coeff_y;
float col_coeff_body;
float col_coeff_tail;

// smoothstep with either order of the edges
float ramp(float e0, float e1, float x)
{
	float t = clamp((x - e0) / (e1 - e0), 0.0, 1.0);
	return t * t * (3.0 - 2.0 * t);
}

float across(float w)
{
	return ramp(0.5, 0.2, abs(w - 0.5));
}

void main(void)
{
	float u = tex.x;
	float v = tex.y;
	if (starTrailDraw == 0) {
		col_coeff_x = across(u);
		col_coeff_y = across(v);
		if (starDirection == 0) {
			col_coeff_x = u < 0.5 ? ramp(0.5, 0.22, 0.5 - u) : ramp(0.5, 0.18, u - 0.5);
			if (u <= 0.18) col_coeff_x = 0.7;
		} else if (starDirection == 1) {
			col_coeff_x = u < 0.5 ? ramp(0.5, 0.18, 0.5 - u) : ramp(0.5, 0.22, u - 0.5);
			if (u >= 0.82) col_coeff_x = 0.7;
		} else if (starDirection == 2) {
			col_coeff_y = v < 0.5 ? ramp(0.5, 0.28, 0.5 - v) : ramp(0.5, 0.22, v - 0.5);
			if (v >= 0.82) col_coeff_y = 0.7;
		} else if (starDirection == 3) {
			col_coeff_y = v < 0.5 ? ramp(0.5, 0.22, 0.5 - v) : ramp(0.5, 0.28, v - 0.5);
			if (v <= 0.18) col_coeff_y = 0.7;
		}
		col_coeff_body = col_coeff_x * col_coeff_y;
		gl_FragColor = col_coeff_body * starColor;
	} else {
		// 0.7 where the trail meets the head, 0 at the other end
		if (starDirection == 0) col_coeff_tail = ramp(0.0, 1.0, u) * across(v);
		else if (starDirection == 1) col_coeff_tail = ramp(1.0, 0.0, u) * across(v);
		else if (starDirection == 2) col_coeff_tail = across(u) * ramp(1.0, 0.0, v);
		else col_coeff_tail = across(u) * ramp(0.0, 1.0, v);
		col_coeff_tail *= 0.7;
		gl_FragColor = col_coeff_tail * starColor;
	}
}
//~
