#version 110
//~
