#include "render/GlShaderSource.h"

// Per-vertex lighting as the fixed-function pipeline did it: global ambient x
// material ambient + emissive + material diffuse x light diffuse x N.L for a
// directional light and an unattenuated point light within its range.
// Meshes take their diffuse colour from the material, strips and sprites
// from the vertex (strips carry no normal, so lit they get only the ambient
// and emissive terms).
const char* const kSceneVertexShader = R"(#version 330 core
layout(location = 0) in vec3 a_position;
layout(location = 1) in vec4 a_color;
layout(location = 2) in vec2 a_uv;
layout(location = 3) in vec3 a_normal;

struct SceneLight {
  bool on;
  bool directional;
  vec3 diffuse;
  vec3 position;
  vec3 direction;
  float range;
};

uniform mat4 u_world;
uniform mat4 u_viewProjection;
uniform bool u_lighting;
uniform bool u_materialColor;
uniform vec3 u_ambient;
uniform vec4 u_materialDiffuse;
uniform vec3 u_materialAmbient;
uniform vec3 u_materialEmissive;
uniform SceneLight u_lights[2];

out vec4 v_color;
out vec2 v_uv;

vec3 LightTowards(SceneLight light, vec3 point) {
  if (light.directional) {
    return -normalize(light.direction);
  }
  vec3 toLight = light.position - point;
  return length(toLight) <= light.range ? normalize(toLight) : vec3(0.0);
}

void main() {
  vec4 worldPosition = u_world * vec4(a_position, 1.0);
  gl_Position = u_viewProjection * worldPosition;
  v_uv = a_uv;
  vec4 diffuse = u_materialColor ? u_materialDiffuse : a_color;
  if (!u_lighting) {
    v_color = diffuse;
    return;
  }
  vec3 normal = transpose(inverse(mat3(u_world))) * a_normal;
  vec3 lit = u_ambient * u_materialAmbient + u_materialEmissive;
  if (dot(normal, normal) > 0.0) {
    normal = normalize(normal);
    for (int i = 0; i < 2; ++i) {
      if (u_lights[i].on) {
        float facing = max(dot(normal, LightTowards(u_lights[i], worldPosition.xyz)), 0.0);
        lit += diffuse.rgb * u_lights[i].diffuse * facing;
      }
    }
  }
  v_color = vec4(clamp(lit, 0.0, 1.0), diffuse.a);
}
)";

// Texture modulate (texel x colour), then the alpha test "alpha > reference"
// on the 0..255 scale.
const char* const kSceneFragmentShader = R"(#version 330 core
in vec4 v_color;
in vec2 v_uv;

uniform sampler2D u_texture;
uniform bool u_textured;
uniform bool u_alphaTest;
uniform float u_alphaRef;

out vec4 fragColor;

void main() {
  vec4 color = v_color;
  if (u_textured) {
    color *= texture(u_texture, v_uv);
  }
  if (u_alphaTest && !(color.a * 255.0 > u_alphaRef + 0.5)) {
    discard;
  }
  fragColor = color;
}
)";
