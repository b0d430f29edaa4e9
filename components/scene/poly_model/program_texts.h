// The vertex and fragment programs a mesh hands the rasterizer (program_loading.h): bump mapping
// under a directional or a spot light, and diffuse mapping, as NV programs, and bump mapping
// under a directional light as an ARB pair.
//
// Vertex programs take the position, the normal, texture coordinates 0 (diffuse) and 1 (normal
// map) and the tangent as attribute 6. The NV ones read the model-view-projection rows from c[0]
// to c[3] and, in object space, the eye from c[4], the light's position from c[5] and the way
// the light shines ("ahead") from c[6]; the ARB one reads the light's direction from env[10].
// Fragment programs map the normal-map texel from [0, 1] to [-1, 1] (x 2 - 1) before normalising
// it, and read the light's colour from p[0] (ARB: env[11]).
#pragma once

namespace kivo::mesh::programs {

// Spot light: TEX2 the eye's way (for the highlight), TEX3 the way to the light, TEX4 the way the
// light shines, all in tangent space.
inline constexpr char kBumpMapVPSP0[] = R"(!!VP2.0
# clip-space position
DP4 o[HPOS].x, c[0], v[OPOS];
DP4 o[HPOS].y, c[1], v[OPOS];
DP4 o[HPOS].z, c[2], v[OPOS];
DP4 o[HPOS].w, c[3], v[OPOS];
# tangent-space basis: R5 tangent, R0 binormal = tangent x normal, R6 normal
MOV R5, v[6];
MOV R6, v[NRML];
MUL R0, R5.zxyw, R6.yzxw;
MAD R0, R5.yzxw, R6.zxyw, -R0;
# the ahead vector in tangent space
DP3 R4.x, R5, c[6];
DP3 R4.y, R0, c[6];
DP3 R4.z, R6, c[6];
MOV o[TEX4], R4;
# vertex to light in tangent space
ADD R1, c[5], -v[OPOS];
DP3 o[TEX3].x, R5, R1;
DP3 o[TEX3].y, R0, R1;
DP3 o[TEX3].z, R6, R1;
# normalised vertex to eye in tangent space, negated, minus the ahead vector
ADD R2, c[4], -v[OPOS];
DP3 R2.w, R2, R2;
RSQ R2.w, R2.w;
MUL R2.xyz, R2, R2.w;
DP3 R3.x, R5, R2;
DP3 R3.y, R0, R2;
DP3 R3.z, R6, R2;
ADD o[TEX2], -R3, -R4;
MOV o[TEX0], v[TEX0];
MOV o[TEX1], v[TEX1];
MOV o[COL0], v[COL0];
END)";

// Diffuse mapping: TEX4 the vertex normal.
inline constexpr char kDiffuseMapVPID0[] = R"(!!VP2.0
DP4 o[HPOS].x, c[0], v[OPOS];
DP4 o[HPOS].y, c[1], v[OPOS];
DP4 o[HPOS].z, c[2], v[OPOS];
DP4 o[HPOS].w, c[3], v[OPOS];
MOV o[TEX0], v[TEX0];
MOV o[TEX4], v[NRML];
MOV o[COL0], v[COL0];
END)";

// Directional light: TEX4 the way the light shines, in tangent space.
inline constexpr char kBumpMapVPID0[] = R"(!!VP2.0
DP4 o[HPOS].x, c[0], v[OPOS];
DP4 o[HPOS].y, c[1], v[OPOS];
DP4 o[HPOS].z, c[2], v[OPOS];
DP4 o[HPOS].w, c[3], v[OPOS];
# R5 tangent, R0 binormal = tangent x normal, R6 normal
MOV R5, v[6];
MOV R6, v[NRML];
MUL R0, R5.zxyw, R6.yzxw;
MAD R0, R5.yzxw, R6.zxyw, -R0;
DP3 o[TEX4].x, R5, c[6];
DP3 o[TEX4].y, R0, c[6];
DP3 o[TEX4].z, R6, c[6];
MOV o[TEX0], v[TEX0];
MOV o[TEX1], v[TEX1];
MOV o[COL0], v[COL0];
END)";

