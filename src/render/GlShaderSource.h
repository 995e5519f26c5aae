#pragma once

// GLSL 3.30 sources of GlRenderDevice's one program. Matrices are the scene's
// row-vector matrices uploaded untransposed, so GLSL sees their transposes
// and `M * v` applies them in the right order.
extern const char* const kSceneVertexShader;
extern const char* const kSceneFragmentShader;