// Spot light. p[0] the light's colour; p[2].x cos(umbra / 2), p[2].y 1 / (cos(penumbra / 2) -
// cos(umbra / 2)); p[3].xyz the material's specular colour x the light's, p[3].w the shininess.
inline constexpr char kBumpMapFPSP0[] = R"(!!FP1.0
DEFINE expand = {2.0, 1.0, 0.0, 0.0};
TEX R0, f[TEX0], TEX0, 2D;
TEX R1, f[TEX1], TEX1, 2D;
# the normal from the normal map
MAD R1.xyz, R1, expand.x, -expand.y;
DP3 R1.w, R1, R1;
RSQ R1.w, R1.w;
MUL R1.xyz, R1, R1.w;
# R2: the way the light shines, normalised; R3.x: the diffuse factor
DP3 R2.w, f[TEX4], f[TEX4];
RSQ R2.w, R2.w;
MUL R2.xyz, f[TEX4], R2.w;
DP3_SAT R3.x, R2, R1;
# R5: the highlight
DP3 R4.w, f[TEX2], f[TEX2];
RSQ R4.w, R4.w;
MUL R4.xyz, f[TEX2], R4.w;
DP3_SAT R4.w, R4, -R1;
POW_SAT R4.w, R4.w, p[3].w;
MUL R5, R4.w, p[3];
# R6: lit = texel x diffuse x light colour + highlight
MUL R6, R0, R3.x;
MAD_SAT R6, R6, p[0], R5;
# R7.w: the cone factor
DP3 R7.w, f[TEX3], f[TEX3];
RSQ R7.w, R7.w;
MUL R7.xyz, f[TEX3], R7.w;
DP3_SAT R7.w, R2, R7;
ADD R7.w, R7.w, -p[2].x;
MUL_SAT R7.w, R7.w, p[2].y;
MUL R6, R6, R7.w;
MAD_SAT o[COLR], f[COL0], R0, R6;
END)";

// Directional light. p[0] the light's colour.
inline constexpr char kBumpMapFPID0[] = R"(!!FP1.0
DEFINE expand = {2.0, 1.0, 0.0, 0.0};
TEX R0, f[TEX0], TEX0, 2D;
TEX R1, f[TEX1], TEX1, 2D;
MAD R1.xyz, R1, expand.x, -expand.y;
DP3 R1.w, R1, R1;
RSQ R1.w, R1.w;
MUL R1.xyz, R1, R1.w;
DP3 R2.w, f[TEX4], f[TEX4];
RSQ R2.w, R2.w;
MUL R2.xyz, f[TEX4], R2.w;
DP3_SAT R3, R2, R1;
MUL R3, R0, R3;
MUL_SAT R3, R3, p[0];
MAD_SAT o[COLR], f[COL0], R0, R3;
END)";

// Diffuse mapping. p[0] the light's colour, p[1] the way it shines.
inline constexpr char kDiffuseMapFPID0[] = R"(!!FP1.0
TEX R0, f[TEX0], TEX0, 2D;
DP3 R1.w, f[TEX4], f[TEX4];
RSQ R1.w, R1.w;
MUL R1.xyz, f[TEX4], R1.w;
DP3_SAT R2, p[1], R1;
MUL_SAT R2, R2, p[0];
MUL_SAT R2, R0, R2;
MAD_SAT o[COLR], f[COL0], R0, R2;
END)";

// Directional light: texcoord[4] the light's direction in tangent space.
inline constexpr char kBumpMapVPARBID0[] = R"(!!ARBvp1.0
ATTRIB position = vertex.position;
ATTRIB normal = vertex.normal;
ATTRIB tangent = vertex.attrib[6];
PARAM mvp[4] = { state.matrix.mvp };
PARAM lightDirection = program.env[10];
TEMP binormal;
DP4 result.position.x, mvp[0], position;
DP4 result.position.y, mvp[1], position;
DP4 result.position.z, mvp[2], position;
DP4 result.position.w, mvp[3], position;
XPD binormal, tangent, normal;
DP3 result.texcoord[4].x, tangent, lightDirection;
DP3 result.texcoord[4].y, binormal, lightDirection;
DP3 result.texcoord[4].z, normal, lightDirection;
MOV result.texcoord[0], vertex.texcoord[0];
MOV result.texcoord[1], vertex.texcoord[1];
MOV result.color, vertex.color;
END)";

// Directional light, as kBumpMapFPID0: texture[0] diffuse, texture[1] the normal map.
inline constexpr char kBumpMapFPARBID0[] = R"(!!ARBfp1.0
PARAM lightColour = program.env[11];
PARAM expand = {2.0, 1.0, 0.0, 0.0};
TEMP texel, normal, light, lit;
TEX texel, fragment.texcoord[0], texture[0], 2D;
TEX normal, fragment.texcoord[1], texture[1], 2D;
MAD normal.xyz, normal, expand.x, -expand.y;
DP3 normal.w, normal, normal;
RSQ normal.w, normal.w;
MUL normal.xyz, normal, normal.w;
DP3 light.w, fragment.texcoord[4], fragment.texcoord[4];
RSQ light.w, light.w;
MUL light.xyz, fragment.texcoord[4], light.w;
DP3_SAT lit, light, normal;
MUL lit, texel, lit;
MUL_SAT lit, lit, lightColour;
MAD_SAT result.color, fragment.color, texel, lit;
END)";

}  // namespace kivo::mesh::programs
